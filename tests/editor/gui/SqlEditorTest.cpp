#include "editor/SchemaDrag.h"
#include "editor/ui/SqlEditor.h"
#include "editor/ui/IfxSqlLexer.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QFontInfo>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QScrollBar>
#include <QWheelEvent>

#include <memory>
#include <vector>

using namespace varnok;

namespace {

// Stands in for the table and detail lists: drags its selected rows' captions
// the way those lists do.
class TStandInSchemaList : public QListWidget {
public:
    TStandInSchemaList() {
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setDragEnabled(true);
    }
    QStringList mimeTypes() const override { return {QString::fromLatin1(kSchemaNamesMimeType)}; }
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        QStringList captions;
        for (const QListWidgetItem* item : items)
            captions << item->text();
        return MakeSchemaNamesMimeData(captions);
    }
    std::unique_ptr<QMimeData> DragData() const {
        return std::unique_ptr<QMimeData>(mimeData(selectedItems()));
    }
};

// Sends enter, move and drop at pos; returns whether the drop was accepted.
bool DragAndDrop(TSqlEditor& editor, const QMimeData* data, QPoint pos = {1, 1}) {
    QWidget* target = editor.viewport();
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDragMoveEvent move(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(pos), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}

TEST(SqlEditorDrop, TwoTableNamesIntoAnEmptyEditor) {
    TSqlEditor editor;
    TStandInSchemaList list;
    list.addItems({"a", "b", "c"});
    list.item(0)->setSelected(true);
    list.item(1)->setSelected(true);
    const auto data = list.DragData();
    EXPECT_TRUE(DragAndDrop(editor, data.get()));
    EXPECT_EQ(editor.text(), " a, b");
    editor.undo();
    EXPECT_EQ(editor.text(), ""); // the drop was one step
}

TEST(SqlEditorDrop, NamesGoWhereTheMouseIs) {
    TSqlEditor editor;
    editor.resize(400, 200);
    editor.setText("select\r\nfrom t");
    editor.setCursorPosition(1, 6);
    TStandInSchemaList list;
    list.addItem("customer");
    list.item(0)->setSelected(true);
    const auto data = list.DragData();
    // Left edge of the first line: the caret moves there before the drop.
    const int lineHeight = editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0);
    const int textLeft = editor.SendScintilla(QsciScintillaBase::SCI_POINTXFROMPOSITION, 0, 0L);
    ASSERT_TRUE(DragAndDrop(editor, data.get(), QPoint(textLeft, lineHeight / 2)));
    EXPECT_EQ(editor.text(), " customerselect\r\nfrom t");
}

TEST(SqlEditorDrop, OtherSourcesAreRefused) {
    TSqlEditor editor;
    editor.setText("x");
    QMimeData text;
    text.setText("drop table t");
    EXPECT_FALSE(DragAndDrop(editor, &text));
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.sql")});
    EXPECT_FALSE(DragAndDrop(editor, &files));
    QMimeData broken;
    broken.setData(kSchemaNamesMimeType, "not a list");
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &broken, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(editor.viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(editor.text(), "x");
}

TEST(SqlEditorUndo, InsertedTextIsNotMergedWithTyping) {
    TSqlEditor editor;
    Key(&editor, Qt::Key_A, Qt::NoModifier, "a");
    Key(&editor, Qt::Key_B, Qt::NoModifier, "b");
    ASSERT_EQ(editor.text(), "ab");
    editor.ReplaceSelection(" t1");
    EXPECT_EQ(editor.text(), "ab t1");
    editor.undo();
    EXPECT_EQ(editor.text(), "ab");
}

class SqlEditorKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QHBoxLayout(&window);
        editor = new TSqlEditor;
        other = new QLineEdit;
        layout->addWidget(editor);
        layout->addWidget(other);
        window.show();
        QApplication::setActiveWindow(&window);
        editor->setFocus();
    }
    QWidget window;
    TSqlEditor* editor = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(SqlEditorKeysTest, TabInsertsATabWithTheSwitchOn) {
    editor->SetWantTab(true);
    Key(editor, Qt::Key_Tab);
    EXPECT_EQ(editor->text(), "\t");
}

TEST_F(SqlEditorKeysTest, TabMovesTheFocusWithTheSwitchOff) {
    editor->SetWantTab(false);
    Key(editor, Qt::Key_Tab);
    EXPECT_EQ(editor->text(), "");
    EXPECT_TRUE(other->hasFocus());
}

TEST(SqlEditorKeys, TabIsNeverTextWithTheSwitchOffEvenWithNowhereToGo) {
    TSqlEditor editor; // alone: focus cannot move anywhere
    editor.SetWantTab(false);
    Key(&editor, Qt::Key_Tab);
    EXPECT_EQ(editor.text(), "");
}

