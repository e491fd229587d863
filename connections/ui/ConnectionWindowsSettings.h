#pragma once
// Registers what the connection windows keep in the settings file, at their
// places in the load and save order: AdvConnectForm, ConnectParamForm, the
// saved connections with QuickConnectionsView, and uLogins.
#include <functional>
#include <string>

namespace varnok {

class TSettingsRegistry;
class TfmAdvConnect;
class TfmConParams;
class TfmConnect;

// The saved connections (Connections, QuickConnectionsView, Connection<i>)
// through the manager, and the login window's uLogins. The windows must
// outlive settings. Problems met while loading the saved connections go, one
// line each, to reportProblem (the log), when given.
void AddSavedConnectionsSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager, TfmConnect& login,
                                      std::function<void(const std::string&)> reportProblem = {});

// The two window sizes: AdvConnectForm (read and written) and
// ConnectParamForm (written, and read back when the file has it).
void AddConnectionWindowSizeSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager,
                                          TfmConParams& conParams);

// Both of the above.
void AddConnectionWindowsSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager, TfmConParams& conParams,
                                       TfmConnect& login,
                                       std::function<void(const std::string&)> reportProblem = {});

}  // namespace varnok
