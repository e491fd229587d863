// SplitScript over a generated 100 MB script of ordinary statements with
// quoted text and the four comment forms, and stored routines whose bodies
// hold semicolons, END IF and END FOR. Reports MB/s (1 MB = 10^6 bytes);
// the goal is at least 200 MB/s.
#include "execution/SplitScript.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr std::size_t kScriptBytes = 100'000'000;

// The blocks repeat until the script reaches its size; each block mixes the
// constructs the scanner treats specially.
const char* const kBlocks[] = {
    "select c1, 'a;b', \"x;y\" from tab1 where c2 = 'it''s' and c3 > 10; -- tail; comment\n",
    "{ brace; comment } insert into tab2 values (1, 'text with ; inside', 3.5);\r\n",
    "/* block; comment */ update tab3 set c1 = c1 + 1 where c2 / 2 - 1 = 0;\n",
    "create procedure proc_a(a int) returning int;\n"
    "  define i int;\n"
    "  if a > 0 then let i = 1; else let i = 2; end if;\n"
    "  for i = 1 to 10 let a = a + i; end for;\n"
    "  return a;\n"
    "end procedure;\n",
    "CREATE DBA FUNCTION fn_b() RETURNING INT; -- body\n  RETURN 1; END FUNCTION;\n",
    "create function ext_c(int) returning int external name '/lib/x.so(c)' language c;\n",
    "delete from tab4 where name matches '*;*' /* star */*/ and 1 = 1;\n",
};

const std::string& Script() {
    static const std::string script = [] {
        std::string s;
        s.reserve(kScriptBytes + 512);
        for (std::size_t i = 0; s.size() < kScriptBytes; ++i) s += kBlocks[i % std::size(kBlocks)];
        return s;
    }();
    return script;
}

void BM_SplitScript(benchmark::State& state) {
    const std::string& script = Script();
    std::size_t statements = 0;
    for (auto _ : state) {
        statements = 0;
        varnok::SplitScript(script, [&](std::string_view text, std::size_t start) {
            benchmark::DoNotOptimize(text.data());
            benchmark::DoNotOptimize(start);
            ++statements;
            return varnok::TSplitAction::Continue;
        });
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * script.size()));
    state.counters["statements"] = static_cast<double>(statements);
    state.counters["script_MB"] = static_cast<double>(script.size()) / 1e6;
}
BENCHMARK(BM_SplitScript)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One plain timed pass after the benchmark, printed as a figure to quote.
void PrintPlainFigure() {
    const std::string& script = Script();
    std::size_t statements = 0;
    const auto t0 = std::chrono::steady_clock::now();
    varnok::SplitScript(script, [&](std::string_view, std::size_t) {
        ++statements;
        return varnok::TSplitAction::Continue;
    });
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double mb = static_cast<double>(script.size()) / 1e6;
    std::printf("SplitScript: %.1f MB, %zu statements, %.1f ms, %.0f MB/s\n", mb, statements, seconds * 1e3,
                mb / seconds);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintPlainFigure();
    return 0;
}
