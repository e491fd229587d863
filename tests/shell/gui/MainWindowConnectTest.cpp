// The connection bar of the real main window against the stand-in server:
// Connect without a database, saved connections from the quick-connect menu
// (their after-connect script run through the script executor), a missing
// database, the caption, and the open-transaction question when switching
// database and when closing the window.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QToolButton>

#include "connections/ui/TfmAdvConnect.h"
#include "editor/ui/FmEditor.h"
#include "editor/ui/PageLogList.h"
#include "connections/ui/TfmConnect.h"
#include "shell/gui/ExecutionTestFixture.h"
#include "shell/ui/ConnectionBar.h"

namespace varnok::testing {
namespace {

// A second database with a table the saved connection's script writes to.
class MainWindowConnectTest : public ExecutionTest {
protected:
    static void SetUpTestSuite() {
        ExecutionTest::SetUpTestSuite();
        const TIfxLibrary& lib = Ifx();
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "vkconnectfixture", nullptr, 1);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
        for (const char* sql : {"create database vk_other with log", "create table marks (who char(20))"})
            ASSERT_EQ(lib.sqli_exec_immed(sql), 0) << sql;
        lib.sqli_connect_close(3, nullptr, 0, 0);
    }

    TConnectFlow& Flow() const { return *window_->ConnectFlow(); }
    const TConnectionBar& Bar() const { return window_->ConnectionBar(); }

    // Acts on the next modal window once it shows (polled; the action must
    // close it). One that never shows fails the test.
    void OnNextModal(std::function<void(QWidget*)> action) {
        auto* timer = new QTimer(window_.get());
        timer->setInterval(5);
        auto clock = std::make_shared<QElapsedTimer>();
        clock->start();
        QObject::connect(timer, &QTimer::timeout, timer, [timer, clock, action = std::move(action)] {
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
                timer->stop();
                timer->deleteLater();
                action(modal);
            } else if (clock->elapsed() > 5000) {
                timer->stop();
                timer->deleteLater();
                ADD_FAILURE() << "no modal window showed";
            }
        });
        timer->start();
    }

    // Answers the "Commit Transaction?" box with `button`, recording its text.
    void AnswerTransactionBox(QMessageBox::StandardButton button) {
        OnNextModal([this, button](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            if (!box) {
                ADD_FAILURE() << "not a message box: " << modal->metaObject()->className();
                modal->close();
                return;
            }
            transactionBoxes_.push_back(box->windowTitle() + " | " + box->text());
            box->button(button)->click();
        });
    }

    static TConnectionsParam Saved(const std::string& name, const std::string& database,
                                   const std::string& script) {
        TConnectionsParam record;
        record.Name = name;
        record.Server = "simsrv";
        record.DataBase = database;
        record.User = "alice";
        record.AskPassword = false;
        record.Script = script;
        return record;
    }

    std::vector<std::string> LogLinesFrom(int first) const {
        std::vector<std::string> lines;
        for (int row = first; row < Log().EntryCount(); ++row)
            lines.push_back((Log().CellText(row, TLogModel::ColMessage) + " | " +
                             Log().CellText(row, TLogModel::ColAdditional))
                                .toStdString());
        return lines;
    }

    QStringList DatabaseEntries() const {
        QStringList entries;
        for (int i = 0; i < Bar().cbDatabase->count(); ++i)
            entries << Bar().cbDatabase->itemText(i);
        return entries;
    }

    std::vector<QString> transactionBoxes_;
};

TEST_F(MainWindowConnectTest, ConnectWithoutDatabaseDropsTheBoxWithTheLastDatabasePreselected) {
    Flow().Disconnect();
    ASSERT_EQ(Bar().cbServerName->currentText(), "simsrv");
    Flow().LastDatabases().Set("simsrv", "vk_other");
    TfmConnect* login = window_->fmConnect();
    QString loginCaption;
    OnNextModal([&](QWidget* modal) {
        EXPECT_EQ(modal, login);
        loginCaption = login->windowTitle();
        login->cbUserName()->setEditText("alice");
        login->edPassword()->setText(QString());
        login->btOk()->click();
    });
    const int before = Log().EntryCount();
    Bar().tbConnect->click();
    ASSERT_TRUE(Flow().Database().Connected());
    EXPECT_EQ(loginCaption, "Connect To simsrv");
    EXPECT_TRUE(DatabaseEntries().contains("vk_run"));
    EXPECT_TRUE(DatabaseEntries().contains("vk_other"));
    EXPECT_EQ(Bar().cbDatabase->currentText(), "vk_other");
    EXPECT_TRUE(Bar().cbDatabase->isEnabled());
    EXPECT_TRUE(Bar().cbDatabase->view()->isVisible()); // dropped down for the user's pick
    Bar().cbDatabase->hidePopup();
    for (const std::string& line : LogLinesFrom(before))
        EXPECT_EQ(line.rfind("Connecting to Database", 0), std::string::npos) << line; // none opened
    EXPECT_TRUE(sink_.boxes.empty());
}

