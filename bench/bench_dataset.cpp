// The query data set over a stand-in database (timed program):
//  (a) time to the first row of TIfxQuery::Open on 10,000 and on N rows —
//      it should not depend on the size of the result;
//  (b) RecordCount (every row fetched into the cache) in rows per second,
//      against the same SELECT stepped directly with sqlite3 on the
//      stand-in's database file, and fetched by a plain statement without a
//      cache (the stand-in's own share);
//  (c) bytes per cached row against the sum of the row's field buffers (the
//      library representation of each value and its indicator), for a mixed
//      10-column row and for 10 INTEGER columns; the goal is at most 1.5×.
//
// N is 1,000,000, or the first argument, or VARNOK_BENCH_ROWS. The database
// is built once (a recursive insert through the stand-in) and kept in
// $TMPDIR/varnok-bench-dataset-N, so later runs start at once.
#include <malloc.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchStandIn.h"
#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxSQL.h"

namespace fs = std::filesystem;
using namespace varnok;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The calling thread's CPU time: steadier than wall time on a shared machine.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Rows per second by the wall clock and by the thread's CPU time.
struct TRate {
    double wall = 0;
    double cpu = 0;
};

class TRateTimer {
public:
    TRateTimer() : wall_(Clock::now()), cpu_(CpuSeconds()) {}
    TRate Rate(double rows) const {
        return {rows / Seconds(Clock::now() - wall_), rows / std::max(CpuSeconds() - cpu_, 1e-9)};
    }

private:
    Clock::time_point wall_;
    double cpu_;
};

// Median of the times to open (prepare, describe, open the cursor, first packet).
double TimeToFirstRow(TIfxConnection& db, TIfxFieldTypes& types, const std::string& table) {
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        TIfxQuery q;
        q.SetConnection(&db);
        q.SetFieldTypes(&types);
        q.SetCacheHandle(false);
        q.SetPacketRecords(50);
        q.SetSQLText("select * from " + table);
        const auto start = Clock::now();
        q.Open();
        times.push_back(Seconds(Clock::now() - start));
        if (q.Eof()) std::fprintf(stderr, "no rows in %s\n", table.c_str());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

TRate RecordCountRate(TIfxConnection& db, TIfxFieldTypes& types, long& counted) {
    TIfxQuery q;
    q.SetConnection(&db);
    q.SetFieldTypes(&types);
    q.SetPacketRecords(50);
    q.SetSQLText("select * from big");
    const TRateTimer timer;
    q.Open();
    counted = q.RecordCount();
    return timer.Rate(counted);
}

// The same rows through a plain statement, without a row cache: what the
// stand-in's fetch itself costs.
TRate FetchOnlyRate(TIfxConnection& db) {
    TIfxSQL sql;
    sql.SetConnection(&db);
    sql.SetSQLText("select * from big");
    const TRateTimer timer;
    sql.Open();
    long rows = 0;
    while (!sql.EndOfRows()) {
        ++rows;
        sql.FetchNext();
    }
    return timer.Rate(rows);
}

TRate SqliteRate(const fs::path& file, long& stepped) {
    sqlite3* handle = nullptr;
    if (sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite3: cannot open %s\n", file.c_str());
        return {};
    }
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(handle, "SELECT * FROM big", -1, &stmt, nullptr);
    const TRateTimer timer;
    stepped = 0;
    long long sink = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const int n = sqlite3_column_count(stmt);
        for (int i = 0; i < n; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER: sink += sqlite3_column_int64(stmt, i); break;
            case SQLITE_FLOAT: sink += static_cast<long long>(sqlite3_column_double(stmt, i)); break;
            default: sink += sqlite3_column_bytes(stmt, i); break;
            }
        }
        ++stepped;
    }
    const TRate rate = timer.Rate(stepped);
    sqlite3_finalize(stmt);
    sqlite3_close(handle);
    if (sink == 42) std::puts("");
    return rate;
}

struct TMemory {
    int rows;
    double slotBytes;   // allocator pages per row (slot: header, data area)
    double heapBytes;   // heap growth per row (pages and the allocator's own bookkeeping)
    double fieldBytes;  // sum of the row's field buffers: value representation + indicator
};

