// The result view's commands, modes, title sorting, filter, font steps and
// the three views of the main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLayout>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "dbaccess/DataSource.h"
#include "results/GeneratedRows.h"
#include "results/ResultCommandTable.h"
#include "results/TableDataSetAccess.h"
#include "results/ui/ResultPictures.h"
#include "results/ui/ResultTableModel.h"
#include "results/ui/ResultViews.h"
#include "results/ui/TfmResult.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"

namespace varnok {
namespace {

using testing::StandardRows;
using testing::TGeneratedRows;

QStringList Names(const std::vector<TCommand*>& commands, bool (*pick)(TCommand*)) {
    QStringList names;
    for (TCommand* c : commands)
        if (pick(c)) names << c->Name();
    return names;
}

class TfmResultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ds = StandardRows(120, 50);
        view.resize(700, 400);
        view.show();
    }
    void Bind() {
        ds->Open();
        source.SetDataSet(ds.get());
        view.SetDataSource(&source);
    }
    bool Enabled(const char* name) {
        view.alDataResult().UpdateCommands();
        return view.Command(name)->isEnabled();
    }
    QStringList EnabledNames() {
        view.alDataResult().UpdateCommands();
        return Names(view.alDataResult().Commands(), [](TCommand* c) { return c->isEnabled(); });
    }

    std::unique_ptr<TGeneratedRows> ds;
    TDataSource source;
    TfmResult view;
};

TEST_F(TfmResultTest, WithoutAnOpenDataSetEveryCommandIsDisabled) {
    EXPECT_TRUE(EnabledNames().isEmpty());
    source.SetDataSet(ds.get());
    view.SetDataSource(&source);
    EXPECT_TRUE(EnabledNames().isEmpty()) << "closed";
    ds->Open();
    EXPECT_FALSE(EnabledNames().isEmpty());
    source.SetDataSet(nullptr);   // detached while a script runs
    EXPECT_TRUE(EnabledNames().isEmpty());
}

TEST_F(TfmResultTest, EnablingFollowsTheDataSetAndLaterWorkStaysDisabled) {
    Bind();
    view.SetReadOnly(false);
    EXPECT_EQ(EnabledNames(), (QStringList{"DataSetNext", "DataSetLast", "DataSetInsert", "DataSetDelete",
                                           "DataSetEdit", "acRefresh", "acCopy", "acGetRecordCount",
                                           "acFontBigger", "acFontSmaller"}));
    view.Command("DataSetNext")->Execute();
    EXPECT_TRUE(Enabled("DataSetFirst"));
    EXPECT_TRUE(Enabled("DataSetPrior"));
    view.Command("DataSetEdit")->Execute();
    EXPECT_TRUE(Enabled("DataSetPost"));
    EXPECT_TRUE(Enabled("DataSetCancel"));
    EXPECT_FALSE(Enabled("DataSetEdit"));
    view.Command("DataSetCancel")->Execute();
    EXPECT_FALSE(Enabled("DataSetPost"));
    for (const char* later : {"acExportToHtml", "acExportToExcel", "acExportToXLSFile", "acShowViewer",
                              "acGenerateSIUD", "acFilter"})
        EXPECT_FALSE(Enabled(later)) << later;

    int generated = 0;
    view.OnGenerateSIUD = [&](TfmResult&) { ++generated; };
    view.Command("acGenerateSIUD")->Execute();
    EXPECT_EQ(generated, 0) << "awaiting its window";
    view.ProvideCommand("acGenerateSIUD");
    EXPECT_TRUE(Enabled("acGenerateSIUD"));
    view.Command("acGenerateSIUD")->Execute();
    EXPECT_EQ(generated, 1);
}

TEST_F(TfmResultTest, ReadOnlyHidesTheEditCommandsAndFilter) {
    Bind();
    auto visible = [&] { return Names(view.alDataResult().Commands(), [](TCommand* c) { return !c->isVisible(); }); };
    const QStringList editOnly{"DataSetInsert", "DataSetDelete", "DataSetEdit", "DataSetPost", "DataSetCancel", "acFilter"};
    EXPECT_EQ(visible(), editOnly);
    view.SetReadOnly(false);
    EXPECT_TRUE(visible().isEmpty());
    view.SetReadOnly(true);
    EXPECT_EQ(visible(), editOnly);
    EXPECT_FALSE(Enabled("DataSetEdit")) << "hidden and refused";
}

