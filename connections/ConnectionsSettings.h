#pragma once
// The saved connections in the settings file: section Connections (Count,
// ViewStyle), the manager list's layout QuickConnectionsView, and one section
// Connection<i> per record with the keys Name, Server, DataBase, User,
// CrPassword, AskPassword, Script, Ico.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "connections/ConnectionRegistry.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"

namespace varnok {

inline constexpr const char* kConnectionsSection = "Connections";
inline constexpr const char* kQuickConnectionsViewSection = "QuickConnectionsView";

// Section of the record at index: "Connection0", "Connection1", ...
std::string ConnectionSectionName(std::size_t index);

// Records made for a Count past the stored sections are empty ones; a Count
// beyond this (and beyond the highest stored section) is a damaged file, read
// only this far instead of filling memory with empty records.
inline constexpr std::size_t kMaxEmptyConnectionRecords = 10000;

// What the manager window does at the points the load and save pass through.
// Any hook may be left empty (tests, or no window yet).
struct TConnectionsViewHooks {
    std::function<void(const TIniFile&)> ReadListLayout;   // QuickConnectionsView into the list
    std::function<void(TIniFile&)> WriteListLayout;        // the list's look into QuickConnectionsView
    std::function<void(std::size_t index)> RecordAdded;    // bring the list up to date
};

// Reads Count, ViewStyle (a style outside 0..3 keeps the registry's), the
// list layout, then Connection0 .. Connection<Count-1>, appending one record
// each. The password comes from CrPassword when the section has that key,
// otherwise from the plain Password key.
// Returns the problems met (one readable line each, for the log); a damaged
// coded password reads as empty and is kept in UnreadableCrPassword.
std::vector<std::string> LoadConnections(const TIniFile& ini, TConnectionRegistry& registry,
                                         const TConnectionsViewHooks& hooks = {});

// Writes Count, ViewStyle, the list layout and one section per record in
// registry order. Passwords are written only coded (CrPassword), never as
// plain Password. Expects sections of removed records to be erased already
// (the settings writer empties the file first). Throws EPasswordCodeError,
// naming the connection, for a password the coder cannot take.
void SaveConnections(TIniFile& ini, const TConnectionRegistry& registry, const TConnectionsViewHooks& hooks = {});

// One record from its section / into its section.
TConnectionsParam ReadConnectionSection(const TIniFile& ini, const std::string& section,
                                        std::vector<std::string>* problems = nullptr);
void WriteConnectionSection(TIniFile& ini, const std::string& section, const TConnectionsParam& record);

// Registers LoadConnections and SaveConnections with the settings file at the
// places of the saved connections in the load and save order. The registry
// and the hooks' targets must outlive `settings`. Problems met while loading
// go, one line each, to reportProblem (the log), when given.
void AddConnectionsSettingsSteps(TSettingsRegistry& settings, TConnectionRegistry& registry,
                                 TConnectionsViewHooks hooks,
                                 std::function<void(const std::string&)> reportProblem = {});

}  // namespace varnok
