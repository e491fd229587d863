#include "connections/ui/ConnectFlow.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QToolButton>
#include <QWidget>
#include <cstring>

#include "connections/ui/TfmConnect.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/ApplicationTitle.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {

constexpr unsigned kTimeOutIntervalMs = 100;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
std::string S(const QString& text) {
    return text.toStdString();
}

QString CurrentMessage() {
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

// The role names the user was granted, in the order the server returns them.
std::vector<std::string> ReadRoleNames(TIfxConnection& database) {
    TIfxStatementRef statement(database.PrepareStatement(
        "Select rolename From \"informix\".sysroleauth Where grantee = user", false));
    char name[33] = {};
    ifx_sqlvar_t var{};
    var.sqltype = CCHARTYPE;
    var.sqllen = sizeof name;
    var.sqldata = name;
    ifx_sqlda_t out{};
    out.sqld = 1;
    out.sqlvar = &var;
    ifx_cursor_t* cursor = statement->OpenCursor(0x524f4c45, nullptr, false);
    // The cursor is closed however the fetching ends.
    struct TCursorCloser {
        TIfxStatementResource* statement;
        ifx_cursor_t* cursor;
        ~TCursorCloser() {
            try {
                statement->CloseCursor(cursor);
            } catch (...) {
            }
        }
    } closer{statement.Get(), cursor};
    _FetchSpec next{0, FETCH_NEXT, 0};
    std::vector<std::string> names;
    while (statement->Fetch(cursor, &out, &next) == 0) {
        std::string text(name, strnlen(name, sizeof name));
        text.erase(text.find_last_not_of(' ') + 1); // CHAR(32) comes blank-padded
        names.push_back(std::move(text));
    }
    return names;
}

TTransactionAnswer AskWithBox(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TTransactionAnswer::Yes;
    case QMessageBox::No:
        return TTransactionAnswer::No;
    default:
        return TTransactionAnswer::Cancel;
    }
}

} // namespace

TConnectFlow::TConnectFlow(TConnectFlowHost host, QObject* parent) : QObject(parent), host_(std::move(host)) {
    if (!host_.askTransaction) host_.askTransaction = AskWithBox;
    database_.SetName("Database");
    database_.SetTimeOutInterval(kTimeOutIntervalMs);
    database_.SetCommitRetain(false);
    database_.SetLoginPrompt(false);
    database_.AfterConnect = [this](TIfxConnection&) { DatabaseAfterConnect(); };
    database_.BeforeDisconnect = [this](TIfxConnection&) { DatabaseBeforeDisconnect(); };
    database_.AfterDisconnect = [this](TIfxConnection&) { DatabaseAfterDisconnect(); };
    database_.OnTimeOut = [this](TIfxTimeOutStatus) { DatabaseTimeOut(); };
    WireBar();
    UpdateConnectionBar();
}

TConnectFlow::~TConnectFlow() {
    // The window is going: no question, no log entry, no caption any more.
    database_.BeforeDisconnect = nullptr;
    database_.AfterDisconnect = nullptr;
    try {
        database_.Close();
    } catch (...) {
    }
}

