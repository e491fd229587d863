// The SQL processor: parameter and macro references, quoting and comments,
// doubled special characters, directives with their errors, macros within
// macros, the combined macro list and a disabled processor.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/SQLProcessor.h"

using namespace varnok;

namespace {

using Names = std::vector<std::string>;

struct ProcessCase {
    const char* name;
    char paramChar;
    const char* text;
    const char* expected;
    Names params;
};

void PrintTo(const ProcessCase& c, std::ostream* os) { *os << c.name; }

class ParameterScanning : public ::testing::TestWithParam<ProcessCase> {};

TEST_P(ParameterScanning, BuildsTextAndParameterList) {
    const ProcessCase& c = GetParam();
    TIfxSQLProcessor processor;
    processor.SetParamChar(c.paramChar);
    const TSQLProcessResult result = processor.Process(c.text);
    EXPECT_EQ(result.text, c.expected);
    EXPECT_EQ(result.paramNames, c.params);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParameterScanning,
    ::testing::Values(
        ProcessCase{"colon_refs", ':', "select * from t where a = :a and b = :b",
                    "select * from t where a = ? and b = ?", {"a", "b"}},
        ProcessCase{"same_name_twice", ':', "x = :p or y = :p", "x = ? or y = ?", {"p", "p"}},
        ProcessCase{"double_colon_gives_one", ':', "select * from stores::informix.customer",
                    "select * from stores:informix.customer", {}},
        ProcessCase{"ampersand_leaves_casts", '&', "select a::integer from t where b = &b_1",
                    "select a::integer from t where b = ?", {"b_1"}},
        ProcessCase{"double_ampersand_gives_one", '&', "select '&' from t where x = &&y",
                    "select '&' from t where x = &y", {}},
        ProcessCase{"inside_quotes_left_alone", ':', "select ':a', \":b\", `:c` from t where d = :d",
                    "select ':a', \":b\", `:c` from t where d = ?", {"d"}},
        ProcessCase{"doubled_quote_stays_inside", ':', "select 'it''s :x' from t where y = :y",
                    "select 'it''s :x' from t where y = ?", {"y"}},
        ProcessCase{"line_comment_left_alone", ':', "select 1 -- :a here\nfrom t where b = :b",
                    "select 1 -- :a here\nfrom t where b = ?", {"b"}},
        ProcessCase{"block_comment_left_alone", ':', "select /* :a\n :b */ :c from t", "select /* :a\n :b */ ? from t",
                    {"c"}},
        ProcessCase{"quoted_parameter_name", '&', "where a = &\"My Param\" and b = &'x''y'", "where a = ? and b = ?",
                    {"My Param", "x'y"}},
        ProcessCase{"name_runs_over_letters_digits_underscore", ':', "v=:abc_12.x", "v=?.x", {"abc_12"}},
        ProcessCase{"char_without_name_stays", ':', "select a : b from t", "select a : b from t", {}},
        ProcessCase{"lone_hash_disappears", ':', "select 1 # from t", "select 1  from t", {}},
        ProcessCase{"double_hash_gives_one", ':', "select '#', 1 ## 2", "select '#', 1 # 2", {}},
        ProcessCase{"hash_word_is_not_a_directive", ':', "a #iffy b", "a iffy b", {}},
        ProcessCase{"double_macro_char_gives_one", ':', "select 10%%3, '%x'", "select 10%3, '%x'", {}},
        ProcessCase{"result_is_trimmed", ':', "\r\n  select :a \r\n\t", "select ?", {"a"}},
        ProcessCase{"unterminated_quote_is_literal_to_end", ':', "select ':a", "select ':a", {}}),
    [](const testing::TestParamInfo<ProcessCase>& info) { return std::string(info.param.name); });

TSQLProcessResult Process(const std::string& text, const TStringLines& macros = {}) {
    return DefaultSQLProcessor().Process(text, macros);
}

std::string Text(const std::string& text, const TStringLines& macros = {}) { return Process(text, macros).text; }

// Runs text and returns the macro error it raises (fails the test when none).
EMacroSQLError ErrorOf(const std::string& text, const TStringLines& macros = {}) {
    try {
        Process(text, macros);
    } catch (const EMacroSQLError& e) {
        return e;
    }
    ADD_FAILURE() << "no EMacroSQLError for: " << text;
    return EMacroSQLError("none", 0, 0);
}

}  // namespace

