// Paint time of one screen of the result grid while scrolling through
// 1,000,000 fetched rows, and what it costs to get them there: fetching
// packet by packet as the grid scrolls, and the index walk after a move.
// A timed program (the grid needs a QApplication); run with
// QT_QPA_PLATFORM=offscreen. Prints the figures.
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "dbaccess/DataSource.h"
#include "results/DataSetFetch.h"
#include "results/ui/ResultTableModel.h"
#include "results/ui/TfmResult.h"
#include "tests/results/GeneratedRows.h"

namespace {

using varnok::testing::TGeneratedRows;

constexpr int kRows = 1000000;

std::vector<std::pair<std::string, varnok::TFieldType>> Columns() {
    using varnok::TFieldType;
    return {{"id", TFieldType::ftInteger},   {"customer", TFieldType::ftString}, {"city", TFieldType::ftString},
            {"amount", TFieldType::ftFloat}, {"code", TFieldType::ftInteger},    {"note", TFieldType::ftString}};
}

std::optional<std::string> Cell(int row, int column) {
    switch (column) {
    case 0: return std::to_string(row + 1);
    case 1: return "customer " + std::to_string(row % 977);
    case 2: return row % 5 == 0 ? std::nullopt : std::optional<std::string>("city " + std::to_string(row % 31));
    case 3: return std::to_string((row % 10000) / 100.0);
    case 4: return std::to_string(row % 65536);
    default: return row % 3 == 0 ? std::optional<std::string>("some longer note text for row " + std::to_string(row))
                                 : std::nullopt;
    }
}

struct TStats {
    double min, median, p95, max, mean;
};

TStats Summarise(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double v : ms) sum += v;
    const auto at = [&](double q) { return ms[std::min(ms.size() - 1, static_cast<std::size_t>(q * ms.size()))]; };
    return {ms.front(), at(0.5), at(0.95), ms.back(), sum / ms.size()};
}

void Print(const char* what, const TStats& s, std::size_t n) {
    std::printf("%-44s n=%-5zu min %7.3f  median %7.3f  p95 %7.3f  max %7.3f  mean %7.3f ms\n", what, n, s.min,
                s.median, s.p95, s.max, s.mean);
}

// One screen: the grid's viewport rendered into an image, as a repaint would.
double PaintScreen(QTableView* grid, QImage& image) {
    QElapsedTimer t;
    t.start();
    image.fill(Qt::white);
    QPainter painter(&image);
    grid->viewport()->render(&painter);
    painter.end();
    return t.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TGeneratedRows ds(Columns(), kRows, Cell);
    ds.SetPacketRecords(50);
    ds.Open();
    varnok::TDataSource source(&ds);
    varnok::TfmResult view;
    view.resize(1200, 800);
    view.SetDataSource(&source);
    view.show();
    QApplication::processEvents();
    QTableView* grid = view.dbgResult();
    QScrollBar* bar = grid->verticalScrollBar();
    QImage image(grid->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    const int rowsOnScreen = grid->viewport()->height() / grid->verticalHeader()->defaultSectionSize();
    std::printf("grid %dx%d, %d columns, about %d rows on screen\n", grid->viewport()->width(),
                grid->viewport()->height(), view.Model().columnCount(), rowsOnScreen);

    // 1. Scrolling to the end packet by packet: the grid asks for 50 rows at a time.
    {
        QElapsedTimer t;
        t.start();
        const int target = 100000;
        std::vector<double> each;
        while (view.Model().rowCount() < target && view.Model().canFetchMore({})) {
            QElapsedTimer step;
            step.start();
            bar->setValue(bar->maximum());
            QApplication::processEvents();
            each.push_back(step.nsecsElapsed() / 1e6);
        }
        // Equal figures at the start and the end: a step does not grow with the rows already there.
        Print("  one step, the first 200", Summarise({each.begin(), each.begin() + 200}), 200);
        Print("  one step, the last 200", Summarise({each.end() - 200, each.end()}), 200);
        const double ms = t.nsecsElapsed() / 1e6;
        const int steps = (view.Model().rowCount() - 50) / 50;
        std::printf("scroll to the end %d times (a packet of 50 and a repaint each): %.1f ms, %.2f ms per step; "
                    "%d rows\n", steps, ms, ms / steps, view.Model().rowCount());
    }

    // 2. The rest at once, as Record Count does (fetch all, then one index walk).
    {
        QElapsedTimer t;
        t.start();
        const int count = varnok::CountAllRows(ds);
        std::printf("record count of %d rows (fetch the rest + index): %.1f ms\n", count, t.nsecsElapsed() / 1e6);
    }
    QApplication::processEvents();
    if (view.Model().rowCount() != kRows) {
        std::fprintf(stderr, "expected %d rows in the grid, have %d\n", kRows, view.Model().rowCount());
        return 1;
    }

    // 3. Paint one screen at positions spread over the million rows.
    std::vector<double> spread;
    for (int i = 0; i <= 400; ++i) {
        bar->setValue(static_cast<int>(static_cast<long long>(bar->maximum()) * i / 400));
        QApplication::processEvents();
        spread.push_back(PaintScreen(grid, image));
    }
    Print("paint one screen, 401 positions over 1M rows", Summarise(spread), spread.size());

    // 4. Paging down a screen at a time in the middle of the rows.
    std::vector<double> paging;
    bar->setValue(kRows / 2);
    for (int i = 0; i < 300; ++i) {
        bar->setValue(bar->value() + rowsOnScreen);
        QApplication::processEvents();
        paging.push_back(PaintScreen(grid, image));
    }
    Print("paint one screen, paging down 300 screens", Summarise(paging), paging.size());

    // 5. Moving the current row: a step (scrolled notice) and a jump (changed notice, index walk).
    std::vector<double> steps, jumps;
    grid->setCurrentIndex(view.Model().index(kRows / 2, 0));
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        ds.Next();
        QApplication::processEvents();
        steps.push_back(t.nsecsElapsed() / 1e6);
    }
    for (int i = 0; i < 20; ++i) {
        QElapsedTimer t;
        t.start();
        grid->setCurrentIndex(view.Model().index((i * 48611) % kRows, 0));
        QApplication::processEvents();
        jumps.push_back(t.nsecsElapsed() / 1e6);
    }
    Print("Next Record (grid follows)", Summarise(steps), steps.size());
    Print("click on a far row (grid moves the data set)", Summarise(jumps), jumps.size());
    return 0;
}
