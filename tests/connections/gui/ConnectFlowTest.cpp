// The connect and disconnect flow against the stand-in server, offscreen.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "connections/ConnectionRegistry.h"
#include "connections/gui/ConnectFlowTestFixture.h"
#include "connections/ui/QuickConnectMenu.h"
#include "shell/kit/ApplicationTitle.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok::testing {
namespace {

// Answers the login window with user and an empty password once it shows.
void LoginAs(TfmConnect* login, const QString& user) {
    WhenShown(login, [login, user] {
        login->cbUserName()->setEditText(user);
        login->edPassword()->setText(QString());
        login->btOk()->click();
    });
}

TEST_F(ConnectFlowTest, ConnectWithoutDatabaseDropsTheBoxWithTheLastDatabasePreselected) {
    flow_->LastDatabases().Set("SIMSRV", "vk_two");
    LoginAs(login_, "alice");
    flow_->ConnectWithLogin();
    ASSERT_TRUE(flow_->Database().Connected());
    EXPECT_EQ(login_->windowTitle(), "Connect To simsrv");
    std::vector<std::string> names;
    flow_->Database().GetDatabaseNames(names);
    QStringList expected;
    for (const std::string& name : names)
        expected << QString::fromStdString(name.substr(0, name.find('@')));
    EXPECT_EQ(DatabaseEntries(), expected);
    EXPECT_TRUE(expected.contains("vk_log") && expected.contains("vk_two"));
    EXPECT_EQ(bar_.cbDatabase->currentText(), "vk_two");
    EXPECT_TRUE(bar_.cbDatabase->isEnabled());
    bar_.cbDatabase->hidePopup();
    EXPECT_TRUE(Logged("Connecting to Server", "simsrv"));
    // No database was opened: neither a database entry nor a switch.
    for (const TLogLine& line : log_)
        EXPECT_NE(line.message, "Connecting to Database");
    EXPECT_EQ(flow_->Database().Params(),
              (std::vector<std::string>{"INFORMIXSERVER=simsrv", "WIN32USER=alice", "WIN32PASS="}));
    EXPECT_TRUE(flow_->Database().UseTimeOut());
    EXPECT_EQ(flow_->Database().TimeOutInterval(), 100u);
}

TEST_F(ConnectFlowTest, CancelledLoginLeavesEverythingAsItWas) {
    WhenShown(login_, [this] { login_->btCancel()->click(); });
    flow_->ConnectWithLogin();
    EXPECT_FALSE(flow_->Database().Connected());
    EXPECT_TRUE(log_.empty());
}

TEST_F(ConnectFlowTest, CaptionAndApplicationTitleNameUserServerAndServerInfo) {
    flow_->ConnectSaved(Saved("vk_log"));
    const QString title = window_->windowTitle();
    const QString head = "Varnok 5.18b  [alice@simsrv]  (";
    ASSERT_TRUE(title.startsWith(head)) << title.toStdString();
    ASSERT_TRUE(title.endsWith(")")) << title.toStdString();
    const QString info = title.mid(head.size(), title.size() - head.size() - 1);
    EXPECT_FALSE(info.isEmpty());
    EXPECT_EQ(info, info.trimmed());
    EXPECT_EQ(QString::fromStdString(flow_->Database().GetServerInfo()).trimmed(), info);
    EXPECT_EQ(ApplicationTitle(), title);
    const std::string raw = flow_->Database().GetServerInfo();
    EXPECT_EQ(flow_->ServerGeneration(), raw.size() >= 22 ? raw[21] : '\0');
    // The caption goes back with the disconnect.
    flow_->Disconnect();
    EXPECT_EQ(window_->windowTitle(), "Varnok 5.18b");
    EXPECT_EQ(ApplicationTitle(), "Varnok 5.18b");
    EXPECT_TRUE(Logged("Disconnect from Database", "simsrv@vk_log"));
}

TEST_F(ConnectFlowTest, SavedConnectionWithoutAskPasswordConnectsWithoutLoginAndRunsItsScript) {
    bar_.cbServerName->setCurrentText("other");
    bool loginShown = false;
    WhenShown(login_, [&] {
        loginShown = true;
        login_->reject();
    });
    flow_->ConnectSaved(Saved("vk_log", "select * from t;\nselect 1 from t"));
    EXPECT_FALSE(loginShown);
    ASSERT_TRUE(flow_->Database().Connected());
    EXPECT_EQ(scripts_, (std::vector<std::string>{"select * from t;\nselect 1 from t"}));
    EXPECT_EQ(bar_.cbServerName->currentText(), "simsrv");
    EXPECT_EQ(bar_.cbDatabase->currentText(), "vk_log");
    EXPECT_TRUE(Logged("Connecting to Database", "vk_log@simsrv"));
    // The database really is open: its table answers.
    EXPECT_EQ(flow_->Database().ExecuteDirect("insert into t values (1)"), 1);
}

TEST_F(ConnectFlowTest, SavedConnectionWithAskPasswordAsksWithServerAtDatabase) {
    TConnectionsParam record = Saved("vk_log");
    record.AskPassword = true;
    record.User = "bob";
    QString shownUser;
    WhenShown(login_, [&] {
        shownUser = login_->cbUserName()->currentText();
        login_->btOk()->click();
    });
    flow_->ConnectSaved(record);
    EXPECT_EQ(login_->windowTitle(), "Connect To simsrv@vk_log");
    EXPECT_EQ(shownUser, "bob");
    EXPECT_TRUE(flow_->Database().Connected());
    EXPECT_EQ(scripts_.size(), 1u); // an empty script is handed over too
}

TEST_F(ConnectFlowTest, SavedConnectionToAMissingDatabaseLogsBlinksAndSkipsTheScript) {
    EXPECT_ANY_THROW(flow_->ConnectSaved(Saved("nosuch", "select 1")));
    EXPECT_TRUE(Logged("Error on connect to Database", "simsrv - nosuch"));
    ASSERT_EQ(blinks_.size(), 1u);
    EXPECT_TRUE(blinks_[0].endsWith(" Error on connect to Database simsrv - nosuch"))
        << blinks_[0].toStdString();
    EXPECT_GT(blinks_[0].size(), QString(" Error on connect to Database simsrv - nosuch").size());
    EXPECT_TRUE(scripts_.empty());
    // The server connection stays: the box lists its databases, none selected.
    EXPECT_TRUE(flow_->Database().Connected());
    EXPECT_TRUE(DatabaseEntries().contains("vk_log"));
    EXPECT_TRUE(DatabaseEntries().contains("vk_two"));
    EXPECT_EQ(bar_.cbDatabase->currentIndex(), -1);
}

TEST_F(ConnectFlowTest, SwitchingWithAnOpenTransactionAndCancelChangesNothing) {
    flow_->ConnectSaved(Saved("vk_log"));
    flow_->BeginTransaction();
    ASSERT_TRUE(flow_->Database().InTransaction());
    ASSERT_EQ(flow_->Database().ExecuteDirect("insert into t values (7)"), 1);
    const std::size_t logged = log_.size();
    answer_ = TTransactionAnswer::Cancel;
    EXPECT_THROW(flow_->SwitchDatabase("vk_two"), EAbort);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0].caption, "Transaction");
    EXPECT_EQ(questions_[0].text, "Commit Transaction?");
    EXPECT_TRUE(flow_->Database().InTransaction());
    EXPECT_EQ(log_.size(), logged);
    EXPECT_EQ(flow_->LastDatabases().Get("simsrv"), "");
    // Chosen in the box by the user: the box goes back to the open database.
    const int two = bar_.cbDatabase->findText("vk_two");
    ASSERT_GE(two, 0);
    bar_.cbDatabase->setCurrentIndex(two);
    emit bar_.cbDatabase->activated(two);
    EXPECT_EQ(questions_.size(), 2u);
    EXPECT_EQ(bar_.cbDatabase->currentText(), "vk_log");
    EXPECT_TRUE(sink_.boxes.empty()); // a silent cancellation
    EXPECT_EQ(log_.size(), logged);
    // Still vk_log (vk_two has no table t), the inserted row still pending.
    EXPECT_EQ(flow_->Database().ExecuteDirect("delete from t"), 1);
}

