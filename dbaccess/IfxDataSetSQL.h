#pragma once
// TIfxDataSetSQL: the statement inside a data set (TIfxCustomDataSet). It is
// the data set's client of the connection: a disconnect or a database change
// closes the data set; the data set's parameter list fills its input
// descriptor at each open and execute.
#include "dbaccess/IfxCustomSQL.h"

namespace varnok {

class TIfxCustomDataSet;

class TIfxDataSetSQL : public TIfxCustomSQL {
public:
    explicit TIfxDataSetSQL(TIfxCustomDataSet& owner) : TIfxCustomSQL("TIfxDataSetSQL"), owner_(owner) {}
    ~TIfxDataSetSQL() override;

    TIfxCustomDataSet& Owner() const { return owner_; }
    bool IsDataSet() const override { return true; }
    // The data set closes (its cursor with it), then the statement is dropped.
    void DisconnectNotify(TIfxConnection& connection) override;

protected:
    // Besides the processor, the data set's field types may be the one going.
    void Notification(TIfxComponent& destroyed) override;
    void ParamNamesChanged() override;
    void BindInputs() override;

private:
    TIfxCustomDataSet& owner_;
};

}  // namespace varnok