void TConnectFlow::WireBar() {
    const TConnectionBar& bar = host_.bar;
    if (bar.tbConnect)
        connect(bar.tbConnect, &QToolButton::clicked, this,
                [this] { Guarded([this] { ConnectWithLogin(); }); });
    if (bar.tbDisconnect)
        connect(bar.tbDisconnect, &QToolButton::clicked, this, [this] { Guarded([this] { Disconnect(); }); });
    if (bar.tbBeginTrans)
        connect(bar.tbBeginTrans, &QToolButton::clicked, this,
                [this] { Guarded([this] { BeginTransaction(); }); });
    if (bar.tbCommit)
        connect(bar.tbCommit, &QToolButton::clicked, this,
                [this] { Guarded([this] { CommitTransaction(); }); });
    if (bar.tbRollback)
        connect(bar.tbRollback, &QToolButton::clicked, this,
                [this] { Guarded([this] { RollbackTransaction(); }); });
    if (QComboBox* box = bar.cbDatabase) {
        box->installEventFilter(this);
        // activated: only the user's choice switches; selecting in code does not.
        connect(box, &QComboBox::activated, this, [this, box](int index) {
            const QString name = box->itemText(index);
            if (filling_ || name.isEmpty()) return;
            Guarded([this, name] { SwitchDatabase(name); });
            // A cancelled switch leaves the box on the database still open.
            if (box->currentText() != openDatabase_ && openDatabase_ != name) {
                filling_ = true;
                box->setCurrentIndex(box->findText(openDatabase_, Qt::MatchExactly));
                filling_ = false;
            }
        });
    }
    if (QComboBox* box = bar.cbRole) {
        box->installEventFilter(this);
        connect(box, &QComboBox::activated, this, [this, box](int index) {
            const QString name = box->itemText(index);
            if (!filling_) Guarded([this, name] { SetRole(name); });
        });
    }
}

bool TConnectFlow::eventFilter(QObject* watched, QEvent* event) {
    // The boxes fill themselves as they drop down (mouse or Alt+Down / F4).
    bool dropping = event->type() == QEvent::MouseButtonPress;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        dropping =
            key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier));
    }
    if (dropping && database_.Connected()) {
        if (watched == host_.bar.cbDatabase)
            Guarded([this] { FillDatabaseList(true); });
        else if (watched == host_.bar.cbRole)
            Guarded([this] { FillRoleList(); });
    }
    return QObject::eventFilter(watched, event);
}

void TConnectFlow::Guarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (...) {
        ShowCurrentException(); // EAbort (a Cancel) shows nothing
    }
    UpdateConnectionBar();
}

void TConnectFlow::RegisterSettings(TSettingsRegistry& settings) {
    settings.AddLoadStep(SettingsLoadOrder::LastOpenDB, kLastOpenDBSection,
                         [this](const TIniFile& ini) { lastDatabases_.Load(ini); });
    settings.AddSaveStep(SettingsSaveOrder::LastOpenDB, kLastOpenDBSection,
                         [this](TIniFile& ini) { lastDatabases_.Save(ini); });
}

void TConnectFlow::RegisterUpdateHook(TCommandRegistry& commands) {
    commands.AddUpdateHook([this] { UpdateConnectionBar(); });
}

void TConnectFlow::UpdateConnectionBar() {
    const bool open = database_.Connected();
    const bool executing = host_.executing && host_.executing();
    bool inTransaction = false, supports = false;
    // While a script runs the connection belongs to its worker: ask nothing of it.
    if (open && !executing) {
        inTransaction = database_.InTransaction();
        supports = database_.SupportsTransactions();
    }
    const TConnectionBarEnabling e = ConnectionBarEnabling(open, executing, inTransaction, supports);
    const TConnectionBar& bar = host_.bar;
    const auto set = [](QWidget* w, bool on) {
        if (w) w->setEnabled(on);
    };
    set(bar.tbConnect, e.connect);
    set(bar.tbQuickConnect, e.connect);
    set(bar.cbDatabase, e.connected);
    set(bar.cbRole, e.connected);
    set(bar.tbDisconnect, e.connected);
    set(bar.tbBeginTrans, e.begin);
    set(bar.tbCommit, e.commitRollback);
    set(bar.tbRollback, e.commitRollback);
}

QString TConnectFlow::ServerBoxText() const {
    return host_.bar.cbServerName ? host_.bar.cbServerName->currentText() : QString();
}

QString TConnectFlow::ParamServer() const {
    return Q(ParamValue(database_.Params(), "INFORMIXSERVER"));
}

void TConnectFlow::Log(const QString& message, const QString& additional) {
    if (host_.log) host_.log(message, additional);
}

void TConnectFlow::SetCaption(const QString& caption) {
    if (host_.window) host_.window->setWindowTitle(caption);
    SetApplicationTitle(caption);
}

