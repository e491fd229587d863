#include "dbaccess/IfxStatementResource.h"

#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxConnectionResource.h"
#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxTraceTexts.h"

namespace varnok {

namespace {
constexpr int kCursorNotOpen = -259;
constexpr int kNotPrepared = -481;
constexpr int kSelectStatement = 2;
constexpr int kExecuteRoutineStatement = 56;
}  // namespace

TIfxStatementResource::TIfxStatementResource(TIfxConnectionResource* owner, std::string sql, bool cacheable)
    : owner_(owner), name_(StatementHandleName(NextIfxIdentity())), sql_(std::move(sql)), cacheable_(cacheable) {}

TIfxStatementResource::~TIfxStatementResource() {
    if (owner_) owner_->ForgetStatement(this);
}

bool TIfxStatementResource::ReturnsCursorRows() const {
    return statementType_ == kSelectStatement || (statementType_ == kExecuteRoutineStatement && outputColumns_ > 0);
}

void TIfxStatementResource::Prepare(double now) {
    const TIfxLibrary& lib = Ifx();
    handle_ = lib.sqli_prep(ESQLINTVERSION, name_.c_str(), sql_.c_str(), nullptr, nullptr, -1, 0, 0);
    owner_->CheckSqlCode();
    if (!handle_) owner_->Check(-410);  // a library that fails without saying so
    statementType_ = handle_->_SQCstmttype;
    outputColumns_ = handle_->_SQCnfields;
    inputMarkers_ = handle_->_SQCnibind;
    usage_.cost = lib.fnsqlca()->sqlerrd[3];
    usage_.created = now;
    usage_.lastUse = now;
    usage_.uses = 1;
}

void TIfxStatementResource::ReportStep(const char* step) {
    // Checked first: the arguments are copies, and a fetch is a step.
    if (owner_ && owner_->Monitor()) owner_->Report(meInformation, trace::kCursorStep, {name_, step});
}

void TIfxStatementResource::NoteUse() {
    if (!owner_) return;
    ++usage_.uses;
    usage_.lastUse = owner_->Now();
    if (cacheable_ && !inCache_ && owner_->HasCache()) owner_->AddToCache(this);
}

void TIfxStatementResource::Release() {
    --refCount_;
    if (handle_ && owner_) owner_->Report(meInformation, trace::kReleaseStatement, {name_, refCount_});
    if (refCount_ > 0) return;
    // Whatever the server says, this object goes: a failed free must not leak it.
    struct TDeleter {
        TIfxStatementResource* self;
        ~TDeleter() { delete self; }
    } deleter{this};
    FreeOnServer();
}

void TIfxStatementResource::Drop() {
    ForgetHandle();
    Release();
}

void TIfxStatementResource::ForgetHandle() {
    // Without this the library would keep every dropped statement's memory
    // until the program ends: one per statement and database change.
    if ((handle_ || cursor_) && IfxClientLibraryLoaded()) {
        const TIfxLibrary& lib = Ifx();
        const bool ownsCursor = cursor_ && !(owner_ && owner_->ShareCursorStatement());
        if (ownsCursor) lib.SqlFreeMem(cursor_, CURSOR_FREE);
        if (handle_) lib.SqlFreeMem(handle_, CURSOR_FREE);
    }
    handle_ = nullptr;
    cursor_ = nullptr;
}

void TIfxStatementResource::FreeOnServer() {
    if (!handle_ || !owner_) return;
    owner_->MakeCurrent();
    owner_->Report(meInformation, trace::kDeleteStatement, {name_});
    const TIfxLibrary& lib = Ifx();
    ifx_cursor_t* handle = handle_;
    ifx_cursor_t* cursor = cursor_;
    handle_ = nullptr;
    cursor_ = nullptr;
    if (cursor && !owner_->ShareCursorStatement()) lib.sqli_curs_free(ESQLINTVERSION, cursor);
    owner_->Check(lib.sqli_curs_free(ESQLINTVERSION, handle));
}

void TIfxStatementResource::RequireLive(bool needHandle) const {
    // A statement outliving its connection has nothing to talk to.
    if (!owner_) throw EIfxAccessError("This operation requires a connection");
    // Dropped after a database change: the server no longer knows the statement.
    if (needHandle && !handle_) owner_->Check(kNotPrepared);
}

void TIfxStatementResource::Describe(ifx_sqlda_t** descriptor) {
    RequireLive(true);
    owner_->Check(Ifx().sqli_describe_stmt(ESQLINTVERSION, handle_, descriptor, nullptr));
    NoteUse();
}

int TIfxStatementResource::Execute(ifx_sqlda_t* input, ifx_sqlda_t* output) {
    RequireLive(true);
    ReportStep("Execute");
    const TIfxLibrary& lib = Ifx();
    owner_->Check(lib.sqli_exec(ESQLINTVERSION, handle_, input, nullptr, nullptr, output, nullptr, nullptr, 0));
    const int rows = lib.fnsqlca()->sqlerrd[2];
    NoteUse();
    owner_->AfterExecution(statementType_);
    return rows;
}

ifx_cursor_t* TIfxStatementResource::OpenCursor(std::uint32_t clientIdentity, ifx_sqlda_t* input, bool scrollable) {
    RequireLive(true);
    NoteUse();
    const TIfxLibrary& lib = Ifx();
    ifx_cursor_t* cursor = cursor_;
    const bool share = owner_->ShareCursorStatement();
    const std::string cursorName = CursorHandleName(clientIdentity);
    if (cursor && !share && cursorName_ != cursorName) {
        // Kept from another component: that component may declare its name
        // for another statement at any time, so this one takes a cursor of
        // its opener's name. Nobody has the old one open (the statement was free).
        cursor_ = nullptr;
        cursorName_.clear();
        lib.sqli_curs_free(ESQLINTVERSION, cursor);
        cursor = nullptr;
    }
    if (!cursor || share) {
        // The component's earlier statements lose the cursor of this name.
        owner_->CursorNameTaken(cursorName, this);
        owner_->Report(meInformation, trace::kDeclareCursor, {name_, cursorName});
        cursor = lib.sqli_curs_locate(ESQLINTVERSION, cursorName.c_str(), CURS_LOCATE_NEWNAME);
        owner_->CheckSqlCode();
        const int4 flags = (owner_->Params().CommitRetain ? CURSOR_FLAG_HOLD : 0) | (scrollable ? CURSOR_FLAG_SCROLL : 0);
        const int declared = lib.sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, handle_, flags, 0);
        if (declared < 0) {
            const EIfxError error = IfxErrorFor(lib, declared);  // read sqlca before the free resets it
            lib.sqli_curs_free(ESQLINTVERSION, cursor);
            ReportAndThrow(owner_->Monitor(), error);
        }
        if (!share) {
            cursor_ = cursor;
            cursorName_ = cursorName;
        }
    } else {
        owner_->Report(meInformation, trace::kTakeCachedCursor, {name_, cursorName_});
    }
    ReportStep("Open");
    owner_->Check(lib.sqli_curs_open(ESQLINTVERSION, cursor, input, nullptr, nullptr, 0, 0));
    return cursor;
}

