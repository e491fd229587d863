// Whatever the script, the statements handed over are consecutive pieces of
// it: nothing is skipped or repeated between them, and only what follows the
// last statement in the idle state is left out.
#include "execution/SplitScript.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace varnok {
namespace {

const char* const kFragments[] = {
    "select", " ", ";", "'a;b'", "\"x;y\"", "{;}", "--;\n", "/*;*/", "*/", "/*", "-", "/", "create", "procedure",
    "function", "dba", "end", "if", "external", "name", "\r\n", "1", "_", "'", "\"", "{", "\xC3\xA9", "END", "x",
};

std::string RandomScript(std::mt19937& rng) {
    std::string s;
    const int pieces = static_cast<int>(rng() % 60);
    for (int i = 0; i < pieces; ++i) {
        s += kFragments[rng() % std::size(kFragments)];
        if (rng() % 2) s += ' ';
    }
    return s;
}

TEST(SplitScriptProperty, StatementsAreConsecutivePiecesOfTheScript) {
    std::mt19937 rng(42);
    for (int round = 0; round < 20000; ++round) {
        const std::string script = RandomScript(rng);
        const auto statements = SplitScriptToList(script);
        std::size_t next = 1;  // where the next statement must start
        for (std::size_t i = 0; i < statements.size(); ++i) {
            const auto& st = statements[i];
            ASSERT_EQ(st.StartIndex, next) << script;
            ASSERT_EQ(st.Text.data(), script.data() + st.StartIndex - 1) << script;
            ASSERT_FALSE(st.Text.empty()) << script;
            const bool last = i + 1 == statements.size();
            if (!last) ASSERT_EQ(st.Text.back(), ';') << script;
            next += st.Text.size();
        }
        // What is left runs nothing, so it must split to nothing on its own.
        if (next <= script.size()) {
            const std::string rest = script.substr(next - 1);
            ASSERT_TRUE(SplitScriptToList(rest).empty()) << script;
        }
    }
}

}  // namespace
}  // namespace varnok
