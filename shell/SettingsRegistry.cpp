#include "shell/SettingsRegistry.h"

#include <algorithm>

namespace varnok {

namespace {

// Inserts after every step of the same or a lower position, so equal
// positions keep the order in which they were added.
template <class Steps, class Step> void InsertInOrder(Steps& steps, Step step) {
    const auto at = std::upper_bound(steps.begin(), steps.end(), step.position,
                                     [](int position, const auto& s) { return position < s.position; });
    steps.insert(at, std::move(step));
}

template <class Steps> std::vector<std::string> NamesOf(const Steps& steps) {
    std::vector<std::string> names;
    for (const auto& s : steps)
        names.push_back(s.name);
    return names;
}

} // namespace

void TSettingsRegistry::AddLoadStep(int position, std::string name, TLoadStep step) {
    InsertInOrder(load_, Step<TLoadStep>{position, std::move(name), std::move(step)});
}

void TSettingsRegistry::AddSaveStep(int position, std::string name, TSaveStep step) {
    InsertInOrder(save_, Step<TSaveStep>{position, std::move(name), std::move(step)});
}

void TSettingsRegistry::LoadSettings(const TIniFile& ini) const {
    for (const auto& s : load_)
        s.run(ini);
}

void TSettingsRegistry::LoadSettings(const std::string& path) const {
    LoadSettings(TIniFile(path));
}

void TSettingsRegistry::WriteSettings(TIniFile& ini) const {
    // Nothing survives that is not written again, hand-added sections included.
    for (const auto& section : ini.ReadSections())
        ini.EraseSection(section);
    for (const auto& s : save_)
        s.run(ini);
}

void TSettingsRegistry::SaveSettings(const std::string& path) const {
    TIniFile ini; // every section would be erased anyway: no need to read the old file
    ini.SetPath(path);
    WriteSettings(ini);
    ini.Save();
}

std::vector<std::string> TSettingsRegistry::LoadStepNames() const {
    return NamesOf(load_);
}
std::vector<std::string> TSettingsRegistry::SaveStepNames() const {
    return NamesOf(save_);
}

} // namespace varnok
