#pragma once
// The single error check of the access layer: a client-library result of 0
// or more passes (100 from a fetch included); a negative one raises EIfxError
// with the text built from the library's messages and the communication
// area (sqlerrm, the ISAM code in sqlerrd[1]). With a monitor, the exception
// is reported to it before it propagates.
#include <string>

#include "dbaccess/IfxErrorText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxLibrary.h"

namespace varnok {

class TIfxCustomMonitor;

// The library's rgetlmsg as a message source.
TIfxMessageSource LibraryMessageSource(const TIfxLibrary& lib);

// EIfxError for code, with the ISAM code and sqlerrm of the calling thread's
// communication area when that area records this failure (its sqlcode is
// code); a failure it does not record has no ISAM part.
EIfxError IfxErrorFor(const TIfxLibrary& lib, int code);

int CheckResult(const TIfxLibrary& lib, int code, TIfxCustomMonitor* monitor = nullptr);
// Checks the integer fnsqlcode points to.
int CheckSqlCode(const TIfxLibrary& lib, TIfxCustomMonitor* monitor = nullptr);

// The same through the process-wide binding.
inline int CheckResult(int code, TIfxCustomMonitor* monitor = nullptr) { return CheckResult(Ifx(), code, monitor); }
inline int CheckSqlCode(TIfxCustomMonitor* monitor = nullptr) { return CheckSqlCode(Ifx(), monitor); }

// Reports error to monitor (when set) and throws it. A failing monitor handler
// must not hide the error it was told about, so its own failure is dropped.
template <typename TError>
[[noreturn]] void ReportAndThrow(TIfxCustomMonitor* monitor, const TError& error);

void ReportToMonitor(TIfxCustomMonitor* monitor, const std::exception& error) noexcept;

template <typename TError>
void ReportAndThrow(TIfxCustomMonitor* monitor, const TError& error) {
    ReportToMonitor(monitor, error);
    throw error;
}

}  // namespace varnok
