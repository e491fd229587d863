#include "dbaccess/IfxSQL.h"

#include "dbaccess/FormatText.h"

namespace varnok {

void TIfxSQL::Open() {
    OpenCursor();
    if (!goToFirst_) return;
    try {
        FetchNext();
    } catch (...) {
        CloseCursor();
        throw;
    }
}

TParam& TIfxSQL::ParamByName(std::string_view name) {
    ParamNames();   // the entries exist once the text is processed
    if (TIfxSQLVAR* var = InputParams().Find(name)) return var->Param();
    Error(Format("Host variable ('%s') not found", {std::string(name)}));
}

}  // namespace varnok