TEST(SQLProcessorDefaults, PropertiesAndDefaultProcessor) {
    TIfxSQLProcessor p;
    EXPECT_TRUE(p.Enabled());
    EXPECT_EQ(p.ParamChar(), ':');
    EXPECT_EQ(p.MacroChar(), '%');
    EXPECT_TRUE(p.Macros().empty());
    EXPECT_EQ(p.Version(), "2.6.3.62");
    EXPECT_FALSE(p.UsesReturningInto());
    EXPECT_FALSE(p.UsesEmptyLobConstructors());
    EXPECT_EQ(DefaultSQLProcessor().ParamChar(), ':');
    EXPECT_EQ(&DefaultSQLProcessor(), &DefaultSQLProcessor());
}

TEST(SQLProcessorDisabled, TextGoesOutUnchanged) {
    TIfxSQLProcessor p;
    p.SetMacros({"m=expanded"});
    p.SetEnabled(false);
    const std::string text = "select :a, %m, '#x' from t #if (m) where 1=1 #endif";
    const TSQLProcessResult r = p.Process(text);
    EXPECT_EQ(r.text, text);
    EXPECT_TRUE(r.paramNames.empty());
    // Disabled also wins over a form parsed while it was enabled.
    p.SetEnabled(true);
    const TMacroSQLElements parsed = p.Parse(":a %m");
    p.SetEnabled(false);
    EXPECT_EQ(p.Build(parsed, {}).text, ":a %m");
    // A text that would not parse is not parsed at all.
    EXPECT_NO_THROW(p.Process("#if x"));
}

