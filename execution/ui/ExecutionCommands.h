#pragma once
// The seven execution commands of the main window (category "SQLEditor"):
// Execute, Execute Selected, Execute All Or Selected, the three Check Syntax
// commands and Interrupt, with their captions, hints, pictures, default
// shortcuts and their part of the enabling rule. A run command takes the
// whole text or the selection of the active page and hands it to the run
// starter; Interrupt sets the interrupt request.
#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "execution/ExecutionCommandRules.h"

namespace varnok {

class TCommand;
class TCommandRegistry;
class TEditorPages;
class TfmEditor;

// A run as the commands ask for it.
struct TRunRequest {
    TfmEditor* page = nullptr;   // none: a run without page
    bool singleStatement = false; // run the last good statement again
    bool checkOnly = false;
    std::int32_t textOffset = 0; // offset of text within the page's text
    std::string text;            // UTF-8, the editor's bytes
};

struct TExecutionCommandHost {
    std::function<bool()> connected; // the connection is open
    std::function<bool()> executing; // the executing flag
    std::function<void(const TRunRequest&)> startRun;
    std::function<void()> interrupt;
};

class TExecutionCommands : public QObject {
    Q_OBJECT
public:
    TExecutionCommands(TEditorPages& pages, TCommandRegistry& registry, TExecutionCommandHost host,
                       QObject* parent = nullptr);

    TCommand* Command(TExecutionCommand command) const;
    // The enabling rule of the seven commands (registered as an update hook).
    void UpdateCommands();
    // What a click on the command does (without the enabling check).
    void Run(TExecutionCommand command);
    // The run a command would start from the active page now.
    TRunRequest RequestFor(TExecutionCommand command) const;

private:
    TExecutionContext Context() const;

    TEditorPages& pages_;
    TCommandRegistry& registry_;
    TExecutionCommandHost host_;
};

} // namespace varnok