int TIfxStatementResource::Fetch(ifx_cursor_t* cursor, ifx_sqlda_t* output, _FetchSpec* spec) {
    RequireLive(false);
    ReportStep("Fetch");
    return owner_->Check(Ifx().sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, output, nullptr, spec));
}

void TIfxStatementResource::CloseCursor(ifx_cursor_t* cursor) {
    RequireLive(false);
    ReportStep("Close");
    const TIfxLibrary& lib = Ifx();
    const int closed = lib.sqli_curs_close(ESQLINTVERSION, cursor);
    if (closed < 0 && closed != kCursorNotOpen) {
        const EIfxError error = IfxErrorFor(lib, closed);
        // The free and the automatic commit run in every case; the close error is the one reported.
        try {
            if (owner_->ShareCursorStatement()) lib.sqli_curs_free(ESQLINTVERSION, cursor);
            owner_->AutoCommit();
        } catch (...) {
        }
        ReportAndThrow(owner_->Monitor(), error);
    }
    if (owner_->ShareCursorStatement()) lib.sqli_curs_free(ESQLINTVERSION, cursor);
    owner_->AutoCommit();
}

TIfxStatementRef& TIfxStatementRef::operator=(TIfxStatementRef&& other) noexcept {
    if (this != &other) {
        try {
            Release();
        } catch (...) {
        }
        statement_ = other.statement_;
        other.statement_ = nullptr;
    }
    return *this;
}

TIfxStatementRef::~TIfxStatementRef() {
    try {
        Release();
    } catch (...) {
        // A destructor must not throw; the statement object is gone either way.
    }
}

void TIfxStatementRef::Release() {
    TIfxStatementResource* statement = statement_;
    statement_ = nullptr;
    if (statement) statement->Release();
}

void TIfxStatementRef::Drop() {
    TIfxStatementResource* statement = statement_;
    statement_ = nullptr;
    if (statement) statement->Drop();
}

}  // namespace varnok
