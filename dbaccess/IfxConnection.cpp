#include "dbaccess/IfxConnection.h"

#include <algorithm>
#include <cstdlib>

#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxConnectionCallback.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxMonitor.h"
#include "dbaccess/IfxParams.h"
#include "dbaccess/IfxSQLDA.h"
#include "dbaccess/ResourcePool.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

namespace {
constexpr int kRequestInProgress = -439;
constexpr size_t kMaxDatabaseNames = 1024;
constexpr size_t kDatabaseNameArea = 132096;
}  // namespace

TIfxConnection::TIfxConnection() : TIfxComponent("TIfxConnection"), params_(TIfxParamsRef::New()) {}

TIfxConnection::~TIfxConnection() {
    try {
        Close();
    } catch (...) {
    }
    // Detach every client: they must not reach a connection that is gone.
    std::vector<TIfxConnectionClient*> clients;
    clients.swap(clients_);
    for (TIfxConnectionClient* client : clients) client->ConnectionDestroyed(*this);
    SetSQLProcessor(nullptr);
    SetMonitor(nullptr);
    SetFieldTypes(nullptr);
}

TIfxConnectionParams& TIfxConnection::MutableParams() {
    // Write-through: the live resource reads the same block (a pool keeps a copy of its own).
    return *params_;
}

void TIfxConnection::Notification(TIfxComponent& destroyed) {
    // Compared as components: only the address of what is going may be used.
    if (sqlProcessor_ && static_cast<TIfxComponent*>(sqlProcessor_) == &destroyed) sqlProcessor_ = nullptr;
    if (monitor_ && static_cast<TIfxComponent*>(monitor_) == &destroyed) monitor_ = nullptr;
    if (fieldTypes_ && static_cast<TIfxComponent*>(fieldTypes_) == &destroyed) fieldTypes_ = nullptr;
}

void TIfxConnection::Relink(TIfxComponent* from, TIfxComponent* to) {
    if (from == to) return;
    if (from) from->RemoveFreeNotification(this);
    if (to) to->FreeNotification(this);
}

void TIfxConnection::SetSQLProcessor(TIfxSQLProcessor* processor) {
    Relink(sqlProcessor_, processor);
    sqlProcessor_ = processor;
}

void TIfxConnection::SetMonitor(TIfxCustomMonitor* monitor) {
    Relink(monitor_, monitor);
    monitor_ = monitor;
}

void TIfxConnection::SetFieldTypes(TIfxFieldTypes* fieldTypes) {
    Relink(fieldTypes_, fieldTypes);
    fieldTypes_ = fieldTypes;
}

TIfxConnectionResource& TIfxConnection::Live() const {
    if (!resource_) {
        const std::string text = LayerErrorText("Cannot perform this operation on a closed connection", this);
        ReportAndThrow(monitor_, EIfxAccessError(text));
    }
    return *resource_;
}

// ---- open and close

void TIfxConnection::SetConnected(bool connected) {
    if (loading_) {
        connectedWhenLoaded_ = connected;
        return;
    }
    if (connected)
        Open();
    else
        Close();
}

void TIfxConnection::EndLoading() {
    loading_ = false;
    const bool ignored = designConnection_ && !Designing();
    if (connectedWhenLoaded_ && !ignored) Open();
    connectedWhenLoaded_ = false;
}

void TIfxConnection::Open() {
    if (resource_) return;
    if (BeforeConnect) BeforeConnect(*this);
    DoConnect();
    for (TIfxConnectionClient* client : std::vector(clients_)) client->ConnectNotify(*this);
    if (AfterConnect) AfterConnect(*this);
}

void TIfxConnection::DoConnect() {
    TIfxParamsRef block = params_;
    if (loginPrompt_) {
        block = TIfxParamsRef::CopyOf(*params_);
        if (OnLogin) {
            OnLogin(*this, block->Params);
        } else {
            std::string user = block->Value("WIN32USER");
            std::string password;
            if (!LoginDialog || !LoginDialog(block->Value("DATABASE"), user, password))
                RaiseLayerError("Operation has been cancelled by the user", this);
            block->SetValue("WIN32USER", user);
            block->SetValue("WIN32PASS", password);
        }
    }
    if (block->PoolOptions.Enabled) {
        std::shared_ptr<TResourcePool> pool = TResourcePools::Instance().PoolFor(*block);
        std::unique_ptr<TPoolItem> item = pool->Acquire(
            [&]() -> std::unique_ptr<TPoolItem> { return std::make_unique<TIfxConnectionResource>(*block, this); },
            [this](TPoolItem& reused) { static_cast<TIfxConnectionResource&>(reused).SetOwner(this); });
        resource_.reset(static_cast<TIfxConnectionResource*>(item.release()));
        resource_->SetOwner(this);
        pool_ = std::move(pool);
    } else {
        resource_ = std::make_unique<TIfxConnectionResource>(*block, this);
    }
    if (useTimeOut_ && !Designing()) InstallRequestCallback(true);
}

