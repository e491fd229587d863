#include "dbaccess/IfxConnectionResource.h"

#include <map>
#include <mutex>

#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxConnectionCallback.h"
#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxStatementResource.h"
#include "dbaccess/IfxTraceTexts.h"

namespace varnok {

namespace {

constexpr int kNotInTransaction = -255;
constexpr int kAlreadyInTransaction = -535;
constexpr int kInvalidTransactionState = -1800;
constexpr int kCloseCurrent = 3;

// Every live resource by identity, for the request callback (any thread).
struct TResourceRegistry {
    std::mutex lock;
    std::map<std::uint32_t, TIfxConnectionResource*> resources;
};

TResourceRegistry& Registry() {
    static TResourceRegistry registry;
    return registry;
}

bool IsDatabaseLine(const std::string& line) {
    std::string name = ParamLineName(line);
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name == "DATABASE";
}

}  // namespace

TIfxConnectionResource* TIfxConnectionResource::FindByIdentity(std::uint32_t identity) {
    TResourceRegistry& registry = Registry();
    std::lock_guard guard(registry.lock);
    const auto it = registry.resources.find(identity);
    return it == registry.resources.end() ? nullptr : it->second;
}

TIfxConnectionResource::TIfxConnectionResource(TIfxConnectionParams& params, TIfxConnection* owner)
    : owner_(owner), identity_(NextIfxIdentity()), name_(ConnectionHandleName(identity_)) {
    const TIfxLibrary& lib = Ifx();
    for (const std::string& line : params.Params)
        if (!line.empty() && !IsDatabaseLine(line)) lib.ifx_putenv(line.c_str());

    const char* serverValue = lib.ifx_getenv(const_cast<char*>("INFORMIXSERVER"));
    const std::string server = serverValue ? serverValue : "";
    // The block is read through a temporary reference until the connection stands.
    params_ = TIfxParamsRef::Share(&params);
    Report(meInformation, trace::kCreateConnection, {server, name_});
    const std::string dbenv = "@" + server;
    lib.sqli_connect_open(ESQLINTVERSION, 0, dbenv.c_str(), name_.c_str(), nullptr, 1);
    try {
        CheckSqlCode();
    } catch (...) {
        params_.Reset();  // a failed connect keeps no reference
        throw;
    }
    connected_ = true;
    try {
        Connect();
    } catch (...) {
        // The server connection exists by now: end it instead of leaving it open behind a failed Open.
        CloseOnServer();
        connected_ = false;
        params_.Reset();
        throw;
    }
    TResourceRegistry& registry = Registry();
    std::lock_guard guard(registry.lock);
    registry.resources[identity_] = this;
}

void TIfxConnectionResource::Connect() {
    const TIfxLibrary& lib = Ifx();
    const std::string database = params_->Value("DATABASE");
    if (!database.empty()) {
        Report(meInformation, trace::kOpenDatabase, {name_, database});
        Check(lib.sqli_db_open(database.c_str(), 0));
    }
    ReadDatabaseFlags(lib.fnsqlca()->sqlwarn);
    ApplyIsolationLevel();
    if (params_->StatementCacheSize > 0) {
        hasCache_ = true;
        shareCursorStatement_ = params_->ShareCursorStatement;
    }
}

void TIfxConnectionResource::CloseOnServer() {
    const TIfxLibrary& lib = Ifx();
    lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
    if (*lib.fnsqlcode() == kInvalidTransactionState) {
        lib.sqli_trans_rollback();
        lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
    }
}

TIfxConnectionResource::~TIfxConnectionResource() {
    try {
        Disconnect();
    } catch (...) {
        // Closing from a destructor: the connection is gone either way.
    }
}

TIfxCustomMonitor* TIfxConnectionResource::Monitor() const { return owner_ ? owner_->Monitor() : nullptr; }

void TIfxConnectionResource::Report(TIfxMonitorEventType type, std::string_view format,
                                    std::initializer_list<TFormatArg> args) {
    if (TIfxCustomMonitor* monitor = Monitor()) monitor->ReportEvent(type, format, args);
}

int TIfxConnectionResource::Check(int code) {
    RethrowRequestCallbackError();
    return CheckResult(Ifx(), code, Monitor());
}

int TIfxConnectionResource::CheckSqlCode() {
    RethrowRequestCallbackError();
    return varnok::CheckSqlCode(Ifx(), Monitor());
}

void TIfxConnectionResource::RaiseError(const std::string& message) {
    ReportAndThrow(Monitor(), EIfxAccessError(LayerErrorText(message, owner_)));
}

// ---- current connection

void TIfxConnectionResource::MakeCurrent() {
    if (params_->SafeMode == smSingle) return;
    const TIfxLibrary& lib = Ifx();
    const char* current = lib.ifx_getcur_conn_name();
    if (current && name_ == current) return;
    lib.sqli_connect_set(0, name_.c_str(), 0);
    CheckSqlCode();
}

void TIfxConnectionResource::MakeDormant() {
    const TIfxLibrary& lib = Ifx();
    const char* current = lib.ifx_getcur_conn_name();
    if (!current || name_ != current) return;
    lib.sqli_connect_set(0, name_.c_str(), 1);
    CheckSqlCode();
}

// ---- database state

void TIfxConnectionResource::ReadDatabaseFlags(const sqlcaw_s& warnings) {
    hasTransactions_ = warnings.sqlwarn1 == 'W';
    ansi_ = warnings.sqlwarn2 == 'W';
    notSE_ = warnings.sqlwarn3 == 'W';
    serverInfoRead_ = false;
    serverInfo_.clear();
    sessionId_ = -1;
    universalServer_ = -1;
    sixteenPartIndexes_ = notSE_ ? -1 : 0;
    Report(meInformation, notSE_ ? trace::kServerNotSE : trace::kServerSE, {name_});
    Report(meInformation, hasTransactions_ ? trace::kHasTransactions : trace::kNoTransactions, {name_});
    Report(meInformation, ansi_ ? trace::kAnsi : trace::kNotAnsi, {name_});
}

void TIfxConnectionResource::ApplyIsolationLevel() {
    if (!hasTransactions_) return;
    const std::optional<std::string> text = IsolationLevelText(params_->IsolationLevel);
    if (!text) return;
    Report(meInformation, trace::kSetIsolation, {name_, *text});
    try {
        Check(Ifx().sqli_exec_immed(("set isolation to " + *text).c_str()));
    } catch (const std::exception& e) {
        RaiseError(Format("Cannot set an isolation level.\r\n%s", {e.what()}));
    }
}

void TIfxConnectionResource::OpenDatabase(const std::string& name, bool exclusive) {
    Check(Ifx().sqli_db_open(name.c_str(), exclusive ? 1 : 0));
    DatabaseHasChanged();
}

void TIfxConnectionResource::DatabaseHasChanged() {
    // The flags belong to the statement that changed the database: take them
    // before the clients close, whose calls overwrite the communication area.
    const sqlcaw_s warnings = Ifx().fnsqlca()->sqlwarn;
    Report(meWarning, trace::kDatabaseChanged, {name_});
    databaseChanged_ = true;
    inTransaction_ = false;
    if (owner_) {
        owner_->DropClientStatements();
        owner_->CloseDataSetClients();
    }
    EmptyCacheWithoutServer();
    ReadDatabaseFlags(warnings);
    ApplyIsolationLevel();
}

void TIfxConnectionResource::AfterExecution(int statementType) {
    if (ChangesDatabase(statementType))
        DatabaseHasChanged();
    else
        AutoCommit();
}

// ---- transactions

void TIfxConnectionResource::StartTransaction() {
    Report(meInformation, trace::kBeginTransaction, {name_});
    const int result = Ifx().sqli_trans_begin2(1);
    // An ANSI database is always in a transaction: "already in one" is success there.
    if (!(result == kAlreadyInTransaction && ansi_)) Check(result);
    inTransaction_ = true;
}

void TIfxConnectionResource::Commit() {
    Report(meInformation, trace::kCommitTransaction, {name_});
    TransactionEnded(Ifx().sqli_trans_commit());
}

void TIfxConnectionResource::Rollback() {
    Report(meInformation, trace::kRollbackTransaction, {name_});
    TransactionEnded(Ifx().sqli_trans_rollback());
}

void TIfxConnectionResource::TransactionEnded(int result) {
    // "Not in a transaction" is an error, but none is open afterwards either.
    if (result == kNotInTransaction) inTransaction_ = false;
    Check(result);
    inTransaction_ = false;
}

void TIfxConnectionResource::AutoCommit() {
    if (!ansi_ || !params_->AnsiAutoCommit || inTransaction_) return;
    Report(meInformation, trace::kAutoCommit, {name_});
    Check(Ifx().sqli_trans_commit());
}

// ---- the close sequence

void TIfxConnectionResource::Disconnect() {
    if (!connected_) return;
    struct TClosedAnyway {
        TIfxConnectionResource& self;
        ~TClosedAnyway() {
            self.connected_ = false;
            {
                TResourceRegistry& registry = Registry();
                std::lock_guard guard(registry.lock);
                registry.resources.erase(self.identity_);
            }
            // Statements still held somewhere have nothing left to talk to.
            for (TIfxStatementResource* statement : self.live_) statement->Orphan();
            self.live_.clear();
            self.cache_.clear();
            self.params_.Reset();
        }
    } closedAnyway{*this};

    const TIfxLibrary& lib = Ifx();
    Report(meInformation, trace::kCloseConnection, {name_});
    MakeCurrent();
    FreeCache();
    lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
    int code = *lib.fnsqlcode();
    if (code == kInvalidTransactionState) {
        const int ended = params_->TransactionActionOnClose == taCommit ? lib.sqli_trans_commit()
                                                                          : lib.sqli_trans_rollback();
        if (ended == kNotInTransaction) {
            Check(lib.sqli_db_close());
            lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
            code = *lib.fnsqlcode();
        } else {
            Check(ended);
            inTransaction_ = false;
            lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
            code = *lib.fnsqlcode();
            if (code == kInvalidTransactionState) {
                Check(lib.sqli_db_close());
                lib.sqli_connect_close(kCloseCurrent, nullptr, 0, 0);
                code = *lib.fnsqlcode();
            }
        }
    }
    Check(code);
}

// ---- pooling

void TIfxConnectionResource::TakenFromPool() {
    Report(meInformation, trace::kTakeFromPool, {name_});
    MakeCurrent();
}

void TIfxConnectionResource::ReleasedIntoPool() {
    Report(meInformation, trace::kReleaseIntoPool, {name_});
    owner_ = nullptr;  // the next user brings its own monitor and clients
    if (databaseChanged_) {
        MakeCurrent();
        const std::string database = params_->Value("DATABASE");
        const auto restore = [&] {
            if (database.empty())
                Check(Ifx().sqli_db_close());
            else
                OpenDatabase(database, false);
        };
        try {
            restore();
        } catch (const EIfxError& e) {
            if (e.SqlCode() != -377) throw;
            // A transaction is still open: end it as a close would, then try once more.
            try {
                if (params_->TransactionActionOnClose == taCommit)
                    Commit();
                else
                    Rollback();
                restore();
            } catch (...) {
            }
        }
        databaseChanged_ = false;
    }
    MakeDormant();
}

}  // namespace varnok
