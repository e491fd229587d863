#include "connections/ConnectionTester.h"

#include "dbaccess/IfxConnection.h"

namespace varnok {

void TestConnection(const std::vector<std::string>& paramLines) {
    TIfxConnection connection;  // released when it goes out of scope, open or not
    connection.SetName("TestConnection");
    connection.SetLoginPrompt(false);
    connection.Params() = paramLines;
    connection.Open();
    connection.Close();
}

TConnectionTester IfxConnectionTester() { return TestConnection; }

}  // namespace varnok
