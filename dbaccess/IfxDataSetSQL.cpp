#include "dbaccess/IfxDataSetSQL.h"

#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/IfxFieldTypes.h"

namespace varnok {

void TIfxDataSetSQL::Notification(TIfxComponent& destroyed) {
    TIfxCustomSQL::Notification(destroyed);
    // Compared as components: only the address of what is going may be used.
    if (owner_.fieldTypes_ && static_cast<TIfxComponent*>(owner_.fieldTypes_) == &destroyed)
        owner_.fieldTypes_ = nullptr;
    if (owner_.updater_) owner_.updater_->ComponentDestroyed(destroyed);
}

}  // namespace varnok
