// Hostile SQL through the public entry points: variants of every statement of
// the tests and of the demo script are prepared, described, executed or
// opened and fetched, and must fail cleanly (a known code, an offset inside
// the text), never crash or hang. The default run is short and fixed;
// IFXSIM_FUZZ_ITERATIONS=<n> (and IFXSIM_FUZZ_SEED=<n>) runs a long one,
// IFXSIM_FUZZ_TRACE=<file> keeps the statement being run in that file.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ifxsim/fuzz_mutator.h"
#include "ifxsim/fuzz_runner.h"
#include "ifxsim/stmt_fixture.h"

namespace stmt_test {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> LoadCorpus() {
    std::vector<std::string> out;
    std::ifstream in(VARNOK_FUZZ_CORPUS);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) out.push_back(line);
    return out;
}

long EnvNumber(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

// Statements that would take the test's database or connection away.
bool LeavesTheDatabase(const std::string& sql) {
    const std::string s = Lower(sql.c_str());
    return s.find("database") != std::string::npos || s.find("connect") != std::string::npos;
}

class StatementFuzz : public StmtFixture {
protected:
    void SetUp() override {
        StmtFixture::SetUp();
        corpus_ = LoadCorpus();
        ASSERT_GT(corpus_.size(), 500u) << "corpus " << VARNOK_FUZZ_CORPUS;
    }

    void Run(const std::string& sql, bool immediate) {
        if (LeavesTheDatabase(sql)) return;
        if (const char* trace = std::getenv("IFXSIM_FUZZ_TRACE")) {
            if (std::FILE* f = std::fopen(trace, "wb")) {
                std::fwrite(sql.data(), 1, sql.size(), f);
                std::fclose(f);
            }
        }
        watchdog_.begin(sql);
        const fuzz_test::Outcome outcome = fuzz_test::RunStatement(sql, immediate);
        if (watchdog_.end()) {
            ++broken_;
            if (std::getenv("IFXSIM_FUZZ_ITERATIONS"))
                std::fprintf(stderr, "fuzz: broken after the time limit (code %d): %.300s\n", outcome.code,
                             sql.c_str());
        }
        ++run_;
        const std::string problem = fuzz_test::OutcomeProblem(sql, outcome);
        if (!problem.empty() && ++problems_ <= 20)
            ADD_FAILURE() << problem << "\n  statement (" << sql.size() << " bytes): " << sql.substr(0, 400);
    }

    std::vector<std::string> corpus_;
    fuzz_test::Watchdog watchdog_{std::chrono::milliseconds(EnvNumber("IFXSIM_FUZZ_BREAK_MS", 3000)),
                                  std::chrono::milliseconds(EnvNumber("IFXSIM_FUZZ_HANG_MS", 60000))};
    long run_ = 0, broken_ = 0, problems_ = 0;
};

TEST_F(StatementFuzz, HostileVariantsFailCleanly) {
    const long iterations = EnvNumber("IFXSIM_FUZZ_ITERATIONS", 0);
    const bool longRun = iterations > 0;
    // The tables the statements name: the whole corpus in a long run, its
    // CREATE statements otherwise.
    for (const auto& sql : corpus_)
        if (longRun || Lower(sql).rfind("create", 0) == 0) Run(sql, false);
    fuzz_test::StatementMutator mutator(static_cast<std::uint32_t>(EnvNumber("IFXSIM_FUZZ_SEED", 20261209)));
    std::mt19937 pick(static_cast<std::uint32_t>(EnvNumber("IFXSIM_FUZZ_SEED", 20261209)));
    const long total = longRun ? iterations : 400;
    for (long i = 0; i < total; ++i) {
        const std::string& a = corpus_[pick() % corpus_.size()];
        const std::string sql = pick() % 8 == 0 ? mutator.splice(a, corpus_[pick() % corpus_.size()])
                                                : mutator.mutate(a);
        Run(sql, pick() % 4 == 0);
        if (longRun && i % 1000 == 0)
            std::fprintf(stderr, "fuzz: %ld of %ld variants, %ld broken, %ld problems\n", i, total, broken_,
                         problems_);
    }
    std::fprintf(stderr, "fuzz: %ld statements run, %ld broken by the watchdog, %ld problems\n", run_, broken_,
                 problems_);
    EXPECT_EQ(problems_, 0);
}

// The token split keeps quoted texts, comments and two-character marks whole.
TEST(StatementFuzzTokens, SplitKeepsQuotesAndMarksWhole) {
    EXPECT_EQ(fuzz_test::SplitTokens("select 'a b', x::int8 from t{c d} where a<>1 -- z"),
              (std::vector<std::string>{"select", "'a b'", ",", "x", "::", "int8", "from", "t", "{c d}", "where",
                                        "a", "<>", "1", "-- z"}));
}

}  // namespace
}  // namespace stmt_test
