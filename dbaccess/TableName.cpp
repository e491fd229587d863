#include "dbaccess/TableName.h"

#include "dbaccess/TextUtils.h"

namespace varnok {

TIfxTableName TIfxTableName::Split(std::string_view text) {
    TIfxTableName name;
    std::string_view rest = text;
    if (const std::size_t colon = rest.find(':'); colon != std::string_view::npos) {
        name.database = TrimText(rest.substr(0, colon));
        rest = rest.substr(colon + 1);
        // A name already written for the ":" processor has the colon doubled.
        if (!rest.empty() && rest.front() == ':') rest = rest.substr(1);
    }
    if (const std::size_t dot = rest.find('.'); dot != std::string_view::npos) {
        name.owner = TrimText(rest.substr(0, dot));
        rest = rest.substr(dot + 1);
    }
    name.table = TrimText(rest);
    return name;
}

std::string TIfxTableName::DatabasePrefix(char paramChar) const {
    if (database.empty()) return {};
    return database + (paramChar == ':' ? "::" : ":");
}

std::string TIfxTableName::FullName(char paramChar) const {
    std::string out = DatabasePrefix(paramChar);
    if (!owner.empty()) out += owner + ".";
    return out + table;
}

}  // namespace varnok