TEST_F(MainWindowConnectTest, QuickConnectListsTheRegistryAndASavedConnectionRunsItsScript) {
    TConnectionRegistry& registry = window_->fmAdvConnect()->Registry();
    const std::string script = "insert into marks values ('by script');\r\nselect * from marks";
    registry.AddConnection(Saved("other db", "vk_other", script));
    registry.AddConnection(Saved("run db", "vk_run", ""));
    registry.AddConnection(Saved("missing db", "nosuch", "insert into marks values ('never')"));
    QMenu* menu = window_->pmQuickConnect();
    emit menu->aboutToShow();
    QStringList names;
    for (QAction* item : menu->actions())
        names << item->text();
    EXPECT_EQ(names, (QStringList{"other db", "run db", "missing db"}));

    bool loginShown = false;
    QTimer loginWatch;
    QObject::connect(&loginWatch, &QTimer::timeout, [&] {
        if (window_->fmConnect()->isVisible()) {
            loginShown = true;
            window_->fmConnect()->reject();
        }
    });
    loginWatch.start(5);
    const int before = Log().EntryCount();
    menu->actions()[0]->trigger();
    WaitForRunEnd();
    EXPECT_FALSE(loginShown);
    EXPECT_TRUE(sink_.boxes.empty());
    const auto lines = LogLinesFrom(before);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Connecting to Database | vk_other@simsrv"), lines.end());
    EXPECT_EQ(lines[lines.size() - 2], "1 row(s) inserted. | insert into marks values ('by script');");
    EXPECT_EQ(lines.back(), "1 row(s) retrieved. | \r\nselect * from marks");
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
    EXPECT_EQ(Page()->PageLog()->count(), 0); // a run without page
    EXPECT_EQ(Bar().cbDatabase->currentText(), "vk_other");
    // The script's row is in the database, committed by the run.
    EXPECT_EQ(Flow().Database().ExecuteDirect("delete from marks"), 1);

    // The caption names user, server and the server's own description.
    const QString title = window_->windowTitle();
    const QString head = "Varnok 5.18b  [alice@simsrv]  (";
    ASSERT_TRUE(title.startsWith(head)) << title.toStdString();
    ASSERT_TRUE(title.endsWith(')')) << title.toStdString();
    const QString info = title.mid(head.size(), title.size() - head.size() - 1);
    EXPECT_FALSE(info.isEmpty());
    EXPECT_EQ(info, QString::fromStdString(Flow().Database().GetServerInfo()).trimmed());
}

TEST_F(MainWindowConnectTest, ASavedConnectionToAMissingDatabaseLogsBlinksAndSkipsTheScript) {
    // The box shows the database of the connection open so far.
    Flow().FillDatabaseList();
    Bar().cbDatabase->setCurrentIndex(Bar().cbDatabase->findText("vk_run"));
    ASSERT_EQ(Bar().cbDatabase->currentText(), "vk_run");
    TConnectionRegistry& registry = window_->fmAdvConnect()->Registry();
    registry.AddConnection(Saved("missing db", "nosuch", "insert into marks values ('never')"));
    QMenu* menu = window_->pmQuickConnect();
    emit menu->aboutToShow();
    ASSERT_EQ(menu->actions().size(), 1);
    const int before = Log().EntryCount();
    menu->actions()[0]->trigger();
    WaitUntil([] { return false; }, 100); // a script would have started by now
    EXPECT_FALSE(window_->Executing());
    const auto lines = LogLinesFrom(before);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Error on connect to Database | simsrv - nosuch"),
              lines.end());
    for (const std::string& line : lines)
        EXPECT_EQ(line.find("marks"), std::string::npos) << line; // the script never ran
    EXPECT_TRUE(window_->Status().IsBlinking());
    EXPECT_TRUE(Message().endsWith(" Error on connect to Database simsrv - nosuch"))
        << Message().toStdString();
    ASSERT_FALSE(sink_.boxes.empty());
    EXPECT_EQ(sink_.boxes.back().kind, "error"); // the error ends in the standard error box

    // The server connection stays, without a database: the bar and the
    // caption say so, and the box offers the server's databases, none chosen.
    ASSERT_TRUE(Flow().Database().Connected());
    EXPECT_TRUE(window_->windowTitle().startsWith("Varnok 5.18b  [alice@simsrv]  (")) << window_->windowTitle().toStdString();
    EXPECT_TRUE(Bar().tbDisconnect->isEnabled());
    EXPECT_TRUE(Bar().cbDatabase->isEnabled());
    EXPECT_EQ(Bar().cbDatabase->currentIndex(), -1);
    EXPECT_EQ(Bar().cbDatabase->currentText(), "");
    EXPECT_TRUE(DatabaseEntries().contains("vk_other"));
    EXPECT_FALSE(DatabaseEntries().contains("nosuch"));

    // Picking a database there opens it, and statements run against it.
    const int switchedAt = Log().EntryCount();
    const int other = Bar().cbDatabase->findText("vk_other");
    Bar().cbDatabase->setCurrentIndex(other); // as the user's pick does, then activated
    emit Bar().cbDatabase->activated(other);
    const auto switched = LogLinesFrom(switchedAt);
    EXPECT_NE(std::find(switched.begin(), switched.end(), "Connecting to Database | vk_other@simsrv"),
              switched.end());
    EXPECT_EQ(Bar().cbDatabase->currentText(), "vk_other");
    RunText("select count(*) from marks");
    EXPECT_EQ(Message(), "1 row(s) retrieved.");
}

