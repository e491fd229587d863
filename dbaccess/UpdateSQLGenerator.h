#pragma once
// TUpdateSQLGenerator: writes the insert, update, delete and re-read
// statements that apply one changed row to its table. Values travel as named
// parameters: the parameter character, then the name in double quotes — the
// lower-cased field name for a new value, "OLD_" + that name for an old one.
// Line breaks are "\r\n", like every text the program generates.
//
// The generator knows nothing about data sets: the caller describes each
// field (TUpdateColumn) and later binds the statement's parameters through
// MapUpdateParams.
#include <string>
#include <string_view>
#include <vector>

#include "dbaccess/IfxCustomDataSet.h"   // TIfxUpdateMode

namespace varnok {

struct TUpdateColumn {
    std::string fieldName;   // the parameter names derive from it
    std::string columnName;  // the table's column (the field name when empty)
    bool inUpdate = true;    // may be written by insert and update
    bool inWhere = true;     // marked for the where clause (upWhereAll)
    bool inKey = false;      // part of the row's key
    bool changed = false;    // the new value differs from the old one
    bool oldIsNull = false;  // old value null
    // Old value an empty text that is not null (a blank CHAR, an empty
    // VARCHAR). The client library sends an empty text parameter as null, so
    // the where part compares with the literal '' instead.
    bool oldIsEmpty = false;
    bool hasNewValue = true; // the row holds a value for it (insert takes part)
    bool inSelect = true;    // read back by the re-read statement
};

class TUpdateSQLGenerator {
public:
    // table: written as given; paramChar: the processor's parameter character.
    TUpdateSQLGenerator(std::string table, char paramChar, TIfxUpdateMode mode = upWhereAll,
                        bool requestLive = false);

    // Raise "Unable to find record. No key specified" when no field qualifies
    // for the where part. Update writes the writable columns that changed and
    // returns "" when there are none.
    std::string InsertText(const std::vector<TUpdateColumn>& columns) const;
    std::string UpdateText(const std::vector<TUpdateColumn>& columns) const;
    std::string DeleteText(const std::vector<TUpdateColumn>& columns) const;
    std::string RefreshText(const std::vector<TUpdateColumn>& columns) const;
    // "\r\nwhere\r\n  " + conditions joined by " and\r\n  ".
    std::string WherePart(const std::vector<TUpdateColumn>& columns) const;

    // paramChar + '"' + name + '"' (a quote inside the name is doubled).
    std::string ParamRef(std::string_view name) const;
    std::string NewValueRef(std::string_view fieldName) const;
    std::string OldValueRef(std::string_view fieldName) const;

    const std::string& Table() const { return table_; }

private:
    bool QualifiesForWhere(const TUpdateColumn& column) const;

    std::string table_;
    char paramChar_;
    TIfxUpdateMode mode_;
    bool requestLive_;
};

// A column name as the server must see it: parts that are not plain
// identifiers are wrapped in double quotes (a dotted name part by part).
std::string QuoteColumnName(std::string_view name);
bool IsPlainIdentifier(std::string_view name);

// The name of the row-id column and of its parameter.
inline constexpr const char* kRowIdName = "rowid";
inline constexpr const char* kOldValuePrefix = "OLD_";

// Where the value of one statement parameter comes from.
enum class TUpdateValueSource { svSkip, svRowId, svOldValue, svNewValue };
struct TUpdateParamSource {
    TUpdateValueSource source = TUpdateValueSource::svSkip;
    int field = -1;  // index into fieldNames for old and new values
};

// For each parameter name (in statement order): "rowid" (and "OLD_rowid")
// from the row-id adapter when there is one, "OLD_" names from the old value
// of the field they name, other names from the field's new value; names that
// match no field are skipped. Names are matched without regard to case.
std::vector<TUpdateParamSource> MapUpdateParams(const std::vector<std::string>& paramNames,
                                                const std::vector<std::string>& fieldNames, bool hasRowIdAdapter);

}  // namespace varnok
