#include "execution/ScriptErrors.h"
#include "execution/StatementResultText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace varnok {
namespace {

struct TextCase {
    int type;
    std::int32_t processed;
    bool allFetched;
    std::int32_t count;
    const char* text;
};

class StatementResultTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(StatementResultTexts, TextForCode) {
    const auto& c = GetParam();
    EXPECT_EQ(StatementResultText(c.type, c.processed, c.allFetched, c.count), c.text)
        << "type " << c.type;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StatementResultTexts,
    ::testing::Values(
        // SELECT counts the data set, not the processed rows.
        TextCase{2, 99, true, 7, "7 row(s) retrieved."}, TextCase{2, 99, false, 100, "100 row(s) fetched."},
        TextCase{2, 0, false, 0, "0 row(s) fetched."},
        // The counted texts use the processed rows and ignore the data set.
        TextCase{3, 12, true, 5, "12 row(s) retrieved into temp table."},
        TextCase{4, 3, false, 9, "3 row(s) updated."}, TextCase{33, 1000000, false, 0, "1000000 row(s) updated."},
        TextCase{5, 2, false, 0, "2 row(s) deleted."}, TextCase{32, 0, false, 0, "0 row(s) deleted."},
        TextCase{6, 1, false, 0, "1 row(s) inserted."}, TextCase{9, 40, false, 0, "40 row(s) inserted."},
        TextCase{4, -1, false, 0, "-1 row(s) updated."},
        TextCase{37, 4, false, 0, "Savepoint 4."},
        // Fixed texts across the table, including its irregular entries.
        TextCase{1, 5, false, 0, "Database selected."}, TextCase{7, 0, false, 0, "UPDATE WHERE CURRENT OF"},
        TextCase{14, 0, false, 0, "Table created."}, TextCase{23, 0, false, 0, "for internal use only"},
        TextCase{24, 0, false, 0, "for internal use only"}, TextCase{31, 0, false, 0, "Database closed."},
        TextCase{34, 0, false, 0, "Started transaction."}, TextCase{36, 0, false, 0, "Transaction rolled back."},
        TextCase{56, 3, true, 3, "Routine executed."}, TextCase{64, 0, false, 0, "Routine Statistics updated."},
        TextCase{70, 0, false, 0, "Trigger created."}, TextCase{82, 0, false, 0, "Extent size set"},
        TextCase{98, 0, false, 0, "Access_method created."}, TextCase{108, 0, false, 0, "onutil check index command"},
        TextCase{111, 0, false, 0, "reserved for future use"}, TextCase{114, 0, false, 0, "reserved for future use"},
        TextCase{115, 0, false, 0, "Statement cache set."}, TextCase{116, 0, false, 0, "Index renamed."},
        // No text at all.
        TextCase{0, 3, true, 3, ""}, TextCase{65, 0, false, 0, ""}, TextCase{69, 0, false, 0, ""},
        TextCase{72, 0, false, 0, ""}, TextCase{117, 0, false, 0, ""}, TextCase{100000, 0, false, 0, ""},
        TextCase{-1, 0, false, 0, ""}));

// Every code from 1 to 116 outside the empty ranges has a text; the empty
// ones have none. Catches a row lost from the table.
TEST(StatementResultTextTable, EveryKnownCodeHasTextExceptTheEmptyOnes) {
    for (int t = 0; t <= 130; ++t) {
        const bool empty = t == 0 || (t >= 65 && t <= 69) || t == 72 || t > 116;
        EXPECT_EQ(StatementResultText(t, 1, true, 1).empty(), empty) << "type " << t;
    }
}

TEST(StatementResultTextTable, CountedCodesHaveNoFixedText) {
    for (int t : {2, 3, 4, 5, 6, 9, 32, 33, 37}) EXPECT_TRUE(FixedStatementText(t).empty()) << t;
}

TEST(QueryError, CarriesPositionAndMessage) {
    try {
        throw EQueryError(QueryErrorPosition(10, 7), "-201 SQL error: A syntax error has occurred.");
    } catch (const EScriptExecError& e) {
        const auto* q = dynamic_cast<const EQueryError*>(&e);
        ASSERT_NE(q, nullptr);
        EXPECT_EQ(q->Position, 17);
        EXPECT_STREQ(e.what(), "-201 SQL error: A syntax error has occurred.");
    }
}

TEST(QueryError, PositionSaturatesInsteadOfWrapping) {
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(QueryErrorPosition(kMax, 5), kMax);
    EXPECT_EQ(QueryErrorPosition(1, 0), 1);
}

}  // namespace
}  // namespace varnok