TEST_F(MainWindowConnectTest, SwitchingDatabaseWithAnOpenTransactionAndCancelChangesNothing) {
    Flow().FillDatabaseList();
    const int run = Bar().cbDatabase->findText("vk_run");
    ASSERT_GE(run, 0);
    Bar().cbDatabase->setCurrentIndex(run);
    Flow().UpdateConnectionBar();
    ASSERT_TRUE(Bar().tbBeginTrans->isEnabled());
    Bar().tbBeginTrans->click();
    ASSERT_TRUE(Flow().Database().InTransaction());
    ASSERT_EQ(Flow().Database().ExecuteDirect("insert into small values (40, 'pending')"), 1);
    const int before = Log().EntryCount();

    AnswerTransactionBox(QMessageBox::Cancel);
    const int other = Bar().cbDatabase->findText("vk_other");
    ASSERT_GE(other, 0);
    Bar().cbDatabase->setCurrentIndex(other);
    emit Bar().cbDatabase->activated(other);
    EXPECT_EQ(transactionBoxes_, (std::vector<QString>{"Transaction | Commit Transaction?"}));
    EXPECT_EQ(Bar().cbDatabase->currentText(), "vk_run");
    EXPECT_TRUE(Flow().Database().InTransaction());
    EXPECT_EQ(Log().EntryCount(), before);
    EXPECT_TRUE(sink_.boxes.empty()); // cancelled silently
    EXPECT_EQ(Flow().LastDatabases().Get("simsrv"), "");
    // Still vk_run, the row still pending in the open transaction.
    EXPECT_EQ(Flow().Database().ExecuteDirect("delete from small where id = 40"), 1);
    Flow().RollbackTransaction();
}

TEST_F(MainWindowConnectTest, ClosingWithAnOpenTransactionAsksToCommitAndCancelKeepsTheWindow) {
    Flow().FillDatabaseList();
    Bar().cbDatabase->setCurrentIndex(Bar().cbDatabase->findText("vk_run"));
    Flow().BeginTransaction();
    ASSERT_EQ(Flow().Database().ExecuteDirect("insert into small values (41, 'pending')"), 1);
    AnswerTransactionBox(QMessageBox::Cancel);
    EXPECT_FALSE(window_->close());
    EXPECT_EQ(transactionBoxes_, (std::vector<QString>{"Transaction | Commit Transaction?"}));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(Flow().Database().Connected());
    EXPECT_TRUE(Flow().Database().InTransaction());

    // "No" rolls the transaction back and the window closes.
    AnswerTransactionBox(QMessageBox::No);
    const int before = Log().EntryCount();
    EXPECT_TRUE(window_->close());
    EXPECT_EQ(transactionBoxes_.size(), 2u);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_FALSE(Flow().Database().Connected());
    const auto lines = LogLinesFrom(before);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Rollback Transaction | "), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Disconnect from Database | simsrv@vk_run"), lines.end());

    watchdog_.reset();
    window_.reset();
    StartWindow();
    RunText("select * from small where id = 41");
    EXPECT_EQ(Message(), "0 row(s) retrieved."); // the row went with the rollback
}

} // namespace
} // namespace varnok::testing
