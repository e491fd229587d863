// Questions a live connection asks its server, each answer cached for the
// life of the resource (or until the database changes).
#include <cstring>

#include "dbaccess/IfxConnectionResource.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {
constexpr size_t kUserNameLength = 33;
}

int TIfxConnectionResource::SingletonSelect(const std::string& sql, int inputs, ifx_sqlvar_t* input, int outputs,
                                            ifx_sqlvar_t* output) {
    const char* pieces[] = {sql.c_str(), nullptr};
    return Check(Ifx().sqli_slct(ESQLINTVERSION, nullptr, pieces, inputs, input, outputs, output, 0, nullptr, nullptr,
                                 0));
}

std::string TIfxConnectionResource::GetServerInfo() {
    if (serverInfoRead_) return serverInfo_;
    MakeCurrent();
    ifx_srvinfo_t info{};
    Check(Ifx().ifx_srvinfo(&info));
    // The text at bytes 24 to 104, up to its first NUL.
    serverInfo_.assign(info.ProdVersion, strnlen(info.ProdVersion, sizeof info.ProdVersion));
    serverInfoRead_ = true;
    return serverInfo_;
}

int TIfxConnectionResource::SessionId() {
    if (sessionId_ >= 0) return sessionId_;
    MakeCurrent();
    int4 sid = -1;
    ifx_sqlvar_t out{};
    out.sqltype = CINTTYPE;
    out.sqllen = sizeof sid;
    out.sqldata = reinterpret_cast<char*>(&sid);
    SingletonSelect("select dbinfo('sessionid') from informix.systables where tabid = 1", 0, nullptr, 1, &out);
    sessionId_ = sid;
    return sessionId_;
}

std::string TIfxConnectionResource::GetUserName() {
    if (userNameRead_) return userName_;
    if (!notSE_) {
        userName_ = params_->Value("WIN32USER");
    } else {
        MakeCurrent();
        int4 sid = SessionId();
        ifx_sqlvar_t in{};
        in.sqltype = CINTTYPE;
        in.sqllen = sizeof sid;
        in.sqldata = reinterpret_cast<char*>(&sid);
        char name[kUserNameLength + 1] = {};
        ifx_sqlvar_t out{};
        out.sqltype = CCHARTYPE;
        out.sqllen = kUserNameLength;
        out.sqldata = name;
        SingletonSelect("select username from sysmaster:informix.syssessions where sid = ?", 1, &in, 1, &out);
        userName_ = TrimText(std::string(name, strnlen(name, sizeof name)));
    }
    userNameRead_ = true;
    return userName_;
}

bool TIfxConnectionResource::IsUniversalServer() {
    if (universalServer_ < 0) {
        MakeCurrent();
        universalServer_ = Ifx().ifx_isius() != 0 ? 1 : 0;
    }
    return universalServer_ == 1;
}

bool TIfxConnectionResource::HasSixteenPartIndexes() {
    if (sixteenPartIndexes_ < 0) {
        MakeCurrent();
        int4 found = 0;
        ifx_sqlvar_t out{};
        out.sqltype = CINTTYPE;
        out.sqllen = sizeof found;
        out.sqldata = reinterpret_cast<char*>(&found);
        SingletonSelect(
            "select 1 from informix.systables t, informix.syscolumns c where t.tabname = 'sysindexes' "
            "and c.tabid = t.tabid and c.colname = 'part16'",
            0, nullptr, 1, &out);
        sixteenPartIndexes_ = found > 0 ? 1 : 0;
    }
    return sixteenPartIndexes_ == 1;
}

}  // namespace varnok
