#pragma once
// What TIfxTable asks the system catalog: the two query texts (with the
// macros that adapt them to the database and server), and how their rows
// become field and index definitions. The queries go through the default
// processor (parameter character ":"), which the macro values assume.
#include <optional>
#include <string>
#include <vector>

#include "dbaccess/FieldDef.h"
#include "dbaccess/IndexDefs.h"
#include "dbaccess/TableName.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

class TIfxFieldTypes;

extern const char* const kTableFieldsQuery;
extern const char* const kTableIndexesQuery;

// What the macros depend on.
struct TIfxCatalogContext {
    TIfxTableName name;
    bool ansiDatabase = false;
    std::string userName;  // the owner filter's owner when the name has none
    bool universalServer = false;
    bool sixteenPartIndexes = false;
};

// The macro lines (database, ownerfilter, colxid, onlineindices).
TStringLines CatalogMacros(const TIfxCatalogContext& context);
// The owner the ownerfilter compares with (only used in an ANSI database).
std::string CatalogOwner(const TIfxCatalogContext& context);

// One row of the field-definitions query.
struct TCatalogColumnRow {
    std::string colname;
    int coltype = 0;
    int collength = 0;
    int colxid = 0;
    bool hasDefault = false;  // deftype not null
};

// Adds the definition of one column; a column with a default is not required.
TFieldDef& AddCatalogFieldDef(const TIfxFieldTypes& types, TFieldDefs& defs, const TCatalogColumnRow& row);
// The hidden, read-only row-id field of a live table.
TFieldDef& AddRowIdFieldDef(TFieldDefs& defs);

// One row of the index-definitions query; parts as selected (8 or 16).
struct TCatalogIndexRow {
    std::string idxname;
    std::optional<std::string> pkname;
    std::string idxtype;
    std::vector<int> parts;
};

// Adds the index of one row. columnNames[n - 1] is column n; a part number
// outside them ends the list like 0 does.
TIndexDef& AddCatalogIndexDef(TIndexDefs& defs, const TCatalogIndexRow& row, const std::vector<std::string>& columnNames);

}  // namespace varnok

namespace varnok {

class TIfxConnection;

// The context of a table on connection: the database flags and server
// answers the macros depend on (the user name only in an ANSI database).
TIfxCatalogContext CatalogContext(TIfxConnection& connection, const TIfxTableName& name);

// Run the two catalog queries as cacheable statements of connection.
std::vector<TCatalogColumnRow> ReadCatalogColumns(TIfxConnection& connection, const TIfxCatalogContext& context);
std::vector<TCatalogIndexRow> ReadCatalogIndexes(TIfxConnection& connection, const TIfxCatalogContext& context);

}  // namespace varnok