TEST_F(ConnectFlowTest, SwitchingWithAnOpenTransactionCommitsOrRollsBackAsAnswered) {
    const struct {
        TTransactionAnswer answer;
        const char* entry;
        int rowsKept;
    } cases[] = {{TTransactionAnswer::Yes, "Commit Transaction", 1},
                 {TTransactionAnswer::No, "Rollback Transaction", 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        flow_->ConnectSaved(Saved("vk_log"));
        flow_->Database().ExecuteDirect("delete from t");
        flow_->BeginTransaction();
        ASSERT_EQ(flow_->Database().ExecuteDirect("insert into t values (7)"), 1);
        answer_ = c.answer;
        log_.clear();
        flow_->SwitchDatabase("vk_two");
        EXPECT_EQ(log_, (std::vector<TLogLine>{{c.entry, ""}, {"Connecting to Database", "vk_two@simsrv"}}));
        EXPECT_EQ(flow_->LastDatabases().Get("simsrv"), "vk_two");
        EXPECT_ANY_THROW(flow_->Database().ExecuteDirect("delete from t")); // vk_two has no table t
        flow_->SwitchDatabase("vk_log");
        EXPECT_EQ(flow_->Database().ExecuteDirect("delete from t"), c.rowsKept);
    }
}

TEST_F(ConnectFlowTest, SwitchToAMissingDatabaseIsLoggedBlinksAndStillRecorded) {
    flow_->ConnectSaved(Saved("vk_log"));
    log_.clear();
    EXPECT_NO_THROW(flow_->SwitchDatabase("nosuch"));
    EXPECT_EQ(log_, (std::vector<TLogLine>{{"Error on connect to Database", "nosuch"},
                                           {"Connecting to Database", "nosuch@simsrv"}}));
    ASSERT_EQ(blinks_.size(), 1u);
    EXPECT_TRUE(blinks_[0].endsWith(" Error on connect to Database nosuch"));
    EXPECT_EQ(flow_->LastDatabases().Get("simsrv"), "nosuch");
    EXPECT_GE(statusClears_, 1); // the schema state was cleared before the open
}

TEST_F(ConnectFlowTest, ClosingWithAnOpenTransactionAsksAndCancelKeepsTheConnection) {
    flow_->ConnectSaved(Saved("vk_log"));
    flow_->BeginTransaction();
    answer_ = TTransactionAnswer::Cancel;
    EXPECT_FALSE(flow_->CloseForExit());
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0].text, "Commit Transaction?");
    EXPECT_TRUE(flow_->Database().Connected());
    EXPECT_TRUE(flow_->Database().InTransaction());
    answer_ = TTransactionAnswer::No;
    EXPECT_TRUE(flow_->CloseForExit());
    EXPECT_FALSE(flow_->Database().Connected());
    EXPECT_TRUE(Logged("Rollback Transaction", ""));
    EXPECT_TRUE(Logged("Disconnect from Database", "simsrv@vk_log"));
}

