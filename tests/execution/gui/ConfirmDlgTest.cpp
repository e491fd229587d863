// "Confirm Execute" driven offscreen: its texts, the three answers, Escape
// and the close box.
#include <gtest/gtest.h>

#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "execution/ui/TfmConfirmDlg.h"

namespace varnok {
namespace {

// Runs action once the dialog's modal loop shows it.
void WhenShown(QDialog& dialog, std::function<void()> action) {
    auto* timer = new QTimer(&dialog);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, &dialog, [&dialog, timer, action = std::move(action)] {
        if (!dialog.isVisible()) return;
        timer->stop();
        timer->deleteLater();
        action();
    });
    timer->start();
}

class ConfirmDlgTest : public ::testing::Test {
protected:
    TfmConfirmDlg dialog;
};

TEST_F(ConfirmDlgTest, WindowAndButtons) {
    EXPECT_EQ(dialog.windowTitle(), "Confirm Execute");
    EXPECT_EQ(dialog.btRun()->text(), "Run this SQL");
    EXPECT_EQ(dialog.btSkip()->text(), "Skip this SQL");
    EXPECT_EQ(dialog.Button4()->text(), "Abort Script");
    EXPECT_TRUE(dialog.btRun()->isDefault());
    EXPECT_FALSE(dialog.Image1()->pixmap().isNull());
    EXPECT_TRUE(dialog.mmSQLText()->isReadOnly());
    EXPECT_EQ(dialog.mmSQLText()->wrapMode(), QsciScintilla::WrapWord);
    EXPECT_EQ(dialog.mmSQLText()->marginWidth(0), 0);
    EXPECT_NE(dialog.mmSQLText()->lexer(), nullptr);
}

TEST_F(ConfirmDlgTest, MessageListsTheWarningsAndReplacesThePreviousOne) {
    dialog.SetSQLText("update t set a = 1");
    dialog.PrepareWarnings(rwCost | rwRows | rwWholeTable, 12000, 150000);
    EXPECT_EQ(dialog.lbMessage()->text(),
              "Estimated cost for the query is too high - 12000.\r\n"
              "Too many rows will be returned - 150000.\r\n"
              "No WHERE clause on Delete or Update, every row in table will be affected.");
    EXPECT_EQ(dialog.mmSQLText()->text(), "update t set a = 1");
    dialog.PrepareWarnings(rwWholeTable, 0, 0);
    EXPECT_EQ(dialog.lbMessage()->text(),
              "No WHERE clause on Delete or Update, every row in table will be affected.");
}

TEST_F(ConfirmDlgTest, EachWayOfClosingGivesItsAnswer) {
    const struct {
        const char* what;
        std::function<void(TfmConfirmDlg&)> close;
        TConfirmAnswer expected;
    } cases[] = {
        {"Run this SQL", [](TfmConfirmDlg& d) { d.btRun()->click(); }, TConfirmAnswer::Run},
        {"Skip this SQL", [](TfmConfirmDlg& d) { d.btSkip()->click(); }, TConfirmAnswer::Skip},
        {"Abort Script", [](TfmConfirmDlg& d) { d.Button4()->click(); }, TConfirmAnswer::Abort},
        {"Escape",
         [](TfmConfirmDlg& d) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(d.btRun(), &key);
         },
         TConfirmAnswer::Skip},
        {"Enter on the focused default button",
         [](TfmConfirmDlg& d) {
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
             QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : d.btRun(), &key);
         },
         TConfirmAnswer::Run},
        {"Escape while the statement text has the focus",
         [](TfmConfirmDlg& d) {
             d.activateWindow();
             d.mmSQLText()->setFocus();
             for (int wait = 0; wait < 100 && QApplication::focusWidget() != d.mmSQLText(); ++wait)
                 QApplication::processEvents(QEventLoop::AllEvents, 10);
             EXPECT_EQ(QApplication::focusWidget(), d.mmSQLText());
             QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
             QApplication::sendEvent(QApplication::focusWidget(), &key);
             if (d.isVisible()) d.Button4()->click();
         },
         TConfirmAnswer::Skip},
        {"close box", [](TfmConfirmDlg& d) { d.close(); }, TConfirmAnswer::Closed},
    };
    for (const auto& c : cases) {
        WhenShown(dialog, [&] { c.close(dialog); });
        EXPECT_EQ(dialog.ShowWarnings(rwCost, 10000, 1), c.expected) << c.what;
        EXPECT_FALSE(dialog.isVisible()) << c.what;
    }
}

}  // namespace
}  // namespace varnok
