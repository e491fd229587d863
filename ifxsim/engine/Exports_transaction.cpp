// Exported transaction entry points.
#include "engine/Connection.h"
#include "engine/Transaction.h"
#include "ifxesqlc.h"

using namespace ifxsim;

namespace {

mint Run(int (*verb)(Connection&))
{
    ResetSqlca();
    RequestGuard guard;
    if (!guard.ok())
        return LastSqlCode();
    return verb(guard.connection());
}

}  // namespace

mint sqli_trans_begin2(mint /*replication*/)
{
    return Run(&BeginWork);
}

mint sqli_trans_commit(void)
{
    return Run(&CommitWork);
}

mint sqli_trans_rollback(void)
{
    return Run(&RollbackWork);
}
