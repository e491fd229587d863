#include "bench/BenchStandIn.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxLibrary.h"

namespace fs = std::filesystem;

namespace varnok {

namespace {

std::string Numbers(long n) {
    return "(with recursive c(n) as (select 1 union all select n + 1 from c where n < " + std::to_string(n) +
           ") select n from c)";
}

} // namespace

long BenchRowCount(int argc, char** argv) {
    long rows = 1'000'000;
    if (const char* env = std::getenv("VARNOK_BENCH_ROWS")) rows = std::atol(env);
    if (argc > 1) rows = std::atol(argv[1]);
    return std::max<long>(rows, kBenchSmallRows);
}

void BindBenchStandIn() {
    const std::string path = ExecutableFolder() + "/" + kIfxLibraryFileName;
    try {
        LoadIfxClientLibrary(path);
        return;
    } catch (const std::exception&) {
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
        std::exit(1);
    }
    static TIfxLibrary table;
#define VARNOK_FIND(name) table.name = reinterpret_cast<decltype(table.name)>(dlsym(handle, #name));
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_FIND)
    VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_FIND)
#undef VARNOK_FIND
    InstallIfxClientTable(table);
}

fs::path PrepareBenchServer(long rows) {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path root = fs::path(tmp ? tmp : "/tmp") / ("varnok-bench-dataset-" + std::to_string(rows));
    fs::create_directories(root);
    const fs::path hosts = root / "sqlhosts";
    std::ofstream(hosts) << kBenchServer << " onsqlite localhost " << (root / "data").string() << "\n";
    const TIfxLibrary& lib = Ifx();
    lib.ifx_putenv(("INFORMIXSQLHOSTS=" + hosts.string()).c_str());
    lib.ifx_putenv((std::string("INFORMIXSERVER=") + kBenchServer).c_str());
    ::setenv("INFORMIXSQLHOSTS", hosts.c_str(), 1);
    return root;
}

void OpenBenchDatabase(TIfxConnection& db, const fs::path& root, long rows) {
    const fs::path done = root / "complete";
    if (fs::exists(done)) {
        db.Params().push_back("DATABASE=bench");
        db.Open();
        return;
    }
    std::fprintf(stderr, "building %ld rows in %s (once)...\n", rows, root.c_str());
    fs::remove_all(root / "data");
    db.Open();
    db.ExecuteDirect("create database bench");
    const char* columns =
        "(id integer, s smallint, c char(20), vc varchar(40), f float, d decimal(12,2), dt date, "
        "ts datetime year to second, b boolean, i8 int8)";
    const char* values =
        "select n, n / 1000, 'name ' || n, 'a longer text ' || n, n * 0.5, n * 1.25, '01/15/2024', "
        "'2024-01-15 10:20:30', 't', n * 1000000 from ";
    db.ExecuteDirect(std::string("create table big ") + columns);
    db.ExecuteDirect(std::string("insert into big ") + values + Numbers(rows));
    db.ExecuteDirect(std::string("create table small ") + columns);
    db.ExecuteDirect("insert into small select * from big where id <= " + std::to_string(kBenchSmallRows));
    db.ExecuteDirect("create table ints (a integer, b integer, c integer, d integer, e integer, f integer, "
                     "g integer, h integer, i integer, j integer)");
    db.ExecuteDirect("insert into ints select n, n, n, n, n, n, n, n, n, n from " +
                     Numbers(std::min<long>(rows, kBenchMemoryRows)));
    std::ofstream(done) << rows << "\n";
}

} // namespace varnok