TEST(SQLProcessorMacros, ExpansionRules) {
    struct Case {
        const char* text;
        TStringLines macros;
        const char* expected;
        Names params;
    };
    const Case cases[] = {
        {"select * from %tab", {"tab=customer"}, "select * from customer", {}},
        {"select * from %TAB", {"tab=customer"}, "select * from customer", {}},  // names ignore case
        {"select 1 %missing from t", {}, "select 1  from t", {}},
        {"from %\"database\"informix.systables", {"database=stores::"}, "from stores:informix.systables", {}},
        {"where %ownerfilter t.tabname = :tabname",
         {"ownerfilter=t.owner = :owner and"},
         "where t.owner = ? and t.tabname = ?",
         {"owner", "tabname"}},
        {"select %outer", {"outer=%inner + 1", "inner=:p * 2"}, "select ? * 2 + 1", {"p"}},
        {"select %m", {"m=#if (flag) yes #else no #endif", "flag"}, "select yes", {}},
        {"select %m", {"m=#if (flag) yes #else no #endif"}, "select no", {}},
        {"select %a%a", {"a=x"}, "select xx", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const TSQLProcessResult r = Process(c.text, c.macros);
        EXPECT_EQ(r.text, c.expected);
        EXPECT_EQ(r.paramNames, c.params);
    }
}

TEST(SQLProcessorMacros, MacroThatReachesItselfIsAnErrorNotAHang) {
    const EMacroSQLError direct = ErrorOf("select %a", {"a=1 + %a"});
    EXPECT_EQ(direct.BareMessage(), "Macro 'a' refers to itself");
    EXPECT_EQ(direct.Line(), 1);
    EXPECT_EQ(direct.Column(), 5);  // the reference inside the value of a
    const EMacroSQLError indirect = ErrorOf("%a", {"a=%b", "b=\n  %A"});
    EXPECT_EQ(indirect.BareMessage(), "Macro 'A' refers to itself");
    EXPECT_EQ(indirect.Line(), 2);
    EXPECT_EQ(indirect.Column(), 3);
}

TEST(SQLProcessorMacros, ErrorInAMacroValueIsPlacedWithinTheValue) {
    const EMacroSQLError e = ErrorOf("select 1\nfrom t %bad", {"bad=x\n  #if y"});
    EXPECT_EQ(e.BareMessage(), "'(' expected");
    EXPECT_EQ(e.Line(), 2);
    EXPECT_EQ(e.Column(), 7);
}

TEST(SQLProcessorMacros, CombinedListKeepsProcessorEntriesTheStatementDoesNotRepeat) {
    TIfxSQLProcessor p;
    p.SetMacros({"a=1", "b=2", "FLAG", "c=3"});
    const TStringLines combined = p.CombinedMacros({"B=20", "flag", "d=4"});
    EXPECT_EQ(combined, (TStringLines{"a=1", "c=3", "B=20", "flag", "d=4"}));
    // The statement's value wins in the built text.
    EXPECT_EQ(p.Process("%a %b %c %d", {"B=20", "d=4"}).text, "1 20 3 4");
}

TEST(SQLProcessorDirectives, SelectBranches) {
    struct Case {
        const char* text;
        TStringLines macros;
        const char* expected;
    };
    const char* chain =
        "select\n"
        "#if (mode = full)\n"
        "  *\n"
        "#elseif (mode = Short)\n"
        "  id\n"
        "#else\n"
        "  count(*)\n"
        "#endif\n"
        "from t";
    const Case cases[] = {
        {chain, {"mode=full"}, "select\n  *\nfrom t"},
        {chain, {"mode=SHORT"}, "select\n  id\nfrom t"},
        {chain, {"mode=other"}, "select\n  count(*)\nfrom t"},
        {chain, {}, "select\n  count(*)\nfrom t"},
        {"a #if (x) b #endif c", {"x"}, "a b c"},
        {"a #if (x) b #endif c", {"x=anything"}, "a b c"},
        {"a #if (x) b #endif c", {}, "a c"},
        {"#if (a = B) yes #else no #endif", {"a=b"}, "yes"},              // compared without case
        {"#if (a = b) yes #else no #endif", {}, "no"},                    // identifiers' own texts
        {"#if (a <> b) yes #else no #endif", {"a=1", "b=2"}, "yes"},
        {"#if (not x) yes #else no #endif", {}, "yes"},
        {"#if (x and y) yes #else no #endif", {"x"}, "no"},
        {"#if (x AND y) yes #else no #endif", {"x", "y"}, "yes"},
        {"#if (x or y) yes #else no #endif", {"y"}, "yes"},
        {"#if (not (x or y) and z) yes #else no #endif", {"z"}, "yes"},
        {"#if (not x or y) yes #else no #endif", {"x"}, "no"},
        {"#if ((x)) yes #endif", {"x"}, "yes"},
        {"#IF (x) outer #If (y) inner #ENDIF tail #Endif", {"x", "y"}, "outer inner tail"},
        {"#if (x) outer #if (y) inner #endif tail #endif", {"x"}, "outer tail"},
        {"#if ( \"weird name\" ) yes #endif", {"weird name"}, "yes"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(Text(c.text, c.macros), c.expected);
    }
}

TEST(SQLProcessorDirectives, LineBreakAfterDirectivesIsSkippedOnce) {
    EXPECT_EQ(Text("a\n#if (x)  \r\n\nb\n#endif \t\r\n\nc", {"x"}), "a\n\nb\n\nc");
    EXPECT_EQ(Text("a\n#if (x)\nb\n#else\nc\n#endif\nd"), "a\nc\nd");
}

TEST(SQLProcessorDirectives, ParametersInsideBranchesCountOnlyWhenBuilt) {
    const TSQLProcessResult r = Process("where a = :a #if (x) and b = :b #else and c = :c #endif", {});
    EXPECT_EQ(r.text, "where a = ? and c = ?");
    EXPECT_EQ(r.paramNames, (Names{"a", "c"}));
}

TEST(SQLProcessorDirectives, ErrorDirectiveRaisesOnlyWhenBuilt) {
    EXPECT_EQ(Text("ok #if (x) #error never\n#endif"), "ok");
    const EMacroSQLError e = ErrorOf("select 1\n  #if (not x)\n   #error   x must be set  \n  #endif\nfrom t");
    EXPECT_EQ(e.BareMessage(), "x must be set");
    EXPECT_EQ(e.Line(), 3);
    EXPECT_EQ(e.Column(), 4);
    EXPECT_STREQ(e.what(), "x must be set\r\nLine: 3, Column: 4");
}

TEST(SQLProcessorDirectives, ParseErrorsCarryTheirPlace) {
    struct Case {
        const char* text;
        const char* message;
        int line;
        int column;
    };
    const Case cases[] = {
        {"select\n#if x) a #endif", "'(' expected", 2, 5},
        {"#if (x y) a #endif", "')' expected", 1, 8},
        {"#if (x and) a #endif", "Identifier expected", 1, 11},
        {"#if (x = ) a #endif", "Identifier expected", 1, 10},
        {"#if ((x) a #endif", "')' expected", 1, 10},
        {"a\n#if (x)\nb\n", "#endif directive expected", 4, 1},
        {"#if (x) a #else b", "#endif directive expected", 1, 18},
        {"#if (x) a #else b #else c #endif", "Unexpected directive", 1, 19},
        {"#if (x) a #else b #elseif (y) c #endif", "Unexpected directive", 1, 19},
        {"select 1\r\n  #endif", "Unexpected directive", 2, 3},
        {"#else", "Unexpected directive", 1, 1},
        {"#elseif (x)", "Unexpected directive", 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const EMacroSQLError e = ErrorOf(c.text);
        EXPECT_EQ(e.BareMessage(), c.message);
        EXPECT_EQ(e.Line(), c.line);
        EXPECT_EQ(e.Column(), c.column);
    }
}

TEST(SQLProcessorScanning, CarriageReturnDoesNotMoveTheColumn) {
    // "\r\r" costs no columns: the "(" is looked for at column 5 of line 1.
    const EMacroSQLError e = ErrorOf("#if\r\r x");
    EXPECT_EQ(e.Line(), 1);
    EXPECT_EQ(e.Column(), 5);
}

TEST(SQLProcessorScanning, ChangedSpecialCharactersAreHonoured) {
    TIfxSQLProcessor p;
    p.SetParamChar('?');
    p.SetMacroChar('$');
    p.SetMacros({"t=orders"});
    const TSQLProcessResult r = p.Process("select ?? , :x, %y from $t where id = ?id");
    EXPECT_EQ(r.text, "select ? , :x, %y from orders where id = ?");
    EXPECT_EQ(r.paramNames, (Names{"id"}));
}

TEST(SQLProcessorScanning, ParsedFormListsElementsInTextOrder) {
    const TMacroSQLElements parsed = DefaultSQLProcessor().Parse("a :p b %m #if (x) c #endif #error e");
    ASSERT_EQ(parsed.Count(), 7u);
    EXPECT_NE(dynamic_cast<const TMacroSQLText*>(&parsed.Item(0)), nullptr);
    const auto* param = dynamic_cast<const TMacroSQLParameter*>(&parsed.Item(1));
    ASSERT_NE(param, nullptr);
    EXPECT_EQ(param->Name(), "p");
    const auto* macro = dynamic_cast<const TMacroSQLMacro*>(&parsed.Item(3));
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(macro->Name(), "m");
    EXPECT_NE(dynamic_cast<const TMacroSQLConditional*>(&parsed.Item(5)), nullptr);
    const auto* error = dynamic_cast<const TMacroSQLError*>(&parsed.Item(6));
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->Message(), "e");
    EXPECT_EQ(error->Column(), 28);
}

TEST(SQLProcessorScanning, DeepNestingIsRefusedNotACrash) {
    // Reasonable nesting works...
    std::string nested = "#if (" + std::string(50, '(') + "x" + std::string(50, ')') + ") yes #endif";
    EXPECT_EQ(Text(nested, {"x"}), "yes");
    // ...absurd nesting gets an error instead of exhausting the stack.
    const std::string deep = "#if (" + std::string(200000, '(') + "x";
    EXPECT_EQ(ErrorOf(deep).BareMessage(), "Conditions are nested too deeply");
    std::string chain;
    for (int i = 0; i < 100000; ++i) chain += "#if (x)\n";
    EXPECT_EQ(ErrorOf(chain).BareMessage(), "Conditions are nested too deeply");
    std::string nots = "#if (";
    for (int i = 0; i < 100000; ++i) nots += "not ";
    EXPECT_EQ(ErrorOf(nots + "x) y #endif").BareMessage(), "Conditions are nested too deeply");
}

TEST(SQLProcessorThreads, DefaultProcessorServesSeveralThreadsAtOnce) {
    // The script executor's worker and the main thread use the default
    // processor at the same time; Parse and Build must share no state.
    std::vector<std::thread> threads;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t, &wrong] {
            const std::string name = "p" + std::to_string(t);
            const TStringLines macros = {"m=" + std::to_string(t)};
            for (int i = 0; i < 2000; ++i) {
                const TSQLProcessResult r = DefaultSQLProcessor().Process("select %m from t where a = :" + name, macros);
                if (r.text != "select " + std::to_string(t) + " from t where a = ?" || r.paramNames != Names{name})
                    ++wrong;
            }
        });
    for (std::thread& th : threads) th.join();
    EXPECT_EQ(wrong.load(), 0);
}