void TConnectFlow::OpenConnection(const QString& server, const QString& database, const QString& password,
                                  const QString& user) {
    database_.Params() = ConnectParamLines(S(server), S(user), S(password));
    database_.SetUseTimeOut(true);
    try {
        database_.Open();
        if (!database.isEmpty()) database_.OpenDatabase(S(database), false);
    } catch (...) {
        const QString error = CurrentMessage();
        const QString where = ServerBoxText() + QStringLiteral(" - ") + database;
        Log(QStringLiteral("Error on connect to Database"), where);
        if (host_.blinkMessage)
            host_.blinkMessage(error + QStringLiteral(" Error on connect to Database ") + where);
        if (database_.Connected()) KeepServerWithoutDatabase();
        throw;
    }
    if (!database.isEmpty()) {
        openDatabase_ = database;
        Log(QStringLiteral("Connecting to Database"), database + QLatin1Char('@') + ParamServer());
    } else if (QComboBox* box = host_.bar.cbDatabase) {
        // The user picks a database from the freshly filled list.
        UpdateConnectionBar();
        FillDatabaseList(true);
        box->showPopup();
    }
}

void TConnectFlow::KeepServerWithoutDatabase() {
    // The server took the login but the database could not be opened: the
    // connection stays on the server so that the user can pick another
    // database. The box lists the server's databases with none selected,
    // since none is open (not the one of an earlier connection).
    openDatabase_.clear();
    UpdateConnectionBar();
    QComboBox* box = host_.bar.cbDatabase;
    if (!box) return;
    try {
        FillDatabaseList();
    } catch (...) {
        filling_ = true;
        box->clear(); // the list is refilled when the box drops down
        filling_ = false;
    }
    filling_ = true;
    box->setCurrentIndex(-1);
    filling_ = false;
}

void TConnectFlow::ConnectWithLogin() {
    if (!host_.login) return;
    if (!host_.login->AskLogin(ServerBoxText(), true)) return;
    if (database_.Connected()) database_.Close(); // BeforeDisconnect may cancel everything
    OpenConnection(ServerBoxText(), QString(), host_.login->Password(), host_.login->UserName());
}

void TConnectFlow::ConnectSaved(const TConnectionsParam& record) {
    if (database_.Connected()) database_.Close();
    QString user = Q(record.User);
    QString password = Q(record.Password);
    if (record.AskPassword) {
        if (!host_.login) return;
        host_.login->SetLogin(user, password);
        if (!host_.login->AskLogin(Q(record.Server + "@" + record.DataBase), true)) return;
        user = host_.login->UserName();
        password = host_.login->Password();
    }
    OpenConnection(Q(record.Server), Q(record.DataBase), password, user);
    FillDatabaseList();
    filling_ = true; // selecting in code does not switch the database
    if (QComboBox* box = host_.bar.cbServerName)
        box->setCurrentIndex(box->findText(Q(record.Server), Qt::MatchExactly));
    if (QComboBox* box = host_.bar.cbDatabase)
        box->setCurrentIndex(box->findText(Q(record.DataBase), Qt::MatchExactly));
    filling_ = false;
    RunAfterConnectScript(record.Script); // handed over even when empty
}

void TConnectFlow::FillDatabaseList(bool fromDropDown) {
    QComboBox* box = host_.bar.cbDatabase;
    if (!box) return;
    std::vector<std::string> names;
    database_.GetDatabaseNames(names);
    filling_ = true;
    box->clear();
    for (const std::string& entry : DatabaseBoxEntries(names))
        box->addItem(Q(entry));
    const QString last = Q(lastDatabases_.Get(S(ServerBoxText())));
    box->setCurrentIndex(last.isEmpty() ? -1 : box->findText(last, Qt::MatchExactly));
    filling_ = false;
    if (fromDropDown) {
        QApplication::processEvents();
        box->setEnabled(true);
        box->setFocus();
    }
}

