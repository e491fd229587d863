#pragma once
// TIfxConnection: the component that owns one connection to an Informix
// server. Its properties write through to a TIfxConnectionParams block; Open
// makes a TIfxConnectionResource (or takes one from a pool) and Close gives
// it back. Statements and data sets attach to it as clients.
//
// Thread rule: the client library binds one current connection to each
// thread. Operations that need the connection make it current themselves;
// a thread that hands the connection to another calls MakeDormant first.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "dbaccess/IfxComponent.h"
#include "dbaccess/IfxConnectionClient.h"
#include "dbaccess/IfxConnectionParams.h"
#include "dbaccess/IfxConnectionResource.h"
#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/IfxStatementResource.h"

namespace varnok {

class TIfxCustomMonitor;
class TIfxSQLProcessor;
class TIfxFieldTypes;
class TIfxParams;
class TParams;
class TResourcePool;

inline constexpr const char* kIfxAccessVersion = "2.6.3.62";

class TIfxConnection : public TIfxComponent {
public:
    using TConnectionEvent = std::function<void(TIfxConnection&)>;
    using TLoginEvent = std::function<void(TIfxConnection&, std::vector<std::string>& loginParams)>;
    using TTimeOutEvent = std::function<void(TIfxTimeOutStatus)>;
    using TCloseErrorEvent = std::function<void(const std::exception&)>;
    // The login dialog: shows database and user, asks for user and password;
    // false when cancelled. The access layer has no windows: the program supplies it.
    using TLoginDialog = std::function<bool(const std::string& database, std::string& user, std::string& password)>;

    TIfxConnection();
    ~TIfxConnection() override;

    // ---- events
    TConnectionEvent BeforeConnect, AfterConnect, BeforeDisconnect, AfterDisconnect;
    TLoginEvent OnLogin;
    TTimeOutEvent OnTimeOut;
    TCloseErrorEvent OnCloseError;
    TLoginDialog LoginDialog;

    // ---- properties
    bool Connected() const { return resource_ != nullptr; }
    void SetConnected(bool connected);
    // The "name=value" lines. Properties write through to the parameter block
    // that the live connection reads too.
    std::vector<std::string>& Params() { return MutableParams().Params; }
    const std::vector<std::string>& Params() const { return params_->Params; }
    bool LoginPrompt() const { return loginPrompt_; }
    void SetLoginPrompt(bool value) { loginPrompt_ = value; }
    bool KeepConnection() const { return params_->KeepConnection; }
    void SetKeepConnection(bool value) { MutableParams().KeepConnection = value; }
    bool DesignConnection() const { return designConnection_; }
    void SetDesignConnection(bool value) { designConnection_ = value; }
    TIfxIsolationLevel IsolationLevel() const { return params_->IsolationLevel; }
    // While open: makes the connection current and applies the level.
    void SetIsolationLevel(TIfxIsolationLevel level);
    TIfxSafeMode SafeMode() const { return params_->SafeMode; }
    void SetSafeMode(TIfxSafeMode mode) { MutableParams().SafeMode = mode; }
    bool UseTimeOut() const { return useTimeOut_; }
    // While open (and not designing): makes the connection current, then
    // installs or removes the request callback.
    void SetUseTimeOut(bool value);
    unsigned TimeOutInterval() const { return timeOutInterval_; }
    void SetTimeOutInterval(unsigned ms) { timeOutInterval_ = ms; }
    bool AnsiAutoCommit() const { return params_->AnsiAutoCommit; }
    void SetAnsiAutoCommit(bool value) { MutableParams().AnsiAutoCommit = value; }
    bool CommitRetain() const { return params_->CommitRetain; }
    void SetCommitRetain(bool value) { MutableParams().CommitRetain = value; }
    TIfxTransactionAction TransactionActionOnClose() const { return params_->TransactionActionOnClose; }
    void SetTransactionActionOnClose(TIfxTransactionAction value) { MutableParams().TransactionActionOnClose = value; }
    const TResourcePoolOptions& PoolOptions() const { return params_->PoolOptions; }
    void SetPoolOptions(const TResourcePoolOptions& value) { MutableParams().PoolOptions = value; }
    int StatementCacheSize() const { return params_->StatementCacheSize; }
    void SetStatementCacheSize(int value) { MutableParams().StatementCacheSize = value; }
    bool ShareCursorStatement() const { return params_->ShareCursorStatement; }
    void SetShareCursorStatement(bool value) { MutableParams().ShareCursorStatement = value; }
    TIfxSQLProcessor* SQLProcessor() const { return sqlProcessor_; }
    // The processor, monitor and field types tell the connection when they go
    // first: the link is cleared then.
    void SetSQLProcessor(TIfxSQLProcessor* processor);
    TIfxCustomMonitor* Monitor() const { return monitor_; }
    void SetMonitor(TIfxCustomMonitor* monitor);
    const std::set<TIfxTableType>& TableTypes() const { return tableTypes_; }
    void SetTableTypes(std::set<TIfxTableType> types) { tableTypes_ = std::move(types); }
    TIfxFieldTypes* FieldTypes() const { return fieldTypes_; }
    void SetFieldTypes(TIfxFieldTypes* fieldTypes);
    std::string Version() const { return kIfxAccessVersion; }
    const TIfxConnectionParams& ParamsBlock() const { return *params_; }


