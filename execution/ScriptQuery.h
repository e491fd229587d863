#pragma once
// The statement data set as the script executor uses it: exactly the
// operations one statement of a run needs, nothing more. The program's
// data set (qQueryExec, a TIfxQuery) is reached through TIfxScriptQuery;
// keeping the executor to this small surface keeps the run algorithm
// readable and independent of the data set's other duties.
#include <string>

#include "execution/ParamList.h"

namespace varnok {

class TIfxConnection;

class TScriptQuery {
public:
    virtual ~TScriptQuery() = default;

    // The connection every statement runs on (handed between the threads).
    virtual TIfxConnection& Connection() = 0;

    // Replaces the statement text; any result set the data set held is closed.
    virtual void SetSQL(const std::string& text) = 0;
    virtual void Prepare() = 0;
    // Of the prepared statement: the Informix statement type code and the
    // number of result columns.
    virtual int StatementType() = 0;
    virtual int ResultColumnCount() = 0;
    // The statement's parameters, one entry per marker the processor found
    // in the text, as the parameters window edits them. The values in this
    // list are the ones Open and Execute bind.
    virtual TParamList& Params() = 0;

    // Opens the result set and fetches its first packet of rows.
    virtual void Open() = 0;
    // Runs a statement that has no result set.
    virtual void Execute() = 0;

    // Open, unfiltered and every row fetched.
    virtual bool IsSequenced() = 0;
    virtual int RecordCount() = 0;
    // Rows fetched at a time.
    virtual int PacketRecords() = 0;
};

} // namespace varnok
