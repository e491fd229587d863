#include "editor/PageLogLine.h"

#include <gtest/gtest.h>

using namespace varnok;

namespace {

TEST(PageLogLine, DurationResultAndStatementSeparatedByTabs) {
    EXPECT_EQ(FormatPageLogLine("00:00:01.250", "3 row(s) retrieved", "select * from t"),
              "00:00:01.250\t3 row(s) retrieved\tselect * from t");
}

TEST(PageLogLine, StatementIsCutAfterEightyCharacters) {
    const std::string statement = "select " + std::string(100, 'x');
    const std::string line = FormatPageLogLine("d", "m", statement);
    EXPECT_EQ(line, "d\tm\t" + statement.substr(0, 80));
}

TEST(PageLogLine, CutCountsCharactersNotBytes) {
    std::string statement;
    for (int i = 0; i < 90; ++i) statement += "\xD0\xB6";  // two bytes per letter
    const std::string line = FormatPageLogLine("d", "m", statement);
    EXPECT_EQ(line, "d\tm\t" + statement.substr(0, 160));
}

TEST(PageLogLine, ShortStatementIsKeptWhole) {
    EXPECT_EQ(FormatPageLogLine("", "", std::string(80, 'y')), "\t\t" + std::string(80, 'y'));
}

}  // namespace
