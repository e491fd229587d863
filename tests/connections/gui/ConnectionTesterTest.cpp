// "Test" of the connection parameters window with the real temporary
// connection, against the stand-in server.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "connections/ConnectionTester.h"
#include "connections/gui/ConnectFlowTestFixture.h"
#include "connections/ui/TfmConParams.h"

namespace varnok::testing {
namespace {

using ConnectionTesterTest = ConnectFlowTest;

std::vector<std::string> Lines(const std::string& server, const std::string& database) {
    return {"INFORMIXSERVER=" + server, "DATABASE=" + database, "WIN32USER=alice", "WIN32PASS="};
}

TEST_F(ConnectionTesterTest, OpensAndClosesOrPassesTheConnectionErrorOn) {
    struct TCase {
        const char* server;
        const char* database;
        const char* errorCode;  // nullptr: the test succeeds
    };
    const TCase cases[] = {
        {"simsrv", "vk_two", nullptr},
        {"simsrv", "", nullptr},  // "DATABASE=" with an empty value: the server alone
        {"simsrv", "nosuch", "-329"},
        {"nosuchserver", "vk_two", "-"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.server) + " / " + c.database);
        try {
            TestConnection(Lines(c.server, c.database));
            EXPECT_EQ(c.errorCode, nullptr) << "no error raised";
        } catch (const std::exception& e) {
            ASSERT_NE(c.errorCode, nullptr) << e.what();
            EXPECT_EQ(std::string(e.what()).rfind(c.errorCode, 0), 0u) << e.what();
        }
    }
}

TEST_F(ConnectionTesterTest, LeavesTheMainConnectionOnItsDatabase) {
    flow_->OpenConnection("simsrv", "vk_log", "", "alice");
    ASSERT_TRUE(flow_->Database().Connected());
    TestConnection(Lines("simsrv", "vk_two"));  // vk_two has no table t
    EXPECT_THROW(TestConnection(Lines("simsrv", "nosuch")), std::exception);
    ASSERT_TRUE(flow_->Database().Connected());
    EXPECT_EQ(flow_->Database().ExecuteDirect("insert into t values (1)"), 1);
}

TEST_F(ConnectionTesterTest, TestButtonReportsSuccessOrTheErrorAndKeepsTheValues) {
    TfmConParams window;
    window.SetConnectionTester(IfxConnectionTester());
    window.cbServerName()->setEditText("simsrv");
    window.cbDataBase()->setEditText("vk_log");
    window.cbUser()->setEditText("alice");
    window.btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "information");
    EXPECT_EQ(sink_.boxes[0].caption, "Informix message");
    EXPECT_EQ(sink_.boxes[0].text, "Test connection was successful.");

    window.cbDataBase()->setEditText("nosuch");
    window.btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 2u);
    EXPECT_EQ(sink_.boxes[1].kind, "error");
    EXPECT_TRUE(sink_.boxes[1].text.startsWith("-329")) << sink_.boxes[1].text.toStdString();
    EXPECT_EQ(window.cbDataBase()->currentText(), "nosuch");
    EXPECT_EQ(window.cbServerName()->currentText(), "simsrv");
}

}  // namespace
}  // namespace varnok::testing
