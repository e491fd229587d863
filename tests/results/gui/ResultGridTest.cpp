// The result grid on screen (offscreen platform): packets fetched as the grid
// scrolls, null cells on the tooltip colour, editing through the data set.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPalette>
#include <QScrollBar>
#include <QTableView>

#include "dbaccess/DataSource.h"
#include "results/GeneratedRows.h"
#include "results/ui/ResultCellDelegate.h"
#include "results/ui/ResultTableModel.h"
#include "results/ui/TfmResult.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/Command.h"

namespace varnok {
namespace {

using testing::StandardRows;
using testing::TGeneratedRows;
using testing::TRecordingMessageSink;

class ResultGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds = StandardRows(120, 50);
        ds->Open();
        source.SetDataSet(ds.get());
        view = std::make_unique<TfmResult>();
        view->resize(600, 400);
        view->SetDataSource(&source);
        view->show();
        QApplication::processEvents();
    }
    void TearDown() override { view.reset(); }

    TResultTableModel& model() { return view->Model(); }
    QTableView* grid() { return view->dbgResult(); }

    std::unique_ptr<TGeneratedRows> ds;
    TDataSource source;
    std::unique_ptr<TfmResult> view;
};

TEST_F(ResultGridTest, ScrollingToTheEndFetchesTheNextPacket) {
    // The first packet, and whatever the grid asked for to fill its window
    // (it holds far fewer than 50 rows).
    EXPECT_EQ(model().rowCount(), 50);
    EXPECT_EQ(ds->fetchedRows, 50);
    EXPECT_EQ(model().columnCount(), 3);
    EXPECT_EQ(model().data(model().index(0, 0), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter) << "numbers on the right";
    EXPECT_FALSE(model().data(model().index(0, 1), Qt::TextAlignmentRole).isValid());

    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_EQ(model().rowCount(), 100);
    EXPECT_EQ(ds->fetchedRows, 100);
    EXPECT_EQ(ds->RecNo(), 1) << "scrolling does not move the current row";

    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_EQ(model().rowCount(), 120);
    grid()->verticalScrollBar()->setValue(grid()->verticalScrollBar()->maximum());
    QApplication::processEvents();
    EXPECT_EQ(ds->fetchedRows, 120);
    EXPECT_FALSE(model().canFetchMore({}));
}

TEST_F(ResultGridTest, NullCellsShowTheTooltipColourExceptTheFocusedOne) {
    QPalette palette = QApplication::palette();
    const QColor tip(250, 240, 10);
    palette.setColor(QPalette::ToolTipBase, tip);
    QApplication::setPalette(palette);

    EXPECT_EQ(model().data(model().index(6, 1), Qt::BackgroundRole).value<QBrush>().color(), tip);
    EXPECT_FALSE(model().data(model().index(5, 1), Qt::BackgroundRole).isValid());
    EXPECT_TRUE(model().data(model().index(6, 1), TResultTableModel::NullRole).toBool());
    EXPECT_EQ(model().data(model().index(6, 1)).toString(), QString());

    grid()->setFocus();
    grid()->setCurrentIndex(model().index(2, 2));   // "note" is null in every row
    QApplication::processEvents();
    auto centre = [&](int row, int column) {
        const QRect r = grid()->visualRect(model().index(row, column));
        return grid()->viewport()->grab().toImage().pixelColor(r.left() + 3, r.center().y());
    };
    EXPECT_EQ(centre(1, 2), tip) << "null, not focused";
    EXPECT_NE(centre(2, 2), tip) << "null but focused";
    EXPECT_NE(centre(1, 0), tip) << "not null";

    // The delegate's own rule: the focused null cell drops the colour.
    struct TExposed : TResultCellDelegate {
        using TResultCellDelegate::initStyleOption;
    } delegate;
    for (const bool focused : {false, true}) {
        QStyleOptionViewItem option;
        option.state = focused ? QStyle::State_HasFocus : QStyle::State_None;
        delegate.initStyleOption(&option, model().index(4, 2));
        EXPECT_EQ(option.backgroundBrush.style() != Qt::NoBrush, !focused) << focused;
        if (!focused) EXPECT_EQ(option.backgroundBrush.color(), tip);
    }
}

TEST_F(ResultGridTest, TheGridAndTheDataSetKeepTheSameCurrentRow) {
    grid()->setCurrentIndex(model().index(7, 1));
    EXPECT_EQ(ds->RecNo(), 8);
    view->Command("DataSetNext")->Execute();
    EXPECT_EQ(grid()->currentIndex().row(), 8);
    EXPECT_EQ(grid()->currentIndex().column(), 1);
    view->Command("DataSetLast")->Execute();
    EXPECT_EQ(model().rowCount(), 120);
    EXPECT_EQ(grid()->currentIndex().row(), 119);
}

TEST_F(ResultGridTest, AReadOnlyViewRefusesEdits) {
    ASSERT_TRUE(view->ReadOnly()) << "a new view is read-only";
    EXPECT_FALSE(model().flags(model().index(3, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(model().setData(model().index(3, 1), "x"));
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(model().data(model().index(3, 1)).toString(), "row 4");
    EXPECT_EQ(grid()->editTriggers(), QAbstractItemView::NoEditTriggers);
}

TEST_F(ResultGridTest, AnEditInTheGridGoesThroughTheDataSetAndPosts) {
    view->SetReadOnly(false);
    ASSERT_TRUE(model().flags(model().index(3, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model().setData(model().index(3, 1), "changed"));
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
    EXPECT_EQ(ds->RecNo(), 4);
    EXPECT_EQ(model().data(model().index(3, 1)).toString(), "changed");
    view->Command("DataSetPost")->Execute();
    EXPECT_EQ(ds->posts, 1);
    EXPECT_EQ(ds->State(), TDataSetState::dsBrowse);

    // Leaving the row posts as well; an emptied number is a null.
    EXPECT_TRUE(model().setData(model().index(4, 0), ""));
    grid()->setCurrentIndex(model().index(9, 0));
    EXPECT_EQ(ds->posts, 2);
    EXPECT_TRUE(model().data(model().index(4, 0), TResultTableModel::NullRole).toBool());
}

TEST_F(ResultGridTest, SeveralCellsOfOneRowMakeOneEditAndAnInsertedRowTakesValues) {
    view->SetReadOnly(false);
    ASSERT_TRUE(model().setData(model().index(3, 1), "first"));
    ASSERT_TRUE(model().setData(model().index(3, 2), "second"));
    EXPECT_EQ(ds->posts, 0) << "still the same row";
    grid()->setCurrentIndex(model().index(0, 0));
    EXPECT_EQ(ds->posts, 1);
    EXPECT_EQ(model().data(model().index(3, 1)).toString(), "first");
    EXPECT_EQ(model().data(model().index(3, 2)).toString(), "second");

    grid()->setCurrentIndex(model().index(10, 0));
    view->Command("DataSetInsert")->Execute();
    EXPECT_EQ(model().rowCount(), 51);
    EXPECT_EQ(grid()->currentIndex().row(), 10);
    ASSERT_TRUE(model().setData(model().index(10, 0), "500"));
    ASSERT_TRUE(model().setData(model().index(10, 1), "new row"));
    view->Command("DataSetPost")->Execute();
    EXPECT_EQ(ds->posts, 2);
    EXPECT_EQ(model().data(model().index(10, 0)).toString(), "500");
    EXPECT_EQ(model().data(model().index(10, 1)).toString(), "new row");
    EXPECT_EQ(model().data(model().index(11, 0)).toString(), "11");
}

TEST_F(ResultGridTest, BadInputIsReportedAndTheEditKept) {
    TRecordingMessageSink sink;
    TScopedMessageSink scoped(sink);
    view->SetReadOnly(false);
    ASSERT_TRUE(model().setData(model().index(2, 1), "kept"));
    EXPECT_FALSE(model().setData(model().index(2, 0), "twelve"));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
    EXPECT_EQ(model().data(model().index(2, 1)).toString(), "kept");
    EXPECT_EQ(model().data(model().index(2, 0)).toString(), "3");
}

TEST_F(ResultGridTest, APostTheDataSetRefusesKeepsTheGridOnTheRow) {
    TRecordingMessageSink sink;
    TScopedMessageSink scoped(sink);
    view->SetReadOnly(false);
    ds->onInternalPost = [](bool) { throw std::runtime_error("-268 SQL error: unique constraint violated"); };
    grid()->setCurrentIndex(model().index(1, 1));
    ASSERT_TRUE(model().setData(model().index(1, 1), "duplicate"));
    grid()->setCurrentIndex(model().index(5, 1));
    EXPECT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(ds->State(), TDataSetState::dsEdit);
    EXPECT_EQ(ds->RecNo(), 2);
    EXPECT_EQ(grid()->currentIndex().row(), 1);
    EXPECT_EQ(model().data(model().index(1, 1)).toString(), "duplicate");
}

}  // namespace
}  // namespace varnok
