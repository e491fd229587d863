#include "dbaccess/IfxCustomSQL.h"

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxMonitor.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

TIfxCustomSQL::TIfxCustomSQL(std::string className)
    : TIfxComponent(std::move(className)), identity_(NextIfxIdentity()) {}

TIfxCustomSQL::~TIfxCustomSQL() {
    try {
        Unprepare();
    } catch (...) {
    }
    if (connection_) connection_->DetachClient(this);
}

void TIfxCustomSQL::Error(const std::string& message) const { RaiseLayerError(message, this); }

void TIfxCustomSQL::CheckConnection() const {
    if (!connection_) Error("This operation requires a connection");
}

TIfxCustomMonitor* TIfxCustomSQL::Monitor() const { return connection_ ? connection_->Monitor() : nullptr; }

std::string TIfxCustomSQL::Version() const { return kIfxAccessVersion; }

// ---- properties ----

void TIfxCustomSQL::SetConnection(TIfxConnection* connection) {
    if (connection == connection_) return;
    Unprepare();
    if (connection_) connection_->DetachClient(this);
    connection_ = connection;
    if (connection_) connection_->AttachClient(this);
    // The connection's processor may be another one: the names may differ.
    if (!processor_) MarkUnprocessed();
}

void TIfxCustomSQL::SetSQL(TStringLines lines) {
    Unprepare();
    sql_ = std::move(lines);
    MarkUnprocessed();
    if (paramCheck_ && !OwnerLoading()) Process();
}

std::string TIfxCustomSQL::SQLText() const {
    std::string text;
    for (std::size_t i = 0; i < sql_.size(); ++i) {
        if (i) text += "\r\n";
        text += sql_[i];
    }
    return text;
}

void TIfxCustomSQL::SetSQLText(const std::string& text) {
    TStringLines lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (!lines.empty() && lines.back().empty() && !text.empty()) lines.pop_back();   // a final line break
    SetSQL(std::move(lines));
}

void TIfxCustomSQL::SetMacros(TStringLines macros) {
    Unprepare();
    macros_ = std::move(macros);
    MarkUnprocessed();
    if (paramCheck_ && !OwnerLoading()) Process();
}

void TIfxCustomSQL::SetSQLProcessor(TIfxSQLProcessor* processor) {
    if (processor == processor_) return;
    Unprepare();
    if (processor_) processor_->RemoveFreeNotification(this);
    processor_ = processor;
    if (processor_) processor_->FreeNotification(this);
    MarkUnprocessed();
}

void TIfxCustomSQL::Notification(TIfxComponent& destroyed) {
    // Compared as components: only the address of what is going may be used.
    if (processor_ && static_cast<TIfxComponent*>(processor_) == &destroyed) processor_ = nullptr;
}

TIfxSQLProcessor& TIfxCustomSQL::EffectiveProcessor() const {
    if (processor_) return *processor_;
    if (connection_ && connection_->SQLProcessor()) return *connection_->SQLProcessor();
    return DefaultSQLProcessor();
}

void TIfxCustomSQL::SetParamCheck(bool on) {
    if (on == paramCheck_) return;
    Unprepare();
    paramCheck_ = on;
    MarkUnprocessed();
}

void TIfxCustomSQL::SetScrollable(bool on) {
    if (on == scrollable_) return;
    if (cursor_) Error("Cannot perform this operation when cursor is opened");
    Unprepare();
    scrollable_ = on;
}

void TIfxCustomSQL::SetRequestLive(bool on) {
    if (on == requestLive_) return;
    Unprepare();
    requestLive_ = on;
    MarkUnprocessed();
}

// ---- processing ----

void TIfxCustomSQL::MarkUnprocessed() {
    processed_ = false;
    rowIdInserted_ = false;
    processedText_.clear();
}

void TIfxCustomSQL::Process() {
    processed_ = true;   // a failure keeps no processed text: preparing then finds none
    processedText_.clear();
    rowIdInserted_ = false;
    std::vector<std::string> names;
    std::string text;
    if (paramCheck_) {
        TSQLProcessResult result = EffectiveProcessor().Process(SQLText(), macros_);
        text = std::move(result.text);
        names = std::move(result.paramNames);
    } else {
        text = TrimText(SQLText());
    }
    if (requestLive_) rowIdInserted_ = InsertRowIdColumn(text);
    processedText_ = std::move(text);
    const bool changed = names != paramNames_;
    paramNames_ = std::move(names);
    if (changed || inputs_.Count() != static_cast<int>(paramNames_.size())) {
        inputs_.SetNames(paramNames_);
        ParamNamesChanged();
    }
}

const std::string& TIfxCustomSQL::ProcessedText() {
    if (!processed_) Process();
    return processedText_;
}

const std::vector<std::string>& TIfxCustomSQL::ParamNames() {
    if (!processed_) Process();
    return paramNames_;
}

