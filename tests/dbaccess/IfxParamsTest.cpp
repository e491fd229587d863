// Parameter lists without a server: names kept across rebuilds, the text of
// each value kind in the monitor's parameter block.
#include <gtest/gtest.h>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxParams.h"
#include "dbaccess/IfxSQLDA.h"

using namespace varnok;

TEST(IfxParams, RebuildKeepsValuesByNameAndListsEachNameOnce) {
    TParams params;
    params.Rebuild({"a", "b"});
    params.ParamByName("A").SetAsInteger(1);
    params.ParamByName("b").SetAsString("x");
    params.Rebuild({"B", "c", "b", "c"});
    ASSERT_EQ(params.Count(), 2);
    EXPECT_EQ(params[0].Name(), "B");
    EXPECT_EQ(params[0].AsString(), "x");
    EXPECT_TRUE(params[0].Bound());
    EXPECT_EQ(params[1].Name(), "c");
    EXPECT_TRUE(params[1].IsNull());
    EXPECT_FALSE(params[1].Bound());
    EXPECT_EQ(params.FindParam("a"), nullptr);
    EXPECT_THROW(params.ParamByName("a"), EDatabaseError);
}

TEST(IfxParams, TraceShowsEachValueByItsKind) {
    TIfxParams inputs;
    inputs.SetNames({"s", "i", "f", "d", "t", "dt", "b", "blob", "n", "u"});
    inputs[0].Param().SetAsString("it's");
    inputs[1].Param().SetAsLargeInt(-9000000000LL);
    inputs[2].Param().SetAsFloat(0.1);
    inputs[3].Param().SetAsDate(EncodeDateTime(2024, 2, 29));
    inputs[4].Param().SetAsTime(EncodeDateTime(1899, 12, 30, 13, 14, 15));
    inputs[5].Param().SetAsDateTime(EncodeDateTime(2024, 2, 29, 13, 14, 15, 250));
    inputs[6].Param().SetAsBoolean(false);
    inputs[7].Param().SetAsBlob(std::string("\0\1", 2));
    inputs[8].Param().SetAsCurrency(2.5);
    inputs[8].Param().Clear();   // null keeps its type
    EXPECT_EQ(ParameterTrace(inputs),
              "Parameters (count = 10)\r\n"
              "s = 'it's' -- String\r\n"
              "i = '-9000000000' -- LargeInt\r\n"
              "f = '0.1' -- Float\r\n"
              "d = '2024-02-29' -- Date\r\n"
              "t = '13:14:15' -- Time\r\n"
              "dt = '2024-02-29 13:14:15.250' -- DateTime\r\n"
              "b = 'f' -- Boolean\r\n"
              "blob is not null -- Blob\r\n"
              "n is null -- Currency\r\n"
              "u is null -- Unknown");
}

TEST(IfxParams, DescriptorEntriesFollowTheNamesAndKeepTheirValues) {
    TIfxParams inputs;
    inputs.SetNames({"a", "b", "a"});
    inputs.ByName("A").Param().SetAsInteger(5);
    inputs.SetNames({"b", "a"});
    ASSERT_EQ(inputs.Count(), 2);
    ASSERT_NE(inputs.Descriptor(), nullptr);
    EXPECT_EQ(inputs.Descriptor()->sqld, 2);
    EXPECT_STREQ(inputs.Descriptor()->sqlvar[1].sqlname, "a");
    EXPECT_EQ(inputs[1].Param().AsInteger(), 5);
    EXPECT_THROW(inputs.ByName("zz"), EIfxAccessError);
    inputs.Clear();
    EXPECT_EQ(inputs.Descriptor(), nullptr);
}
