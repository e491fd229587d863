// The communication area of each thread and the helpers that fill it.
#include <algorithm>
#include <cstring>

#include "engine/Errors.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

void ClearWarnings(sqlca_s& ca)
{
    char* flags = reinterpret_cast<char*>(&ca.sqlwarn);  // the eight flags in a row
    std::fill(flags, flags + 8, ' ');
}

struct ThreadArea {
    sqlca_s ca{};
    ThreadArea()
    {
        ClearWarnings(ca);
    }
};

ThreadArea& Area()
{
    thread_local ThreadArea area;
    return area;
}

}  // namespace

sqlca_s& ThreadSqlca()
{
    return Area().ca;
}

void ResetSqlca()
{
    sqlca_s& ca = ThreadSqlca();
    ca.sqlcode = 0;
    std::memset(ca.sqlerrm, 0, sizeof ca.sqlerrm);
    std::memset(ca.sqlerrp, 0, sizeof ca.sqlerrp);
    std::fill(std::begin(ca.sqlerrd), std::end(ca.sqlerrd), 0);
    ClearWarnings(ca);
}

int SetError(int code, std::string_view errm, int isam, int offset)
{
    sqlca_s& ca = ThreadSqlca();
    ca.sqlcode = code;
    std::memset(ca.sqlerrm, 0, sizeof ca.sqlerrm);
    const std::size_t n = std::min(errm.size(), sizeof ca.sqlerrm - 1);
    if (n > 0)  // an empty view may carry a null pointer, which memcpy must never see
        std::memcpy(ca.sqlerrm, errm.data(), n);
    ca.sqlerrd[1] = isam;
    if (offset >= 0)
        ca.sqlerrd[4] = offset;
    return code;
}

void SetWarning(int index)
{
    if (index < 1 || index > 7)
        return;
    sqlca_s& ca = ThreadSqlca();
    char* flags = reinterpret_cast<char*>(&ca.sqlwarn);  // the eight flags in a row
    flags[index] = 'W';
    flags[0] = 'W';
}

int LastSqlCode()
{
    return ThreadSqlca().sqlcode;
}

}  // namespace ifxsim
