#pragma once
// The text of EIfxError, built from the client library's message catalogue:
//   "<code> SQL error: <message of code, its %s filled with sqlerrm>"
// followed by the ISAM part when sqlerrd[1] is not 0:
//   i > 0: "<i> ISAM message: <message of i>",  i < 0: "<i> <message of i>".
// A code the catalogue cannot give reads
//   "Get SQL error message failure, reason <r>\r\nPlease see Informix error message documentation".
//
// The message source is the library's rgetlmsg (through the binding) or, in
// tests, any function with its contract: 0 and the text in buf with its length
// in *msglen, or a non-zero reason.
#include <functional>
#include <string>
#include <string_view>

#include "dbaccess/IfxExceptions.h"

namespace varnok {

using TIfxMessageSource = std::function<int(int msgnum, char* buf, int bufsize, int* msglen)>;

// Step 1: the message of one code with sqlerrm filling its "%s".
std::string IfxCodeMessage(int code, std::string_view sqlerrm, const TIfxMessageSource& source);

// Fills a catalogue template: the first "%s" takes sqlerrm, "%%" gives "%".
// Library texts are not ours to trust: a second "%s" gets nothing and any
// other "%" sequence stays as written, instead of failing while the real
// error is being reported.
std::string FillMessageTemplate(std::string_view templ, std::string_view sqlerrm);

// The whole text (steps 1 to 4).
std::string IfxErrorText(int code, int isamCode, std::string_view sqlerrm, const TIfxMessageSource& source);

EIfxError MakeIfxError(int code, int isamCode, std::string_view sqlerrm, const TIfxMessageSource& source);

}  // namespace varnok
