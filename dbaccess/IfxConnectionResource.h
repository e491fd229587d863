#pragma once
// TIfxConnectionResource: one live server connection, named "ifxcon$" + 8 hex
// digits. Creating it connects (and opens the DATABASE of the parameters);
// Disconnect runs the close sequence. It keeps the database flags read from
// the communication area, the transaction state, the cached answers about
// the server and the prepared-statement cache.
//
// Its owner, the TIfxConnection, supplies the monitor, the component name
// for error texts, and the clients to tell about a database change.
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxConnectionParams.h"
#include "dbaccess/IfxMonitor.h"
#include "dbaccess/ResourcePool.h"
#include "dbaccess/StatementCache.h"
#include "ifxesqlc.h"

namespace varnok {

class TIfxConnection;
class TIfxStatementResource;

class TIfxConnectionResource : public TPoolItem {
public:
    // Steps 1-9 of connecting; raises on failure (no reference on params is kept then).
    TIfxConnectionResource(TIfxConnectionParams& params, TIfxConnection* owner);
    // Runs the close sequence when Disconnect has not, dropping its errors.
    ~TIfxConnectionResource() override;
    TIfxConnectionResource(const TIfxConnectionResource&) = delete;
    TIfxConnectionResource& operator=(const TIfxConnectionResource&) = delete;

    // The close sequence (steps 1-5); raises; the resource is closed afterwards either way.
    void Disconnect();
    bool Connected() const { return connected_; }

    const std::string& Name() const { return name_; }
    std::uint32_t Identity() const { return identity_; }
    TIfxConnectionParams& Params() const { return *params_; }
    TIfxConnection* Owner() const { return owner_; }
    void SetOwner(TIfxConnection* owner) { owner_ = owner; }
    TIfxCustomMonitor* Monitor() const;

    // ---- current connection of the calling thread
    void MakeCurrent();
    void MakeDormant();

    // ---- database state
    bool HasTransactions() const { return hasTransactions_; }
    bool IsAnsi() const { return ansi_; }
    bool IsNotSE() const { return notSE_; }
    bool InTransaction() const { return inTransaction_; }
    bool DatabaseChanged() const { return databaseChanged_; }
    void ClearDatabaseChanged() { databaseChanged_ = false; }
    void ApplyIsolationLevel();
    void OpenDatabase(const std::string& name, bool exclusive);
    // Reports the change, invalidates every prepared statement, closes the data sets.
    void DatabaseHasChanged();
    // After an execution: a database change or the automatic commit.
    void AfterExecution(int statementType);

    // ---- transactions
    void StartTransaction();
    void Commit();
    void Rollback();
    void AutoCommit();

    // ---- statements
    int ExecuteDirect(const std::string& sql, ifx_sqlvar_t* inputs = nullptr, int inputCount = 0);
    // One reference for the caller (see TIfxStatementRef).
    TIfxStatementResource* PrepareStatement(const std::string& sql, bool cacheable);
    int CacheRequests() const { return cacheRequests_; }
    int CacheHits() const { return cacheHits_; }
    bool HasCache() const { return hasCache_; }
    const std::vector<TIfxStatementResource*>& CachedStatements() const { return cache_; }
    bool ShareCursorStatement() const { return shareCursorStatement_; }
    void SetClock(TDayClock clock) { clock_ = std::move(clock); }
    double Now() const { return clock_(); }

    // ---- questions to the server (cached per resource)
    std::string GetServerInfo();
    std::string GetUserName();
    bool IsUniversalServer();
    bool HasSixteenPartIndexes();
    int SessionId();

    // ---- checks and traces on behalf of this connection
    int Check(int code);
    int CheckSqlCode();
    void Report(TIfxMonitorEventType type, std::string_view format, std::initializer_list<TFormatArg> args = {});
    [[noreturn]] void RaiseError(const std::string& message);

    // ---- pooling
    void TakenFromPool() override;
    void ReleasedIntoPool() override;

    // Every live resource by identity: the request callback finds its connection here.
    static TIfxConnectionResource* FindByIdentity(std::uint32_t identity);

private:
    friend class TIfxStatementResource;
    void Connect();
    void ReadDatabaseFlags(const sqlcaw_s& warnings);
    void CloseOnServer();
    void AddToCache(TIfxStatementResource* statement);
    void EmptyCacheWithoutServer();
    void FreeCache();
    void ForgetStatement(TIfxStatementResource* statement);
    // The result of a commit or rollback: checked; no transaction is open any more.
    void TransactionEnded(int result);
    // A statement is declaring a cursor of this name: any other statement that
    // kept a cursor of that name forgets it (the server binds the name anew).
    void CursorNameTaken(const std::string& cursorName, const TIfxStatementResource* by);
    int SingletonSelect(const std::string& sql, int inputs, ifx_sqlvar_t* input, int outputs, ifx_sqlvar_t* output);

    TIfxParamsRef params_;  // empty until connected: a failed connect keeps no reference
    TIfxConnection* owner_;
    std::uint32_t identity_;
    std::string name_;
    bool connected_ = false;

    bool hasTransactions_ = false;
    bool ansi_ = false;
    bool notSE_ = false;
    int sixteenPartIndexes_ = -1;
    std::string serverInfo_;
    bool serverInfoRead_ = false;
    int universalServer_ = -1;
    int sessionId_ = -1;
    std::string userName_;
    bool userNameRead_ = false;
    bool inTransaction_ = false;
    bool databaseChanged_ = false;

    bool hasCache_ = false;
    bool shareCursorStatement_ = false;
    std::vector<TIfxStatementResource*> cache_;
    std::vector<TIfxStatementResource*> live_;  // every statement alive, to orphan at the end
    int cacheRequests_ = 0;
    int cacheHits_ = 0;
    TDayClock clock_ = NowAsDayNumber;
};

}  // namespace varnok
