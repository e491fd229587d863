#include "dbaccess/UpdateSQL.h"

namespace varnok {

namespace {

std::string Joined(const TStringLines& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return TrimText(text).empty() ? std::string() : text;
}

}  // namespace

const TStringLines& TIfxUpdateSQL::SQL(TIfxUpdateKind kind) const {
    switch (kind) {
    case ukInsert: return InsertSQL;
    case ukDelete: return DeleteSQL;
    case ukModify: break;
    }
    return ModifySQL;
}

std::string TIfxUpdateSQL::Text(TIfxUpdateKind kind) const { return Joined(SQL(kind)); }

std::string TIfxUpdateSQL::RefreshText() const { return Joined(RefreshSQL); }

}  // namespace varnok
