// The letter-case commands' conversions.
#include "editor/CaseConversions.h"

#include <gtest/gtest.h>

using namespace varnok;

namespace {

TEST(CaseConversions, EachRuleOnItsExamples) {
    struct Row {
        QString (*convert)(const QString&);
        const char* in;
        const char* out;
    };
    for (const Row& r : {
             Row{UpperCaseText, "select a_1 from t", "SELECT A_1 FROM T"},
             Row{LowerCaseText, "SELECT A_1 FROM T", "select a_1 from t"},
             Row{CapitalCaseText, "hELLO wORLD_x", "Hello World_X"},
             Row{CapitalCaseText, "o'neil mcdonald", "O'Neil Mcdonald"},
             Row{CapitalCaseText, "a1b", "A1B"}, // a digit is not a letter: the next letter starts a word
             Row{CapitalCaseText, "", ""},
             Row{InverseCaseText, "Abc1", "aBC1"},
             Row{InverseCaseText, "\xD0\x9F\xD1\x80\xD0\xB8", "\xD0\xBF\xD0\xA0\xD0\x98"}, // При -> пРИ
             Row{UpperCaseText, "\xD0\xBF\xD1\x80\xD0\xB8", "\xD0\x9F\xD0\xA0\xD0\x98"},
         }) {
        EXPECT_EQ(r.convert(QString::fromUtf8(r.in)).toStdString(), r.out) << r.in;
    }
}

} // namespace
