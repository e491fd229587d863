#include "editor/PageFile.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/PageLogList.h"
#include "editor/ui/SqlEditor.h"
#include "shell/IniFile.h"
#include "shell/kit/ApplicationTitle.h"

#include "editor/gui/RecordingSink.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSplitter>
#include <QTabBar>
#include <QTemporaryDir>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>
#include <QLayout>
#include <QDir>
#include <QFileInfo>

using namespace varnok;
using varnok::testing::TRecordingSink;

namespace {

std::string ReadBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

class EditorPagesTest : public ::testing::Test {
protected:
    std::string Folder() const { return (dir.path() + "/").toStdString(); }
    QString PageFile(int n) const { return QString::fromStdString(PageFileName(Folder(), n)); }
    QStringList Captions(const TEditorPages& p) const {
        QStringList out;
        for (int i = 0; i < p.PageCount(); ++i)
            out << p.PageCaption(i);
        return out;
    }
    // A fresh page control loaded from the given settings text and folder.
    std::unique_ptr<TEditorPages> Restart(const TIniFile& saved) {
        auto p = std::make_unique<TEditorPages>();
        TIniFile ini;
        ini.LoadFromText(saved.ToText());
        p->LoadPages(ini, Folder());
        return p;
    }

    QTemporaryDir dir;
    TRecordingSink sink;
    TScopedMessageSink scopedSink{sink};
    TEditorPages pages;
};

TEST_F(EditorPagesTest, FirstStartHasThreeNumberedPagesWithTabsAtTheBottom) {
    pages.LoadPages(TIniFile(), Folder());
    EXPECT_EQ(Captions(pages), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(pages.tabPosition(), QTabWidget::South);
    EXPECT_EQ(pages.TabPlacement(), 2);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_TRUE(pages.WantTab());
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(pages.EditorOfPage(i)->WantTab());
        EXPECT_EQ(pages.EditorOfPage(i)->FontHeight(), -17);
        EXPECT_TRUE(pages.EditorOfPage(i)->text().isEmpty());
        EXPECT_EQ(pages.PageAt(i)->RunMark(), TRunMark::None);
    }
    EXPECT_EQ(pages.ActiveEditor(), pages.EditorOfPage(0));
}

TEST_F(EditorPagesTest, NoPagesMeansNoActiveEditor) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=0\n");
    pages.LoadPages(ini, Folder());
    EXPECT_EQ(pages.PageCount(), 0);
    EXPECT_EQ(pages.ActiveEditor(), nullptr);
    EXPECT_EQ(pages.EditorOfPage(0), nullptr);
    EXPECT_FALSE(pages.ClosePage());
    pages.InsertIntoEditor("x"); // nothing to insert into, nothing happens
}

TEST_F(EditorPagesTest, PageTextsCaptionsAndFontsSurviveARestart) {
    pages.LoadPages(TIniFile(), Folder());
    pages.EditorOfPage(0)->setText("select *\nfrom customer");
    pages.EditorOfPage(2)->setText(QString::fromUtf8("-- \xD0\xB6\xD1\x83\xD0\xBA"));
    pages.SetPageCaption(1, "orders & items");
    pages.EditorOfPage(1)->SetFontHeight(-22);
    pages.SetTabPlacement(0);

    TIniFile ini;
    pages.SavePages(ini, Folder());
    EXPECT_EQ(ReadBytes(PageFile(1)), "select *\r\nfrom customer");
    EXPECT_EQ(ReadBytes(PageFile(2)), "");
    EXPECT_EQ(ReadBytes(PageFile(3)), "-- \xD0\xB6\xD1\x83\xD0\xBA");

    auto again = Restart(ini);
    EXPECT_EQ(Captions(*again), (QStringList{"1", "orders & items", "3"}));
    EXPECT_EQ(again->tabBar()->tabText(1), "orders && items"); // shown as typed, not as a mnemonic
    EXPECT_EQ(again->EditorOfPage(0)->text(), "select *\r\nfrom customer");
    EXPECT_EQ(again->EditorOfPage(2)->text(), QString::fromUtf8("-- \xD0\xB6\xD1\x83\xD0\xBA"));
    EXPECT_EQ(again->EditorOfPage(1)->FontHeight(), -22);
    EXPECT_EQ(again->TabPlacement(), 0);
}

