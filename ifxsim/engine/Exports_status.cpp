// Exported status and environment entry points: the thread's sqlca,
// ifx_getenv/ifx_putenv, rgetlmsg and SqlFreeMem.
#include <cstring>

#include "engine/EnvFreeMem.h"
#include "engine/Env.h"
#include "engine/Errors.h"
#include "ifxesqlc.h"

using namespace ifxsim;

int4* fnsqlcode(void)
{
    return &ThreadSqlca().sqlcode;
}

struct sqlca_s* fnsqlca(void)
{
    return &ThreadSqlca();
}

char (*fnsqlstate(void))[6]
{
    thread_local char state[6];
    const sqlca_s& ca = ThreadSqlca();
    const char* text = ca.sqlcode < 0             ? "IX000"
                       : ca.sqlcode == SQLNOTFOUND ? "02000"
                       : ca.sqlwarn.sqlwarn0 == 'W' ? "01000"
                                                    : "00000";
    std::memcpy(state, text, 6);
    return &state;
}

char* ifx_getenv(char* name)
{
    if (!name)
        return nullptr;
    return const_cast<char*>(EnvGetStable(name));
}

mint ifx_putenv(const char* assignment)
{
    if (!assignment)
        return -1;
    return EnvPut(assignment) ? 0 : -1;
}

mint rgetlmsg(int4 msgnum, char* buf, mint bufsize, mint* msglen)
{
    const char* text = MessageText(msgnum);
    if (!text)
        return -1228;
    const std::size_t length = std::strlen(text);
    if (!buf || bufsize <= 0 || length + 1 > static_cast<std::size_t>(bufsize))
        return -1232;
    std::memcpy(buf, text, length + 1);
    if (msglen)
        *msglen = static_cast<mint>(length);
    return 0;
}

void SqlFreeMem(void* ptr, mint kind)
{
    if (ptr)
        GetFreeMemHandler(kind)(ptr);
}
