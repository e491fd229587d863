#pragma once
// Format(fmt, args): the printf-like formatting the layer's messages are
// written with ("%s: Open the database '%s'", "%d SQL error: %s"). Only "%s",
// "%d" and "%%" occur in them. The arguments are type-checked when the text is
// built: a wrong or missing argument is a programming error and throws
// std::logic_error instead of reading garbage the way a C vararg call would.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace varnok {

class TFormatArg {
public:
    TFormatArg(int v) : value_(static_cast<std::int64_t>(v)) {}
    TFormatArg(long v) : value_(static_cast<std::int64_t>(v)) {}
    TFormatArg(long long v) : value_(static_cast<std::int64_t>(v)) {}
    TFormatArg(unsigned v) : value_(static_cast<std::int64_t>(v)) {}
    TFormatArg(const char* v) : value_(std::string(v ? v : "")) {}
    TFormatArg(std::string_view v) : value_(std::string(v)) {}
    TFormatArg(const std::string& v) : value_(v) {}

    bool IsText() const { return std::holds_alternative<std::string>(value_); }
    const std::string& Text() const { return std::get<std::string>(value_); }
    std::int64_t Number() const { return std::get<std::int64_t>(value_); }

private:
    std::variant<std::int64_t, std::string> value_;
};

std::string Format(std::string_view fmt, std::initializer_list<TFormatArg> args);

}  // namespace varnok
