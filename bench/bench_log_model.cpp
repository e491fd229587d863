// The message log with 100,000 entries: adding them one by one (each its own
// insert notification, as the log does during a long script), reading the
// cells a list view asks for, and building the text form of all of them for
// Save. Goal: each operation on 100,000 entries well under one second.
#include "shell/LogModel.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

constexpr int kEntries = 100'000;

void FillLog(varnok::TLogModel& log) {
    const QString statement = QStringLiteral("select c1, c2, c3 from customer where customer_num > 100");
    for (int i = 0; i < kEntries; ++i)
        log.AddLogEntry(static_cast<uint32_t>(i), QStringLiteral("1 row(s) fetched"), statement, i % 50);
}

void BM_AddLogEntry100k(benchmark::State& state) {
    for (auto _ : state) {
        varnok::TLogModel log;
        FillLog(log);
        benchmark::DoNotOptimize(log.rowCount());
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_AddLogEntry100k)->Unit(benchmark::kMillisecond);

void BM_ReadAllCells100k(benchmark::State& state) {
    varnok::TLogModel log;
    FillLog(log);
    for (auto _ : state) {
        qsizetype chars = 0;
        for (int row = 0; row < kEntries; ++row)
            for (int column = 0; column < varnok::TLogModel::ColumnCount; ++column)
                chars += log.data(log.index(row, column)).toString().size();
        benchmark::DoNotOptimize(chars);
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_ReadAllCells100k)->Unit(benchmark::kMillisecond);

void BM_TextForm100k(benchmark::State& state) {
    varnok::TLogModel log;
    FillLog(log);
    for (auto _ : state)
        benchmark::DoNotOptimize(log.AllEntriesText().size());
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_TextForm100k)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
