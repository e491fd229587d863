// The login window ("Connect To DB") and the about window.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>

#include "connections/ui/TfmAbout.h"
#include "connections/ui/TfmConnect.h"
#include "shell/IniFile.h"
#include "tests/connections/gui/GuiTestSupport.h"

namespace varnok {
namespace {

using testing::TRecordingSink;
using testing::WhenShown;

QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
    return items;
}

TIniFile IniFromText(const std::string& text) {
    TIniFile ini;
    ini.LoadFromText(text);
    return ini;
}

class LoginWindow : public ::testing::Test {
protected:
    LoginWindow() : scoped_(sink_) {
        login_.LoadHistory(IniFromText("[uLogins]\nz=informix\na=scott\nq=guest\n"));
    }
    TRecordingSink sink_;
    TScopedMessageSink scoped_;
    TfmConnect login_;
};

TEST_F(LoginWindow, HistoryComesInFileOrderWithTheFirstShown) {
    EXPECT_EQ(Items(login_.cbUserName()), (QStringList{"informix", "scott", "guest"}));
    EXPECT_EQ(login_.cbUserName()->currentText(), "informix");
    EXPECT_EQ(login_.cbUserName()->maxVisibleItems(), 10);
    EXPECT_EQ(login_.windowTitle(), "Connect To DB");
}

TEST_F(LoginWindow, FocusGoesToThePasswordAndCaptionNamesTheTarget) {
    login_.SetLogin("scott", "tiger");
    WhenShown(&login_, [this] {
        EXPECT_EQ(login_.focusWidget(), login_.edPassword());
        EXPECT_EQ(login_.windowTitle(), "Connect To ol_demo@stores");
        EXPECT_EQ(login_.cbUserName()->currentText(), "scott");
        EXPECT_EQ(login_.edPassword()->text(), "tiger");
        EXPECT_EQ(login_.edPassword()->echoMode(), QLineEdit::Password);
        login_.btOk()->click();
    });
    ASSERT_TRUE(login_.AskLogin("ol_demo@stores", /*prefill=*/true));
    EXPECT_EQ(login_.UserName(), "scott");
    EXPECT_EQ(login_.Password(), "tiger");
}

TEST_F(LoginWindow, ConfirmedUserMovesToTheTopOnce) {
    WhenShown(&login_, [this] {
        login_.cbUserName()->setEditText("guest");  // typed for the second time
        login_.edPassword()->setText("pw");
        login_.btOk()->click();
    });
    ASSERT_TRUE(login_.AskLogin("ol_demo", false));
    EXPECT_EQ(Items(login_.cbUserName()), (QStringList{"guest", "informix", "scott"}));
    EXPECT_EQ(login_.UserName(), "guest");
    EXPECT_EQ(login_.Password(), "pw");

    WhenShown(&login_, [this] {
        login_.cbUserName()->setEditText("newbie");
        login_.btOk()->click();
    });
    ASSERT_TRUE(login_.AskLogin("ol_demo", false));
    EXPECT_EQ(Items(login_.cbUserName()), (QStringList{"newbie", "guest", "informix", "scott"}));

    TIniFile out;
    login_.SaveHistory(out);
    EXPECT_EQ(out.ReadSectionKeys("uLogins"), (std::vector<std::string>{"0", "1", "2", "3"}));
    EXPECT_EQ(out.ReadString("uLogins", "0", ""), "newbie");
}

TEST_F(LoginWindow, HistoryIsCutToTheDropDownLines) {
    login_.SetDropDownLines([] { return 2; });
    WhenShown(&login_, [this] {
        login_.cbUserName()->setEditText("dba");
        login_.btOk()->click();
    });
    ASSERT_TRUE(login_.AskLogin("x", false));
    EXPECT_EQ(Items(login_.cbUserName()), (QStringList{"dba", "informix"}));
    EXPECT_EQ(login_.UserName(), "dba");
}

TEST_F(LoginWindow, NoHistoryKeptStillLogsInAsTheTypedUser) {
    login_.SetDropDownLines([] { return 0; });
    WhenShown(&login_, [this] {
        login_.cbUserName()->setEditText("dba");
        login_.btOk()->click();
    });
    ASSERT_TRUE(login_.AskLogin("x", false));
    EXPECT_EQ(login_.cbUserName()->count(), 0);
    EXPECT_EQ(login_.UserName(), "dba");
}

TEST_F(LoginWindow, CancelKeepsTheHeldLoginAndHistory) {
    login_.SetLogin("scott", "tiger");
    WhenShown(&login_, [this] {
        login_.cbUserName()->setEditText("intruder");
        login_.edPassword()->setText("x");
        login_.btCancel()->click();
    });
    EXPECT_FALSE(login_.AskLogin("ol_demo", true));
    EXPECT_EQ(login_.UserName(), "scott");
    EXPECT_EQ(login_.Password(), "tiger");
    EXPECT_EQ(Items(login_.cbUserName()), (QStringList{"informix", "scott", "guest"}));

    // Without prefill the boxes show what they showed when last closed.
    WhenShown(&login_, [this] {
        EXPECT_EQ(login_.cbUserName()->currentText(), "intruder");
        login_.btCancel()->click();
    });
    EXPECT_FALSE(login_.AskLogin("ol_demo", false));
}

TEST(AboutWindow, LabelsAndLink) {
    TfmAbout about;
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.lbVersion()->text(), "Version 5.18beta");
    EXPECT_TRUE(about.lbLayer()->text().contains("2.6.3.62")) << about.lbLayer()->text().toStdString();
    about.SetLayerVersion("9.9.9");
    EXPECT_TRUE(about.lbLayer()->text().endsWith("9.9.9"));
    EXPECT_EQ(about.lbLink()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.lbLink()->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_TRUE(about.btOk()->isDefault());

    QList<QUrl> opened;
    about.SetLinkOpener([&](const QUrl& url) { opened << url; });
    const QPointF inside(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, inside, about.lbLink()->mapToGlobal(inside), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, about.lbLink()->mapToGlobal(inside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(about.lbLink(), &press);
    QApplication::sendEvent(about.lbLink(), &release);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(), about.lbLink()->text());
}

TEST(AboutWindow, OkAndEscapeClose) {
    TfmAbout about;
    WhenShown(&about, [&] { about.btOk()->click(); });
    about.ShowAbout();
    EXPECT_FALSE(about.isVisible());
    WhenShown(&about, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&about, &escape);
    });
    about.ShowAbout();
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace varnok
