#pragma once
// TIfxUpdateSQL: the update object a data set may be given instead of the
// generated statements — one statement text for each kind of change and one
// that reads a posted row again. The texts name their values like the
// generated ones: a field's name for its new value, "OLD_" + the name for
// its old value, "rowid" for the row id.
#include <string>

#include "dbaccess/IfxComponent.h"
#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

class TIfxUpdateSQL : public TIfxComponent {
public:
    TIfxUpdateSQL() : TIfxComponent("TIfxUpdateSQL") {}

    TStringLines ModifySQL;
    TStringLines InsertSQL;
    TStringLines DeleteSQL;
    TStringLines RefreshSQL;

    const TStringLines& SQL(TIfxUpdateKind kind) const;
    // The lines of a kind joined by CR LF; empty when there are none.
    std::string Text(TIfxUpdateKind kind) const;
    std::string RefreshText() const;
};

}  // namespace varnok
