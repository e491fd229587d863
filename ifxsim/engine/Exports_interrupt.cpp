// Exported interruption entry points: sqlbreak, sqldone, sqlbreakcallback.
#include "engine/Connection.h"
#include "ifxesqlc.h"

using namespace ifxsim;

mint sqlbreak(void)
{
    if (auto connection = InterruptTarget())
        RequestBreak(*connection);
    return 0;
}

mint sqldone(void)
{
    auto connection = InterruptTarget();
    return connection && RequestRunning(*connection) ? err::kBusy : 0;
}

mint sqlbreakcallback(int4 timeout_ms, void (*callback)(mint status))
{
    Connection* connection = CurrentConnection();
    if (!connection)
        return -1;
    ConnectionInterruptState& state = connection->interruptState();
    if (timeout_ms < 0 || !callback) {
        state.callback = nullptr;
        state.callbackInterval = -1;
        return 0;
    }
    // 0: no waiting between the calls, the callback runs at every check.
    state.callbackInterval = timeout_ms;
    state.callback = callback;
    return 0;
}
