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

// The windows must outlive settings. Problems met while loading the saved
// connections go, one line each, to reportProblem (the log), when given.
void AddConnectionWindowsSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager, TfmConParams& conParams,
                                       TfmConnect& login,
                                       std::function<void(const std::string&)> reportProblem = {});

}  // namespace varnok
