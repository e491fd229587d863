#include "dbaccess/IfxConnectionParams.h"

#include <algorithm>
#include <cctype>

namespace varnok {

namespace {
bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}
}  // namespace

std::string ParamLineName(const std::string& line) { return line.substr(0, line.find('=')); }

TIfxConnectionParams::TIfxConnectionParams(const TIfxConnectionParams& other)
    : KeepConnection(other.KeepConnection),
      Params(other.Params),
      IsolationLevel(other.IsolationLevel),
      SafeMode(other.SafeMode),
      AnsiAutoCommit(other.AnsiAutoCommit),
      TransactionActionOnClose(other.TransactionActionOnClose),
      CommitRetain(other.CommitRetain),
      PoolOptions(other.PoolOptions),
      StatementCacheSize(other.StatementCacheSize),
      ShareCursorStatement(other.ShareCursorStatement) {}

void TIfxConnectionParams::Release() {
    // acq_rel: the thread that frees the block sees every write of the others.
    if (refCount_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

bool TIfxConnectionParams::operator==(const TIfxConnectionParams& other) const {
    return Params == other.Params && PoolOptions == other.PoolOptions;
}

std::string TIfxConnectionParams::Value(const std::string& name) const {
    for (const std::string& line : Params) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameName(line.substr(0, eq), name)) return line.substr(eq + 1);
    }
    return {};
}

void TIfxConnectionParams::SetValue(const std::string& name, const std::string& value) {
    for (std::string& line : Params) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && SameName(line.substr(0, eq), name)) {
            line = name + "=" + value;
            return;
        }
    }
    Params.push_back(name + "=" + value);
}

}  // namespace varnok
