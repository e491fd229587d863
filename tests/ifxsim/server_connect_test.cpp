// Connecting, logins, connection names and the current connection of a thread.
#include <cstring>
#include <future>
#include <thread>

#include "server_fixture.h"

namespace server_test {
namespace {

using ConnectTest = ServerFixture;

TEST_F(ConnectTest, KnownServerGivesCurrentConnectionWithInformixFlag)
{
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(CurrentName(), "c1");
    // No database yet: only "server is Informix" (and sqlwarn0 with it).
    EXPECT_EQ(Warnings(), "W  W");
    // The first sqlhosts line of a name wins: its data directory is used.
    EXPECT_TRUE(fs::is_directory(DataDir()));
    EXPECT_FALSE(fs::exists(root_ / "shadowed"));
}

struct BadServerCase {
    const char* dbenv;
    int code;
};

class BadServerTest : public ServerFixture, public ::testing::WithParamInterface<BadServerCase> {};

TEST_P(BadServerTest, FailsWithoutConnection)
{
    EXPECT_EQ(Connect("c1", GetParam().dbenv), GetParam().code);
    EXPECT_EQ(CurrentName(), "<none>");
    sqli_connect_set(0, "c1", 0);
    EXPECT_EQ(SqlCode(), -1803);
}

INSTANTIATE_TEST_SUITE_P(Servers, BadServerTest,
                         ::testing::Values(BadServerCase{"@nosuch", -25596},    // not in sqlhosts
                                           BadServerCase{"@tcpsrv", -930},      // not a stand-in
                                           BadServerCase{"@broken", -25556},    // line without data directory
                                           BadServerCase{"nodb@simsrv", -329})); // database missing

TEST_F(ConnectTest, ServerComesFromInformixServerWhenNotNamed)
{
    Put("INFORMIXSERVER=nosuch");
    EXPECT_EQ(Connect("c1", ""), -25596);
    Put("INFORMIXSERVER=simsrv");
    EXPECT_EQ(Connect("c1", ""), 0);
}

TEST_F(ConnectTest, MissingSqlhostsFileIsUnknownServer)
{
    Put("INFORMIXSQLHOSTS=" + (root_ / "no-such-file").string());
    EXPECT_EQ(Connect("c1"), -25596);
}

struct LoginCase {
    const char* user;
    const char* password;
    int code;
};

class LoginTest : public ServerFixture, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginTest, UsersFileDecides)
{
    const LoginCase& c = GetParam();
    EXPECT_EQ(Connect("c1", "@locked", c.user, c.password), c.code);
    if (c.code == -951) {
        EXPECT_STREQ(fnsqlca()->sqlerrm, c.user);  // fills "user %s is not known"
    }
    EXPECT_EQ(CurrentName(), c.code == 0 ? "c1" : "<none>");
}

INSTANTIATE_TEST_SUITE_P(Logins, LoginTest,
                         ::testing::Values(LoginCase{"alice", "secret", 0},
                                           LoginCase{"alice", "Secret", -951},  // passwords are exact
                                           LoginCase{"alice", "", -951},
                                           LoginCase{"bob", "two words", 0},    // the rest of the line
                                           LoginCase{"carol", "secret", -951}));

TEST_F(ConnectTest, LoginFromEnvironmentWithoutUserRecord)
{
    Put("WIN32USER=alice");
    Put("WIN32PASS=wrong");
    EXPECT_EQ(Connect("c1", "@locked"), -951);
    Put("WIN32PASS=secret");
    EXPECT_EQ(Connect("c1", "@locked"), 0);
}

TEST_F(ConnectTest, ServerWithoutUsersTrustsTheCaller)
{
    EXPECT_EQ(Connect("c1", "@simsrv", "anyone", "anything"), 0);
}

TEST_F(ConnectTest, ConnectionNames)
{
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(Connect("c1"), -1802);
    EXPECT_EQ(CurrentName(), "c1");  // the failed attempt leaves the current one
    // An unnamed connection is known by the text it was made with.
    ASSERT_EQ(Connect(nullptr, "@simsrv"), 0);
    EXPECT_EQ(CurrentName(), "@simsrv");
    EXPECT_EQ(Connect(std::string(129, 'n').c_str()), -1805);
}

TEST_F(ConnectTest, SetConnectionSwitchesAndMakesDormant)
{
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(Connect("c2"), 0);
    EXPECT_EQ(CurrentName(), "c2");  // the newest is current, c1 dormant
    sqli_connect_set(0, "c1", 0);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "c1");
    EXPECT_EQ(Warnings(), "W  W");
    sqli_connect_set(0, "c1", 1);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "<none>");
    sqli_connect_set(0, "nosuch", 0);
    EXPECT_EQ(SqlCode(), -1803);
}