TEST_F(EditorPagesTest, Utf16PageFileIsSavedAsUtf16) {
    const std::string bytes = std::string("\xFF\xFE"
                                          "s\0e\0l\0\r\0\n\0\x36\x04",
                                          14);
    WriteBytes(PageFile(2), bytes);
    pages.LoadPages(TIniFile(), Folder());
    EXPECT_EQ(pages.EditorOfPage(1)->text(), QString::fromUtf8("sel\r\n\xD0\xB6"));
    EXPECT_EQ(pages.EditorOfPage(1)->TextEncoding(), TTextEncoding::Utf16LE);

    TIniFile ini;
    pages.SavePages(ini, Folder());
    EXPECT_EQ(ReadBytes(PageFile(2)), bytes);
    EXPECT_EQ(ReadBytes(PageFile(1)), ""); // the other pages stay 8-bit
}

TEST_F(EditorPagesTest, RenameToEmptyGivesAnEmptyCaptionThatIsRestored) {
    pages.LoadPages(TIniFile(), Folder());
    pages.ActivatePage(1);
    pages.RenameActivePage("");
    EXPECT_EQ(Captions(pages), (QStringList{"1", "", "3"}));
    EXPECT_EQ(pages.tabBar()->tabText(1), "");

    TIniFile ini;
    pages.SavePages(ini, Folder());
    EXPECT_EQ(ini.ReadString("SQL2", "Name", "<none>"), "");
    EXPECT_EQ(Captions(*Restart(ini)), (QStringList{"1", "", "3"}));
}

TEST_F(EditorPagesTest, CaptionWithALineBreakIsStoredOnOneLine) {
    pages.LoadPages(TIniFile(), Folder());
    pages.RenameActivePage("two\r\nlines\nhere");
    EXPECT_EQ(pages.PageCaption(0), "two lines here");
    TIniFile ini;
    ASSERT_NO_THROW(pages.SavePages(ini, Folder()));
    EXPECT_EQ(Captions(*Restart(ini)), (QStringList{"two lines here", "2", "3"}));
}

TEST_F(EditorPagesTest, DeletingTheLastPageActivatesTheNewLast) {
    pages.LoadPages(TIniFile(), Folder());
    TfmEditor* second = pages.PageAt(1);
    pages.ActivatePage(2);
    ASSERT_TRUE(pages.ClosePage());
    EXPECT_EQ(pages.PageCount(), 2);
    EXPECT_EQ(pages.ActivePage(), second);
}

TEST_F(EditorPagesTest, DeletingTheFirstPageActivatesThePageNowFirst) {
    pages.LoadPages(TIniFile(), Folder());
    TfmEditor* second = pages.PageAt(1);
    pages.ActivatePage(0);
    ASSERT_TRUE(pages.ClosePage());
    EXPECT_EQ(pages.ActivePage(), second);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(Captions(pages), (QStringList{"2", "3"}));
}

TEST_F(EditorPagesTest, DeletingTheOnlyPageLeavesNone) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=1\n");
    pages.LoadPages(ini, Folder());
    ASSERT_TRUE(pages.ClosePage());
    EXPECT_EQ(pages.PageCount(), 0);
    EXPECT_EQ(pages.ActiveEditor(), nullptr);
}

TEST_F(EditorPagesTest, NewPageIsCaptionedWithItsPositionAndNotActivated) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=2\n");
    pages.LoadPages(ini, Folder());
    TfmEditor* page = pages.NewPage();
    EXPECT_EQ(pages.PageCaption(2), "3");
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_EQ(page->Editor()->FontHeight(), -15);
    EXPECT_EQ(page->RunMark(), TRunMark::None);

    pages.ActivatePage(0);
    ASSERT_TRUE(pages.ClosePage());
    pages.NewPage();
    EXPECT_EQ(Captions(pages), (QStringList{"2", "3", "3"}));
}