bool TIfxCustomSQL::RowIdInserted() {
    ProcessedText();
    return rowIdInserted_;
}

// ---- statement ----

void TIfxCustomSQL::Prepare() {
    CheckConnection();
    if (statement_) return;
    const std::string text = ProcessedText();
    if (!HasStatementText(text)) Error("There are no statements to run");
    if (TIfxCustomMonitor* monitor = Monitor())
        monitor->ReportEvent(meInformation, [&] { return Name() + ": Prepare\r\n" + TrimText(SQLText()) + "\r\n"; });
    connection_->EnsureConnected();
    // A cached statement keeps the cursor it declared first: a scrollable one
    // must not hand its scroll cursor to others, nor take theirs.
    TIfxStatementRef statement(connection_->PrepareStatement(text, cacheHandle_ && !scrollable_));
    if (statement->ReturnsCursorRows()) {
        ifx_sqlda_t* described = nullptr;
        statement->Describe(&described);
        fields_.Assign(described);
    }
    statement_ = std::move(statement);
}

void TIfxCustomSQL::Unprepare() {
    CloseCursor();
    fields_.Release();
    try {
        statement_.Release();
    } catch (const std::exception& e) {
        // The server may still know the cursor by this component's name: the next one gets another.
        identity_ = NextIfxIdentity();
        if (OnUnprepareError) OnUnprepareError(e);
    }
    rowsAffected_ = -1;
}

int TIfxCustomSQL::StatementType() {
    Prepare();
    return statement_->StatementType();
}

int TIfxCustomSQL::ResultColumnCount() {
    Prepare();
    return statement_->ReturnsCursorRows() ? fields_.Count() : statement_->OutputColumns();
}

bool TIfxCustomSQL::ReturnsRows() {
    Prepare();
    return statement_->ReturnsCursorRows();
}

// ---- running ----

void TIfxCustomSQL::BindAndTrace(const char* step) {
    ProcessedText();
    try {
        BindInputs();
        inputs_.BindAll(Ifx());
    } catch (const EIfxAccessError& e) {
        Error(e.what());
    }
    if (TIfxCustomMonitor* monitor = Monitor())
        monitor->ReportEvent(meInformation, [&] {
            return Name() + ": " + step + "\r\n" + TrimText(SQLText()) + "\r\n\r\n" + ParameterTrace(inputs_);
        });
}

void TIfxCustomSQL::OpenCursor() {
    CheckConnection();
    if (cursor_) Error("Cannot perform this operation when cursor is opened");
    rowsAffected_ = -1;
    BindAndTrace("Open");
    connection_->EnsureConnected();
    Prepare();
    fields_.CreateBuffers(Ifx());
    try {
        cursor_ = statement_->OpenCursor(identity_, inputs_.Descriptor(), scrollable_);
    } catch (...) {
        fields_.ReleaseBuffers();
        throw;
    }
    rowsAffected_ = Ifx().fnsqlca()->sqlerrd[2];
    beforeFirst_ = true;
    endOfRows_ = false;
    connection_->ClientCursorOpened();
}

int TIfxCustomSQL::Fetch(int kind, int value) {
    if (!cursor_ || !statement_) Error("Cannot perform this operation when cursor is not opened");
    connection_->MakeCurrent();
    fields_.ResetRowState();
    _FetchSpec spec{value, kind, 0};
    const int result = statement_->Fetch(cursor_, fields_.Descriptor(), &spec);
    if (result != SQLNOTFOUND) {
        endOfRows_ = beforeFirst_ = false;
        return result;
    }
    switch (kind) {
    case FETCH_NEXT: endOfRows_ = true; break;
    case FETCH_PREVIOUS: beforeFirst_ = true; break;
    case FETCH_ABSOLUTE: (value <= 0 ? beforeFirst_ : endOfRows_) = true; break;
    case FETCH_RELATIVE:
        if (value < 0) beforeFirst_ = true;
        if (value > 0) endOfRows_ = true;
        break;
    default: break;
    }
    return result;
}

void TIfxCustomSQL::CloseCursor() {
    if (!cursor_) return;
    ifx_cursor_t* cursor = cursor_;
    ForgetCursor();
    try {
        connection_->MakeCurrent();
        if (statement_) statement_->CloseCursor(cursor);
    } catch (const std::exception& e) {
        if (OnCloseError) OnCloseError(e);
    }
    fields_.ReleaseBuffers();
    // Last: with KeepConnection off this may close the connection.
    if (connection_) connection_->ClientCursorClosed();
}

void TIfxCustomSQL::ForgetCursor() {
    cursor_ = nullptr;
    endOfRows_ = false;
    beforeFirst_ = false;
}

