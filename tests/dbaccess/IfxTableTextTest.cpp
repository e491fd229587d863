// TIfxTable's texts: name splitting, the catalog queries after macro
// processing, index definitions from catalog rows, the row order and the
// select statement.
#include <gtest/gtest.h>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxTableCatalog.h"
#include "dbaccess/IfxTableSelect.h"
#include "dbaccess/SQLProcessor.h"
#include "dbaccess/TableName.h"

namespace {

using namespace varnok;

TEST(IfxTableName, SplitsAtFirstColonAndFirstDot) {
    struct Case {
        const char* text;
        const char* database;
        const char* owner;
        const char* table;
        const char* full;
    };
    const Case cases[] = {
        {"customer", "", "", "customer", "customer"},
        {"informix.customer", "", "informix", "customer", "informix.customer"},
        {"stores:informix.customer", "stores", "informix", "customer", "stores::informix.customer"},
        {"stores:customer", "stores", "", "customer", "stores::customer"},
        {" stores : owner . tab ", "stores", "owner", "tab", "stores::owner.tab"},
        {"db@srv:o.t", "db@srv", "o", "t", "db@srv::o.t"},
        {"a.b.c", "", "a", "b.c", "a.b.c"},         // only the first dot separates
        {"a:b:c.d", "a", "b:c", "d", "a::b:c.d"},   // only the first colon separates
        {"db::o.t", "db", "o", "t", "db::o.t"},     // a full name splits back into its parts
        {"", "", "", "", ""},
    };
    for (const Case& c : cases) {
        const TIfxTableName name = TIfxTableName::Split(c.text);
        EXPECT_EQ(name.database, c.database) << c.text;
        EXPECT_EQ(name.owner, c.owner) << c.text;
        EXPECT_EQ(name.table, c.table) << c.text;
        EXPECT_EQ(name.FullName(), c.full) << c.text;
    }
}

TEST(IfxTableName, DoubledColonReachesTheServerAsOne) {
    const TIfxTableName name = TIfxTableName::Split("db:owner.tab");
    const std::string text = TableSelectText({name.FullName(':'), "", false, {}, ':', {}});
    EXPECT_EQ(text, "select * from db::owner.tab");
    EXPECT_EQ(DefaultSQLProcessor().Process(text).text, "select * from db:owner.tab");
    // A processor with another parameter character leaves colons alone, so one is written.
    TIfxSQLProcessor ampersand;
    ampersand.SetParamChar('&');
    EXPECT_EQ(ampersand.Process(TableSelectText({name.FullName('&'), "", false, {}, '&', {}})).text,
              "select * from db:owner.tab");
}

TIfxCatalogContext Context(const char* table, bool ansi, bool universal, bool sixteen) {
    TIfxCatalogContext context;
    context.name = TIfxTableName::Split(table);
    context.ansiDatabase = ansi;
    context.userName = "alice";
    context.universalServer = universal;
    context.sixteenPartIndexes = sixteen;
    return context;
}

TEST(IfxTableCatalog, FieldQueryAfterMacros) {
    auto processed = DefaultSQLProcessor().Process(kTableFieldsQuery, CatalogMacros(Context("t", false, false, false)));
    EXPECT_EQ(processed.text,
              "select c.colname, c.coltype, c.collength, 0 colxid, d.type deftype from informix.syscolumns c, "
              "outer informix.sysdefaults d where c.tabid = (select nvl(s.btabid, t.tabid) from "
              "informix.systables t, outer informix.syssyntable s where t.tabname = ? and s.tabid = t.tabid) "
              "and d.tabid = c.tabid and d.colno = c.colno");
    EXPECT_EQ(processed.paramNames, std::vector<std::string>{"tabname"});

    const auto context = Context("db:bob.t", true, true, false);
    processed = DefaultSQLProcessor().Process(kTableFieldsQuery, CatalogMacros(context));
    EXPECT_EQ(processed.text,
              "select c.colname, c.coltype, c.collength, c.extended_id colxid, d.type deftype from "
              "db:informix.syscolumns c, outer db:informix.sysdefaults d where c.tabid = (select "
              "nvl(s.btabid, t.tabid) from db:informix.systables t, outer db:informix.syssyntable s where "
              "t.owner = ? and t.tabname = ? and s.tabid = t.tabid) and d.tabid = c.tabid and d.colno = c.colno");
    EXPECT_EQ(processed.paramNames, (std::vector<std::string>{"owner", "tabname"}));
    EXPECT_EQ(CatalogOwner(context), "bob");
    EXPECT_EQ(CatalogOwner(Context("t", true, false, false)), "alice");
}

TEST(IfxTableCatalog, IndexQueryReadsSixteenPartsOnlyWhenTheServerHasThem) {
    auto text = DefaultSQLProcessor().Process(kTableIndexesQuery, CatalogMacros(Context("t", false, false, false))).text;
    EXPECT_EQ(text,
              "select si.idxname, sc.idxname pkname, si.idxtype, si.part1, si.part2, si.part3, si.part4, si.part5, "
              "si.part6, si.part7, si.part8 from informix.sysindexes si, outer informix.sysconstraints sc where "
              "si.tabid = (select nvl(s.btabid, t.tabid) from informix.systables t, outer informix.syssyntable s "
              "where t.tabname = ? and s.tabid = t.tabid) and sc.tabid = si.tabid and sc.constrtype = 'P'");
    text = DefaultSQLProcessor().Process(kTableIndexesQuery, CatalogMacros(Context("d:t", false, false, true))).text;
    EXPECT_NE(text.find("si.part8, si.part9, si.part10, si.part11, si.part12, si.part13, si.part14, si.part15, "
                        "si.part16 from d:informix.sysindexes si"),
              std::string::npos)
        << text;
}

TEST(IfxTableCatalog, ColumnWithDefaultIsNotRequired) {
    TFieldDefs defs;
    const TIfxFieldTypes& types = DefaultIfxFieldTypes();
    const int notNullInt = 2 | 0x100;
    AddCatalogFieldDef(types, defs, {"id      ", 6 | 0x100, 4, 0, false});  // SERIAL NOT NULL
    AddCatalogFieldDef(types, defs, {"qty", notNullInt, 4, 0, false});
    AddCatalogFieldDef(types, defs, {"status", notNullInt, 4, 0, true});
    AddCatalogFieldDef(types, defs, {"name", 0, 20, 0, false});
    AddRowIdFieldDef(defs);
    ASSERT_EQ(defs.Count(), 5);
    EXPECT_EQ(defs[0].name, "id");
    EXPECT_FALSE(defs[0].required);
    EXPECT_TRUE(defs[1].required);
    EXPECT_FALSE(defs[2].required);
    EXPECT_EQ(defs[3].kind, TFieldType::ftFixedChar);
    EXPECT_EQ(defs[3].size, 20);
    EXPECT_EQ(defs[4].name, "rowid");
    EXPECT_EQ(defs[4].fieldNo, 5);
    EXPECT_TRUE(defs[4].hidden);
    EXPECT_TRUE(defs[4].readOnly);
}

TEST(IfxTableCatalog, IndexDefinitionsFromRows) {
    const std::vector<std::string> columns = {"id", "name", "city", "zip"};
    TIndexDefs defs;
    AddCatalogIndexDef(defs, {" 100_1", std::string("100_1"), "U", {1, 0, 0, 0, 0, 0, 0, 0}}, columns);
    AddCatalogIndexDef(defs, {"ix_city", std::nullopt, "D", {3, -2, 0, 4, 0, 0, 0, 0}}, columns);
    AddCatalogIndexDef(defs, {"ix_desc", std::string("100_1"), "U", {-4, 2, 9, 1, 0, 0, 0, 0}}, columns);
    ASSERT_EQ(defs.Count(), 3);

    EXPECT_EQ(defs[0].name, "100_1");
    EXPECT_TRUE(defs[0].Has(TIndexOption::ixPrimary));
    EXPECT_TRUE(defs[0].Has(TIndexOption::ixUnique));
    EXPECT_EQ(defs[0].FieldsText(), "id");

    EXPECT_FALSE(defs[1].Has(TIndexOption::ixPrimary));
    EXPECT_FALSE(defs[1].Has(TIndexOption::ixUnique));
    EXPECT_FALSE(defs[1].Has(TIndexOption::ixDescending));
    EXPECT_EQ(defs[1].FieldsText(), "city;name");  // 0 ends the list: zip is not read
    EXPECT_EQ(defs[1].descFields, std::vector<std::string>{"name"});

    EXPECT_FALSE(defs[2].Has(TIndexOption::ixPrimary));
    EXPECT_TRUE(defs[2].Has(TIndexOption::ixDescending));
    EXPECT_EQ(defs[2].FieldsText(), "zip;name");  // no column 9: the list ends there

    EXPECT_EQ(defs.Primary(), &defs[0]);
    EXPECT_EQ(defs.Find("IX_CITY"), &defs[1]);
    EXPECT_EQ(defs.FindByFields({"City", "NAME"}), &defs[1]);
    EXPECT_EQ(defs.FindByFields({"city"}), nullptr);
}

TIndexDefs SampleIndexes(bool withPrimary) {
    TIndexDefs defs;
    defs.Add({"ix_name", {"name", "id"}, {"id"}, {}});
    defs.Add({"ux_code", {"code"}, {}, {TIndexOption::ixUnique}});
    defs.Add({"ux_zip", {"zip"}, {}, {TIndexOption::ixUnique}});
    if (withPrimary) defs.Add({"pk", {"id"}, {}, {TIndexOption::ixPrimary, TIndexOption::ixUnique}});
    return defs;
}

TEST(IfxTableSelect, OrderChoice) {
    struct Case {
        bool primary;
        const char* fieldNames;
        const char* indexName;
        bool defaultIndex;
        const char* orderBy;
    };
    const Case cases[] = {
        {true, "", "", true, " order by id"},                      // primary index
        {false, "", "", true, " order by code"},                   // else the first unique one
        {true, "", "", false, ""},                                 // no default order
        {true, "NAME; ID", "", true, " order by name, id desc"},   // the matching index's fields and directions
        {true, "zip;name", "", true, " order by zip, name"},       // no match: as given, ascending
        {true, "zip", "ix_name", true, " order by zip"},           // field names win over the index name
        {true, "", "IX_NAME", true, " order by name, id desc"},
        {true, "", "ix_name", false, " order by name, id desc"},   // asked for explicitly
        {false, "zip", "", false, " order by zip"},
        // A trailing direction word (any case) orders that entry; the index still matches.
        {true, "zip desc", "", true, " order by zip desc"},
        {true, "zip DESC;name Asc", "", true, " order by zip desc, name"},
        {true, "name desc; id", "", true, " order by name desc, id desc"},   // the index gives id's direction
        {true, "NAME;ID asc", "", true, " order by name, id"},               // the entry's own wins
        {true, "desc", "", true, " order by desc"},                          // a column that is called desc
        {true, "zip  desc ; code", "", true, " order by zip desc, code"},
    };
    for (const Case& c : cases) {
        TIfxTableSelect select{"t", "", false, {}, ':', {}};
        select.order = ChooseTableOrder(SampleIndexes(c.primary), c.fieldNames, c.indexName, c.defaultIndex);
        EXPECT_EQ(TableSelectText(select), std::string("select * from t") + c.orderBy)
            << c.fieldNames << "|" << c.indexName;
    }
    EXPECT_TRUE(ChooseTableOrder(TIndexDefs{}, "", "", true).Empty());
    try {
        ChooseTableOrder(SampleIndexes(true), "", "nope", true);
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Index 'nope' not found");
    }
}

TEST(IfxTableSelect, FilterAndMasterLink) {
    TIfxTableSelect select{"o.t", "qty > 1 or qty < -1", true, {}, ':', {{"cust", "id"}, {}}};
    EXPECT_EQ(TableSelectText(select), "select * from o.t where qty > 1 or qty < -1 order by cust, id");
    select.filtered = false;
    EXPECT_EQ(TableSelectText(select), "select * from o.t order by cust, id");
    select.masterLinkFields = {"cust"};
    EXPECT_EQ(TableSelectText(select), "select * from o.t where cust = :cust order by cust, id");
    select.filtered = true;
    EXPECT_EQ(TableSelectText(select), "select * from o.t where (qty > 1 or qty < -1) and cust = :cust order by cust, id");
    select.filter = "  ";
    select.masterLinkFields = {"cust", "id"};
    EXPECT_EQ(TableSelectText(select), "select * from o.t where cust = :cust and id = :id order by cust, id");

    EXPECT_NO_THROW(CheckMasterFieldCount(select.order, 2));
    try {
        CheckMasterFieldCount(select.order, 3);
        FAIL() << "no error";
    } catch (const EDatabaseError& e) {
        EXPECT_STREQ(e.what(), "Detail field list doesn't match to the master");
    }
}

}  // namespace
