// Message texts (rgetlmsg), the library environment and SqlFreeMem.
#include <cstdlib>
#include <cstring>
#include <future>

#include "server_fixture.h"

namespace server_test {
namespace {

struct MessageCase {
    int code;
    const char* text;
};

class MessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(MessageTest, ShortTextWithPlaceholderKept)
{
    char buffer[32768];
    mint length = -1;
    ASSERT_EQ(rgetlmsg(GetParam().code, buffer, sizeof buffer - 1, &length), 0);
    EXPECT_STREQ(buffer, GetParam().text);
    EXPECT_EQ(length, static_cast<mint>(std::strlen(GetParam().text)));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, MessageTest,
    ::testing::Values(MessageCase{-206, "The specified table (%s) is not in the database."},
                      MessageCase{-111, "ISAM error: no record found."},
                      MessageCase{111, "ISAM error: no record found."},  // ISAM codes come both ways
                      MessageCase{-213, "Statement interrupted by user."},
                      MessageCase{-255, "Not in transaction."},
                      MessageCase{-329, "Database not found or no system permission."},
                      MessageCase{-377, "Must terminate transaction before closing database."},
                      MessageCase{-535, "Already in transaction."},
                      MessageCase{-951, "Incorrect password or user %s is not known on the database server."},
                      MessageCase{-1800, "Invalid transaction state."},
                      MessageCase{-1803, "Connection does not exist."},
                      MessageCase{-9810, "Smart-large-object error."},
                      MessageCase{-25580, "System error occurred in network function."},
                      MessageCase{-25596,
                                  "The INFORMIXSERVER value is not listed in the sqlhosts file or the Registry."}));

TEST(MessageFailures, UnknownCodeAndSmallBuffer)
{
    char buffer[64];
    mint length = 0;
    EXPECT_EQ(rgetlmsg(-99999, buffer, sizeof buffer, &length), -1228);
    EXPECT_EQ(rgetlmsg(0, buffer, sizeof buffer, &length), -1228);
    const char* text = "Not in transaction.";
    const mint exact = static_cast<mint>(std::strlen(text)) + 1;  // text and its NUL
    EXPECT_EQ(rgetlmsg(-255, buffer, exact - 1, &length), -1232);
    EXPECT_EQ(rgetlmsg(-255, buffer, exact, &length), 0);
    EXPECT_STREQ(buffer, text);
}

// Every code the server side raises has a text, with at most one %s for sqlerrm.
TEST(MessageFailures, ServerCodesAllHaveTexts)
{
    for (int code : {-201, -213, -255, -256, -329, -330, -349, -354, -377, -378, -425, -439, -535, -908, -930,
                     -951, -1207, -1800, -1802, -1803, -1805, -1807, -25556, -25580, -25596, -100, -107, -111,
                     // raised by the statement side and the conversions
                     -206, -217, -236, -239, -240, -244, -254, -259, -268, -271, -284, -310, -316, -346, -391,
                     -400, -404, -481, -530, -538, -1200, -1201, -1202, -1204, -1205, -1206, -1210, -1212,
                     -1213, -1215, -1216, -1217, -1218, -1260, -1261, -1262, -1263, -1264, -1265, -1266, -1267,
                     -1268, -1284}) {
        char buffer[512];
        mint length = 0;
        ASSERT_EQ(rgetlmsg(code, buffer, sizeof buffer, &length), 0) << code;
        const char* first = std::strstr(buffer, "%s");
        EXPECT_TRUE(!first || !std::strstr(first + 2, "%")) << code << ": " << buffer;
    }
}

TEST(Environment, PutAndGet)
{
    ASSERT_EQ(ifx_putenv("VARNOK_TEST_VAR=one"), 0);
    char name[] = "VARNOK_TEST_VAR";
    const char* first = ifx_getenv(name);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first, "one");
    ASSERT_EQ(ifx_putenv("VARNOK_TEST_VAR=two=2"), 0);  // the value runs to the end
    EXPECT_STREQ(ifx_getenv(name), "two=2");
    EXPECT_STREQ(first, "one");  // an earlier answer stays readable
    ASSERT_EQ(ifx_putenv("VARNOK_TEST_VAR="), 0);
    ASSERT_NE(ifx_getenv(name), nullptr);
    EXPECT_STREQ(ifx_getenv(name), "");
    ASSERT_EQ(ifx_putenv("VARNOK_TEST_VAR"), 0);  // the name alone removes it
    EXPECT_EQ(ifx_getenv(name), nullptr);
    EXPECT_EQ(ifx_putenv("=value"), -1);
    EXPECT_EQ(ifx_putenv(nullptr), -1);
    // The library's environment is its own: the process environment is untouched.
    EXPECT_EQ(std::getenv("VARNOK_TEST_VAR"), nullptr);
}

TEST(Environment, SeededFromProcessEnvironment)
{
    const char* home = std::getenv("PATH");
    ASSERT_NE(home, nullptr);
    char name[] = "PATH";
    ASSERT_NE(ifx_getenv(name), nullptr);
    EXPECT_STREQ(ifx_getenv(name), home);
}

TEST(Status, SqlcaIsPerThreadAndSqlstateFollowsCode)
{
    sqli_connect_set(0, "no-such-connection", 0);
    ASSERT_EQ(*fnsqlcode(), -1803);
    EXPECT_EQ(fnsqlcode(), &fnsqlca()->sqlcode);
    EXPECT_EQ(std::string(*fnsqlstate(), 5), "IX000");
    auto other = std::async(std::launch::async, [] { return *fnsqlcode(); });
    EXPECT_EQ(other.get(), 0);  // another thread's area is untouched
    EXPECT_EQ(*fnsqlcode(), -1803);
}

}  // namespace
}  // namespace server_test
