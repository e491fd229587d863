// Running TIfxTable's catalog queries (the texts and the row rules are in
// IfxTableCatalog.cpp).
#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxTableCatalog.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

namespace {

// A catalog name part as the catalog stores it: without the delimiting quotes.
std::string Unquoted(const std::string& name) {
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"') return name.substr(1, name.size() - 2);
    return name;
}

// Opens the catalog query text of context on connection and hands each row to read.
void RunCatalogQuery(TIfxConnection& connection, const TIfxCatalogContext& context, const char* text,
                     const std::function<void(TIfxFields&)>& read) {
    TIfxSQL sql;
    sql.SetConnection(&connection);
    // The texts and macro values are written for the ":" parameter character.
    sql.SetSQLProcessor(&DefaultSQLProcessor());
    sql.SetCacheHandle(true);
    sql.SetMacros(CatalogMacros(context));
    sql.SetSQLText(text);
    for (const std::string& name : sql.ParamNames()) {
        if (name == "tabname") sql.ParamByName(name).SetAsString(Unquoted(context.name.table));
        if (name == "owner") sql.ParamByName(name).SetAsString(Unquoted(CatalogOwner(context)));
    }
    sql.Open();
    while (!sql.EndOfRows()) {
        read(sql.Fields());
        sql.FetchNext();
    }
    sql.Close();
}

int IntegerOf(const TIfxSQLVAR& column) { return column.Value()->IsNull() ? 0 : column.Value()->AsInteger(); }

}  // namespace

TIfxCatalogContext CatalogContext(TIfxConnection& connection, const TIfxTableName& name) {
    connection.EnsureConnected();
    TIfxCatalogContext context;
    context.name = name;
    context.ansiDatabase = connection.IsAnsiDatabase();
    if (context.ansiDatabase && name.owner.empty()) context.userName = connection.GetUserName();
    context.universalServer = connection.IsUniversalServer();
    context.sixteenPartIndexes = connection.HasSixteenPartIndexes();
    return context;
}

std::vector<TCatalogColumnRow> ReadCatalogColumns(TIfxConnection& connection, const TIfxCatalogContext& context) {
    std::vector<TCatalogColumnRow> rows;
    RunCatalogQuery(connection, context, kTableFieldsQuery, [&](TIfxFields& columns) {
        TCatalogColumnRow row;
        row.colname = TrimText(columns[0].Value()->AsString());
        row.coltype = IntegerOf(columns[1]);
        row.collength = IntegerOf(columns[2]);
        row.colxid = IntegerOf(columns[3]);
        row.hasDefault = !columns[4].Value()->IsNull();
        rows.push_back(std::move(row));
    });
    return rows;
}

std::vector<TCatalogIndexRow> ReadCatalogIndexes(TIfxConnection& connection, const TIfxCatalogContext& context) {
    std::vector<TCatalogIndexRow> rows;
    RunCatalogQuery(connection, context, kTableIndexesQuery, [&](TIfxFields& columns) {
        TCatalogIndexRow row;
        row.idxname = columns[0].Value()->AsString();
        if (!columns[1].Value()->IsNull()) row.pkname = columns[1].Value()->AsString();
        row.idxtype = columns[2].Value()->AsString();
        for (int i = 3; i < columns.Count(); ++i) row.parts.push_back(IntegerOf(columns[i]));
        rows.push_back(std::move(row));
    });
    return rows;
}

}  // namespace varnok