TEST_F(ConnectTest, DisconnectCodes)
{
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), -1807);  // nothing current
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(Connect("c2"), 0);
    EXPECT_EQ(Disconnect("nosuch"), -1803);
    EXPECT_EQ(Disconnect("c1"), 0);  // a dormant one goes by name
    sqli_connect_set(0, "c1", 0);
    EXPECT_EQ(SqlCode(), -1803);
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "<none>");
    sqli_connect_close(2, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), -1807);
}

TEST_F(ConnectTest, EachThreadHasItsOwnCurrentConnectionAndSqlca)
{
    ASSERT_EQ(Connect("main"), 0);
    auto other = std::async(std::launch::async, [] {
        const std::string before = CurrentName();
        const int code = Connect("worker", "@nosuch");  // fails in this thread only
        const int second = Connect("worker");
        const std::string now = CurrentName();
        Disconnect("worker");
        return before + "|" + std::to_string(code) + "|" + std::to_string(second) + "|" + now;
    });
    EXPECT_EQ(other.get(), "<none>|-25596|0|worker");
    EXPECT_EQ(SqlCode(), 0);  // the worker's failure is not ours
    EXPECT_EQ(CurrentName(), "main");
}

TEST_F(ConnectTest, DormantConnectionMovesToAnotherThreadAndBack)
{
    ASSERT_EQ(Connect("shared"), 0);
    std::promise<void> mainReleased;
    std::promise<void> workerHolds;
    std::promise<void> mainTried;
    auto worker = std::async(std::launch::async, [&] {
        std::vector<int> codes;
        sqli_connect_set(0, "shared", 0);
        codes.push_back(SqlCode());  // the main thread still holds it
        mainReleased.get_future().wait();
        sqli_connect_set(0, "shared", 0);
        codes.push_back(SqlCode());
        codes.push_back(CurrentName() == "shared" ? 1 : 0);
        workerHolds.set_value();
        mainTried.get_future().wait();
        sqli_connect_set(0, "shared", 1);
        codes.push_back(SqlCode());
        return codes;
    });
    // Give the worker its first attempt while we hold the connection.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    sqli_connect_set(0, "shared", 1);
    ASSERT_EQ(SqlCode(), 0);
    mainReleased.set_value();
    workerHolds.get_future().wait();
    sqli_connect_set(0, "shared", 0);
    EXPECT_EQ(SqlCode(), -1802);  // current in the worker now
    EXPECT_EQ(Disconnect("shared"), -1802);
    mainTried.set_value();
    EXPECT_EQ(worker.get(), (std::vector<int>{-1802, 0, 1, 0}));
    sqli_connect_set(0, "shared", 0);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "shared");
}

TEST_F(ConnectTest, ConnectionOfAnEndedThreadBecomesDormant)
{
    std::thread([] { Connect("orphan"); }).join();
    sqli_connect_set(0, "orphan", 0);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "orphan");
}

TEST_F(ConnectTest, ServerInformation)
{
    ifx_srvinfo_t info;
    EXPECT_EQ(ifx_srvinfo(&info), -1803);
    ASSERT_EQ(Connect("c1"), 0);
    std::memset(&info, 0x7f, sizeof info);
    ASSERT_EQ(ifx_srvinfo(&info), 0);
    const char* bytes = reinterpret_cast<const char*>(&info);
    const std::string text(bytes + 24);  // the program reads the text at byte 24
    ASSERT_GE(text.size(), 22u);
    EXPECT_LT(text.size(), 81u);
    EXPECT_EQ(text[21], '9');  // the generation character
    EXPECT_EQ(info.TypeList & TYP_SE, 0u);
    EXPECT_NE(ifx_isius(), 0);
}

}  // namespace
}  // namespace server_test
