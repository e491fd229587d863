// BIGINT and BIGSERIAL columns on the stand-in: 64-bit whole numbers read
// without loss through ordinary and native fields, bound as parameters,
// written back through TIfxTable and TIfxQuery, and a new BIGSERIAL taken
// from the server.
#include <cstdint>
#include <limits>

#include "QueryTestFixture.h"
#include "dbaccess/IfxField.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxTable.h"
#include "dbaccess/IfxUpdater.h"

using namespace query_test;

namespace {

using Rows = std::vector<std::string>;
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = -kMax;   // the lowest BIGINT; one less is the null marker

// Runs once with the catalog's plain fields and once with the result grid's native ones.
class BigIntColumns : public StandInQuery, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        Exec("create table big (id bigserial, b bigint, n char(4))");
        Exec("insert into big values (1, 9223372036854775807, 'max')");
        Exec("insert into big values (2, -9223372036854775807, 'min')");
        Exec("insert into big values (3, null, 'nul')");
        Exec("insert into big values (4, 0, 'zero')");
        types.SetAllNative(GetParam());
    }

    // One column of every row of a query, as the library's text ("" for null).
    Rows Column(const std::string& sql) {
        TIfxSQL s;
        s.SetConnection(&db);
        s.SetSQLText(sql);
        s.Open();
        Rows values;
        for (; !s.EndOfRows(); s.FetchNext())
            values.push_back(s.Fields()[0].Value()->IsNull() ? "" : s.Fields()[0].Value()->AsString());
        s.Close();
        return values;
    }

    Rows Texts(TDataSet& ds, const char* field) {
        Rows out;
        for (ds.First(); !ds.Eof(); ds.Next()) out.push_back(ds.FieldByName(field).DisplayText());
        return out;
    }

    void Use(TIfxCustomDataSet& ds) {
        ds.SetConnection(&db);
        ds.SetFieldTypes(&types);
    }

    TIfxFieldTypes types;
};

TEST_P(BigIntColumns, SelectShowsTheExtremesExactly) {
    TIfxQuery q;
    Use(q);
    q.SetSQLText("select id, b, n from big order by id");
    q.Open();
    for (const char* name : {"id", "b"}) {
        TField& f = q.FieldByName(name);
        EXPECT_EQ(f.DataType(), TFieldType::ftLargeint) << name;
        EXPECT_EQ(dynamic_cast<TIfxInt8Field*>(&f) != nullptr, GetParam()) << name;
    }
    EXPECT_EQ(Texts(q, "b"), (Rows{"9223372036854775807", "-9223372036854775807", "", "0"}));
    EXPECT_EQ(Texts(q, "id"), (Rows{"1", "2", "3", "4"}));
    q.First();
    EXPECT_EQ(q.FieldByName("b").AsLargeInt(), kMax);
    q.Next();
    EXPECT_EQ(q.FieldByName("b").AsLargeInt(), kMin);
    q.Next();
    EXPECT_TRUE(q.FieldByName("b").IsNull());
    q.Close();
}

TEST_P(BigIntColumns, ParametersFindTheExtremes) {
    TIfxQuery q;
    Use(q);
    q.SetSQLText("select n from big where b = :b");
    for (const auto& [value, name] : {std::pair{kMax, "max"}, std::pair{kMin, "min"}, std::pair{std::int64_t{0}, "zero"}}) {
        q.Close();
        q.ParamByName("b").SetAsLargeInt(value);
        q.Open();
        EXPECT_EQ(Texts(q, "n"), Rows{name}) << value;
    }
    q.Close();
}

TEST_P(BigIntColumns, TableWritesABigIntBackByRowId) {
    TIfxTable table;
    Use(table);
    table.SetCacheHandle(false);
    table.SetTableName("big");
    table.Open();
    table.First();
    while (!table.Eof() && table.FieldByName("n").AsString() != "zero") table.Next();
    ASSERT_FALSE(table.Eof());
    table.Edit();
    table.FieldByName("b").SetAsString("-9223372036854775806");
    table.Post();
    EXPECT_EQ(table.FieldByName("b").AsString(), "-9223372036854775806");
    table.Edit();
    table.FieldByName("b").SetAsLargeInt(kMax - 1);
    table.Post();
    EXPECT_EQ(Column("select b from big where n = 'zero'"), Rows{"9223372036854775806"});
    table.Close();
}

TEST_P(BigIntColumns, TableInsertTakesTheServersBigSerial) {
    Exec("insert into big (id, n) values (5000000000, 'far')");   // past any 32-bit number
    TIfxTable table;
    Use(table);
    table.SetCacheHandle(false);
    table.SetTableName("big");
    table.Open();
    EXPECT_FALSE(table.FieldByName("id").Required());
    table.Append();
    table.FieldByName("n").SetAsString("new");
    table.FieldByName("b").SetAsString("-9223372036854775807");
    table.Post();
    EXPECT_EQ(table.FieldByName("id").AsString(), "5000000001");
    EXPECT_EQ(Column("select id from big where n = 'new'"), Rows{"5000000001"});
    EXPECT_EQ(Column("select b from big where n = 'new'"), Rows{"-9223372036854775807"});
    table.Close();
}

TEST_P(BigIntColumns, QueryWritesBackFindingTheRowByItsOldBigInts) {
    TIfxQuery q;
    Use(q);
    q.SetCacheHandle(false);
    TIfxUpdater updater(q);
    q.SetSQLText("select id, b, n from big order by id");
    q.Open();
    q.FetchAll();
    q.First();   // b = the highest BIGINT: the where part compares it exactly
    q.Edit();
    q.FieldByName("n").SetAsString("tops");
    q.Post();
    q.Next();
    q.Edit();
    q.FieldByName("b").SetAsLargeInt(kMin + 1);
    q.Post();
    EXPECT_EQ(Column("select n from big where b = 9223372036854775807"), Rows{"tops"});
    EXPECT_EQ(Column("select b from big where n = 'min'"), Rows{"-9223372036854775806"});
    q.Close();
}

INSTANTIATE_TEST_SUITE_P(Fields, BigIntColumns, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Native" : "Plain"; });

}  // namespace