void TConnectFlow::SwitchDatabase(const QString& name) {
    ConfirmOpenTransaction(); // Cancel ends the switch here
    ResetCatalogQueries();
    ClearSchemaState();
    try {
        database_.OpenDatabase(S(name), false);
    } catch (...) {
        const QString error = CurrentMessage();
        Log(QStringLiteral("Error on connect to Database"), name);
        if (host_.blinkMessage)
            host_.blinkMessage(error + QStringLiteral(" Error on connect to Database ") + name);
    }
    Log(QStringLiteral("Connecting to Database"), name + QLatin1Char('@') + ParamServer());
    lastDatabases_.Set(S(ServerBoxText()), S(name));
    openDatabase_ = name;
}

void TConnectFlow::FillRoleList() {
    QComboBox* box = host_.bar.cbRole;
    if (!box) return;
    const std::vector<std::string> names = ReadRoleNames(database_);
    filling_ = true;
    box->clear();
    for (const std::string& name : names)
        box->addItem(Q(name));
    filling_ = false;
}

void TConnectFlow::SetRole(const QString& name) {
    database_.ExecuteDirect("set role " + S(name));
}

void TConnectFlow::BeginTransaction() {
    database_.StartTransaction();
    Log(QStringLiteral("Start Transaction"));
}

void TConnectFlow::CommitTransaction() {
    try {
        database_.Commit();
        Log(QStringLiteral("Commit Transaction"));
    } catch (...) {
        Messages().Error(QStringLiteral("Transaction"),
                         QStringLiteral("Error on Commit: %1").arg(CurrentMessage()));
    }
}

void TConnectFlow::RollbackTransaction() {
    try {
        database_.Rollback();
        Log(QStringLiteral("Rollback Transaction"));
    } catch (...) {
        Messages().Error(QStringLiteral("Transaction"),
                         QStringLiteral("Error on Rollback: %1").arg(CurrentMessage()));
    }
}

void TConnectFlow::ConfirmOpenTransaction() {
    if (!database_.Connected() || !database_.InTransaction()) return;
    switch (host_.askTransaction(QStringLiteral("Transaction"), QStringLiteral("Commit Transaction?"))) {
    case TTransactionAnswer::Yes:
        CommitTransaction();
        break;
    case TTransactionAnswer::No:
        RollbackTransaction();
        break;
    case TTransactionAnswer::Cancel:
        throw EAbort();
    }
}

void TConnectFlow::Disconnect() {
    database_.Close();
}

bool TConnectFlow::CloseForExit() {
    try {
        database_.Close();
    } catch (const EAbort&) {
        return false;
    } catch (...) {
        ShowCurrentException(); // a failing close must not keep the program from ending
    }
    return true;
}

void TConnectFlow::RunAfterConnectScript(const std::string& text) {
    if (runScript_) runScript_(text);
}

void TConnectFlow::ClearSchemaState() {
    if (clearSchema_) clearSchema_();
    if (host_.clearStatus) host_.clearStatus();
    if (QComboBox* box = host_.bar.cbRole) box->clear();
}

void TConnectFlow::ResetCatalogQueries() {
    if (resetCatalog_) resetCatalog_();
}

void TConnectFlow::DatabaseAfterConnect() {
    Log(QStringLiteral("Connecting to Server"), ParamServer());
    const std::string info = database_.GetServerInfo();
    SetCaption(Q(ConnectedCaption(ParamValue(database_.Params(), "WIN32USER"), S(ParamServer()), info)));
    serverGeneration_ = ServerGenerationChar(info);
}

void TConnectFlow::DatabaseBeforeDisconnect() {
    ConfirmOpenTransaction(); // Cancel keeps the connection open
    SetCaption(QLatin1String(kMainCaption));
    ClearSchemaState();
}

void TConnectFlow::DatabaseAfterDisconnect() {
    openDatabase_.clear();
    const QString database = host_.bar.cbDatabase ? host_.bar.cbDatabase->currentText() : QString();
    Log(QStringLiteral("Disconnect from Database"), ServerBoxText() + QLatin1Char('@') + database);
}

void TConnectFlow::DatabaseTimeOut() {
    // Runs in the thread that waits on the server: reads one byte, takes no lock.
    if (interruptRequest_) database_.Interrupt();
}

} // namespace varnok
