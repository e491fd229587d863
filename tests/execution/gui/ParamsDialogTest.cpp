// "Bind Variables Dialog" driven offscreen: rows, Ok, Cancel, Clear, the
// column widths from the settings keys and incremental search of the type.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "execution/ui/ParamGridModel.h"
#include "execution/ui/TInplaceEditDropDown.h"
#include "execution/ui/TParameterListEditor.h"
#include "execution/ui/TfmParamsDialog.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/gui/RecordingMessageSink.h"

namespace varnok {
namespace {

void SendKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void TypeText(QWidget* target, const QString& text) {
    for (QChar c : text) SendKey(target, c.toUpper().unicode(), QString(c));
}

void ClickCell(TParameterListEditor* grid, int row, int column) {
    const QPoint at = grid->visualRect(grid->model()->index(row, column)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, grid->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &release);
}

// Values are read with the default locale; the texts below are written for US English.
class TScopedLocale {
public:
    explicit TScopedLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~TScopedLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

class ParamsDialogTest : public ::testing::Test {
protected:
    TScopedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    TfmParamsDialog dialog;
    std::uint32_t tick = 10000;

    TInplaceEditDropDown* Editor() {
        auto* editor = qobject_cast<TInplaceEditDropDown*>(dialog.Grid()->CurrentEditor());
        if (editor) editor->SetTickSource([this] { return tick; });
        return editor;
    }

    // Shows the window modally; actions run inside its message loop and
    // must close it (a guard closes it after 5 s and fails the test).
    bool RunModal(TParamList& params, std::function<void()> actions) {
        QTimer::singleShot(0, &dialog, [actions] { actions(); });
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &dialog, [this] {
            ADD_FAILURE() << "the window stayed open";
            dialog.reject();
        });
        guard.start(5000);
        return dialog.ShowParams(params);
    }

    // Picks a type in the current row's Type cell by incremental search.
    void PickType(int row, const QString& letters) {
        dialog.Grid()->SelectCell(row, TParamColumn::Type);
        ASSERT_NE(Editor(), nullptr);
        tick += 1000;  // a fresh search
        TypeText(Editor(), letters);
    }

    void EnterValue(int row, const QString& text) {
        dialog.Grid()->SelectCell(row, TParamColumn::Value);
        auto* editor = Editor();
        ASSERT_NE(editor, nullptr);
        ASSERT_NE(editor->lineEdit(), nullptr);
        editor->lineEdit()->selectAll();
        TypeText(editor->lineEdit(), text);
    }

    QString Cell(int row, int column) {
        return dialog.Grid()->model()->index(row, column).data().toString();
    }
};

TEST_F(ParamsDialogTest, AStatementWithParametersABAShowsTwoRows) {
    TParamList params = MakeParamList({"a", "b", "a"});
    dialog.LoadParams(params);
    QAbstractItemModel* model = dialog.Grid()->model();
    ASSERT_EQ(model->rowCount(), 2);
    ASSERT_EQ(model->columnCount(), 3);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), "Type");
    EXPECT_EQ(model->headerData(2, Qt::Horizontal).toString(), "Value");
    EXPECT_EQ(Cell(0, 0), "a");
    EXPECT_EQ(Cell(1, 0), "b");
    EXPECT_EQ(Cell(0, 1), "String");
    EXPECT_EQ(dialog.windowTitle(), "Bind Variables Dialog");
}

