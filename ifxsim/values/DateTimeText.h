// ANSI text of DATETIME and INTERVAL values, shared by the text and the
// formatting routines: 0 with the text ("" for NULL), or -1268.
#pragma once

#include "ifxesqlc.h"

#include <string>

namespace ifxsim {

int dtimeText(const dtime_t *d, std::string &out);
int intervalText(const intrvl_t *i, std::string &out);

}  // namespace ifxsim