TEST_F(TfmResultTest, CallbacksRunOnlyWhenSet) {
    Bind();
    view.Command("acRefresh")->Execute();   // unset: nothing
    TfmResult* seen = nullptr;
    view.OnRefresh = [&](TfmResult& v) { seen = &v; };
    view.Command("acRefresh")->Execute();
    EXPECT_EQ(seen, &view);
    int counted = 0;
    view.OnRecordCount = [&](TfmResult&) { ++counted; };
    view.Command("acGetRecordCount")->Execute();
    EXPECT_EQ(counted, 1);
}

TEST_F(TfmResultTest, FontStepsMoveTheTitleFontAlong) {
    Bind();
    std::vector<int> heard;
    QObject::connect(&view, &TfmResult::gridFontHeightChanged, [&](int h) { heard.push_back(h); });
    EXPECT_EQ(view.dbgResult()->font().family(), "Verdana");
    EXPECT_EQ(view.GridFontHeight(), -11) << "at creation";
    view.Command("acFontBigger")->Execute();
    view.Command("acFontBigger")->Execute();
    EXPECT_EQ(view.GridFontHeight(), -13);
    EXPECT_EQ(view.dbgResult()->font().pixelSize(), 13);
    EXPECT_EQ(view.dbgResult()->horizontalHeader()->font().pixelSize(), 13);
    view.Command("acFontSmaller")->Execute();
    EXPECT_EQ(view.GridFontHeight(), -12);
    EXPECT_EQ(view.dbgResult()->horizontalHeader()->font().pixelSize(), 12);
    EXPECT_EQ(heard, (std::vector<int>{-12, -13, -12}));
    view.SetGridFontHeight(-2);
    view.FontSmaller();
    view.FontSmaller();
    EXPECT_EQ(view.GridFontHeight(), -1);
    EXPECT_EQ(view.dbgResult()->font().pixelSize(), 1);
}

