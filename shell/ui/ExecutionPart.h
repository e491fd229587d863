#pragma once
// The script execution as a start-up part of the main window: the statement
// data set and its runner, the confirmation and parameters windows, the
// seven execution commands, the options of a run (section eOptions), the
// connection's time-out handler and the after-connect script of a saved
// connection.
namespace varnok {

class TfmMain;
class TScriptRunner;
class TExecutionCommands;

// Installs the part; the connect flow and the result views must be installed before.
void InstallExecution(TfmMain& window);

// The pieces InstallExecution made (children of the window), or null.
TScriptRunner* ScriptRunnerOf(const TfmMain& window);
TExecutionCommands* ExecutionCommandsOf(const TfmMain& window);

} // namespace varnok
