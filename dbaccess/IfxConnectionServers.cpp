// GetServerNames: the server names known to the client installation come
// from its sqlhosts file. The library's own environment decides which file
// (the program may have pointed INFORMIXSQLHOSTS elsewhere with ifx_putenv).
#include <optional>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/SqlHosts.h"

namespace varnok {

namespace {
std::optional<std::string> LibraryEnv(const char* name) {
    const char* value = Ifx().ifx_getenv(const_cast<char*>(name));
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}
}  // namespace

void TIfxConnection::GetServerNames(std::vector<std::string>& names) {
    const std::string path = IfxClientLibraryLoaded() ? SqlHostsPath(LibraryEnv) : SqlHostsPath();
    ReadSqlHostsServerNames(path, names);
}

}  // namespace varnok
