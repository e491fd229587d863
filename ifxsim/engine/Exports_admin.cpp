// Exported administration entry points (ifxsim_admin.h).
#include "engine/ConnectionRegistry.h"
#include "engine/Session.h"
#include "ifxsim_admin.h"

using namespace ifxsim;

int ifxsim_kill_session(int sid)
{
    std::shared_ptr<Connection> connection = FindConnectionBySession(sid);
    if (!connection || connection->killed())
        return -1;
    connection->markKilled();
    CloseSession(sid);  // gone from syssessions at once
    RequestBreak(*connection);
    return 0;
}