    // While the component is read from its stored form a Connected = true is
    // only remembered; it takes effect at EndLoading (never for a
    // DesignConnection in the running program).
    void BeginLoading() { loading_ = true; }
    void EndLoading();
    bool Loading() const { return loading_; }

    // ---- operations
    void Open();
    void Close();
    void EnsureConnected();
    void MakeCurrent();
    void MakeDormant();
    void OpenDatabase(const std::string& name, bool exclusive = false);
    void GetDatabaseNames(std::vector<std::string>& names);
    // Server names of the sqlhosts file; the list is left unchanged when there is none.
    static void GetServerNames(std::vector<std::string>& names);
    std::string GetServerInfo();
    std::string GetUserName();
    bool IsOnlineServer();
    bool IsUniversalServer();
    bool HasSixteenPartIndexes();
    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;
    bool IsAnsiDatabase() const;
    bool SupportsTransactions() const;
    // True when the break request was accepted.
    bool Interrupt();
    // Rows processed. inputs: the statement's input values (none by default).
    int ExecuteDirect(const std::string& sql, ifx_sqlvar_t* inputs = nullptr, int inputCount = 0);
    // With an input descriptor: its entries are bound from their values and
    // go to the markers in order.
    int ExecuteDirect(const std::string& sql, TIfxParams& inputs);
    // With a parameter list: each parameter in list order fills one marker
    // (through a temporary input descriptor).
    int ExecuteDirect(const std::string& sql, const TParams& inputs);
    static ifx_sqlca_t* SqlCa();
    static int RowsProcessed();
    int LastSerial();
    int LastRowId();
    std::int64_t LastSerial8();
    // One reference for the caller: hold it in a TIfxStatementRef.
    TIfxStatementResource* PrepareStatement(const std::string& sql, bool cacheable);

    // The live resource; none while closed.
    TIfxConnectionResource* Resource() const { return resource_.get(); }

    // ---- clients
    void AttachClient(TIfxConnectionClient* client);
    void DetachClient(TIfxConnectionClient* client);
    const std::vector<TIfxConnectionClient*>& Clients() const { return clients_; }
    // The idle check: clients count their open cursors here.
    void ClientCursorOpened() { ++openCursorClients_; }
    void ClientCursorClosed();
    int OpenCursorClients() const { return openCursorClients_; }

    // Called by the resource on a database change.
    void DropClientStatements();
    void CloseDataSetClients();

    // The request callback's work for status, found by the current connection's name.
    static void HandleRequestCallback(int status);

protected:
    // A linked processor, monitor or field-type component is being destroyed.
    void Notification(TIfxComponent& destroyed) override;

private:
    // Replaces one link, asking to be told when the new component goes.
    void Relink(TIfxComponent* from, TIfxComponent* to);
    TIfxConnectionParams& MutableParams();
    TIfxConnectionResource& Live() const;  // raises on a closed connection
    void DoConnect();
    void DoDisconnect();
    void InstallRequestCallback(bool install);
    void IdleCheck();

    TIfxParamsRef params_;
    std::unique_ptr<TIfxConnectionResource> resource_;
    std::shared_ptr<TResourcePool> pool_;  // the pool the resource came from
    bool loginPrompt_ = false;
    bool designConnection_ = false;
    bool useTimeOut_ = false;
    unsigned timeOutInterval_ = 200;
    bool loading_ = false;
    bool disconnecting_ = false;   // Close is under way
    bool connectedWhenLoaded_ = false;
    TIfxSQLProcessor* sqlProcessor_ = nullptr;
    TIfxCustomMonitor* monitor_ = nullptr;
    TIfxFieldTypes* fieldTypes_ = nullptr;
    std::set<TIfxTableType> tableTypes_{ttUserTable, ttUserView, ttUserPrivSyn, ttUserPubSyn};
    std::vector<TIfxConnectionClient*> clients_;
    int openCursorClients_ = 0;
};

}  // namespace varnok
