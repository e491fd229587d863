#include "dbaccess/IfxFormatMask.h"

namespace varnok {

std::size_t MaskOutputSize(std::string_view mask) { return 2 * mask.size() + 256; }

std::string KeepNegativeSign(std::string text, bool negative, std::string_view mask) {
    if (!negative || mask.find_first_of("-+()") != std::string_view::npos) return text;
    // A value the mask rounds to zero stays unsigned.
    if (text.find_first_of("123456789") == std::string::npos) return text;
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return text;
    // A blank before the number gives its place to the minus, so the width stays.
    if (first > 0)
        text[first - 1] = '-';
    else
        text.insert(text.begin(), '-');
    return text;
}

}  // namespace varnok
