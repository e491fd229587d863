#pragma once
// The commands of the main window, owned by it for the whole run, and the
// enabling rule UpdateCommands: a list of hooks, each setting the enabled
// state of its commands and controls, run whenever the application is idle
// and before a command runs. Later windows register their commands and their
// enabling terms here.
//
// A hook that throws is fatal: "Error in ActionList1Update. [<message>]" is
// shown and the program ends at once, without writing the settings.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "shell/kit/Command.h"

namespace varnok {

class TCommandRegistry : public QObject {
    Q_OBJECT
public:
    using TUpdateHook = std::function<void()>;
    // Called after the failure message; the default ends the process at once.
    using TFatalHandler = std::function<void(const QString& message)>;

    explicit TCommandRegistry(QObject* parent = nullptr);
    ~TCommandRegistry() override;

    // Creates the command (owned by the registry) in list order. A name that
    // is already taken is an error: commands are looked up by name.
    TCommand* Add(const TCommandSpec& info, std::function<void()> operation = {});
    TCommand* Find(const QString& name) const; // nullptr when unknown
    const std::vector<TCommand*>& Commands() const { return commands_; }

    void AddUpdateHook(TUpdateHook hook);
    // Runs every hook in registration order; see the failure rule above.
    void UpdateCommands();

    void SetFatalHandler(TFatalHandler handler) { fatal_ = std::move(handler); }

    // Runs UpdateCommands each time the event loop is about to wait for events.
    void StartIdleUpdates();

    static QString UpdateFailureText(const QString& message);

private:
    void Fail(const QString& message);

    std::vector<TCommand*> commands_; // children of this object
    std::vector<TUpdateHook> hooks_;
    TFatalHandler fatal_;
    bool updating_ = false;
    bool failed_ = false;
    QMetaObject::Connection idleConnection_;
};

} // namespace varnok