TEST_F(ConnectFlowTest, ReconnectWithAnOpenTransactionAndCancelKeepsTheOldConnection) {
    flow_->ConnectSaved(Saved("vk_log", "first"));
    flow_->BeginTransaction();
    answer_ = TTransactionAnswer::Cancel;
    EXPECT_THROW(flow_->ConnectSaved(Saved("vk_two", "second")), EAbort);
    EXPECT_TRUE(flow_->Database().InTransaction());
    EXPECT_EQ(scripts_, (std::vector<std::string>{"first"}));
}

TEST_F(ConnectFlowTest, QuickConnectMenuListsTheRegistryInOrderAndConnectsWithTheChosenRecord) {
    TConnectionRegistry registry;
    for (const char* database : {"vk_two", "vk_log", "nosuch"})
        registry.AddConnection(Saved(database, std::string("script of ") + database));
    QMenu menu;
    RebuildQuickConnectMenu(menu, registry, {}, [&](std::size_t index) {
        try {
            flow_->ConnectSaved(registry.ConnectionAt(index));
        } catch (...) {
            ShowCurrentException();
        }
    });
    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "saved vk_two");
    EXPECT_EQ(items[1]->text(), "saved vk_log");
    EXPECT_EQ(items[2]->text(), "saved nosuch");
    items[1]->trigger();
    EXPECT_EQ(scripts_, (std::vector<std::string>{"script of vk_log"}));
    EXPECT_EQ(bar_.cbDatabase->currentText(), "vk_log");
    items[2]->trigger(); // the error ends in the standard error box, the script is skipped
    EXPECT_EQ(scripts_.size(), 1u);
    ASSERT_FALSE(sink_.boxes.empty());
    EXPECT_EQ(sink_.boxes.back().kind, "error");
}