TMemory RowMemory(TIfxConnection& db, TIfxFieldTypes& types, const std::string& sql) {
    TIfxQuery q;
    q.SetConnection(&db);
    q.SetFieldTypes(&types);
    q.SetPacketRecords(-1);
    q.SetSQLText(sql);
    q.Prepare();
    const std::size_t before = mallinfo2().uordblks;
    q.Open();
    const int rows = q.RecordCount();
    const std::size_t after = mallinfo2().uordblks;
    double fields = 0;
    TIfxFields& columns = q.OutputFields();
    for (int i = 0; i < columns.Count(); ++i) fields += columns[i].Value()->BufferSize() + sizeof(int2);
    return {rows, static_cast<double>(q.Impl()->Allocator().ReservedBytes()) / rows,
            static_cast<double>(after - before) / rows, fields};
}

}  // namespace

int main(int argc, char** argv) {
    const long rows = BenchRowCount(argc, argv);
    BindBenchStandIn();
    const fs::path root = PrepareBenchServer(rows);

    TIfxConnection db;
    db.Params() = {std::string("INFORMIXSERVER=") + kBenchServer, "WIN32USER=bench", "WIN32PASS="};
    try {
        OpenBenchDatabase(db, root, rows);
        TIfxFieldTypes native;   // as the result grid has them
        native.SetAllNative(true);
        TIfxFieldTypes plain;    // as the catalog queries have them

        std::printf("rows: %ld (database %s)\n\n", rows, (root / "data" / "bench.db").c_str());
        const double small = TimeToFirstRow(db, native, "small");
        const double big = TimeToFirstRow(db, native, "big");
        std::printf("(a) time to first row, Open with PacketRecords 50 (median of 7)\n");
        std::printf("    %7d rows: %8.3f ms\n    %7ld rows: %8.3f ms   (ratio %.2f)\n\n", kBenchSmallRows, small * 1e3,
                    rows, big * 1e3, big / small);

        long counted = 0, stepped = 0;
        const TRate nativeRate = RecordCountRate(db, native, counted);
        const TRate plainRate = RecordCountRate(db, plain, counted);
        const TRate fetchRate = FetchOnlyRate(db);
        const TRate sqliteRate = SqliteRate(root / "data" / "bench.db", stepped);
        std::printf("(b) RecordCount over %ld rows of 10 mixed columns (goal: at most 2x the sqlite3 time)\n",
                    counted);
        std::printf("                     wall clock                       | thread CPU time\n");
        const std::pair<const char*, TRate> lines[] = {
            {"native fields:  ", nativeRate}, {"ordinary fields:", plainRate}, {"TIfxSQL fetch:  ", fetchRate}};
        for (const auto& [label, rate] : lines)
            std::printf("    %s %10.0f rows/s (%.2fx slower than sqlite3) | %10.0f rows/s (%.2fx)\n", label,
                        rate.wall, sqliteRate.wall / rate.wall, rate.cpu, sqliteRate.cpu / rate.cpu);
        std::printf("    sqlite3 step:    %10.0f rows/s (%ld rows)               | %10.0f rows/s\n", sqliteRate.wall,
                    stepped, sqliteRate.cpu);
        std::printf("    (TIfxSQL fetch: a plain statement without a row cache, the stand-in's own share)\n\n");

        std::printf("(c) bytes per cached row, native fields (goal: at most 1.5x the field buffers)\n");
        const std::pair<const char*, std::string> shapes[] = {
            {"10 mixed columns", "select * from big where id <= " + std::to_string(kBenchMemoryRows)},
            {"10 INTEGER columns", "select * from ints"},
        };
        for (const auto& [label, sql] : shapes) {
            const TMemory m = RowMemory(db, native, sql);
            std::printf("    %-18s %6d rows: fields %4.0f B | slot %6.1f B (%.2fx) | heap %6.1f B (%.2fx)\n",
                        label, m.rows, m.fieldBytes, m.slotBytes, m.slotBytes / m.fieldBytes, m.heapBytes,
                        m.heapBytes / m.fieldBytes);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_dataset: %s\n", e.what());
        return 1;
    }
    return 0;
}
