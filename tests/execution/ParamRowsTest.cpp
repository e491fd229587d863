// The parameter grid's rules: rows, cell rules, "Clear" and "Ok".
#include <gtest/gtest.h>

#include <stdexcept>

#include "dbaccess/SQLProcessor.h"
#include "execution/ParamRows.h"

namespace varnok {
namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

std::vector<std::string> RowNames(const TParamRows& rows) {
    std::vector<std::string> names;
    for (int i = 0; i < rows.RowCount(); ++i) names.push_back(rows.Row(i).name);
    return names;
}

TEST(ParamRows, ARepeatedNameGivesOneRowInOrderOfFirstUse) {
    TParamRows rows;
    TParamList params = MakeParamList({"a", "b", "a"});
    rows.LoadParams(params);
    EXPECT_EQ(RowNames(rows), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(rows.Row(0).typeName, "String");
    EXPECT_EQ(rows.Row(0).value, "");
}

TEST(ParamRows, TheProcessorsListOfAStatementUsingABAGivesTwoRows) {
    TIfxSQLProcessor processor;
    processor.SetParamChar('&');
    const TSQLProcessResult processed = processor.Process("select * from t where x = &a and y = &b or z = &a");
    TParamList params = MakeParamList(processed.paramNames);
    ASSERT_EQ(params.size(), 3u);
    TParamRows rows;
    rows.LoadParams(params);
    EXPECT_EQ(RowNames(rows), (std::vector<std::string>{"a", "b"}));
}

TEST(ParamRows, OkBindsEveryReferenceOfANameWithTheTypedValue) {
    TParamRows rows;
    TParamList params = MakeParamList({"a", "b", "a"});
    rows.LoadParams(params);
    rows.SetType(0, "Integer");
    rows.SetValue(0, "5");
    rows.SetValue(1, "text");
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);
    for (int i : {0, 2}) {
        EXPECT_EQ(params[i].dataType, TParamDataType::Integer);
        EXPECT_EQ(params[i].value, TParamData(std::int32_t{5}));
        EXPECT_EQ(params[i].text, "5");
    }
    EXPECT_EQ(params[1].dataType, TParamDataType::String);
    EXPECT_EQ(params[1].value, TParamData(std::string("text")));
}

TEST(ParamRows, AValueThatDoesNotConvertChangesNothingAndNamesTheRow) {
    TParamRows rows;
    TParamList params = MakeParamList({"a", "b"});
    rows.LoadParams(params);
    rows.SetValue(0, "kept");
    rows.SetType(1, "Integer");
    rows.SetValue(1, "12x");
    const TApplyParamsResult result = rows.ApplyParams(kUs);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.row, 1);
    EXPECT_EQ(result.error,
              "Parameter b: \"12x\" is not a valid Integer value (a whole number from -2147483648 to 2147483647).");
    EXPECT_TRUE(params[0].IsNull());
    EXPECT_EQ(params[0].dataType, TParamDataType::Unknown);
    EXPECT_EQ(rows.UsedParams().Count(), 0u);
    EXPECT_EQ(rows.Row(1).value, "12x");  // the text stays for correcting
}

TEST(ParamRows, AnEmptyIntegerIsBoundAsNull) {
    TParamRows rows;
    TParamList params = MakeParamList({"a"});
    rows.LoadParams(params);
    rows.SetType(0, "Integer");
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);
    EXPECT_TRUE(params[0].IsNull());
    EXPECT_EQ(params[0].dataType, TParamDataType::Integer);
}

TEST(ParamRows, OkRemembersForTheNextStatement) {
    TParamRows rows;
    TParamList first = MakeParamList({"a"});
    rows.LoadParams(first);
    rows.SetType(0, "Integer");
    rows.SetValue(0, "5");
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);

    TParamList second = MakeParamList({"c", "a"});
    rows.LoadParams(second);
    EXPECT_EQ(rows.Row(1).name, "a");
    EXPECT_EQ(rows.Row(1).typeName, "Integer");
    EXPECT_EQ(rows.Row(1).value, "5");
    rows.SetType(0, "Integer");
    EXPECT_EQ(rows.PickList(0, TParamColumn::Value), (std::vector<std::string>{"5"}));
    EXPECT_TRUE(rows.PickList(1, TParamColumn::Name).empty());
}

