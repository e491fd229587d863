// The parameter window's values reach the query's parameters: each kind of
// value with its data type, null included, and end to end on the stand-in.
#include <gtest/gtest.h>

#include "ExecutorTestFixture.h"
#include "dbaccess/IfxParams.h"
#include "execution/IfxScriptQuery.h"

namespace {

using namespace varnok;

struct TBindCase {
    const char* name;
    TParamData value;
    TFieldType type;
    std::string text; // AsString of the bound parameter
};

TEST(ScriptParamsBinding, EachValueKeepsItsKindAndValue) {
    const std::vector<TBindCase> cases = {
        {"text", std::string("a'b"), TFieldType::ftString, "a'b"},
        {"integer", std::int32_t{-42}, TFieldType::ftInteger, "-42"},
        {"int8", std::int64_t{5000000000}, TFieldType::ftLargeint, "5000000000"},
        {"float", 2.5, TFieldType::ftFloat, "2.5"},
        {"currency", TParamCurrency{123450}, TFieldType::ftCurrency, "12.345"},
    };
    for (const auto& c : cases) {
        TParam target("p");
        TStatementParam source;
        source.name = "p";
        source.value = c.value;
        AssignParamValue(target, source);
        EXPECT_EQ(target.DataType(), c.type) << c.name;
        EXPECT_TRUE(target.Bound()) << c.name;
        EXPECT_FALSE(target.IsNull()) << c.name;
        EXPECT_EQ(target.AsString(), c.text) << c.name;
    }
}

TEST(ScriptParamsBinding, DatesAndTimesAreEncodedToTheDay) {
    TParam date("d");
    TStatementParam source;
    source.value = TParamDate{2024, 2, 29};
    AssignParamValue(date, source);
    EXPECT_EQ(date.DataType(), TFieldType::ftDate);
    EXPECT_DOUBLE_EQ(date.AsDateTime(), EncodeDateTime(2024, 2, 29));

    TParam stamp("s");
    source.value = TParamDateTime{{1999, 12, 31}, 23, 59, 58, 500};
    AssignParamValue(stamp, source);
    EXPECT_EQ(stamp.DataType(), TFieldType::ftDateTime);
    EXPECT_DOUBLE_EQ(stamp.AsDateTime(), EncodeDateTime(1999, 12, 31, 23, 59, 58, 500));
}

TEST(ScriptParamsBinding, NullReplacesAnEarlierValue) {
    TParam target("p");
    target.SetAsInteger(7);
    AssignParamValue(target, TStatementParam{"p", TParamDataType::Unknown, "", std::monostate{}});
    EXPECT_TRUE(target.IsNull());
    EXPECT_TRUE(target.Bound());
}

} // namespace

using namespace executor_test;

TEST_F(ExecutorTest, TextAndNullParametersRunAgainstTheServer) {
    for (const auto& [value, expected] : std::vector<std::pair<TParamData, std::string>>{
             {std::string("n5"), "1 row(s) retrieved."},
             {std::monostate{}, "0 row(s) retrieved."},
         }) {
        TRunLog log;
        log.statementParams = [&value](TScriptExecutor&, TStatementAction&, TParamList& params) {
            params.at(0).value = value;
        };
        auto run = NewRun(log);
        run->ExecuteScript("select * from t where name = &n");
        EXPECT_EQ(log.error, "");
        ASSERT_EQ(log.done.size(), 1u);
        EXPECT_EQ(log.done[0].result, expected);
    }
}