TEST_F(EditorPagesTest, NewPageFollowsTheTabKeySwitch) {
    pages.LoadPages(TIniFile(), Folder());
    pages.SetWantTab(false);
    EXPECT_FALSE(pages.NewPage()->Editor()->WantTab());
    pages.SetWantTab(true);
    for (int i = 0; i < pages.PageCount(); ++i)
        EXPECT_TRUE(pages.EditorOfPage(i)->WantTab());
}

TEST_F(EditorPagesTest, OpenAlwaysMakesANewActivePage) {
    pages.LoadPages(TIniFile(), Folder());
    pages.EditorOfPage(0)->setText("kept");
    const QString file = dir.path() + "/script.sql";
    WriteBytes(file, "select 1\r\n");
    TfmEditor* page = pages.OpenFile(file);
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.ActivePage(), page);
    EXPECT_EQ(pages.PageCaption(3), "4");
    EXPECT_EQ(page->Editor()->text(), "select 1\r\n");
    EXPECT_FALSE(page->Editor()->isUndoAvailable()); // the load is not an undoable edit
    EXPECT_EQ(pages.EditorOfPage(0)->text(), "kept");
}

TEST_F(EditorPagesTest, OpenOfAnUnreadableFileLeavesAnEmptyInactivePage) {
    pages.LoadPages(TIniFile(), Folder());
    EXPECT_THROW(pages.OpenFile(dir.path() + "/missing.sql"), ETextFileError);
    EXPECT_EQ(pages.PageCount(), 4);
    EXPECT_EQ(pages.currentIndex(), 0);
    EXPECT_TRUE(pages.EditorOfPage(3)->text().isEmpty());
}

TEST_F(EditorPagesTest, InsertIntoEditorIsOneUndoStep) {
    pages.LoadPages(TIniFile(), Folder());
    TSqlEditor* editor = pages.ActiveEditor();
    editor->setText("hello");
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    editor->setSelection(0, 1, 0, 4);
    pages.InsertIntoEditor("XYZ");
    EXPECT_EQ(editor->text(), "hXYZo");
    editor->undo();
    EXPECT_EQ(editor->text(), "hello");
    EXPECT_FALSE(editor->isUndoAvailable());
}

TEST_F(EditorPagesTest, InsertIntoEditorWithoutSelectionGoesToTheCaret) {
    pages.LoadPages(TIniFile(), Folder());
    TSqlEditor* editor = pages.ActiveEditor();
    editor->setText("select  from t");
    editor->setCursorPosition(0, 7);
    pages.InsertIntoEditor("a, b");
    EXPECT_EQ(editor->text(), "select a, b from t");
    int line = -1, index = -1;
    editor->getCursorPosition(&line, &index);
    EXPECT_EQ(index, 11); // after the inserted text
}

TEST_F(EditorPagesTest, EraseIsOneUndoStep) {
    pages.LoadPages(TIniFile(), Folder());
    TSqlEditor* editor = pages.ActiveEditor();
    editor->setText("line 1\r\nline 2");
    editor->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    pages.EraseActiveEditor();
    EXPECT_TRUE(editor->text().isEmpty());
    editor->undo();
    EXPECT_EQ(editor->text(), "line 1\r\nline 2");
}

TEST_F(EditorPagesTest, RunningPageCannotBeClosed) {
    pages.LoadPages(TIniFile(), Folder());
    pages.ActivatePage(1);
    pages.SetRunMark(pages.ActivePage(), TRunMark::Running);
    EXPECT_FALSE(pages.ClosePage());
    EXPECT_EQ(pages.PageCount(), 3);
    ASSERT_EQ(sink.boxes.size(), 1);
    EXPECT_EQ(sink.boxes[0],
              "error|" + ApplicationTitle() + "|Window cannot be closed, Query is still executed.");

    pages.SetRunMark(pages.ActivePage(), TRunMark::Finished);
    EXPECT_TRUE(pages.ClosePage());
    EXPECT_EQ(pages.PageCount(), 2);
}

