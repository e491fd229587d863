#pragma once
// The connect flow against a throw-away stand-in server: a temporary sqlhosts
// file and data directory made known to the client library, a logged
// database vk_log with a table t and a second logged database vk_two
// without it, made through the library's entry points; and a small window
// with the connection bar's controls, the login window and recorders for
// the log, the blinking status pane, the script hook and the questions.
#include <QComboBox>
#include <QHBoxLayout>
#include <QToolButton>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "connections/ui/ConnectFlow.h"
#include "connections/ui/TfmConnect.h"
#include "connections/gui/GuiTestSupport.h"
#include "dbaccess/ConnectionTestFixture.h" // BindStandIn
#include "dbaccess/IfxLibrary.h"

namespace varnok::testing {

struct TLogLine {
    QString message;
    QString additional;
    bool operator==(const TLogLine&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const TLogLine& line) {
    return os << line.message.toStdString() << " | " << line.additional.toStdString();
}

class ConnectFlowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { connection_test::BindStandIn(); }

    void SetUp() override {
        namespace fs = std::filesystem;
        root_ = fs::temp_directory_path() / ("varnok-connectflow-" + std::to_string(std::random_device()()));
        fs::create_directories(root_);
        std::ofstream(root_ / "sqlhosts")
            << "simsrv onsqlite localhost " << (root_ / "data").string() << "\n";
        Put("INFORMIXSQLHOSTS=" + (root_ / "sqlhosts").string());
        const TIfxLibrary& lib = Ifx();
        lib.sqli_connect_open(ESQLINTVERSION, 0, "@simsrv", "vkflowfixture", nullptr, 1);
        ASSERT_EQ(*lib.fnsqlcode(), 0);
        for (const char* sql : {"create database vk_log with log", "create table t (id integer)",
                                "create database vk_two with log"})
            ASSERT_EQ(lib.sqli_exec_immed(sql), 0) << sql;
        lib.sqli_connect_close(3, nullptr, 0, 0);
        ASSERT_EQ(*lib.fnsqlcode(), 0);

        window_ = std::make_unique<QWidget>();
        auto* row = new QHBoxLayout(window_.get());
        const auto button = [&](QToolButton*& b) {
            b = new QToolButton(window_.get());
            row->addWidget(b);
        };
        const auto box = [&](QComboBox*& b) {
            b = new QComboBox(window_.get());
            row->addWidget(b);
        };
        button(bar_.tbQuickConnect);
        box(bar_.cbServerName);
        button(bar_.tbConnect);
        button(bar_.tbDisconnect);
        box(bar_.cbDatabase);
        box(bar_.cbRole);
        button(bar_.tbBeginTrans);
        button(bar_.tbCommit);
        button(bar_.tbRollback);
        bar_.cbServerName->addItems({"other", "simsrv"});
        bar_.cbServerName->setCurrentText("simsrv");
        login_ = new TfmConnect(window_.get());

        TConnectFlowHost host;
        host.window = window_.get();
        host.bar = bar_;
        host.login = login_;
        host.log = [this](const QString& m, const QString& a) { log_.push_back({m, a}); };
        host.blinkMessage = [this](const QString& text) { blinks_.push_back(text); };
        host.clearStatus = [this] { ++statusClears_; };
        host.executing = [this] { return executing_; };
        host.askTransaction = [this](const QString& caption, const QString& text) {
            questions_.push_back({"question", caption, text});
            return answer_;
        };
        flow_ = std::make_unique<TConnectFlow>(host);
        flow_->SetRunAfterConnectScript([this](const std::string& text) { scripts_.push_back(text); });
    }

    void TearDown() override {
        flow_.reset(); // closes the connection without questions
        window_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    static void Put(const std::string& line) { ASSERT_EQ(Ifx().ifx_putenv(line.c_str()), 0); }

    static TConnectionsParam Saved(const std::string& database, const std::string& script = {}) {
        TConnectionsParam record;
        record.Name = "saved " + database;
        record.Server = "simsrv";
        record.DataBase = database;
        record.User = "alice";
        record.AskPassword = false;
        record.Script = script;
        return record;
    }

    bool Logged(const QString& message, const QString& additional) const {
        return std::find(log_.begin(), log_.end(), TLogLine{message, additional}) != log_.end();
    }

    QStringList DatabaseEntries() const {
        QStringList entries;
        for (int i = 0; i < bar_.cbDatabase->count(); ++i)
            entries << bar_.cbDatabase->itemText(i);
        return entries;
    }

    std::filesystem::path root_;
    std::unique_ptr<QWidget> window_;
    TConnectionBar bar_;
    TfmConnect* login_ = nullptr;
    std::unique_ptr<TConnectFlow> flow_;
    std::vector<TLogLine> log_;
    std::vector<QString> blinks_;
    int statusClears_ = 0;
    bool executing_ = false;
    std::vector<TRecordedBox> questions_;
    TTransactionAnswer answer_ = TTransactionAnswer::Cancel;
    std::vector<std::string> scripts_;
    TRecordingSink sink_;
    TScopedMessageSink scopedSink_{sink_};
};

} // namespace varnok::testing
