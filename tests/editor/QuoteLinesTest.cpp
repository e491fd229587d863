// "Quot" and "UnQuot" on selected lines.
#include "editor/QuoteLines.h"

#include <gtest/gtest.h>

using namespace varnok;

namespace {

TEST(QuoteLines, LinesBecomeQuotedConcatenation) {
    struct Row {
        const char* in;
        const char* out;
    };
    for (const Row& r : {Row{"select *\r\nfrom t", "'select * '+\r\n'from t '+\r\n"},
                         Row{"one line", "'one line '+\r\n"},      // a break is added
                         Row{"a\nb\rc\r\n", "'a '+\r\n'b '+\r\n'c '+\r\n"}, // any break; none after the last
                         Row{"'it''s'", "''it''s' '+\r\n"},        // quotes inside stay as they are
                         Row{"a\r\n\r\nb", "'a '+\r\n' '+\r\n'b '+\r\n"}, Row{"", ""}}) {
        EXPECT_EQ(QuoteLines(r.in), r.out) << r.in;
    }
}

TEST(QuoteLines, UnquoteRemovesOneQuoteAndPlusAtEachEnd) {
    struct Row {
        const char* in;
        const char* out;
    };
    for (const Row& r : {Row{"'select * '+", "select *"}, Row{"+ 'from t'", "from t"}, Row{"+'a'", "a"},
                         Row{"+  'a'  +", "a"}, Row{"'a' +", "a"}, Row{"x", "x"}, Row{" x ", "x"},
                         Row{"''", ""}, Row{"'", "'"}, Row{"\t 'where a = 1 '+  ", "where a = 1"},
                         Row{"plain", "plain"}, Row{"'a'b'", "a'b"}}) {
        EXPECT_EQ(UnquoteLine(r.in), r.out) << r.in;
    }
}

TEST(QuoteLines, UnquoteUndoesQuote) {
    const std::string sql = "select tabname\r\nfrom systables\r\nwhere tabid > 99";
    EXPECT_EQ(UnquoteLines(QuoteLines(sql)), sql + "\r\n");
}

} // namespace
