#include "dbaccess/IfxTableSelect.h"

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/TextUtils.h"
#include "dbaccess/UpdateSQLGenerator.h"

namespace varnok {

namespace {

TIfxTableOrder OrderOf(const TIndexDef& index) { return {index.fields, index.descFields}; }

// A trailing direction word, separated from the name by blanks.
TIfxOrderEntry::TDirection TakeDirection(std::string& entry) {
    const std::size_t blank = entry.find_last_of(" \t");
    if (blank == std::string::npos) return TIfxOrderEntry::odDefault;
    const std::string word = entry.substr(blank + 1);
    TIfxOrderEntry::TDirection direction = TIfxOrderEntry::odDefault;
    if (SameText(word, "desc"))
        direction = TIfxOrderEntry::odDescending;
    else if (SameText(word, "asc"))
        direction = TIfxOrderEntry::odAscending;
    else
        return direction;
    entry = TrimText(entry.substr(0, blank));
    return direction;
}

// The entries' own directions over the index's (or ascending without one).
TIfxTableOrder OrderOf(const std::vector<TIfxOrderEntry>& entries, const TIndexDef* index) {
    TIfxTableOrder order;
    for (const TIfxOrderEntry& entry : entries) {
        // A matching index spells the names as the catalog has them.
        const std::string& field = index ? index->fields[order.fields.size()] : entry.field;
        const bool desc = entry.direction == TIfxOrderEntry::odDefault ? index && index->IsDescending(field)
                                                                       : entry.direction == TIfxOrderEntry::odDescending;
        order.fields.push_back(field);
        if (desc) order.descFields.push_back(field);
    }
    return order;
}

}  // namespace

std::vector<TIfxOrderEntry> SplitOrderEntries(std::string_view indexFieldNames) {
    std::vector<TIfxOrderEntry> entries;
    for (std::string item : SplitFieldList(indexFieldNames)) {
        TIfxOrderEntry entry;
        entry.direction = TakeDirection(item);
        entry.field = std::move(item);
        entries.push_back(std::move(entry));
    }
    return entries;
}

TIfxTableOrder ChooseTableOrder(const TIndexDefs& indexes, std::string_view indexFieldNames,
                                std::string_view indexName, bool defaultIndex) {
    const std::vector<TIfxOrderEntry> entries = SplitOrderEntries(indexFieldNames);
    if (!entries.empty()) {
        std::vector<std::string> fields;
        for (const TIfxOrderEntry& entry : entries) fields.push_back(entry.field);
        return OrderOf(entries, indexes.FindByFields(fields));
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
