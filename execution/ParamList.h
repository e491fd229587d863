#pragma once
// The values a statement's parameters are bound with, as the parameters
// window fills them: one entry per "?" marker of the processed text, in text
// order, so a name used twice has two entries (both get the same value).
//
// Plain values only; the access layer's parameter objects are filled from
// this list by a separate mapping.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace varnok {

enum class TParamDataType { Unknown, String, Integer, Int8, Float, Date, DateTime, Currency };

struct TParamDate {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const TParamDate&) const = default;
};

struct TParamDateTime {
    TParamDate date;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int msec = 0;
    bool operator==(const TParamDateTime&) const = default;
};

// A currency amount as a fixed-point number with four decimals (value × 10000).
struct TParamCurrency {
    std::int64_t scaled = 0;
    bool operator==(const TParamCurrency&) const = default;
};

// std::monostate is the null value.
using TParamData =
    std::variant<std::monostate, std::string, std::int32_t, std::int64_t, double, TParamDate, TParamDateTime, TParamCurrency>;

struct TStatementParam {
    std::string name;
    TParamDataType dataType = TParamDataType::Unknown;
    std::string text;  // the value text the user entered
    TParamData value;  // the typed value; null until a value is bound

    bool IsNull() const { return std::holds_alternative<std::monostate>(value); }
};

using TParamList = std::vector<TStatementParam>;

// One unbound entry per parameter reference, as the SQL processor lists them.
TParamList MakeParamList(const std::vector<std::string>& referenceNames);

// The distinct names in the order of their first occurrence.
std::vector<std::string> DistinctParamNames(const TParamList& params);

}  // namespace varnok