TEST_F(ParamsDialogTest, OkReturnsTypedValuesForEveryReference) {
    TParamList params = MakeParamList({"a", "b", "a"});
    const bool ok = RunModal(params, [this] {
        EXPECT_EQ(dialog.Grid()->currentIndex(), dialog.Grid()->model()->index(0, 1));  // Type of the first row
        PickType(0, "i");
        EnterValue(0, "5");
        EnterValue(1, "hello");
        dialog.btOk()->click();
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(params[0].value, TParamData(std::int32_t{5}));
    EXPECT_EQ(params[2].value, TParamData(std::int32_t{5}));
    EXPECT_EQ(params[1].value, TParamData(std::string("hello")));
    EXPECT_TRUE(sink.boxes.empty());

    // The next statement offers what was used.
    TParamList next = MakeParamList({"c", "a"});
    dialog.LoadParams(next);
    EXPECT_EQ(Cell(1, 1), "Integer");
    EXPECT_EQ(Cell(1, 2), "5");
    PickType(0, "i");
    dialog.Grid()->SelectCell(0, TParamColumn::Value);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(Editor()->count(), 1);
    EXPECT_EQ(Editor()->itemText(0), "5");
    EXPECT_EQ(Editor()->maxVisibleItems(), 10);
}

TEST_F(ParamsDialogTest, TheKeyboardAloneFillsEveryRow) {
    // Keys go where the user's focus is: the window opens on the first
    // type, Tab walks from a row's value to the next row's type (past the
    // names and a locked value), Shift+Tab back, Enter answers Ok.
    auto key = [](int code, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
        QApplication::sendEvent(target, &release);
        QApplication::processEvents();
    };
    auto at = [this] {
        const QModelIndex current = dialog.Grid()->currentIndex();
        return std::pair(current.row(), current.column());
    };
    TParamList params = MakeParamList({"a", "b", "c"});
    const bool ok = RunModal(params, [&] {
        ASSERT_NE(Editor(), nullptr);
        for (int wait = 0; wait < 100 && !QApplication::focusWidget(); ++wait)
            QApplication::processEvents(QEventLoop::AllEvents, 10);  // the window becomes active
        ASSERT_EQ(QApplication::focusWidget(), Editor());
        key(Qt::Key_I, "i");
        key(Qt::Key_Tab, "\t");
        EXPECT_EQ(at(), std::pair(0, 2));
        key(Qt::Key_5, "5");
        key(Qt::Key_Tab, "\t");
        EXPECT_EQ(at(), std::pair(1, 1)) << "from a value to the next row's type";
        ASSERT_NE(Editor(), nullptr);
        tick += 1000;
        key(Qt::Key_N, "n");
        key(Qt::Key_Tab, "\t");
        EXPECT_EQ(at(), std::pair(2, 1)) << "past the locked value of a Null row";
        key(Qt::Key_Backtab, {}, Qt::ShiftModifier);
        EXPECT_EQ(at(), std::pair(1, 1));
        key(Qt::Key_Tab, "\t");
        key(Qt::Key_Tab, "\t");
        EXPECT_EQ(at(), std::pair(2, 2));
        key(Qt::Key_X, "x");
        key(Qt::Key_Tab, "\t");
        EXPECT_EQ(at(), std::pair(0, 1)) << "from the last value back to the first type";
        key(Qt::Key_Return, "\r");
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(params[0].value, TParamData(std::int32_t{5}));
    EXPECT_TRUE(params[1].IsNull());
    EXPECT_EQ(params[1].dataType, TParamDataType::Unknown);
    EXPECT_EQ(params[2].value, TParamData(std::string("x")));
}

TEST_F(ParamsDialogTest, UpAndDownMoveBetweenRowsWithoutChangingTheCell) {
    // In a cell editor the arrow keys move to the row above or below, as in
    // any grid; the drop-down opens with Alt+Down. A type or a remembered
    // value must not change under a key meant to leave the cell.
    TParamList first = MakeParamList({"a", "b"});
    ASSERT_TRUE(RunModal(first, [this] {
        PickType(0, "m");
        EnterValue(0, "3.5");
        dialog.btOk()->click();
    }));
    TParamList params = MakeParamList({"a", "b", "c"});
    dialog.show();
    dialog.LoadParams(params);
    ASSERT_EQ(Cell(0, 1), "Money");
    auto at = [this] { return std::pair(dialog.Grid()->currentIndex().row(), dialog.Grid()->currentIndex().column()); };

    SendKey(Editor(), Qt::Key_Down);
    EXPECT_EQ(at(), std::pair(1, 1));
    EXPECT_EQ(Cell(0, 1), "Money") << "the type of the row left behind";
    ASSERT_NE(Editor(), nullptr);
    SendKey(Editor(), Qt::Key_Up);
    EXPECT_EQ(at(), std::pair(0, 1));
    EXPECT_EQ(Cell(1, 1), "String");

    dialog.Grid()->SelectCell(0, TParamColumn::Value);
    ASSERT_NE(Editor(), nullptr);
    ASSERT_EQ(Editor()->count(), 1);  // 3.5 is offered
    SendKey(Editor()->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(at(), std::pair(1, 2));
    EXPECT_EQ(Cell(0, 2), "3.5");
    EXPECT_EQ(Cell(1, 2), "");

    // The wheel over a cell editor scrolls; it changes no cell.
    dialog.Grid()->SelectCell(0, TParamColumn::Type);
    ASSERT_NE(Editor(), nullptr);
    for (const int delta : {-120, 120}) {
        const QPointF at = Editor()->rect().center();
        QWheelEvent wheel(at, Editor()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(Editor(), &wheel);
        EXPECT_EQ(Cell(0, 1), "Money") << delta;
    }
    for (const int key : {Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_PageUp}) {
        SendKey(Editor(), key);
        EXPECT_EQ(Cell(0, 1), "Money") << key;
    }

    // Alt+Down opens the list instead.
    dialog.Grid()->SelectCell(1, TParamColumn::Type);
    ASSERT_NE(Editor(), nullptr);
    QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
    QApplication::sendEvent(Editor(), &altDown);
    EXPECT_EQ(at(), std::pair(1, 1));
    EXPECT_TRUE(Editor()->view()->isVisible());
    Editor()->hidePopup();
    dialog.hide();
}

TEST_F(ParamsDialogTest, CancelChangesNothingAndRemembersNothing) {
    TParamList params = MakeParamList({"a"});
    const bool ok = RunModal(params, [this] {
        PickType(0, "i");
        EnterValue(0, "7");
        dialog.btCancel()->click();
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(params[0].IsNull());
    EXPECT_EQ(params[0].dataType, TParamDataType::Unknown);
    EXPECT_EQ(dialog.Grid()->UsedParams().Count(), 0u);
}

TEST_F(ParamsDialogTest, EscapeInTheCellEditorCancelsTheWindow) {
    TParamList params = MakeParamList({"a"});
    const bool ok = RunModal(params, [this] {
        EnterValue(0, "7");
        SendKey(Editor()->lineEdit(), Qt::Key_Escape);
    });
    EXPECT_FALSE(ok);
    EXPECT_TRUE(params[0].IsNull());

    // The same in the type's drop-down, where the window opens.
    const bool typeOk = RunModal(params, [this] {
        PickType(0, "i");
        SendKey(Editor(), Qt::Key_Escape);
    });
    EXPECT_FALSE(typeOk);
    EXPECT_EQ(dialog.Grid()->UsedParams().Count(), 0u);
}

TEST_F(ParamsDialogTest, EnterInTheValueEditorAnswersOkWithTheTypedText) {
    TParamList params = MakeParamList({"a"});
    const bool ok = RunModal(params, [this] {
        PickType(0, "f");
        EnterValue(0, "2.25");
        SendKey(Editor()->lineEdit(), Qt::Key_Return);
    });
    ASSERT_TRUE(ok);
    EXPECT_EQ(params[0].dataType, TParamDataType::Float);
    EXPECT_EQ(params[0].value, TParamData(2.25));
}

TEST_F(ParamsDialogTest, AValueThatDoesNotConvertIsReportedAndTheWindowStays) {
    TParamList params = MakeParamList({"a"});
    bool stayedOpen = false;
    const bool ok = RunModal(params, [&] {
        PickType(0, "i");
        EnterValue(0, "12x");
        dialog.btOk()->click();
        stayedOpen = dialog.isVisible();
        EXPECT_EQ(dialog.Grid()->currentIndex(), dialog.Grid()->model()->index(0, 2));
        EnterValue(0, "12");
        dialog.btOk()->click();
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(sink.boxes[0].caption, "Bind Variables Dialog");
    EXPECT_EQ(sink.boxes[0].text,
              "Parameter a: \"12x\" is not a valid Integer value (a whole number from -2147483648 to 2147483647).");
    ASSERT_TRUE(ok);
    EXPECT_EQ(params[0].value, TParamData(std::int32_t{12}));
}

TEST_F(ParamsDialogTest, ClearShowsEveryNameAsStringWithoutValue) {
    TParamList first = MakeParamList({"a", "b"});
    ASSERT_TRUE(RunModal(first, [this] {
        PickType(0, "m");
        EnterValue(0, "3.5");
        EnterValue(1, "x");
        dialog.btOk()->click();
    }));
    TParamList second = MakeParamList({"a", "b", "a"});
    dialog.LoadParams(second);
    ASSERT_EQ(Cell(0, 1), "Money");
    dialog.btClear()->click();
    ASSERT_EQ(dialog.Grid()->model()->rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(Cell(row, 1), "String");
        EXPECT_EQ(Cell(row, 2), "");
    }
    EXPECT_EQ(dialog.Grid()->currentIndex(), dialog.Grid()->model()->index(0, 1));
}

TEST_F(ParamsDialogTest, NullTypeEmptiesGreysAndLocksTheValue) {
    TParamList params = MakeParamList({"a", "b"});
    dialog.show();
    dialog.LoadParams(params);
    EnterValue(0, "abc");
    ASSERT_EQ(Cell(0, 2), "abc");
    PickType(0, "n");
    EXPECT_EQ(Cell(0, 1), "Null");
    EXPECT_EQ(Cell(0, 2), "");
    const QModelIndex value = dialog.Grid()->model()->index(0, 2);
    EXPECT_EQ(value.data(Qt::BackgroundRole).value<QColor>(), QApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_FALSE(value.flags() & Qt::ItemIsSelectable);

    // Neither a click nor a key reaches the locked cell.
    const QModelIndex typeCell = dialog.Grid()->model()->index(0, 1);
    ClickCell(dialog.Grid(), 0, 2);
    EXPECT_EQ(dialog.Grid()->currentIndex(), typeCell);
    SendKey(dialog.Grid(), Qt::Key_Right);
    EXPECT_EQ(dialog.Grid()->currentIndex(), typeCell);
    dialog.hide();
}

TEST_F(ParamsDialogTest, TheNameColumnCannotBeSelected) {
    TParamList params = MakeParamList({"a", "b"});
    dialog.show();
    dialog.LoadParams(params);
    const QModelIndex typeCell = dialog.Grid()->model()->index(0, 1);
    ASSERT_EQ(dialog.Grid()->currentIndex(), typeCell);
    ClickCell(dialog.Grid(), 1, 0);
    EXPECT_EQ(dialog.Grid()->currentIndex(), typeCell);
    SendKey(dialog.Grid(), Qt::Key_Left);
    EXPECT_EQ(dialog.Grid()->currentIndex(), typeCell);
    ClickCell(dialog.Grid(), 1, 2);
    EXPECT_EQ(dialog.Grid()->currentIndex(), dialog.Grid()->model()->index(1, 2));
    EXPECT_NE(dialog.Grid()->CurrentEditor(), nullptr);  // the editor is always shown
    dialog.hide();
}

TEST_F(ParamsDialogTest, IncrementalSearchInTheTypeDropDown) {
    TParamList params = MakeParamList({"a"});
    dialog.show();
    dialog.LoadParams(params);
    TInplaceEditDropDown* editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->isEditable());
    ASSERT_EQ(editor->count(), 9);

    struct Step {
        char key;
        std::uint32_t advance;
        const char* shown;
    };
    const Step steps[] = {{'d', 1000, "Date"}, {'a', 100, "Date"}, {'t', 100, "Date"}, {'t', 100, "Date"},
                          {'m', 500, "Money"}, {'I', 600, "Integer"}, {'n', 200, "Integer"}, {'t', 200, "Integer"},
                          {'8', 499, "Int8"}};
    // "dat" still matches Date; "datt" does not, so the text stays.
    for (const Step& step : steps) {
        tick += step.advance;
        TypeText(editor, QString(QChar(step.key)));
        EXPECT_EQ(editor->currentText(), step.shown) << "after " << step.key;
        EXPECT_EQ(Cell(0, 1), step.shown) << "the row follows the editor";
    }
    tick += 1000;
    SendKey(editor, Qt::Key_Backspace);
    EXPECT_EQ(editor->currentText(), "Int8");
    dialog.hide();
}

TEST_F(ParamsDialogTest, ColumnWidthsComeFromTheSettingsAndTheValueColumnTakesTheRest) {
    TIniFile ini;
    ini.LoadFromText(
        "[ParamsDialogForm]\nWidth=500\nHeight=300\n[ParamsDialogGName]\nWidth=90\n[ParamsDialogGType]\nWidth=110\n");
    dialog.LoadSettings(ini);
    TParamList params = MakeParamList({"a"});
    dialog.LoadParams(params);
    dialog.show();
    QApplication::processEvents();
    TParameterListEditor* grid = dialog.Grid();
    EXPECT_EQ(dialog.width(), 500);
    EXPECT_EQ(dialog.height(), 300);
    EXPECT_EQ(grid->columnWidth(0), 90);
    EXPECT_EQ(grid->columnWidth(1), 110);
    EXPECT_EQ(grid->columnWidth(2), grid->viewport()->width() - 90 - 110 - 3);

    dialog.resize(640, 300);
    QApplication::processEvents();
    EXPECT_EQ(grid->columnWidth(2), grid->viewport()->width() - 203);
    grid->horizontalHeader()->resizeSection(0, 150);
    EXPECT_EQ(grid->columnWidth(2), grid->viewport()->width() - 150 - 110 - 3);

    TIniFile saved;
    dialog.SaveSettings(saved);
    EXPECT_EQ(saved.ReadInteger("ParamsDialogForm", "Width", 0), 640);
    EXPECT_EQ(saved.ReadInteger("ParamsDialogForm", "Height", 0), 300);
    EXPECT_EQ(saved.ReadInteger("ParamsDialogGName", "Width", 0), 150);
    EXPECT_EQ(saved.ReadInteger("ParamsDialogGType", "Width", 0), 110);
    dialog.hide();
}

TEST_F(ParamsDialogTest, DefaultsAndTheSettingsSteps) {
    EXPECT_EQ(dialog.width(), 400);
    EXPECT_EQ(dialog.height(), 400);
    EXPECT_EQ(dialog.Grid()->columnWidth(0), 75);
    EXPECT_EQ(dialog.Grid()->columnWidth(1), 75);
    EXPECT_EQ(dialog.Grid()->verticalHeader()->defaultSectionSize(), 18);

    TSettingsRegistry settings;
    AddParamsDialogSettingsSteps(settings, dialog);
    TIniFile ini;
    ini.LoadFromText("[ParamsDialogGName]\nWidth=120\n");
    settings.LoadSettings(ini);
    EXPECT_EQ(dialog.Grid()->columnWidth(0), 120);
    TIniFile out;
    settings.WriteSettings(out);
    EXPECT_EQ(out.ReadSections(), (std::vector<std::string>{"ParamsDialogForm", "ParamsDialogGName", "ParamsDialogGType"}));
    EXPECT_EQ(out.ReadInteger("ParamsDialogGName", "Width", 0), 120);
}

TEST_F(ParamsDialogTest, TheWindowIsCentredOnItsOwner) {
    QWidget owner;
    owner.setGeometry(100, 100, 1000, 800);
    TfmParamsDialog owned(&owner);
    TParamList params = MakeParamList({"a"});
    QPoint centre;
    QTimer::singleShot(0, &owned, [&] {
        centre = owned.geometry().center();
        owned.reject();
    });
    EXPECT_FALSE(owned.ShowParams(params));
    EXPECT_LE(std::abs(centre.x() - owner.frameGeometry().center().x()), 10);
    EXPECT_LE(std::abs(centre.y() - owner.frameGeometry().center().y()), 40);
}

}  // namespace
}  // namespace varnok
