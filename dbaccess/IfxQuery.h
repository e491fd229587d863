#pragma once
// TIfxQuery: a data set over one SQL statement. Set SQL (the parameter list
// follows the text: names that stay keep their values), fill the parameters
// by name, then Open a query (rows on demand in packets of PacketRecords) or
// Execute any other statement while closed.
//
// With a DataSource, the fields of the master data set's current row fill
// the parameters of the same names that the caller left unbound, and the
// query re-runs when the master moves to another row.
#include <string>
#include <string_view>

#include "dbaccess/DataSource.h"
#include "dbaccess/IfxCustomDataSet.h"
#include "dbaccess/IfxParams.h"

namespace varnok {

class TIfxQuery : public TIfxCustomDataSet {
public:
    TIfxQuery();
    ~TIfxQuery() override;

    // ---- the text
    const TStringLines& SQL() const { return InnerSQL().SQL(); }
    // Closes the query and unprepares; the parameter list follows the new text.
    void SetSQL(TStringLines lines);
    void SetSQLText(const std::string& text);
    std::string SQLText() const { return InnerSQL().SQLText(); }
    bool ParamCheck() const { return InnerSQL().ParamCheck(); }
    void SetParamCheck(bool on);
    // Adds the row id as the last (hidden, read-only) column: the text needs a FROM.
    void SetRequestLive(bool on) { TIfxCustomDataSet::SetRequestLive(on); }

    // ---- parameters (stored with the component as "ParamData")
    TParams& Params() { return params_; }
    int ParamCount() const { return params_.Count(); }
    // Raises "Parameter '%s' not found".
    TParam& ParamByName(std::string_view name) { return params_.ParamByName(name); }

    // ---- master
    TDataSource* DataSource() const { return masterLink_.DataSource(); }
    // "Circular datalinks are not allowed" when the source leads back to this query.
    void SetDataSource(TDataSource* source);
    TDataSource* MasterSource() const override { return DataSource(); }

    // ---- running without a cursor
    // Needs a closed query; returns the rows processed.
    int Execute();
    int ResultColumnCount();

protected:
    std::string DefaultTableName() override;
    void ParamNamesChanged() override;
    void BindInputs(TIfxParams& inputs) override;

private:
    class TMasterLink : public TDataLink {
    public:
        explicit TMasterLink(TIfxQuery& query) : query_(query) {}

    protected:
        void ActiveChanged() override;
        // Moving (First, Next, a bookmark…) and posting both reach here.
        void DataSetChanged() override;

    private:
        TIfxQuery& query_;
    };
    void MasterMoved();

    TParams params_;
    TMasterLink masterLink_{*this};
};

}  // namespace varnok
