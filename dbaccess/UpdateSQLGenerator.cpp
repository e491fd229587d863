#include "dbaccess/UpdateSQLGenerator.h"

#include "dbaccess/IfxExceptions.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

constexpr const char* kLineBreak = "\r\n";

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i) out += separator;
        out += items[i];
    }
    return out;
}

const std::string& ColumnOf(const TUpdateColumn& column) {
    return column.columnName.empty() ? column.fieldName : column.columnName;
}

std::string DoubledQuotes(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '"') out += '"';
    }
    return out;
}

}  // namespace

bool IsPlainIdentifier(std::string_view name) {
    if (name.empty() || !IsLetter(name.front())) return false;
    for (char c : name)
        if (!IsLetter(c) && !IsDigit(c) && c != '$') return false;
    return true;
}

std::string QuoteColumnName(std::string_view name) {
    std::string out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = name.find('.', start);
        const std::string_view part = name.substr(start, dot == std::string_view::npos ? dot : dot - start);
        out += IsPlainIdentifier(part) ? std::string(part) : "\"" + DoubledQuotes(part) + "\"";
        if (dot == std::string_view::npos) break;
        out += '.';
        start = dot + 1;
    }
    return out;
}

TUpdateSQLGenerator::TUpdateSQLGenerator(std::string table, char paramChar, TIfxUpdateMode mode, bool requestLive)
    : table_(std::move(table)), paramChar_(paramChar), mode_(mode), requestLive_(requestLive) {}

std::string TUpdateSQLGenerator::ParamRef(std::string_view name) const {
    return std::string(1, paramChar_) + "\"" + DoubledQuotes(name) + "\"";
}

std::string TUpdateSQLGenerator::NewValueRef(std::string_view fieldName) const {
    return ParamRef(LowerText(fieldName));
}

std::string TUpdateSQLGenerator::OldValueRef(std::string_view fieldName) const {
    return ParamRef(kOldValuePrefix + LowerText(fieldName));
}

bool TUpdateSQLGenerator::QualifiesForWhere(const TUpdateColumn& column) const {
    switch (mode_) {
    case upWhereAll: return column.inWhere;
    case upWhereChanged: return column.inKey || (column.inWhere && column.changed);
    case upWhereKeyOnly: return column.inKey;
    }
    return false;
}

std::string TUpdateSQLGenerator::WherePart(const std::vector<TUpdateColumn>& columns) const {
    std::vector<std::string> conditions;
    if (requestLive_) {
        conditions.push_back(std::string(kRowIdName) + " = " + OldValueRef(kRowIdName));
    } else {
        for (const TUpdateColumn& column : columns) {
            if (!QualifiesForWhere(column)) continue;
            const std::string name = QuoteColumnName(ColumnOf(column));
            if (column.oldIsNull)
                conditions.push_back(name + " is null");
            else if (column.oldIsEmpty)
                conditions.push_back(name + " = ''");
            else
                conditions.push_back(name + " = " + OldValueRef(column.fieldName));
        }
    }
    if (conditions.empty()) throw EDatabaseError("Unable to find record. No key specified");
    return std::string(kLineBreak) + "where" + kLineBreak + "  " + Joined(conditions, std::string(" and") + kLineBreak + "  ");
}

std::string TUpdateSQLGenerator::InsertText(const std::vector<TUpdateColumn>& columns) const {
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const TUpdateColumn& column : columns) {
        if (!column.inUpdate || !column.hasNewValue) continue;
        names.push_back(QuoteColumnName(ColumnOf(column)));
        values.push_back(NewValueRef(column.fieldName));
    }
    return "insert into " + table_ + kLineBreak + "  (" + Joined(names, ", ") + ")" + kLineBreak + "values" +
           kLineBreak + "  (" + Joined(values, ", ") + ")";
}

std::string TUpdateSQLGenerator::UpdateText(const std::vector<TUpdateColumn>& columns) const {
    std::vector<std::string> items;
    for (const TUpdateColumn& column : columns)
        if (column.inUpdate && column.changed) items.push_back(QuoteColumnName(ColumnOf(column)) + " = " + NewValueRef(column.fieldName));
    // The where part is checked first: a row without a key must say so even
    // when it has nothing to write.
    const std::string where = WherePart(columns);
    if (items.empty()) return {};
    return "update " + table_ + kLineBreak + "set" + kLineBreak + "  " + Joined(items, ", ") + where;
}

std::string TUpdateSQLGenerator::DeleteText(const std::vector<TUpdateColumn>& columns) const {
    return "delete from " + table_ + WherePart(columns);
}

std::string TUpdateSQLGenerator::RefreshText(const std::vector<TUpdateColumn>& columns) const {
    std::vector<std::string> names;
    for (const TUpdateColumn& column : columns)
        if (column.inSelect) names.push_back(QuoteColumnName(ColumnOf(column)));
    return "select " + Joined(names, ", ") + " from " + table_ + WherePart(columns);
}

std::vector<TUpdateParamSource> MapUpdateParams(const std::vector<std::string>& paramNames,
                                                const std::vector<std::string>& fieldNames, bool hasRowIdAdapter) {
    auto fieldIndex = [&](std::string_view name) {
        for (std::size_t i = 0; i < fieldNames.size(); ++i)
            if (SameText(fieldNames[i], name)) return static_cast<int>(i);
        return -1;
    };
    const std::string_view prefix = kOldValuePrefix;
    std::vector<TUpdateParamSource> sources;
    sources.reserve(paramNames.size());
    for (const std::string& param : paramNames) {
        const std::string_view whole = param;
        const bool prefixed = whole.size() > prefix.size() && SameText(whole.substr(0, prefix.size()), prefix);
        const std::string_view rest = prefixed ? whole.substr(prefix.size()) : whole;
        // The generator writes "OLD_" in capitals and new-value names in
        // lower case, so a field called "old_x" keeps its own name.
        const bool exactPrefix = prefixed && whole.substr(0, prefix.size()) == prefix;
        TUpdateParamSource source;
        if (hasRowIdAdapter && SameText(rest, kRowIdName)) {
            source.source = TUpdateValueSource::svRowId;
        } else if (const int oldField = prefixed ? fieldIndex(rest) : -1; exactPrefix && oldField >= 0) {
            source = {TUpdateValueSource::svOldValue, oldField};
        } else if (const int field = fieldIndex(whole); field >= 0) {
            source = {TUpdateValueSource::svNewValue, field};
        } else if (oldField >= 0) {
            source = {TUpdateValueSource::svOldValue, oldField};
        }
        sources.push_back(source);
    }
    return sources;
}

}  // namespace varnok