void TIfxConnection::Close() {
    // A data set closing its cursor on the disconnect notification runs the
    // idle check, which must not start a second disconnect inside this one.
    if (!resource_ || disconnecting_) return;
    disconnecting_ = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{disconnecting_};
    if (BeforeDisconnect) BeforeDisconnect(*this);
    for (TIfxConnectionClient* client : std::vector(clients_)) client->DisconnectNotify(*this);
    DoDisconnect();
    if (AfterDisconnect) AfterDisconnect(*this);
}

void TIfxConnection::DoDisconnect() {
    try {
        SetUseTimeOut(false);
    } catch (const std::exception& e) {
        // Off in any case: the next connection installs the callback only when asked again.
        useTimeOut_ = false;
        if (OnCloseError) OnCloseError(e);
    }
    std::unique_ptr<TIfxConnectionResource> resource = std::move(resource_);
    std::shared_ptr<TResourcePool> pool = std::move(pool_);
    openCursorClients_ = 0;
    try {
        if (pool)
            pool->Release(std::move(resource));
        else
            resource->Disconnect();
    } catch (const std::exception& e) {
        // The connection is closed either way; the failure goes to OnCloseError or nowhere.
        if (OnCloseError) OnCloseError(e);
    }
}

void TIfxConnection::EnsureConnected() {
    if (!resource_)
        Open();
    else
        MakeCurrent();
}

void TIfxConnection::MakeCurrent() { Live().MakeCurrent(); }
void TIfxConnection::MakeDormant() { Live().MakeDormant(); }

// ---- properties that act while open

void TIfxConnection::SetIsolationLevel(TIfxIsolationLevel level) {
    MutableParams().IsolationLevel = level;
    if (!resource_) return;
    // A connection made through the login prompt reads a copy of the block.
    resource_->Params().IsolationLevel = level;
    resource_->MakeCurrent();
    resource_->ApplyIsolationLevel();
}

void TIfxConnection::SetUseTimeOut(bool value) {
    if (resource_ && !Designing() && value != useTimeOut_) {
        resource_->MakeCurrent();
        InstallRequestCallback(value);
    }
    useTimeOut_ = value;
}

void TIfxConnection::InstallRequestCallback(bool install) {
    const TIfxLibrary& lib = Ifx();
    if (install)
        lib.sqlbreakcallback(static_cast<int4>(timeOutInterval_), &IfxRequestCallback);
    else
        lib.sqlbreakcallback(-1, nullptr);
}

void TIfxConnection::HandleRequestCallback(int status) {
    const char* current = Ifx().ifx_getcur_conn_name();
    const std::optional<std::uint32_t> identity = ConnectionIdentityOf(current);
    TIfxConnectionResource* resource = identity ? TIfxConnectionResource::FindByIdentity(*identity) : nullptr;
    if (!resource) throw EIfxAccessError("Active connection handle is wrong");
    if (TIfxConnection* connection = resource->Owner())
        if (connection->OnTimeOut) connection->OnTimeOut(static_cast<TIfxTimeOutStatus>(status));
}

// ---- database

void TIfxConnection::OpenDatabase(const std::string& name, bool exclusive) {
    EnsureConnected();
    resource_->OpenDatabase(name, exclusive);
}

void TIfxConnection::GetDatabaseNames(std::vector<std::string>& names) {
    EnsureConnected();
    std::vector<char*> pointers(kMaxDatabaseNames, nullptr);
    std::vector<char> area(kDatabaseNameArea, '\0');
    mint count = 0;
    resource_->Check(Ifx().sqgetdbs(&count, pointers.data(), static_cast<mint>(pointers.size()), area.data(),
                                    static_cast<mint>(area.size())));
    std::vector<std::string> result;
    const size_t n = std::min(static_cast<size_t>(std::max(count, 0)), pointers.size());
    for (size_t i = 0; i < n; ++i)
        if (pointers[i]) result.emplace_back(pointers[i]);
    names = std::move(result);  // one change for whoever watches the list
}

std::string TIfxConnection::GetServerInfo() { return Live().GetServerInfo(); }
std::string TIfxConnection::GetUserName() { return Live().GetUserName(); }
bool TIfxConnection::IsOnlineServer() { return Live().IsNotSE(); }
bool TIfxConnection::IsUniversalServer() { return Live().IsUniversalServer(); }
bool TIfxConnection::HasSixteenPartIndexes() { return Live().HasSixteenPartIndexes(); }