TEST_F(ConnectFlowTest, ConnectionBarControlsFollowConnectionTransactionAndExecuting) {
    const auto states = [this] {
        return std::vector<bool>{bar_.tbConnect->isEnabled(),    bar_.tbQuickConnect->isEnabled(),
                                 bar_.cbDatabase->isEnabled(),   bar_.cbRole->isEnabled(),
                                 bar_.tbDisconnect->isEnabled(), bar_.tbBeginTrans->isEnabled(),
                                 bar_.tbCommit->isEnabled(),     bar_.tbRollback->isEnabled()};
    };
    flow_->UpdateConnectionBar();
    EXPECT_EQ(states(), (std::vector<bool>{true, true, false, false, false, false, false, false}));
    flow_->ConnectSaved(Saved("vk_log"));
    flow_->UpdateConnectionBar();
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, true, true, false, false}));
    bar_.tbBeginTrans->click(); // the button runs BeginTransaction and updates the bar
    EXPECT_TRUE(Logged("Start Transaction", ""));
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, true, false, true, true}));
    executing_ = true;
    flow_->UpdateConnectionBar();
    EXPECT_EQ(states(), (std::vector<bool>{false, false, false, false, false, false, false, false}));
    executing_ = false;
    flow_->UpdateConnectionBar();
    bar_.tbCommit->click();
    EXPECT_TRUE(Logged("Commit Transaction", ""));
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, true, true, false, false}));
}

TEST_F(ConnectFlowTest, CommitWithoutATransactionShowsTheTransactionBox) {
    flow_->ConnectSaved(Saved("vk_log"));
    log_.clear();
    flow_->CommitTransaction();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "error");
    EXPECT_EQ(sink_.boxes[0].caption, "Transaction");
    EXPECT_TRUE(sink_.boxes[0].text.startsWith("Error on Commit: ")) << sink_.boxes[0].text.toStdString();
    EXPECT_TRUE(log_.empty());
}

TEST_F(ConnectFlowTest, ChoosingARoleSendsSetRoleWithItsName) {
    connection_test::RecordingMonitor monitor;
    flow_->Database().SetMonitor(&monitor);
    flow_->ConnectSaved(Saved("vk_log"));
    // The server lets a user set only a role granted to them.
    for (const char* sql : {"create role vk_reader", "grant vk_reader to alice"})
        flow_->Database().ExecuteDirect(sql);
    bar_.cbRole->addItems({"vk_writer", "vk_reader"});
    emit bar_.cbRole->activated(1); // the user's choice
    EXPECT_TRUE(sink_.boxes.empty());
    EXPECT_TRUE(monitor.SawContaining("set role vk_reader"));
    EXPECT_FALSE(monitor.SawContaining("set role vk_writer"));
    flow_->Database().SetMonitor(nullptr);
}

TEST_F(ConnectFlowTest, RoleListHoldsTheRolesGrantedToTheUserInServerOrder) {
    flow_->ConnectSaved(Saved("vk_log"));
    for (const char* sql : {"create role vk_writer", "create role vk_other", "create role vk_reader",
                            "grant vk_writer to alice", "grant vk_other to bob", "grant vk_reader to alice"})
        flow_->Database().ExecuteDirect(sql);
    bar_.cbRole->addItem("stale");
    flow_->FillRoleList();
    QStringList roles;
    for (int i = 0; i < bar_.cbRole->count(); ++i)
        roles << bar_.cbRole->itemText(i);
    EXPECT_EQ(roles, (QStringList{"vk_writer", "vk_reader"}));
}

} // namespace
} // namespace varnok::testing