TEST_F(EditorPagesTest, RunMarksShowAsTabPictures) {
    pages.LoadPages(TIniFile(), Folder());
    EXPECT_TRUE(pages.tabIcon(0).isNull());
    pages.SetRunMark(pages.PageAt(0), TRunMark::Running);
    const qint64 running = pages.tabIcon(0).cacheKey();
    EXPECT_FALSE(pages.tabIcon(0).isNull());
    pages.SetRunMark(pages.PageAt(0), TRunMark::Finished);
    EXPECT_FALSE(pages.tabIcon(0).isNull());
    EXPECT_NE(pages.tabIcon(0).cacheKey(), running);
    pages.SetRunMark(pages.PageAt(0), TRunMark::None);
    EXPECT_TRUE(pages.tabIcon(0).isNull());
}

TEST_F(EditorPagesTest, CloseButtonClosesTheActivePage) {
    pages.LoadPages(TIniFile(), Folder());
    auto* button = pages.findChild<QToolButton*>("tbClosePage");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(Captions(pages), (QStringList{"2", "3"}));
}

TEST_F(EditorPagesTest, CloseButtonShowsBesideTheTabsAtEveryPlacement) {
    pages.resize(500, 300);
    pages.show();
    pages.LoadPages(TIniFile(), Folder());
    auto* button = pages.findChild<QToolButton*>("tbClosePage");
    ASSERT_NE(button, nullptr);
    for (int code : {1, 3, 0, 2, 1}) {
        pages.SetTabPlacement(code);
        QApplication::processEvents();
        EXPECT_TRUE(button->isVisible()) << code;
        const QRect at = button->geometry();
        EXPECT_TRUE(pages.rect().contains(at)) << code;
        // Beside the tabs, never over the text of the page.
        const QWidget* page = pages.currentWidget();
        const QRect pageRect(page->mapTo(&pages, QPoint(0, 0)), page->size());
        EXPECT_FALSE(pageRect.intersects(at)) << code;
        EXPECT_FALSE(pages.tabBar()->geometry().intersects(at)) << code;
    }
    pages.ActivatePage(1);
    button->click(); // at the left
    EXPECT_EQ(Captions(pages), (QStringList{"1", "3"}));
    pages.resize(400, 250); // follows the size of the control
    QApplication::processEvents();
    EXPECT_EQ(button->geometry().bottom(), pages.rect().bottom());
}

TEST_F(EditorPagesTest, PageCountAboveTheLimitOpensTheLimitAndSaysSo) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=100000\n");
    WriteBytes(PageFile(2), "second");
    try {
        pages.LoadPages(ini, Folder());
        FAIL() << "no report";
    } catch (const ETextFileError& e) {
        EXPECT_STREQ(e.what(), "The settings file asks for 100000 editor pages; the first 1000 are opened.");
    }
    EXPECT_EQ(pages.PageCount(), kMaxPageCount);
    EXPECT_EQ(pages.EditorOfPage(1)->text(), "second");
    EXPECT_EQ(pages.currentIndex(), 0);
}

TEST_F(EditorPagesTest, StoredPagePositionAndWantTabAreApplied) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetPos=3\nWantTab=0\n");
    pages.LoadPages(ini, Folder());
    EXPECT_EQ(pages.tabPosition(), QTabWidget::East);
    EXPECT_FALSE(pages.WantTab());
    EXPECT_FALSE(pages.EditorOfPage(2)->WantTab());
}

TEST_F(EditorPagesTest, BadPlacementCodeKeepsTabsAtTheBottom) {
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetPos=7\n");
    pages.LoadPages(ini, Folder());
    EXPECT_EQ(pages.TabPlacement(), 2);
}

TEST_F(EditorPagesTest, PageFilesAboveTheCountAreNeitherReadNorRemoved) {
    WriteBytes(PageFile(3), "third");
    TIniFile ini;
    ini.LoadFromText("[SQL]\nSQLSheetCnt=2\n");
    pages.LoadPages(ini, Folder());
    EXPECT_EQ(pages.PageCount(), 2);
    TIniFile saved;
    pages.SavePages(saved, Folder());
    EXPECT_EQ(ReadBytes(PageFile(3)), "third");
}

