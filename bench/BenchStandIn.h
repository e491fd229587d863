#pragma once
// The stand-in server the timed programs share: the client library beside
// the program, and the database "bench" built once per size and kept in
// $TMPDIR/varnok-bench-dataset-N, so later runs (of any of the programs)
// start at once. The database holds
//   big   N rows of 10 mixed columns (id 1..N),
//   small its first kBenchSmallRows rows,
//   ints  min(N, kBenchMemoryRows) rows of 10 INTEGER columns.
#include <filesystem>
#include <string>

namespace varnok {

class TIfxConnection;

inline constexpr int kBenchSmallRows = 10'000;
inline constexpr int kBenchMemoryRows = 100'000;
inline constexpr const char* kBenchServer = "benchsrv";

// The row count a program runs with: its first argument, else
// VARNOK_BENCH_ROWS, else 1,000,000; never below kBenchSmallRows.
long BenchRowCount(int argc, char** argv);

// Binds the stand-in client library beside the program (a library that
// still lacks entry points the data set never calls is installed with what
// it has); ends the program when there is none.
void BindBenchStandIn();

// The folder of the database of `rows` rows, with a sqlhosts file naming
// kBenchServer made known to the client library (and to the process
// environment, for code that reads it there).
std::filesystem::path PrepareBenchServer(long rows);

// Opens `db` (its Params set by the caller) on the database, building it
// first when the folder does not hold a complete one.
void OpenBenchDatabase(TIfxConnection& db, const std::filesystem::path& root, long rows);

} // namespace varnok