// ---- transactions

void TIfxConnection::StartTransaction() {
    EnsureConnected();
    resource_->StartTransaction();
}

void TIfxConnection::Commit() {
    Live().MakeCurrent();
    resource_->Commit();
    openCursorClients_ = 0;
    IdleCheck();
}

void TIfxConnection::Rollback() {
    Live().MakeCurrent();
    resource_->Rollback();
    openCursorClients_ = 0;
    IdleCheck();
}

bool TIfxConnection::InTransaction() const { return Live().InTransaction(); }
bool TIfxConnection::IsAnsiDatabase() const { return Live().IsAnsi(); }
bool TIfxConnection::SupportsTransactions() const { return Live().HasTransactions(); }

void TIfxConnection::ClientCursorClosed() {
    if (openCursorClients_ > 0) --openCursorClients_;
    IdleCheck();
}

void TIfxConnection::IdleCheck() {
    if (openCursorClients_ == 0 && resource_ && !KeepConnection() && !resource_->InTransaction() && !loading_)
        Close();
}

// ---- requests

bool TIfxConnection::Interrupt() {
    const TIfxLibrary& lib = Ifx();
    if (lib.sqldone() != kRequestInProgress)
        ReportAndThrow(monitor_,
                       EIfxAccessError(LayerErrorText("The server is not currently processing an SQL request", this)));
    return lib.sqlbreak() == 0;
}

int TIfxConnection::ExecuteDirect(const std::string& sql, ifx_sqlvar_t* inputs, int inputCount) {
    EnsureConnected();
    return resource_->ExecuteDirect(sql, inputs, inputCount);
}

int TIfxConnection::ExecuteDirect(const std::string& sql, TIfxParams& inputs) {
    EnsureConnected();
    inputs.BindAll(Ifx());
    ifx_sqlda_t* descriptor = inputs.Descriptor();
    return descriptor ? resource_->ExecuteDirect(sql, descriptor->sqlvar, descriptor->sqld)
                      : resource_->ExecuteDirect(sql);
}

int TIfxConnection::ExecuteDirect(const std::string& sql, const TParams& inputs) {
    TIfxParams descriptor;
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(inputs.Count()));
    // Unnamed parameters are told apart by position ("?" starts no parameter name),
    // since entries of one name share the first one's value.
    for (const TParam& param : inputs)
        names.push_back(param.Name().empty() ? "?" + std::to_string(names.size() + 1) : param.Name());
    descriptor.SetNames(names);
    for (int i = 0; i < inputs.Count(); ++i) descriptor[i].Param().AssignValue(inputs[i]);
    return ExecuteDirect(sql, descriptor);
}

ifx_sqlca_t* TIfxConnection::SqlCa() { return Ifx().fnsqlca(); }
int TIfxConnection::RowsProcessed() { return Ifx().fnsqlca()->sqlerrd[2]; }

int TIfxConnection::LastSerial() {
    MakeCurrent();
    return Ifx().fnsqlca()->sqlerrd[1];
}

int TIfxConnection::LastRowId() {
    MakeCurrent();
    return Ifx().fnsqlca()->sqlerrd[5];
}

std::int64_t TIfxConnection::LastSerial8() {
    MakeCurrent();
    const TIfxLibrary& lib = Ifx();
    ifx_int8_t serial{};
    lib.ifx_getserial8(&serial);
    char text[32] = {};
    if (lib.ifx_int8toasc(&serial, text, sizeof text - 1) < 0) return 0;
    return std::strtoll(text, nullptr, 10);
}

TIfxStatementResource* TIfxConnection::PrepareStatement(const std::string& sql, bool cacheable) {
    EnsureConnected();
    return resource_->PrepareStatement(sql, cacheable);
}

// ---- clients

void TIfxConnection::AttachClient(TIfxConnectionClient* client) {
    if (client && std::find(clients_.begin(), clients_.end(), client) == clients_.end()) clients_.push_back(client);
}

void TIfxConnection::DetachClient(TIfxConnectionClient* client) {
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
}

void TIfxConnection::DropClientStatements() {
    for (TIfxConnectionClient* client : std::vector(clients_)) client->DropPreparedStatement();
}

void TIfxConnection::CloseDataSetClients() {
    for (TIfxConnectionClient* client : std::vector(clients_))
        if (client->IsDataSet()) client->DisconnectNotify(*this);
}

}  // namespace varnok
