#include "dbaccess/FormatText.h"

#include <stdexcept>

namespace varnok {

std::string Format(std::string_view fmt, std::initializer_list<TFormatArg> args) {
    std::string out;
    out.reserve(fmt.size() + 32);
    auto next = args.begin();
    for (size_t i = 0; i < fmt.size(); ++i) {
        const char c = fmt[i];
        if (c != '%') {
            out += c;
            continue;
        }
        if (i + 1 >= fmt.size())
            throw std::logic_error("Format: lone '%' at the end of \"" + std::string(fmt) + "\"");
        const char spec = fmt[++i];
        if (spec == '%') {
            out += '%';
            continue;
        }
        if (next == args.end())
            throw std::logic_error("Format: too few arguments for \"" + std::string(fmt) + "\"");
        const TFormatArg& arg = *next++;
        if (spec == 's' && arg.IsText()) {
            out += arg.Text();
        } else if (spec == 'd' && !arg.IsText()) {
            out += std::to_string(arg.Number());
        } else {
            throw std::logic_error("Format: argument does not fit '%" + std::string(1, spec) +
                                   "' in \"" + std::string(fmt) + "\"");
        }
    }
    return out;
}

}  // namespace varnok
