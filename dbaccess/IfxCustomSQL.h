#pragma once
// TIfxCustomSQL: one SQL statement of a connection, the common part of the
// plain statement (TIfxSQL) and the statement inside a data set
// (TIfxDataSetSQL). It keeps the source text and its processed form (the
// processor turns parameter references into "?" markers and expands macros),
// prepares through the connection's statement cache, describes the result
// columns into the output descriptor, binds the input descriptor, and opens,
// fetches from and closes a cursor, or executes.
//
// Life: unprepared → prepared (statement held, output described) → cursor
// open → prepared again after close. Changing the text, the macros, the
// processor, Scrollable (while closed) or the connection unprepares; so does
// a database change (without a server call).
//
// Threads: one thread at a time uses a statement. Every cursor operation
// (open, fetch, close, execute, prepare) first makes the connection current
// in the calling thread, so a statement follows its connection when one
// thread hands it to another (MakeDormant there, then use here).
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "dbaccess/IfxComponent.h"
#include "dbaccess/IfxConnectionClient.h"
#include "dbaccess/IfxSQLDA.h"
#include "dbaccess/IfxStatementResource.h"
#include "dbaccess/MacroSQLElements.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

class TIfxConnection;
class TIfxSQLProcessor;
class TIfxCustomMonitor;

// Statement type codes the layer itself tells apart.
inline constexpr int kIfxStatementSelect = 2;
inline constexpr int kIfxStatementExecuteProcedure = 56;

class TIfxCustomSQL : public TIfxComponent, public TIfxConnectionClient {
public:
    using TErrorEvent = std::function<void(const std::exception&)>;

    explicit TIfxCustomSQL(std::string className);
    ~TIfxCustomSQL() override;

    // ---- properties
    TIfxConnection* Connection() const { return connection_; }
    // Registers with the new connection; unprepares first.
    void SetConnection(TIfxConnection* connection);
    const TStringLines& SQL() const { return sql_; }
    // The source text; unprepares, then reprocesses (with ParamCheck). A text
    // the processor rejects raises EMacroSQLError and keeps no processed text.
    void SetSQL(TStringLines lines);
    // The text as one string (lines joined by CR LF) and from one (split at line breaks).
    std::string SQLText() const;
    void SetSQLText(const std::string& text);
    const TStringLines& Macros() const { return macros_; }
    void SetMacros(TStringLines macros);
    TIfxSQLProcessor* SQLProcessor() const { return processor_; }
    // The link is dropped when the processor is destroyed first.
    void SetSQLProcessor(TIfxSQLProcessor* processor);
    // The processor in use: own, else the connection's, else the default.
    TIfxSQLProcessor& EffectiveProcessor() const;
    bool ParamCheck() const { return paramCheck_; }
    void SetParamCheck(bool on);
    bool CacheHandle() const { return cacheHandle_; }
    void SetCacheHandle(bool on) { cacheHandle_ = on; }
    bool Scrollable() const { return scrollable_; }
    // "Cannot perform this operation when cursor is opened" while a cursor is open.
    void SetScrollable(bool on);
    std::string Version() const;

    // ---- the processed text
    // What the server receives (processes first when needed).
    const std::string& ProcessedText();
    // Parameter names in marker order (a name used twice appears twice).
    const std::vector<std::string>& ParamNames();
    // With RequestLive, ", rowid " goes before the first FROM of every processed text.
    bool RequestLive() const { return requestLive_; }
    void SetRequestLive(bool on);
    // True when the processed text got its row-id column.
    bool RowIdInserted();

    // ---- statement
    // "There are no statements to run" for an empty processed text; without a
    // connection "This operation requires a connection"; opens a closed connection.
    void Prepare();
    void Unprepare();
    bool Prepared() const { return static_cast<bool>(statement_); }
    TIfxStatementResource* Statement() const { return statement_.Get(); }
    // Prepares when needed.
    int StatementType();
    int ResultColumnCount();
    bool ReturnsRows();
    // Rows processed by the last execute or open; -1 when none.
    int RowsAffected() const { return rowsAffected_; }

    // ---- descriptors
    TIfxParams& InputParams() { return inputs_; }
    TIfxFields& Fields() { return fields_; }

    // ---- cursor
    void OpenCursor();
    // Errors never leave: they go to OnCloseError when assigned.
    void CloseCursor();
    bool CursorOpen() const { return cursor_ != nullptr; }
    // 0 for a row, 100 at the end. kind: FETCH_NEXT, FETCH_PREVIOUS,
    // FETCH_ABSOLUTE (value = position), FETCH_RELATIVE (value = distance), …
    int Fetch(int kind = FETCH_NEXT, int value = 0);
    bool EndOfRows() const { return endOfRows_; }
    bool BeforeFirst() const { return beforeFirst_; }
    // Runs the statement without a cursor (a singleton result lands in the
    // output buffers); returns the rows processed.
    int Execute();

    // ---- events
    TErrorEvent OnCloseError;
    TErrorEvent OnUnprepareError;

    // ---- connection client
    void DisconnectNotify(TIfxConnection& connection) override;
    void DropPreparedStatement() override;
    void ConnectionDestroyed(TIfxConnection& connection) override;

    // The layer's own error, prefixed with the component name.
    [[noreturn]] void Error(const std::string& message) const;

protected:
    // The parameter names of the processed text changed.
    virtual void ParamNamesChanged() {}
    // Fills the input descriptor's values before an open or execute.
    virtual void BindInputs() {}
    // A processor this statement uses is going: forget it (the processed
    // text stays; the next text change processes with the one in use then).
    void Notification(TIfxComponent& destroyed) override;
    // True while the owner is being read from its stored form (no processing then).
    virtual bool OwnerLoading() const { return false; }
    void CheckConnection() const;
    TIfxCustomMonitor* Monitor() const;

private:
    void Process();
    void MarkUnprocessed();
    void ForgetCursor();
    void TraceRun(const char* step);
    void BindAndTrace(const char* step);

    TIfxConnection* connection_ = nullptr;
    TStringLines sql_;
    TStringLines macros_;
    TIfxSQLProcessor* processor_ = nullptr;
    bool paramCheck_ = true;
    bool cacheHandle_ = true;
    bool scrollable_ = false;
    bool requestLive_ = false;

    bool processed_ = false;
    bool rowIdInserted_ = false;
    std::string processedText_;
    std::vector<std::string> paramNames_;

    TIfxStatementRef statement_;
    ifx_cursor_t* cursor_ = nullptr;
    TIfxParams inputs_;
    TIfxFields fields_;
    int rowsAffected_ = -1;
    bool endOfRows_ = false;
    bool beforeFirst_ = false;
    std::uint32_t identity_;
};

// False for a text of nothing but blanks and comments.
bool HasStatementText(const std::string& text);
// Inserts ", rowid " before the first FROM keyword outside quotes and
// comments; false (text unchanged) when there is none.
bool InsertRowIdColumn(std::string& text);
// The single table named after the first FROM (an owner or database prefix
// kept), empty when there is none or several (a comma or a JOIN follows).
std::string SingleTableAfterFrom(const std::string& text);

}  // namespace varnok
