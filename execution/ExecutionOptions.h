#pragma once
// The options a run consults: the three warnings with their thresholds, the
// rows the statement data set fetches at a time and the parameter character
// of its SQL processor. They live in section eOptions of the settings file,
// are read once at start-up and written back at close.
#include <cstdint>
#include <string>

namespace varnok {

class TIniFile;

inline constexpr const char* kOptionsSection = "eOptions";

struct TExecutionOptions {
    bool warnOfUpdateDeleteWithoutWhere = true;
    bool warnOfLargeQueryCost = true;
    std::int32_t warnOfLargeQueryCostValue = 10000;
    bool warnOfLargeNumberOfRowsRet = true;
    std::int32_t warnOfLargeNumberOfRowsRetValue = 100000;
    std::int32_t numberRowsFetchAfterOpen = 50;
    char paramChar = '&';

    bool operator==(const TExecutionOptions&) const = default;
};

// Each key with its default; a stored value that is not a number reads as
// its default. ParamChar takes the first character of the stored text, "&"
// when the text is empty or starts with a byte the SQL processor cannot
// take as a one-byte marker (a letter, a digit, a blank or a non-ASCII
// character would swallow ordinary SQL text).
TExecutionOptions ReadExecutionOptions(const TIniFile& ini);

// Writes the seven keys (ParamChar as a one-character string).
void WriteExecutionOptions(TIniFile& ini, const TExecutionOptions& options);

// True for the keys Read/WriteExecutionOptions handle (compared without regard to case).
bool IsExecutionOptionKey(const std::string& key);

// The parameter character as stored text, "&" for an unusable one.
char ParamCharFromText(const std::string& text);

}  // namespace varnok
