#include "dbaccess/IfxCheck.h"

#include <cstring>

#include "dbaccess/IfxMonitor.h"

namespace varnok {

TIfxMessageSource LibraryMessageSource(const TIfxLibrary& lib) {
    auto rgetlmsg = lib.rgetlmsg;
    return [rgetlmsg](int msgnum, char* buf, int bufsize, int* msglen) {
        return rgetlmsg(msgnum, buf, bufsize, msglen);
    };
}

EIfxError IfxErrorFor(const TIfxLibrary& lib, int code) {
    int isamCode = 0;
    std::string sqlerrm;
    // The communication area describes the last statement. A failure it does
    // not record (a value conversion, a code of the layer's own) must not
    // borrow its ISAM code and sqlerrm: after an INSERT sqlerrd[1] holds the
    // new SERIAL, after an earlier failure that failure's ISAM error.
    const ifx_sqlca_t* ca = lib.fnsqlca();
    if (ca && ca->sqlcode == code) {
        isamCode = ca->sqlerrd[1];
        // sqlerrm fills its whole field when the text is long: no NUL to rely on.
        sqlerrm.assign(ca->sqlerrm, strnlen(ca->sqlerrm, sizeof ca->sqlerrm));
    }
    return MakeIfxError(code, isamCode, sqlerrm, LibraryMessageSource(lib));
}

void ReportToMonitor(TIfxCustomMonitor* monitor, const std::exception& error) noexcept {
    if (!monitor) return;
    try {
        monitor->ReportException(error);
    } catch (...) {
    }
}

int CheckResult(const TIfxLibrary& lib, int code, TIfxCustomMonitor* monitor) {
    if (code >= 0) return code;
    ReportAndThrow(monitor, IfxErrorFor(lib, code));
}

int CheckSqlCode(const TIfxLibrary& lib, TIfxCustomMonitor* monitor) {
    const int4* sqlcode = lib.fnsqlcode();
    return CheckResult(lib, sqlcode ? *sqlcode : 0, monitor);
}

}  // namespace varnok
