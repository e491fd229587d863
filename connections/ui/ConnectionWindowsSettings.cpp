#include "connections/ui/ConnectionWindowsSettings.h"

#include "connections/ConnectionsSettings.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "connections/ui/TfmConnect.h"
#include "shell/SettingsRegistry.h"

namespace varnok {

void AddSavedConnectionsSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager, TfmConnect& login,
                                      std::function<void(const std::string&)> reportProblem) {
    AddConnectionsSettingsSteps(settings, manager.Registry(), manager.ViewHooks(), std::move(reportProblem));
    settings.AddLoadStep(SettingsLoadOrder::Logins, "uLogins", [&login](const TIniFile& ini) { login.LoadHistory(ini); });
    settings.AddSaveStep(SettingsSaveOrder::Logins, "uLogins", [&login](TIniFile& ini) { login.SaveHistory(ini); });
}

void AddConnectionWindowSizeSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager,
                                          TfmConParams& conParams) {
    settings.AddLoadStep(SettingsLoadOrder::AdvConnectForm, "AdvConnectForm",
                         [&manager](const TIniFile& ini) { manager.LoadFormSize(ini); });
    settings.AddSaveStep(SettingsSaveOrder::AdvConnectForm, "AdvConnectForm",
                         [&manager](TIniFile& ini) { manager.SaveFormSize(ini); });
    settings.AddLoadStep(SettingsLoadOrder::AdvConnectForm, "ConnectParamForm",
                         [&conParams](const TIniFile& ini) { conParams.LoadFormSize(ini); });
    settings.AddSaveStep(SettingsSaveOrder::ConnectParamForm, "ConnectParamForm",
                         [&conParams](TIniFile& ini) { conParams.SaveFormSize(ini); });
}

void AddConnectionWindowsSettingsSteps(TSettingsRegistry& settings, TfmAdvConnect& manager, TfmConParams& conParams,
                                       TfmConnect& login, std::function<void(const std::string&)> reportProblem) {
    AddConnectionWindowSizeSettingsSteps(settings, manager, conParams);
    AddSavedConnectionsSettingsSteps(settings, manager, login, std::move(reportProblem));
}

}  // namespace varnok
