#pragma once
// The request callback the client library calls while a request runs (status
// 1 at the start, 2 every TimeOutInterval ms, 0 at the end). It runs inside
// the library, so an exception must not leave it: the first failure (a
// foreign current connection, a failing OnTimeOut handler) is kept for the
// calling thread and raised by the connection's next result check, which is
// the check of the very call the callback interrupted.
#include "ifxesqlc.h"

namespace varnok {

extern "C" void IfxRequestCallback(mint status);

// Raises the kept failure of this thread's request callback, if any.
void RethrowRequestCallbackError();

}  // namespace varnok
