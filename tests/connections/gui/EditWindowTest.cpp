// The "Edit Connection" window: fields, picture chooser, "Ok" and "Test".
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <stdexcept>

#include "connections/PasswordCoder.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "shell/IniFile.h"
#include "shell/kit/ApplicationTitle.h"
#include "tests/connections/gui/GuiTestSupport.h"

namespace varnok {
namespace {

using testing::TRecordingSink;
using testing::WhenShown;

class EditWindow : public ::testing::Test {
protected:
    EditWindow() : scoped_(sink_), manager_(conParams_) {
        record_.Name = "prod";
        record_.Server = "ol_demo";
        record_.DataBase = "stores";
        record_.User = "informix";
        record_.Password = "in4mix";
        record_.AskPassword = false;
        record_.Script = "set isolation to dirty read;\r\nset lock mode to wait;\r\n";
        record_.Ico = 2;
    }

    TRecordingSink sink_;
    TScopedMessageSink scoped_;
    TfmConParams conParams_;
    TfmAdvConnect manager_;  // hands its pictures to the edit window
    TConnectionsParam record_;
};

TEST_F(EditWindow, ShowsTheRecordOnTheParamsTabWithFocusInName) {
    TConnectionsParam copy = record_;
    WhenShown(&conParams_, [this] {
        EXPECT_EQ(conParams_.windowTitle(), "Edit Connection");
        EXPECT_EQ(conParams_.pcParams()->currentIndex(), 0);
        EXPECT_EQ(conParams_.pcParams()->tabText(0), "Params");
        EXPECT_EQ(conParams_.pcParams()->tabText(1), "After Connect Script");
        EXPECT_EQ(conParams_.focusWidget(), conParams_.edName());
        EXPECT_EQ(conParams_.edName()->text(), "prod");
        EXPECT_EQ(conParams_.cbServerName()->currentText(), "ol_demo");
        EXPECT_EQ(conParams_.cbDataBase()->currentText(), "stores");
        EXPECT_EQ(conParams_.cbUser()->currentText(), "informix");
        EXPECT_EQ(conParams_.edPassword()->text(), "in4mix");
        EXPECT_EQ(conParams_.edPassword()->echoMode(), QLineEdit::Password);
        EXPECT_FALSE(conParams_.chAskPassword()->isChecked());
        EXPECT_EQ(conParams_.meScript()->toPlainText(), "set isolation to dirty read;\nset lock mode to wait;\n");
        EXPECT_EQ(conParams_.cbPicture()->count(), static_cast<int>(manager_.Pictures().size()));
        EXPECT_EQ(conParams_.cbPicture()->currentIndex(), 2);
        EXPECT_EQ(conParams_.cbDataBase()->toolTip(), "You can leave it empty");
        conParams_.btOk()->click();
    });
    ASSERT_TRUE(conParams_.EditConnection(copy));
    EXPECT_EQ(copy, record_);  // confirmed unchanged: the same record, script line breaks included
}

TEST_F(EditWindow, OkWritesEveryFieldBack) {
    conParams_.SetServerNames({"ol_demo", "ol_test"});
    WhenShown(&conParams_, [this] {
        conParams_.edName()->setText("test");
        conParams_.cbServerName()->setCurrentIndex(1);
        conParams_.cbDataBase()->setEditText("");
        conParams_.cbUser()->setEditText("scott");
        conParams_.edPassword()->setText("tiger");
        conParams_.chAskPassword()->setChecked(true);
        conParams_.meScript()->setPlainText("select 1 from systables;");
        conParams_.cbPicture()->setCurrentIndex(5);
        conParams_.btOk()->click();
    });
    ASSERT_TRUE(conParams_.EditConnection(record_));
    EXPECT_EQ(record_.Name, "test");
    EXPECT_EQ(record_.Server, "ol_test");
    EXPECT_EQ(record_.DataBase, "");
    EXPECT_EQ(record_.User, "scott");
    EXPECT_EQ(record_.Password, "tiger");
    EXPECT_TRUE(record_.AskPassword);
    EXPECT_EQ(record_.Script, "select 1 from systables;");
    EXPECT_EQ(record_.Ico, 5);
}

TEST_F(EditWindow, PictureNumberPastTheListSelectsNoneAndIsWrittenBackAsMinusOne) {
    record_.Ico = 500;
    WhenShown(&conParams_, [this] {
        EXPECT_EQ(conParams_.cbPicture()->currentIndex(), -1);
        conParams_.btOk()->click();
    });
    ASSERT_TRUE(conParams_.EditConnection(record_));
    EXPECT_EQ(record_.Ico, -1);
}

TEST_F(EditWindow, OverlongPasswordIsRefusedAndTheWindowStaysOpen) {
    const TConnectionsParam before = record_;
    WhenShown(&conParams_, [this] {
        conParams_.edPassword()->setText(QString(static_cast<int>(kMaxPasswordBytes) + 1, u'p'));
        conParams_.btOk()->click();
        EXPECT_TRUE(conParams_.isVisible());
        ASSERT_EQ(sink_.boxes.size(), 1u);
        EXPECT_EQ(sink_.boxes[0].kind, "error");
        EXPECT_TRUE(sink_.boxes[0].text.contains("too long")) << sink_.boxes[0].text.toStdString();
        conParams_.btCancel()->click();
    });
    EXPECT_FALSE(conParams_.EditConnection(record_));
    EXPECT_EQ(record_, before);
}

TEST_F(EditWindow, TestSuccessSendsTheFourLinesAndSaysSo) {
    std::vector<std::string> sent;
    int opened = 0;
    conParams_.SetConnectionTester([&](const std::vector<std::string>& lines) {
        sent = lines;
        ++opened;
    });
    conParams_.ShowFormValues(FormValuesFromRecord(record_, 8));
    conParams_.cbDataBase()->setEditText("");
    conParams_.btTest()->click();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(sent, (std::vector<std::string>{"INFORMIXSERVER=ol_demo", "DATABASE=", "WIN32USER=informix",
                                              "WIN32PASS=in4mix"}));
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "information");
    EXPECT_EQ(sink_.boxes[0].caption, "Informix message");
    EXPECT_EQ(sink_.boxes[0].text, "Test connection was successful.");
}

TEST_F(EditWindow, TestFailureShowsTheErrorBoxOnly) {
    conParams_.SetConnectionTester([](const std::vector<std::string>&) {
        throw std::runtime_error("-25596 SQL error: The INFORMIXSERVER value is not listed in the sqlhosts file");
    });
    conParams_.btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "error");
    EXPECT_EQ(sink_.boxes[0].caption, ApplicationTitle());
    EXPECT_EQ(sink_.boxes[0].text,
              "-25596 SQL error: The INFORMIXSERVER value is not listed in the sqlhosts file.");
}

TEST_F(EditWindow, TestWithoutATesterSaysSoInsteadOfSucceeding) {
    conParams_.btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "error");
}

TEST_F(EditWindow, SizeIsWrittenToConnectParamForm) {
    conParams_.resize(420, 360);
    TIniFile ini;
    conParams_.SaveFormSize(ini);
    EXPECT_EQ(ini.ReadInteger("ConnectParamForm", "Width", 0), 420);
    EXPECT_EQ(ini.ReadInteger("ConnectParamForm", "Height", 0), 360);
    TfmConParams other;
    other.LoadFormSize(ini);
    EXPECT_EQ(other.size(), QSize(420, 360));
}

}  // namespace
}  // namespace varnok