TEST_F(TfmResultTest, CopyPutsEveryRowOnTheClipboard) {
    Bind();
    view.Command("acCopy")->Execute();
    const QString text = QApplication::clipboard()->text();
    EXPECT_TRUE(text.startsWith("n\tlabel\tnote\r\n1\trow 1\t\r\n"));
    EXPECT_EQ(text.count("\r\n"), 121);
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST_F(TfmResultTest, NewColumnsFitTheirTextsWithinBoundsAndKeepTheUserWidths) {
    TGeneratedRows wide({{"n", TFieldType::ftInteger}, {"text", TFieldType::ftString}}, 10,
                        [](int row, int column) -> std::optional<std::string> {
                            return column == 0 ? std::to_string(row) : std::string(400, 'x');
                        });
    wide.stringSize = 400;
    wide.Open();
    TDataSource wideSource(&wide);
    view.SetDataSource(&wideSource);
    QHeaderView* header = view.dbgResult()->horizontalHeader();
    EXPECT_EQ(header->sectionSize(1), 300);
    EXPECT_LT(header->sectionSize(0), 100);
    header->resizeSection(0, 222);
    wide.Close();
    wide.Open();
    EXPECT_EQ(header->sectionSize(0), 222) << "the same columns again";
}

TEST_F(TfmResultTest, TheValueViewerShowsTheSelectedFieldAndFollowsTheColumn) {
    Bind();
    QStringList shown;
    bool viewerVisible = false;
    view.SetValueViewer([&](const QString& text) { shown << text; }, [&] { return viewerVisible; });
    EXPECT_FALSE(view.Awaiting("acShowViewer"));
    view.dbgResult()->setCurrentIndex(view.Model().index(3, 1));
    emit view.dbgResult()->doubleClicked(view.Model().index(3, 1));
    EXPECT_EQ(shown, QStringList{"row 4"});
    view.dbgResult()->setCurrentIndex(view.Model().index(3, 0));
    EXPECT_EQ(shown.size(), 1) << "the viewer is not showing";
    viewerVisible = true;
    view.dbgResult()->setCurrentIndex(view.Model().index(3, 2));
    EXPECT_EQ(shown, (QStringList{"row 4", ""})) << "a null shows as empty text";
    view.Command("acShowViewer")->Execute();
    EXPECT_EQ(shown.size(), 3);
}

TEST(TfmResultWarningsTest, SpreadsheetWarningsComeInTheirOrder) {
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scoped(sink);
    TfmResult::ShowSpreadsheetWarnings(true, true);
    TfmResult::ShowSpreadsheetWarnings(false, true);
    TfmResult::ShowSpreadsheetWarnings(false, false);
    ASSERT_EQ(sink.boxes.size(), 3u);
    EXPECT_EQ(sink.boxes[0].caption, "Export To Excel");
    EXPECT_EQ(sink.boxes[0].text, "Dates before '01/01/1901' were converted to '01/01/1901'.");
    EXPECT_EQ(sink.boxes[1].text, "Only 65536 rows were exported (Excel bounds).");
    EXPECT_EQ(sink.boxes[2].text, "Only 65536 rows were exported (Excel bounds).");
}

// A stand-in table data set: its order and filter as the table kind reports them.
class TfmResultTableTest : public TfmResultTest {
protected:
    void SetUp() override {
        TfmResultTest::SetUp();
        ClearTableDataSetKinds();
        TTableDataSetKind kind;
        TDataSet* table = ds.get();
        kind.matches = [table](const TDataSet& d) { return &d == table; };
        kind.indexFieldNames = [this](const TDataSet&) { return order; };
        kind.setIndexFieldNames = [this](TDataSet& d, const std::string& o) {
            order = o;
            d.Close();   // a table reads its rows again in the new order
            d.Open();
        };
        kind.filter = [this](const TDataSet&) { return filter; };
        kind.setFilter = [this](TDataSet&, const std::string& f) { filter = f; };
        kind.setFiltered = [this](TDataSet& d, bool on) {
            filterSwitches.push_back(on);
            d.SetFiltered(on);
        };
        RegisterTableDataSetKind(kind);
    }
    void TearDown() override { ClearTableDataSetKinds(); }
    QString Title(int column) { return view.Model().headerData(column, Qt::Horizontal).toString(); }

    std::string order;
    std::string filter;
    std::vector<bool> filterSwitches;
};

TEST_F(TfmResultTableTest, TitleClicksSortTheTableAscendingThenDescending) {
    Bind();
    view.ColumnTitleClicked(0);
    EXPECT_EQ(order, "n");
    EXPECT_EQ(Title(0), "n ^");
    view.ColumnTitleClicked(0);
    EXPECT_EQ(order, "n desc");
    EXPECT_EQ(Title(0), "n v");
    view.ColumnTitleClicked(0);
    EXPECT_EQ(Title(0), "n ^");
    view.ColumnTitleClicked(1);
    EXPECT_EQ(order, "label");
    EXPECT_EQ(Title(1), "label ^");
    EXPECT_EQ(Title(0), "n") << "the mark moves to the sorted column";
}

TEST_F(TfmResultTest, TitleClicksOnAResultSetDoNothing) {
    Bind();
    ClearTableDataSetKinds();
    view.ColumnTitleClicked(0);
    EXPECT_EQ(view.Model().headerData(0, Qt::Horizontal).toString(), "n");
    EXPECT_EQ(ds->RecNo(), 1);
}

TEST_F(TfmResultTableTest, ApplyFilterSetsTheTextThenTheSwitchAndThePicture) {
    Bind();
    view.SetReadOnly(false);
    auto picture = [&](int index) {
        return view.Command("acFilter")->icon().pixmap(32, 32).toImage() == ResultPicture(index).pixmap(32, 32).toImage();
    };
    view.alDataResult().UpdateCommands();
    EXPECT_TRUE(picture(kFilterOffPicture));
    view.ApplyFilter(true, "n > 5");
    EXPECT_EQ(filter, "n > 5");
    EXPECT_TRUE(ds->Filtered());
    view.alDataResult().UpdateCommands();
    EXPECT_TRUE(picture(kFilterOnPicture));
    view.ApplyFilter(false, "");
    EXPECT_FALSE(ds->Filtered());
    EXPECT_EQ(filterSwitches, (std::vector<bool>{true, false})) << "through the table, which re-reads";
    view.alDataResult().UpdateCommands();
    EXPECT_TRUE(picture(kFilterOffPicture));

    // The filter window, once there, edits the current text; blank switches filtering off.
    std::string offered;
    view.SetFilterEditor([&](const std::string& current, const std::string&) -> std::optional<std::string> {
        offered = current;
        return std::string("label like 'row 1%'");
    });
    filter = "n > 1";
    view.Command("acFilter")->Execute();
    EXPECT_EQ(offered, "n > 1");
    EXPECT_EQ(filter, "label like 'row 1%'");
    EXPECT_TRUE(ds->Filtered());
    view.SetFilterEditor([](const std::string&, const std::string&) { return std::optional<std::string>("  \r\n"); });
    view.Command("acFilter")->Execute();
    EXPECT_FALSE(ds->Filtered());
}

TEST(ResultViewsTest, ThreeViewsFillTheirRegionsWithTheirModesAndFonts) {
    QWidget main;
    auto* tsResult = new QWidget(&main);
    new QVBoxLayout(tsResult);
    auto* tsData = new QWidget(&main);
    auto* panel = new QWidget(&main);
    std::array<int, 3> heights{-13, -15, -9};
    std::vector<std::function<void()>> afterLoad;
    QStringList messages;
    TResultViewHost host;
    host.tsResult = tsResult;
    host.tsData = tsData;
    host.pnInPlResult = panel;
    host.gridFontHeights = &heights;
    host.showMessage = [&](const QString& text) { messages << text; };
    host.addAfterLoadStep = [&](std::function<void()> step) { afterLoad.push_back(std::move(step)); };
    const TResultViews views = InstallResultViews(host);

    ASSERT_TRUE(views.result && views.table && views.inPlace);
    EXPECT_EQ(views.result->parentWidget(), tsResult);
    EXPECT_EQ(views.table->parentWidget(), tsData);
    EXPECT_EQ(views.inPlace->parentWidget(), panel);
    EXPECT_EQ(tsResult->layout()->contentsMargins(), QMargins());
    EXPECT_TRUE(views.result->ReadOnly());
    EXPECT_FALSE(views.table->ReadOnly());
    EXPECT_TRUE(views.inPlace->ReadOnly());
    const TResultViews found = ResultViewsOf(&main);
    EXPECT_EQ(found.result, views.result);
    EXPECT_EQ(found.table, views.table);
    EXPECT_EQ(found.inPlace, views.inPlace);

    EXPECT_EQ(views.table->GridFontHeight(), -11) << "the settings are not read yet";
    ASSERT_EQ(afterLoad.size(), 1u);
    afterLoad[0]();
    EXPECT_EQ(views.result->GridFontHeight(), -13);
    EXPECT_EQ(views.table->GridFontHeight(), -15);
    EXPECT_EQ(views.inPlace->GridFontHeight(), -9);
    views.inPlace->FontBigger();
    EXPECT_EQ(heights[2], -10) << "saved at close";

    // The result views count by fetching every row.
    auto ds = StandardRows(1000, 50);
    ds->Open();
    TDataSource source(ds.get());
    views.result->SetDataSource(&source);
    views.inPlace->SetDataSource(&source);
    views.result->Command("acGetRecordCount")->Execute();
    EXPECT_EQ(messages, QStringList{"Rows : 1000"});
    EXPECT_EQ(ds->fetchedRows, 1000);
    EXPECT_EQ(views.result->Model().rowCount(), 1000);
    EXPECT_EQ(views.inPlace->Model().rowCount(), 1000);
    EXPECT_FALSE(views.table->OnRecordCount) << "the table view counts on the server, set by its owner";
}

}  // namespace
}  // namespace varnok