int TIfxCustomSQL::Execute() {
    CheckConnection();
    rowsAffected_ = -1;
    BindAndTrace("Execute");
    connection_->EnsureConnected();
    Prepare();
    if (fields_.Count() > 0) fields_.CreateBuffers(Ifx());
    // A DATABASE statement drops this statement while it runs: keep nothing of it after the call.
    const int rows = statement_->Execute(inputs_.Descriptor(), fields_.Descriptor());
    rowsAffected_ = rows;
    return rows;
}

// ---- connection client ----

void TIfxCustomSQL::DropPreparedStatement() {
    const bool hadCursor = cursor_ != nullptr;
    ForgetCursor();
    fields_.Release();
    statement_.Drop();
    rowsAffected_ = -1;
    if (hadCursor && connection_) connection_->ClientCursorClosed();
}

void TIfxCustomSQL::DisconnectNotify(TIfxConnection& connection) {
    (void)connection;
    DropPreparedStatement();
}

void TIfxCustomSQL::ConnectionDestroyed(TIfxConnection& connection) {
    (void)connection;
    ForgetCursor();
    fields_.Release();
    statement_.Drop();
    connection_ = nullptr;
}

// ---- text helpers ----

namespace {

bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
}

// Skips a quoted text, a comment or a blank at text[i]; true when it did.
bool SkipNonCode(const std::string& text, std::size_t& i) {
    const char c = text[i];
    if (c == '\'' || c == '"' || c == '`') {
        ++i;
        while (i < text.size()) {
            if (text[i] == c) {
                if (i + 1 < text.size() && text[i + 1] == c) {
                    i += 2;   // a doubled quote stays inside
                    continue;
                }
                ++i;
                return true;
            }
            ++i;
        }
        return true;
    }
    if (c == '-' && i + 1 < text.size() && text[i + 1] == '-') {
        while (i < text.size() && text[i] != '\n') ++i;
        return true;
    }
    if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
        const std::size_t end = text.find("*/", i + 2);
        i = end == std::string::npos ? text.size() : end + 2;
        return true;
    }
    if (c == '{') {
        const std::size_t end = text.find('}', i + 1);
        i = end == std::string::npos ? text.size() : end + 1;
        return true;
    }
    if (static_cast<unsigned char>(c) <= ' ') {
        ++i;
        return true;
    }
    return false;
}

// Position of the first FROM keyword in code, or npos.
std::size_t FindFrom(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        if (SkipNonCode(text, i)) continue;
        if (IsWordChar(text[i])) {
            const std::size_t start = i;
            while (i < text.size() && IsWordChar(text[i])) ++i;
            if (i - start == 4 && SameText(std::string_view(text).substr(start, 4), "from")) return start;
            continue;
        }
        ++i;
    }
    return std::string::npos;
}

}  // namespace

bool HasStatementText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\'' || c == '"' || c == '`') return true;   // quoted text is a statement's
        if (!SkipNonCode(text, i)) return true;
    }
    return false;
}

bool InsertRowIdColumn(std::string& text) {
    const std::size_t from = FindFrom(text);
    if (from == std::string::npos) return false;
    text.insert(from, ", rowid ");
    return true;
}

std::string SingleTableAfterFrom(const std::string& text) {
    std::size_t i = FindFrom(text);
    if (i == std::string::npos) return {};
    i += 4;
    auto skip = [&] {
        // Blanks and comments only: a quote here starts a name or ends the clause.
        while (i < text.size() && text[i] != '\'' && text[i] != '"' && text[i] != '`' && SkipNonCode(text, i)) {
        }
    };
    auto word = [&] {
        const std::size_t start = i;
        while (i < text.size() && IsWordChar(text[i])) ++i;
        return text.substr(start, i - start);
    };
    skip();
    // The name: words, quoted names, "." ":" "@" between them.
    const std::size_t start = i;
    while (i < text.size()) {
        const char c = text[i];
        if (IsWordChar(c) || c == '.' || c == ':' || c == '@') {
            ++i;
        } else if (c == '"') {
            const std::size_t end = text.find('"', i + 1);
            i = end == std::string::npos ? text.size() : end + 1;
        } else {
            break;
        }
    }
    std::string table = text.substr(start, i - start);
    if (table.empty()) return {};
    static const char* const kEnders[] = {"where", "group", "order", "having", "union", "into", "for",
                                          "intersect", "minus", "except", "limit"};
    static const char* const kJoins[] = {"join", "left", "right", "inner", "outer", "cross", "full", "natural"};
    auto in = [](const std::string& w, const auto& list) {
        for (const char* k : list)
            if (SameText(w, k)) return true;
        return false;
    };
    skip();
    std::size_t save = i;
    std::string next = word();
    if (SameText(next, "as")) {
        skip();
        save = i;
        next = word();
    }
    if (!next.empty() && !in(next, kEnders) && !in(next, kJoins)) {   // an alias
        skip();
        save = i;
        next = word();
    }
    if (in(next, kJoins)) return {};
    i = save;
    skip();
    if (i < text.size() && text[i] == ',') return {};
    return table;
}

}  // namespace varnok
