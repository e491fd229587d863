#include "dbaccess/IfxTableSelect.h"

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/TextUtils.h"
#include "dbaccess/UpdateSQLGenerator.h"

namespace varnok {

namespace {

TIfxTableOrder OrderOf(const TIndexDef& index) { return {index.fields, index.descFields}; }

}  // namespace

TIfxTableOrder ChooseTableOrder(const TIndexDefs& indexes, std::string_view indexFieldNames,
                                std::string_view indexName, bool defaultIndex) {
    const std::vector<std::string> fields = SplitFieldList(indexFieldNames);
    if (!fields.empty()) {
        if (const TIndexDef* index = indexes.FindByFields(fields)) return OrderOf(*index);
        return {fields, {}};
    }
    if (!TrimText(indexName).empty()) {
        const TIndexDef* index = indexes.Find(TrimText(indexName));
        if (!index) throw EDatabaseError(Format("Index '%s' not found", {std::string(indexName)}));
        return OrderOf(*index);
    }
    if (!defaultIndex) return {};
    if (const TIndexDef* primary = indexes.Primary()) return OrderOf(*primary);
    if (const TIndexDef* unique = indexes.FirstUnique()) return OrderOf(*unique);
    return {};
}

void CheckMasterFieldCount(const TIfxTableOrder& order, std::size_t masterFieldCount) {
    if (order.fields.size() < masterFieldCount) throw EDatabaseError("Detail field list doesn't match to the master");
}

std::string TableSelectText(const TIfxTableSelect& select) {
    std::string text = "select * from " + select.fullName;
    const std::string filter = select.filtered ? TrimText(select.filter) : std::string();
    std::string link;
    for (const std::string& field : select.masterLinkFields) {
        if (!link.empty()) link += " and ";
        const std::string param = IsPlainIdentifier(field) ? field : "\"" + field + "\"";
        link += QuoteColumnName(field) + " = " + select.paramChar + param;
    }
    if (!filter.empty() && !link.empty())
        text += " where (" + filter + ") and " + link;   // the filter may hold an "or"
    else if (!filter.empty())
        text += " where " + filter;
    else if (!link.empty())
        text += " where " + link;
    if (!select.order.Empty()) {
        text += " order by ";
        for (std::size_t i = 0; i < select.order.fields.size(); ++i) {
            if (i) text += ", ";
            const std::string& field = select.order.fields[i];
            text += QuoteColumnName(field);
            for (const std::string& desc : select.order.descFields)
                if (SameText(desc, field)) {
                    text += " desc";
                    break;
                }
        }
    }
    return text;
}

}  // namespace varnok