TEST_F(SqlEditorKeysTest, F1IsLeftToTheWindowAndCtrlF1AsksForHelp) {
    int help = 0;
    QObject::connect(editor, &TSqlEditor::ContextHelpRequested, editor, [&help] { ++help; });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(editor, &f1);
    EXPECT_FALSE(f1.isAccepted());
    EXPECT_EQ(help, 0);
    Key(editor, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(help, 1);
    EXPECT_EQ(editor->text(), "");
}

TEST_F(SqlEditorKeysTest, CtrlTabAsksForTheNextOrPreviousPage) {
    std::vector<bool> sw;
    QObject::connect(editor, &TSqlEditor::PageSwitchRequested, editor, [&sw](bool f) { sw.push_back(f); });
    Key(editor, Qt::Key_Tab, Qt::ControlModifier);
    Key(editor, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(sw, (std::vector<bool>{true, false}));
    EXPECT_EQ(editor->text(), "");
}

TEST_F(SqlEditorKeysTest, ReleasedKeysAreNoLongerTheEditors) {
    // Ctrl+L is a line command of the component and "Search Next" of the program.
    TSqlEditor control;
    QKeyEvent controlOver(QEvent::ShortcutOverride, Qt::Key_L, Qt::ControlModifier);
    controlOver.ignore();
    QApplication::sendEvent(&control, &controlOver);
    ASSERT_TRUE(controlOver.isAccepted()) << "the component no longer claims Ctrl+L";

    editor->setText("one\r\ntwo");
    editor->ReleaseKeys({QKeySequence(Qt::CTRL | Qt::Key_L)});
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_L, Qt::ControlModifier);
    over.ignore();
    QApplication::sendEvent(editor, &over);
    EXPECT_FALSE(over.isAccepted());
    Key(editor, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "one\r\ntwo");
}

TEST(SqlEditorFont, CtrlWheelStepsTheFontHeight) {
    TSqlEditor editor;
    editor.SetFontHeight(-17);
    const QPointF pos(5, 5);
    QWheelEvent down(pos, pos, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::ControlModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(editor.viewport(), &down);
    EXPECT_EQ(editor.FontHeight(), -18); // towards the user: larger
    QWheelEvent up(pos, pos, QPoint(), QPoint(0, 240), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase,
                   false);
    QApplication::sendEvent(editor.viewport(), &up);
    EXPECT_EQ(editor.FontHeight(), -16);
    QWheelEvent plain(pos, pos, QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(editor.viewport(), &plain);
    EXPECT_EQ(editor.FontHeight(), -16);
    // A fine-grained wheel: four eighths of a notch make no step, eight make one.
    for (int i = 0; i < 4; ++i) {
        QWheelEvent part(pos, pos, QPoint(), QPoint(0, -15), Qt::NoButton, Qt::ControlModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor.viewport(), &part);
    }
    EXPECT_EQ(editor.FontHeight(), -16);
    for (int i = 0; i < 4; ++i) {
        QWheelEvent part(pos, pos, QPoint(), QPoint(0, -15), Qt::NoButton, Qt::ControlModifier,
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(editor.viewport(), &part);
    }
    EXPECT_EQ(editor.FontHeight(), -17);
}

TEST(SqlEditorFont, NewEditorUsesCourierNewAtFifteenPixels) {
    TSqlEditor editor;
    EXPECT_EQ(editor.FontHeight(), -15);
    const QFont f = editor.SqlLexer()->font(QsciLexerSQL::Default);
    EXPECT_EQ(f.family(), "Courier New");
    EXPECT_EQ(QFontInfo(f).pixelSize(), 15);
    // The component draws its lines at least that high (it takes point sizes only).
    EXPECT_GE(editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0L), 15);
    editor.SetFontHeight(-21);
    EXPECT_EQ(QFontInfo(editor.SqlLexer()->font(QsciLexerSQL::Keyword)).pixelSize(), 21);
    EXPECT_GE(editor.SendScintilla(QsciScintillaBase::SCI_TEXTHEIGHT, 0L), 21);
}

TEST(SqlLexer, NumbersBlueStringsGreen) {
    TIfxSqlLexer lexer;
    EXPECT_EQ(lexer.color(QsciLexerSQL::Number), QColor(Qt::blue));
    EXPECT_EQ(lexer.color(QsciLexerSQL::SingleQuotedString), QColor(0, 0x80, 0));
    EXPECT_EQ(lexer.color(QsciLexerSQL::DoubleQuotedString), QColor(0, 0x80, 0));
}

TEST(SqlLexer, InformixWordsAreHighlightedAsKeywords) {
    TSqlEditor editor;
    editor.setText("select first 5 x from t where c matches 'a*'");
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0L, -1L);
    auto styleAt = [&](int pos) { return int(editor.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos)); };
    EXPECT_EQ(styleAt(0), QsciLexerSQL::Keyword);  // select
    EXPECT_EQ(styleAt(7), QsciLexerSQL::Keyword);  // first
    EXPECT_EQ(styleAt(13), QsciLexerSQL::Number);  // 5
    EXPECT_EQ(styleAt(32), QsciLexerSQL::Keyword); // matches
    EXPECT_EQ(styleAt(41), QsciLexerSQL::SingleQuotedString);
}

TEST(SqlEditorLook, CurrentLineInTheTooltipColour) {
    TSqlEditor editor;
    const long colour = editor.SendScintilla(QsciScintillaBase::SCI_GETCARETLINEBACK);
    const QColor tip = editor.palette().color(QPalette::ToolTipBase);
    EXPECT_EQ(colour, long(tip.red() | (tip.green() << 8) | (tip.blue() << 16)));
    EXPECT_TRUE(editor.SendScintilla(QsciScintillaBase::SCI_GETCARETLINEVISIBLE));
    EXPECT_GT(editor.marginWidth(0), 0); // the gutter
}

TEST(SqlEditorLook, NoHorizontalScrollBarForShortLines) {
    TSqlEditor editor;
    editor.resize(300, 200);
    editor.show();
    editor.setText("select 1");
    QApplication::processEvents();
    EXPECT_FALSE(editor.horizontalScrollBar()->isVisible());
    // It comes as soon as a longer line has been shown.
    EXPECT_TRUE(editor.SendScintilla(QsciScintillaBase::SCI_GETSCROLLWIDTHTRACKING));
}

} // namespace
