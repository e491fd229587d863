#pragma once
// TIfxScriptQuery: the program's statement data set (qQueryExec, a
// TIfxQuery) as the script executor uses it.
//
// Parameters: the run hands the parameters window a TParamList with one
// entry per parameter reference of the statement (the processor's names in
// text order). Whatever values the list holds when the statement opens or
// executes are bound into the query's parameters by name — a null entry
// binds null — so the window's answers are what the statement runs with.
#include <memory>

#include "execution/ScriptQuery.h"

namespace varnok {

class TIfxQuery;

class TIfxScriptQuery final : public TScriptQuery {
public:
    explicit TIfxScriptQuery(TIfxQuery& query) : query_(query) {}

    TIfxConnection& Connection() override;
    void SetSQL(const std::string& text) override;
    void Prepare() override;
    int StatementType() override;
    int ResultColumnCount() override;
    TParamList& Params() override { return params_; }
    void Open() override;
    void Execute() override;
    bool IsSequenced() override;
    int RecordCount() override;
    int PacketRecords() override;

    TIfxQuery& Query() const { return query_; }

private:
    // Writes the values of params_ into the query's parameters.
    void BindParams();

    TIfxQuery& query_;
    TParamList params_;
};

// Copies one entry's value into the query parameter of the same name
// (a null value makes the parameter null).
class TParam;
void AssignParamValue(TParam& target, const TStatementParam& source);

} // namespace varnok
