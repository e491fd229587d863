#pragma once
// The values of the "Edit Connection" window, apart from its widgets: how a
// record fills the controls, what "Ok" writes back, what "Ok" refuses, and
// the parameter lines of the "Test" connection.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "connections/ConnectionsParam.h"

namespace varnok {

struct TConnectionFormValues {
    std::string name;
    std::string server;
    std::string database;
    std::string user;
    std::string password;
    bool askPassword = true;
    std::string script;
    int pictureIndex = -1;  // selected entry of the picture chooser; -1 none

    bool operator==(const TConnectionFormValues&) const = default;
};

// The controls' values for record. A picture number that addresses no
// picture (negative, or not below pictureCount) selects no entry.
TConnectionFormValues FormValuesFromRecord(const TConnectionsParam& record, int pictureCount);

// "Ok": writes every field back, Ico from the chooser (-1 when none is
// selected). A new non-empty password replaces an unreadable stored one;
// an empty password keeps it, so confirming an unrelated change never
// destroys what the file held.
void ApplyFormValues(const TConnectionFormValues& values, TConnectionsParam& record);

// Why "Ok" cannot take the values (the window then stays open and nothing is
// written), or nothing when they are fine: a password the settings file
// cannot store.
std::optional<std::string> CheckFormValues(const TConnectionFormValues& values);

// The four parameter lines of the "Test" connection, in this order:
// INFORMIXSERVER=, DATABASE= (even when empty), WIN32USER=, WIN32PASS=.
std::vector<std::string> TestConnectionParamLines(const TConnectionFormValues& values);

// Opens a temporary connection with the parameter lines and closes it again;
// throws (std::exception) with the connection error's message on failure.
// The connection must be released in every case, and the main connection
// must not be touched.
using TConnectionTester = std::function<void(const std::vector<std::string>& paramLines)>;

inline constexpr const char* kTestMessageCaption = "Informix message";
inline constexpr const char* kTestSuccessText = "Test connection was successful.";
// Shown when no tester has been plugged in.
inline constexpr const char* kNoTesterText = "No connection is available to test with";

}  // namespace varnok
