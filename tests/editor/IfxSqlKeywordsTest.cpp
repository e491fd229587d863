#include "editor/IfxSqlKeywords.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

using namespace varnok;

namespace {

std::vector<std::string> Words(const char* list) {
    std::istringstream in(list);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

// The highlighting engine compares lower-cased text: an upper-case entry would never match.
TEST(IfxSqlKeywords, ListsAreLowerCaseWordsWithoutRepeats) {
    for (const char* list : {IfxSqlKeywords(), IfxSqlFunctions()}) {
        std::set<std::string> seen;
        for (const std::string& w : Words(list)) {
            for (char c : w)
                EXPECT_TRUE((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_') << w;
            EXPECT_TRUE(seen.insert(w).second) << "repeated: " << w;
        }
    }
}

} // namespace
