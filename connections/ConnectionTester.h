#pragma once
// The "Test" of the connection parameters window: a temporary connection of
// its own, opened with the window's parameter lines and closed again. The
// main connection is never touched.
#include <string>
#include <vector>

#include "connections/ConnectionForm.h"

namespace varnok {

// Opens a temporary connection without login prompt on exactly paramLines
// and closes it. The connection error goes on to the caller (its message is
// the one the error box shows); the temporary connection is released in
// every case.
void TestConnection(const std::vector<std::string>& paramLines);

// TestConnection as the tester the parameters window is given.
TConnectionTester IfxConnectionTester();

}  // namespace varnok
