#include "execution/ExecutionOptions.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "shell/IniFile.h"

namespace varnok {

namespace {
constexpr char kDefaultParamChar = '&';
constexpr const char* kKeys[] = {"NumberRowsFetchAfterOpen", "WarnOfLargeNumberOfRowsRet",
                                 "WarnOfLargeNumberOfRowsRetValue", "WarnOfLargeQueryCost",
                                 "WarnOfLargeQueryCostValue", "WarnOfUpdateDeleteWithoutWhere", "ParamChar"};
}  // namespace

bool IsExecutionOptionKey(const std::string& key) {
    for (const char* own : kKeys) {
        const std::string_view name(own);
        if (name.size() == key.size() &&
            std::equal(name.begin(), name.end(), key.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
    }
    return false;
}

char ParamCharFromText(const std::string& text) {
    if (text.empty()) return kDefaultParamChar;
    const auto c = static_cast<unsigned char>(text.front());
    if (c >= 0x80 || !std::isgraph(c) || std::isalnum(c) || c == '_') return kDefaultParamChar;
    return static_cast<char>(c);
}

TExecutionOptions ReadExecutionOptions(const TIniFile& ini) {
    const TExecutionOptions d;
    TExecutionOptions o;
    const std::string s = kOptionsSection;
    o.numberRowsFetchAfterOpen = ini.ReadInteger(s, "NumberRowsFetchAfterOpen", d.numberRowsFetchAfterOpen);
    o.warnOfLargeNumberOfRowsRet = ini.ReadBool(s, "WarnOfLargeNumberOfRowsRet", d.warnOfLargeNumberOfRowsRet);
    o.warnOfLargeNumberOfRowsRetValue =
        ini.ReadInteger(s, "WarnOfLargeNumberOfRowsRetValue", d.warnOfLargeNumberOfRowsRetValue);
    o.warnOfLargeQueryCost = ini.ReadBool(s, "WarnOfLargeQueryCost", d.warnOfLargeQueryCost);
    o.warnOfLargeQueryCostValue = ini.ReadInteger(s, "WarnOfLargeQueryCostValue", d.warnOfLargeQueryCostValue);
    o.warnOfUpdateDeleteWithoutWhere =
        ini.ReadBool(s, "WarnOfUpdateDeleteWithoutWhere", d.warnOfUpdateDeleteWithoutWhere);
    o.paramChar = ParamCharFromText(ini.ReadString(s, "ParamChar", std::string(1, d.paramChar)));
    return o;
}

void WriteExecutionOptions(TIniFile& ini, const TExecutionOptions& o) {
    const std::string s = kOptionsSection;
    ini.WriteInteger(s, "NumberRowsFetchAfterOpen", o.numberRowsFetchAfterOpen);
    ini.WriteBool(s, "WarnOfLargeNumberOfRowsRet", o.warnOfLargeNumberOfRowsRet);
    ini.WriteInteger(s, "WarnOfLargeNumberOfRowsRetValue", o.warnOfLargeNumberOfRowsRetValue);
    ini.WriteBool(s, "WarnOfLargeQueryCost", o.warnOfLargeQueryCost);
    ini.WriteInteger(s, "WarnOfLargeQueryCostValue", o.warnOfLargeQueryCostValue);
    ini.WriteBool(s, "WarnOfUpdateDeleteWithoutWhere", o.warnOfUpdateDeleteWithoutWhere);
    ini.WriteString(s, "ParamChar", std::string(1, o.paramChar));
}

}  // namespace varnok
