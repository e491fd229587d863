#include "dbaccess/IfxErrorText.h"

#include <vector>

#include "dbaccess/FormatText.h"

namespace varnok {

namespace {
constexpr int kMessageBufferSize = 32768;  // the library is told one byte less
}

std::string FillMessageTemplate(std::string_view templ, std::string_view sqlerrm) {
    std::string out;
    out.reserve(templ.size() + sqlerrm.size());
    bool filled = false;
    for (size_t i = 0; i < templ.size(); ++i) {
        const char c = templ[i];
        if (c == '%' && i + 1 < templ.size()) {
            const char spec = templ[i + 1];
            if (spec == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (spec == 's') {
                if (!filled) out += sqlerrm;
                filled = true;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string IfxCodeMessage(int code, std::string_view sqlerrm, const TIfxMessageSource& source) {
    std::vector<char> buffer(kMessageBufferSize, '\0');
    int length = 0;
    const int reason = source ? source(code, buffer.data(), kMessageBufferSize - 1, &length) : -1227;
    if (reason != 0)
        return Format("Get SQL error message failure, reason %d\r\nPlease see Informix error message documentation",
                      {reason});
    // Trust the length only within the buffer; a text without its length ends at the NUL.
    if (length < 0 || length > kMessageBufferSize - 1) length = 0;
    std::string_view templ(buffer.data(), static_cast<size_t>(length));
    if (length == 0) templ = std::string_view(buffer.data());
    return FillMessageTemplate(templ, sqlerrm);
}

std::string IfxErrorText(int code, int isamCode, std::string_view sqlerrm, const TIfxMessageSource& source) {
    std::string text = Format("%d SQL error: %s", {code, IfxCodeMessage(code, sqlerrm, source)});
    if (isamCode > 0)
        text += Format("%d ISAM message: ", {isamCode}) + IfxCodeMessage(isamCode, sqlerrm, source);
    else if (isamCode < 0)
        text += Format("%d ", {isamCode}) + IfxCodeMessage(isamCode, sqlerrm, source);
    return text;
}

EIfxError MakeIfxError(int code, int isamCode, std::string_view sqlerrm, const TIfxMessageSource& source) {
    return EIfxError(IfxErrorText(code, isamCode, sqlerrm, source), code, isamCode);
}

}  // namespace varnok
