#include "dbaccess/IfxTableCatalog.h"

#include <cstdlib>

#include "dbaccess/IfxFieldTypes.h"

namespace varnok {

const char* const kTableFieldsQuery =
    "select c.colname, c.coltype, c.collength, %colxid colxid, d.type deftype "
    "from %\"database\"informix.syscolumns c, outer %\"database\"informix.sysdefaults d "
    "where c.tabid = (select nvl(s.btabid, t.tabid) "
    "from %\"database\"informix.systables t, outer %\"database\"informix.syssyntable s "
    "where %\"ownerfilter\"t.tabname = :tabname and s.tabid = t.tabid) "
    "and d.tabid = c.tabid and d.colno = c.colno";

const char* const kTableIndexesQuery =
    "select si.idxname, sc.idxname pkname, si.idxtype, si.part1, si.part2, si.part3, si.part4, "
    "si.part5, si.part6, si.part7, si.part8%onlineindices "
    "from %\"database\"informix.sysindexes si, outer %\"database\"informix.sysconstraints sc "
    "where si.tabid = (select nvl(s.btabid, t.tabid) "
    "from %\"database\"informix.systables t, outer %\"database\"informix.syssyntable s "
    "where %\"ownerfilter\"t.tabname = :tabname and s.tabid = t.tabid) "
    "and sc.tabid = si.tabid and sc.constrtype = 'P'";

std::string CatalogOwner(const TIfxCatalogContext& context) {
    return context.name.owner.empty() ? context.userName : context.name.owner;
}

TStringLines CatalogMacros(const TIfxCatalogContext& context) {
    return {
        "database=" + context.name.DatabasePrefix(':'),
        std::string("ownerfilter=") + (context.ansiDatabase ? "t.owner = :owner and " : ""),
        std::string("colxid=") + (context.universalServer ? "c.extended_id" : "0"),
        std::string("onlineindices=") +
            (context.sixteenPartIndexes
                 ? ", si.part9, si.part10, si.part11, si.part12, si.part13, si.part14, si.part15, si.part16"
                 : ""),
    };
}

TFieldDef& AddCatalogFieldDef(const TIfxFieldTypes& types, TFieldDefs& defs, const TCatalogColumnRow& row) {
    TFieldDef& def =
        types.AddFieldDef(defs, defs.Count() + 1, row.colxid, row.collength, row.coltype, TrimText(row.colname));
    if (row.hasDefault) def.required = false;
    return def;
}

TFieldDef& AddRowIdFieldDef(TFieldDefs& defs) {
    TFieldDef def;
    def.name = "rowid";
    def.kind = TFieldType::ftInteger;
    def.fieldNo = defs.Count() + 1;
    def.hidden = true;
    def.readOnly = true;
    return defs.Add(std::move(def));
}

TIndexDef& AddCatalogIndexDef(TIndexDefs& defs, const TCatalogIndexRow& row, const std::vector<std::string>& columnNames) {
    TIndexDef def;
    def.name = TrimText(row.idxname);
    if (row.pkname && SameText(TrimText(*row.pkname), def.name)) def.options.insert(TIndexOption::ixPrimary);
    if (SameText(TrimText(row.idxtype), "U")) def.options.insert(TIndexOption::ixUnique);
    for (std::size_t i = 0; i < row.parts.size(); ++i) {
        const int part = row.parts[i];
        const std::size_t column = static_cast<std::size_t>(std::abs(part));
        if (part == 0 || column > columnNames.size()) break;
        const std::string& field = columnNames[column - 1];
        def.fields.push_back(field);
        if (part < 0) {
            def.descFields.push_back(field);
            if (i == 0) def.options.insert(TIndexOption::ixDescending);
        }
    }
    return defs.Add(std::move(def));
}

}  // namespace varnok