TEST_F(EditorPagesTest, UnreadablePageFileIsReportedAndNotOverwritten) {
    // A folder where the page file should be cannot be read as a file.
    ASSERT_TRUE(QDir(dir.path()).mkdir("sql2____.$$$"));
    WriteBytes(PageFile(1), "first");
    EXPECT_THROW(pages.LoadPages(TIniFile(), Folder()), ETextFileError);
    EXPECT_EQ(pages.PageCount(), 3); // the other pages are made all the same
    EXPECT_EQ(pages.EditorOfPage(0)->text(), "first");
    EXPECT_TRUE(pages.WantTab());
    TIniFile saved;
    EXPECT_NO_THROW(pages.SavePages(saved, Folder())); // the empty page does not overwrite it
    EXPECT_TRUE(QFileInfo(PageFile(2)).isDir());
}

TEST_F(EditorPagesTest, PageFileWriteFailureStillWritesTheOthers) {
    pages.LoadPages(TIniFile(), Folder());
    ASSERT_TRUE(QDir(dir.path()).mkdir("sql2____.$$$"));
    pages.EditorOfPage(1)->setText("typed");
    pages.EditorOfPage(2)->setText("three");
    TIniFile ini;
    try {
        pages.SavePages(ini, Folder());
        FAIL() << "no error";
    } catch (const ETextFileError& e) {
        EXPECT_NE(std::string(e.what()).find("sql2____.$$$"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadBytes(PageFile(3)), "three");
    EXPECT_EQ(ini.ReadInteger("SQL", "SQLSheetCnt", 0), 3);
}

TEST_F(EditorPagesTest, EachPageHasAPageLogUnderASplitter) {
    pages.LoadPages(TIniFile(), Folder());
    TfmEditor* page = pages.PageAt(0);
    auto* log = page->findChild<TPageLogList*>("lbPageLog");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(page->Splitter()->indexOf(page->Editor()), 0);
    EXPECT_EQ(page->Splitter()->indexOf(log), 1);
    EXPECT_EQ(page->layout()->contentsMargins(), QMargins(3, 3, 3, 3));
}

} // namespace

namespace {

TEST(PageLog, AutoClearIsOffAndClearTouchesOnlyItsPage) {
    TEditorPages pages;
    pages.NewPage();
    pages.NewPage();
    TPageLogList* first = pages.PageAt(0)->PageLog();
    TPageLogList* second = pages.PageAt(1)->PageLog();
    EXPECT_FALSE(first->AutoClear());
    EXPECT_EQ(first->ContextMenu()->actions().size(), 2);
    EXPECT_EQ(first->AutoClearAction()->text(), "AutoClear");
    EXPECT_EQ(first->ClearAction()->text(), "Clear");
    first->AddEntry(3723004, "ok", "select 1");
    EXPECT_EQ(first->item(0)->text(), "01:02:03.004\tok\tselect 1");
    second->AddLine("00:00:00.020\tok\tselect 2");
    first->ClearIfAutoClear(); // unchecked: kept
    EXPECT_EQ(first->count(), 1);
    first->AutoClearAction()->trigger();
    EXPECT_TRUE(first->AutoClear());
    first->ClearIfAutoClear();
    EXPECT_EQ(first->count(), 0);
    second->AddLine("x");
    second->ClearAction()->trigger();
    EXPECT_EQ(second->count(), 0);
    EXPECT_FALSE(second->AutoClear());
}

TEST(PageLog, SelectLastSelectsTheNewestLine) {
    TPageLogList log;
    log.SelectLast(); // empty: nothing to select
    log.AddLine("a");
    log.AddLine("b");
    log.SelectLast();
    EXPECT_EQ(log.currentRow(), 1);
}

TEST(EditorPagesKeys, CtrlTabInAnEditorShowsTheNextPage) {
    TEditorPages pages;
    for (int i = 0; i < 3; ++i)
        pages.NewPage();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::sendEvent(pages.EditorOfPage(0), &press);
    EXPECT_EQ(pages.currentIndex(), 1);
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QApplication::sendEvent(pages.EditorOfPage(1), &back);
    EXPECT_EQ(pages.currentIndex(), 0);
    QApplication::sendEvent(pages.EditorOfPage(0), &back);
    EXPECT_EQ(pages.currentIndex(), 2); // wraps around
    QApplication::sendEvent(pages.EditorOfPage(2), &press);
    EXPECT_EQ(pages.currentIndex(), 0);
}

} // namespace
