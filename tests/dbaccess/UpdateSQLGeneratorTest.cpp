// The statements that write a changed row back: texts by update mode, the
// where part's null handling and row-id form, quoting, and where each
// parameter's value comes from.
#include <gtest/gtest.h>

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/SQLProcessor.h"
#include "dbaccess/UpdateSQLGenerator.h"

namespace {

using namespace varnok;

TUpdateColumn Col(const char* name) {
    TUpdateColumn column;
    column.fieldName = name;
    return column;
}

// id is the key; name changed; note unchanged; photo is not compared.
std::vector<TUpdateColumn> Columns() {
    TUpdateColumn id = Col("ID");
    id.inKey = true;
    TUpdateColumn name = Col("Name");
    name.changed = true;
    TUpdateColumn note = Col("note");
    TUpdateColumn photo = Col("photo");
    photo.inWhere = false;
    return {id, name, note, photo};
}

TEST(UpdateSQLGenerator, InsertListsWritableFieldsThatHaveAValue) {
    auto columns = Columns();
    columns[2].hasNewValue = false;  // note stays null: the server's default applies
    columns[3].inUpdate = false;
    EXPECT_EQ(TUpdateSQLGenerator("customer", ':').InsertText(columns),
              "insert into customer\r\n  (ID, Name)\r\nvalues\r\n  (:\"id\", :\"name\")");
}

TEST(UpdateSQLGenerator, WherePartFollowsTheUpdateMode) {
    struct Case {
        TIfxUpdateMode mode;
        const char* where;
    };
    const Case cases[] = {
        {upWhereAll,
         "\r\nwhere\r\n  ID = :\"OLD_id\" and\r\n  Name = :\"OLD_name\" and\r\n  note = :\"OLD_note\""},
        {upWhereChanged, "\r\nwhere\r\n  ID = :\"OLD_id\" and\r\n  Name = :\"OLD_name\""},
        {upWhereKeyOnly, "\r\nwhere\r\n  ID = :\"OLD_id\""},
    };
    for (const Case& c : cases) {
        const TUpdateSQLGenerator gen("customer", ':', c.mode);
        EXPECT_EQ(gen.UpdateText(Columns()), std::string("update customer\r\nset\r\n  Name = :\"name\"") + c.where)
            << static_cast<int>(c.mode);
        EXPECT_EQ(gen.DeleteText(Columns()), std::string("delete from customer") + c.where);
        EXPECT_EQ(gen.RefreshText(Columns()), std::string("select ID, Name, note, photo from customer") + c.where);
    }
}

TEST(UpdateSQLGenerator, NullOldValueComparesWithIsNullAnEmptyTextWithTheLiteral) {
    auto columns = Columns();
    columns[1].oldIsEmpty = true;   // an empty parameter would travel as a null
    columns[2].oldIsNull = true;
    EXPECT_EQ(TUpdateSQLGenerator("t", ':').DeleteText(columns),
              "delete from t\r\nwhere\r\n  ID = :\"OLD_id\" and\r\n  Name = '' and\r\n  note is null");
}

TEST(UpdateSQLGenerator, UpdateWritesOnlyChangedWritableColumns) {
    auto columns = Columns();
    for (auto& column : columns) column.changed = true;
    columns[0].inUpdate = false;
    EXPECT_EQ(TUpdateSQLGenerator("t", ':', upWhereKeyOnly).UpdateText(columns),
              "update t\r\nset\r\n  Name = :\"name\", note = :\"note\", photo = :\"photo\"\r\nwhere\r\n"
              "  ID = :\"OLD_id\"");
    for (auto& column : columns) column.changed = false;
    EXPECT_EQ(TUpdateSQLGenerator("t", ':', upWhereKeyOnly).UpdateText(columns), "");
}

TEST(UpdateSQLGenerator, LiveRowsAreFoundByRowIdAlone) {
    const TUpdateSQLGenerator gen("db::owner.t", '&', upWhereAll, true);
    EXPECT_EQ(gen.DeleteText(Columns()), "delete from db::owner.t\r\nwhere\r\n  rowid = &\"OLD_rowid\"");
    // Even with no field marked for the where part.
    EXPECT_EQ(gen.WherePart({}), "\r\nwhere\r\n  rowid = &\"OLD_rowid\"");
}

TEST(UpdateSQLGenerator, NoKeyRaises) {
    const auto noKey = [](TIfxUpdateMode mode, std::vector<TUpdateColumn> columns) {
        try {
            TUpdateSQLGenerator("t", ':', mode).DeleteText(columns);
        } catch (const EDatabaseError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    const std::string message = "Unable to find record. No key specified";
    EXPECT_EQ(noKey(upWhereKeyOnly, {Col("a")}), message);
    TUpdateColumn unchanged = Col("a");
    EXPECT_EQ(noKey(upWhereChanged, {unchanged}), message);
    unchanged.inWhere = false;
    EXPECT_EQ(noKey(upWhereAll, {unchanged}), message);
    EXPECT_EQ(noKey(upWhereAll, {Col("a")}), "no error");
}

TEST(UpdateSQLGenerator, UpdateWithNothingToWriteIsEmptyButStillNeedsAKey) {
    TUpdateColumn readOnly = Col("a");
    readOnly.inUpdate = false;
    EXPECT_EQ(TUpdateSQLGenerator("t", ':').UpdateText({readOnly}), "");
    EXPECT_THROW(TUpdateSQLGenerator("t", ':', upWhereKeyOnly).UpdateText({readOnly}), EDatabaseError);
}

TEST(UpdateSQLGenerator, ColumnNamesThatAreNotIdentifiersAreQuoted) {
    const std::pair<const char*, const char*> cases[] = {
        {"plain_1", "plain_1"},     {"_x$y", "_x$y"},           {"first name", "\"first name\""},
        {"1st", "\"1st\""},         {"t.col", "t.col"},         {"t.my col", "t.\"my col\""},
        {"my t.c", "\"my t\".c"},   {"a\"b", "\"a\"\"b\""},      {"", "\"\""},
    };
    for (const auto& [name, quoted] : cases) EXPECT_EQ(QuoteColumnName(name), quoted) << name;

    TUpdateColumn column = Col("First Name");
    EXPECT_EQ(TUpdateSQLGenerator("t", ':').DeleteText({column}),
              "delete from t\r\nwhere\r\n  \"First Name\" = :\"OLD_first name\"");
}

// The generated references must come out of the processor as the names the
// value mapping expects.
TEST(UpdateSQLGenerator, ProcessedReferencesMapBackToTheirValues) {
    const std::vector<std::string> fields = {"ID", "First Name", "note", "rowid"};
    std::vector<TUpdateColumn> columns = {Col("ID"), Col("First Name"), Col("note")};
    for (auto& column : columns) column.changed = true;
    const TUpdateSQLGenerator gen("t", ':');
    const auto processed = DefaultSQLProcessor().Process(gen.UpdateText(columns));
    EXPECT_EQ(processed.text,
              "update t\r\nset\r\n  ID = ?, \"First Name\" = ?, note = ?\r\nwhere\r\n  ID = ? and\r\n"
              "  \"First Name\" = ? and\r\n  note = ?");
    const auto sources = MapUpdateParams(processed.paramNames, fields, false);
    ASSERT_EQ(sources.size(), 6u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sources[i].source, TUpdateValueSource::svNewValue);
        EXPECT_EQ(sources[i].field, i);
        EXPECT_EQ(sources[i + 3].source, TUpdateValueSource::svOldValue);
        EXPECT_EQ(sources[i + 3].field, i);
    }
}

TEST(UpdateSQLGenerator, ParameterSourcesByName) {
    const std::vector<std::string> fields = {"id", "old_x", "x", "rowid"};
    struct Case {
        const char* param;
        bool adapter;
        TUpdateValueSource source;
        int field;
    };
    const Case cases[] = {
        {"rowid", true, TUpdateValueSource::svRowId, -1},
        {"OLD_rowid", true, TUpdateValueSource::svRowId, -1},
        {"rowid", false, TUpdateValueSource::svNewValue, 3},  // no adapter: the field itself
        {"OLD_rowid", false, TUpdateValueSource::svOldValue, 3},
        {"ID", false, TUpdateValueSource::svNewValue, 0},
        {"OLD_id", false, TUpdateValueSource::svOldValue, 0},
        {"old_x", false, TUpdateValueSource::svNewValue, 1},   // a field of that name
        {"OLD_x", false, TUpdateValueSource::svOldValue, 2},   // the generator's old-value form
        {"OLD_old_x", false, TUpdateValueSource::svOldValue, 1},
        {"old_id", false, TUpdateValueSource::svOldValue, 0},  // written by hand in lower case
        {"missing", false, TUpdateValueSource::svSkip, -1},
        {"OLD_missing", false, TUpdateValueSource::svSkip, -1},
        {"OLD_", false, TUpdateValueSource::svSkip, -1},
    };
    for (const Case& c : cases) {
        const auto sources = MapUpdateParams({c.param}, fields, c.adapter);
        ASSERT_EQ(sources.size(), 1u);
        EXPECT_EQ(sources[0].source, c.source) << c.param;
        EXPECT_EQ(sources[0].field, c.field) << c.param;
    }
}

}  // namespace