TEST(ParamRows, RowsAreRememberedFirstToLast) {
    TParamRows rows;
    TParamList params = MakeParamList({"a", "b", "c"});
    rows.LoadParams(params);
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);
    EXPECT_EQ(rows.UsedParams().Names(), (std::vector<std::string>{"c", "b", "a"}));
}

TEST(ParamRows, ClearShowsEachNameOnceAsStringWithoutValue) {
    TParamRows rows;
    TParamList first = MakeParamList({"a"});
    rows.LoadParams(first);
    rows.SetType(0, "Money");
    rows.SetValue(0, "3.5");
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);

    TParamList second = MakeParamList({"a", "b", "a"});
    rows.LoadParams(second);
    ASSERT_EQ(rows.Row(0).typeName, "Money");
    rows.ResetRows();
    ASSERT_EQ(RowNames(rows), (std::vector<std::string>{"a", "b"}));
    for (int i = 0; i < rows.RowCount(); ++i) {
        EXPECT_EQ(rows.Row(i).typeName, "String");
        EXPECT_EQ(rows.Row(i).value, "");
    }
    EXPECT_EQ(rows.UsedParams().Recall("a").value, "3.5");  // the store keeps it
}

TEST(ParamRows, NullTypeEmptiesTheValueLocksItAndBindsNull) {
    TParamRows rows;
    TParamList params = MakeParamList({"a"});
    rows.LoadParams(params);
    rows.SetValue(0, "x");
    rows.SetType(0, "Null");
    EXPECT_EQ(rows.Row(0).value, "");
    EXPECT_FALSE(rows.CanSelect(0, TParamColumn::Value));
    EXPECT_FALSE(rows.CanType(0, TParamColumn::Value));
    rows.SetValue(0, "typed anyway");
    EXPECT_EQ(rows.Row(0).value, "");
    ASSERT_TRUE(rows.ApplyParams(kUs).ok);
    EXPECT_TRUE(params[0].IsNull());
    EXPECT_EQ(rows.UsedParams().Recall("a").typeName, "Null");
}

struct CellRuleCase {
    const char* typeName;
    TParamColumn column;
    bool canSelect;
    bool canType;
    std::size_t pickListSize;
};

class ParamRowsCellRules : public ::testing::TestWithParam<CellRuleCase> {};

TEST_P(ParamRowsCellRules, SelectTypeAndPickList) {
    const CellRuleCase& c = GetParam();
    TParamRows rows;
    TParamList params = MakeParamList({"a"});
    rows.LoadParams(params);
    rows.SetType(0, c.typeName);
    EXPECT_EQ(rows.CanSelect(0, c.column), c.canSelect);
    EXPECT_EQ(rows.CanType(0, c.column), c.canType);
    EXPECT_EQ(rows.PickList(0, c.column).size(), c.pickListSize);
}

INSTANTIATE_TEST_SUITE_P(Columns, ParamRowsCellRules,
                         ::testing::Values(CellRuleCase{"String", TParamColumn::Name, false, false, 0},
                                           CellRuleCase{"String", TParamColumn::Type, true, false, 9},
                                           CellRuleCase{"String", TParamColumn::Value, true, true, 0},
                                           CellRuleCase{"Null", TParamColumn::Type, true, false, 9},
                                           CellRuleCase{"Null", TParamColumn::Value, false, false, 0}));

TEST(ParamRows, TheTypeListHoldsTheNineNamesInOrder) {
    TParamRows rows;
    TParamList params = MakeParamList({"a"});
    rows.LoadParams(params);
    EXPECT_EQ(rows.PickList(0, TParamColumn::Type),
              (std::vector<std::string>{"String", "Integer", "Int8", "Float/Decimal", "Date", "Interval", "DateTime",
                                        "Money", "Null"}));
}

TEST(ParamRows, AnUnknownTypeNameFailsOnOk) {
    TParamRows rows;
    TParamList params = MakeParamList({"a"});
    rows.LoadParams(params);
    rows.SetType(0, "Blob");
    EXPECT_THROW(rows.ApplyParams(kUs), std::logic_error);
    EXPECT_EQ(rows.UsedParams().Count(), 0u);
}

}  // namespace
}  // namespace varnok
