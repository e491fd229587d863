// The real main window over the stand-in database of bench_dataset (timed
// program; QT_QPA_PLATFORM=offscreen is the default):
//  (a) from giving Execute of "select * from <table>" to the first rows
//      painted in the Result grid — the run ended, the grid's model holds
//      rows, and the grid's viewport has been painted (grab()) — for the
//      10,000-row table and the N-row one: it should not depend on the size;
//  (b) with all N rows fetched into the grid (Record Count), the time to
//      paint one screen while paging down, and at positions spread over the
//      rows.
//
// N is 1,000,000, or the first argument, or VARNOK_BENCH_ROWS; the database
// is built once and kept in $TMPDIR/varnok-bench-dataset-N (BenchStandIn.h).
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchMainWindow.h"
#include "bench/BenchStandIn.h"
#include "dbaccess/IfxConnection.h"
#include "results/ui/TfmResult.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/TfmMain.h"

using namespace varnok;

namespace {

constexpr int kOpenRepeats = 7;
constexpr int kPageRepeats = 300;
constexpr int kSpreadPositions = 200;

struct TStats {
    double median, p95, max;
};

TStats Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double q) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * ms.size()))];
    };
    return {at(0.5), at(0.95), ms.back()};
}

void Print(const std::string& what, const std::vector<double>& ms) {
    const TStats s = Summarise(ms);
    std::printf("    %-46s n=%-4zu median %8.3f  p95 %8.3f  max %8.3f ms\n", what.c_str(), ms.size(),
                s.median, s.p95, s.max);
}

// One Execute up to the first rows on screen, in milliseconds; -1 on failure.
double FirstRowsPainted(TBenchMainWindow& main, const std::string& table) {
    QTableView* grid = main.ResultGrid();
    QElapsedTimer clock;
    clock.start();
    main.StartExecute(QString::fromStdString("select * from " + table));
    // The run hands its events to this thread: keep them flowing, without
    // sleeping between them.
    while (main.Window().Executing() || grid->model()->rowCount() == 0) {
        if (clock.elapsed() > 120000) return -1;
        QCoreApplication::processEvents();
    }
    const QPixmap painted = grid->viewport()->grab();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (painted.isNull()) return -1;
    return ms;
}

double PaintScreen(QTableView* grid) {
    QElapsedTimer clock;
    clock.start();
    const QPixmap painted = grid->viewport()->grab();
    const double ms = clock.nsecsElapsed() / 1e6;
    return painted.isNull() ? -1 : ms;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const long rows = BenchRowCount(argc, argv);
    BindBenchStandIn();
    const auto root = PrepareBenchServer(rows);
    {
        TIfxConnection db; // builds the database on the first run
        db.Params() = {std::string("INFORMIXSERVER=") + kBenchServer, "WIN32USER=bench", "WIN32PASS="};
        try {
            OpenBenchDatabase(db, root, rows);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "bench_first_rows: %s\n", e.what());
            return 1;
        }
    }

    QApplication app(argc, argv);
    TBenchMainWindow main(QSize(1280, 800));
    try {
        main.Connect(kBenchServer, "bench", "bench");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_first_rows: connect: %s\n", e.what());
        return 1;
    }
    main.ShowMainTab(1); // the Result tab, so its grid paints
    QTableView* grid = main.ResultGrid();
    std::printf("rows: %ld (database %s), main window 1280x800, grid viewport %dx%d\n\n", rows,
                (root / "data" / "bench.db").c_str(), grid->viewport()->width(), grid->viewport()->height());

    std::printf("(a) Execute to the first rows painted in the Result grid (%d runs each)\n", kOpenRepeats);
    for (const auto& [table, count] :
         {std::pair<std::string, long>{"small", kBenchSmallRows}, {"big", rows}}) {
        std::vector<double> times;
        for (int i = 0; i < kOpenRepeats; ++i) {
            const double ms = FirstRowsPainted(main, table);
            if (ms < 0) {
                std::fprintf(stderr, "the run over %s showed no rows: %s\n", table.c_str(),
                             main.StatusMessage().toUtf8().constData());
                return 1;
            }
            times.push_back(ms);
        }
        Print("select * from " + table + " (" + std::to_string(count) + " rows)", times);
    }
    std::printf("    grid rows after the run: %d, status \"%s\"\n\n", grid->model()->rowCount(),
                main.StatusMessage().toUtf8().constData());

    // (b) Every row into the grid, as Record Count does it.
    QElapsedTimer clock;
    clock.start();
    main.Result().Command("acGetRecordCount")->Execute();
    QCoreApplication::processEvents();
    std::printf("(b) Record Count: %d rows in the grid after %.1f s (status \"%s\")\n",
                grid->model()->rowCount(), clock.elapsed() / 1000.0,
                main.StatusMessage().toUtf8().constData());
    if (grid->model()->rowCount() != rows) {
        std::fprintf(stderr, "expected %ld rows in the grid\n", rows);
        return 1;
    }
    QScrollBar* bar = grid->verticalScrollBar();
    const int rowsOnScreen =
        std::max(1, grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize());

    std::vector<double> paging;
    bar->setValue(bar->maximum() / 2);
    QCoreApplication::processEvents();
    for (int i = 0; i < kPageRepeats; ++i) {
        bar->setValue(bar->value() + rowsOnScreen);
        QCoreApplication::processEvents();
        paging.push_back(PaintScreen(grid));
    }
    Print("paint one screen, paging down " + std::to_string(kPageRepeats) + " screens", paging);

    std::vector<double> spread;
    for (int i = 0; i <= kSpreadPositions; ++i) {
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * i / kSpreadPositions));
        QCoreApplication::processEvents();
        spread.push_back(PaintScreen(grid));
    }
    Print("paint one screen, positions over all rows", spread);
    std::printf("    (about %d rows on a screen)\n", rowsOnScreen);
    return 0;
}
