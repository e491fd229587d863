#pragma once
// TConnectFlow: the main window's one connection `Database` and everything
// that opens, switches and closes it from the connection bar — Connect with
// the login window, saved connections, the database and role boxes, the
// transaction buttons — with the connection's event handlers (caption, log,
// server generation character, the open-transaction question).
//
// It knows the main window only through TConnectFlowHost, so it can be
// driven on its own.
#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <string>

#include "connections/ConnectFlowRules.h"
#include "connections/ConnectionsParam.h"
#include "dbaccess/IfxConnection.h"
#include "shell/ui/ConnectionBar.h"

class QWidget;

namespace varnok {

class TCommandRegistry;
class TSettingsRegistry;
class TfmConnect;

enum class TTransactionAnswer { Yes, No, Cancel };

// What the flow needs of the main window.
struct TConnectFlowHost {
    QWidget* window = nullptr;   // gets the caption
    TConnectionBar bar;          // the controls the flow fills and enables
    TfmConnect* login = nullptr; // "Connect To DB"
    std::function<void(const QString& message, const QString& additional)> log;
    // Shows text in the status bar's message pane, blinking in red.
    std::function<void(const QString& text)> blinkMessage;
    // Clears the cost and message panes and stops the blinking.
    std::function<void()> clearStatus;
    std::function<bool()> executing; // the executing flag
    // The "Commit Transaction?" question; unset: a Yes/No/Cancel box, Cancel the default.
    std::function<TTransactionAnswer(const QString& caption, const QString& text)> askTransaction;
};

class TConnectFlow : public QObject {
    Q_OBJECT
public:
    explicit TConnectFlow(TConnectFlowHost host, QObject* parent = nullptr);
    ~TConnectFlow() override;

    TIfxConnection& Database() { return database_; }
    char ServerGeneration() const { return serverGeneration_; }
    // The interrupt request the time-out handler reads (set by "Interrupt").
    void SetInterruptRequest(bool on) { interruptRequest_ = on; }
    TLastDatabases& LastDatabases() { return lastDatabases_; }

    // The last-database list's load and save steps (section LastOpenDB) and
    // the connection-bar enabling as a command-update hook.
    void RegisterSettings(TSettingsRegistry& settings);
    void RegisterUpdateHook(TCommandRegistry& commands);

    // ---- operations; errors go on to the caller unless said otherwise
    void OpenConnection(const QString& server, const QString& database, const QString& password,
                        const QString& user);
    void ConnectWithLogin();
    void ConnectSaved(const TConnectionsParam& record);
    // fromDropDown: events are processed, the box enabled and focused.
    void FillDatabaseList(bool fromDropDown = false);
    // Errors of the open are logged and shown blinking, not passed on.
    void SwitchDatabase(const QString& name);
    void FillRoleList();
    void SetRole(const QString& name);
    void BeginTransaction();
    void CommitTransaction();   // errors: box "Transaction"
    void RollbackTransaction(); // errors: box "Transaction"
    // Asks when a transaction is open; Cancel throws EAbort.
    void ConfirmOpenTransaction();
    void Disconnect();
    // The main window's close: false when a Cancel keeps the connection open.
    bool CloseForExit();

    // The enabling of the connection-bar controls, now.
    void UpdateConnectionBar();

    // ---- hooks that later subsystems fill
    // The script runner: runs text as a script without an editor page.
    void SetRunAfterConnectScript(std::function<void(const std::string&)> hook) {
        runScript_ = std::move(hook);
    }
    void RunAfterConnectScript(const std::string& text);
    // The schema browser's state (table and procedure lists, detail lists, DDL text, data view).
    void SetClearSchemaStateHook(std::function<void()> hook) { clearSchema_ = std::move(hook); }
    void SetResetCatalogQueriesHook(std::function<void()> hook) { resetCatalog_ = std::move(hook); }
    void ClearSchemaState();
    void ResetCatalogQueries();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireBar();
    void DatabaseAfterConnect();
    void DatabaseBeforeDisconnect();
    void DatabaseAfterDisconnect();
    void DatabaseTimeOut();
    void SetCaption(const QString& caption);
    void Log(const QString& message, const QString& additional = {});
    QString ServerBoxText() const;
    QString ParamServer() const;
    // After a failed database open on an open server connection.
    void KeepServerWithoutDatabase();
    // Runs an operation started by a button: errors end in the standard error box.
    void Guarded(const std::function<void()>& operation);

    TConnectFlowHost host_;
    TIfxConnection database_;
    TLastDatabases lastDatabases_;
    char serverGeneration_ = '\0';
    std::atomic<bool> interruptRequest_ = false; // read by the waiting thread, no lock
    QString openDatabase_; // the database last opened, for the box after a cancelled switch
    bool filling_ = false;
    std::function<void(const std::string&)> runScript_;
    std::function<void()> clearSchema_;
    std::function<void()> resetCatalog_;
};

} // namespace varnok
