// Databases: open, close, create, drop, their logging modes and sqlwarn
// flags, and the database list of a server.
#include <algorithm>

#include "server_fixture.h"

namespace server_test {
namespace {

using DatabaseTest = ServerFixture;

struct ModeCase {
    int mode;            // as stored in the file
    const char* clause;  // as CREATE DATABASE writes it
    const char* warnings;
};

const ModeCase kModes[] = {
    {0, "", "W  W"},                       // no log
    {1, " WITH BUFFERED LOG", "WW W"},     // logged
    {2, " WITH LOG", "WW W"},              // logged
    {3, " WITH LOG MODE ANSI", "WWWW"},    // logged and ANSI
};

class ModeTest : public ServerFixture, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(ModeTest, OpenSetsFlagsOfTheLoggingMode)
{
    MakeDatabase("stock", GetParam().mode);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    EXPECT_EQ(Warnings(), GetParam().warnings);
    // SET CONNECTION reports the same flags for the database it finds open.
    sqli_connect_set(0, "c1", 1);
    sqli_connect_set(0, "c1", 0);
    EXPECT_EQ(Warnings(), GetParam().warnings);
    // So does a connection made straight to the database.
    ASSERT_EQ(Connect("c2", "stock@simsrv"), 0);
    EXPECT_EQ(Warnings(), GetParam().warnings);
}

TEST_P(ModeTest, CreateDatabaseThenReopen)
{
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(Exec(std::string("create database fresh") + GetParam().clause), 0);
    EXPECT_EQ(Warnings(), GetParam().warnings);
    EXPECT_TRUE(fs::exists(DataDir() / "fresh.db"));
    ASSERT_EQ(sqli_db_close(), 0);
    ASSERT_EQ(sqli_db_open("FRESH", 0), 0);  // names are folded to lower case
    EXPECT_EQ(Warnings(), GetParam().warnings);
    EXPECT_EQ(Exec(std::string("create database fresh") + GetParam().clause), -330);
}

INSTANTIATE_TEST_SUITE_P(Modes, ModeTest, ::testing::ValuesIn(kModes));

TEST_F(DatabaseTest, OpenAndCloseCodes)
{
    EXPECT_EQ(sqli_db_close(), -1803);  // no connection at all
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(sqli_db_open("nosuch", 0), -329);
    EXPECT_EQ(fnsqlca()->sqlerrd[1], -111);
    EXPECT_EQ(sqli_db_close(), -349);
    MakeDatabase("stock", 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    EXPECT_EQ(sqli_db_close(), 0);
    EXPECT_EQ(sqli_db_close(), -349);
}

TEST_F(DatabaseTest, FailedOpenKeepsTheCurrentDatabase)
{
    MakeDatabase("stock", 2);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    EXPECT_EQ(sqli_db_open("nosuch", 0), -329);
    EXPECT_EQ(sqli_db_close(), 0);  // stock was still open
}

class BadNameTest : public ServerFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadNameTest, RejectedBeforeAnyFileIsTouched)
{
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(sqli_db_open(GetParam(), 0), -354);
    EXPECT_FALSE(fs::exists(root_ / "escape.db"));
}

INSTANTIATE_TEST_SUITE_P(Names, BadNameTest,
                         ::testing::Values("../escape", "a/b", "", "9lives", "semi;colon", "sp ace"));

TEST_F(DatabaseTest, DatabaseWithoutConnectionConnectsImplicitly)
{
    MakeDatabase("stock", 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);  // to INFORMIXSERVER
    EXPECT_EQ(CurrentName(), "@simsrv");
    EXPECT_EQ(Warnings(), "W  W");
}

TEST_F(DatabaseTest, ExclusiveOpenKeepsOthersOut)
{
    MakeDatabase("stock", 0);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 1), 0);
    ASSERT_EQ(Connect("c2"), 0);
    EXPECT_EQ(sqli_db_open("stock", 0), -425);
    // Opening it again, exclusively or not, keeps the others out until it closes.
    sqli_connect_set(0, "c1", 0);
    ASSERT_EQ(sqli_db_open("stock", 1), 0);
    ASSERT_EQ(sqli_db_open("stock", 1), 0);
    sqli_connect_set(0, "c2", 0);
    EXPECT_EQ(sqli_db_open("stock", 0), -425);
    sqli_connect_set(0, "c1", 0);
    ASSERT_EQ(sqli_db_close(), 0);
    sqli_connect_set(0, "c2", 0);
    EXPECT_EQ(sqli_db_open("stock", 0), 0);
    // Now c2 has it open: an exclusive open elsewhere is refused.
    sqli_connect_set(0, "c1", 0);
    EXPECT_EQ(sqli_db_open("stock", 1), -425);
}

TEST_F(DatabaseTest, DatabaseListNamesServer)
{
    MakeDatabase("stores", 2);
    MakeDatabase("alpha", 0);
    std::ofstream(DataDir() / "notes.txt") << "not a database";
    char area[256];
    char* names[8];
    mint count = -1;
    // Without a connection: INFORMIXSERVER's databases.
    ASSERT_EQ(sqgetdbs(&count, names, 8, area, sizeof area), 0);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(names[0], "alpha@simsrv");
    EXPECT_STREQ(names[1], "stores@simsrv");
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqgetdbs(&count, names, 8, area, sizeof area), 0);
    EXPECT_EQ(count, 2);
    // Too little room: the caller learns it, nothing is written past the end.
    EXPECT_EQ(sqgetdbs(&count, names, 1, area, sizeof area), -1207);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(sqgetdbs(&count, names, 8, area, 10), -1207);
    EXPECT_EQ(count, 0);
}

TEST_F(DatabaseTest, DropDatabase)
{
    MakeDatabase("old", 0);
    MakeDatabase("busy", 0);
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(Exec("drop database nosuch"), -329);
    ASSERT_EQ(sqli_db_open("busy", 0), 0);
    EXPECT_EQ(Exec("drop database busy"), -425);  // open by this very connection
    EXPECT_TRUE(fs::exists(DataDir() / "busy.db"));
    EXPECT_EQ(Exec("drop database old"), 0);
    EXPECT_FALSE(fs::exists(DataDir() / "old.db"));
    EXPECT_EQ(sqli_db_open("old", 0), -329);
}

TEST_F(DatabaseTest, DatabaseStatementsThroughStatementPath)
{
    MakeDatabase("stock", 3);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(Exec("database stock"), 0);
    EXPECT_EQ(Warnings(), "WWWW");
    EXPECT_EQ(Exec("close database"), 0);
    EXPECT_EQ(Exec("close database"), -349);
    EXPECT_EQ(Exec("create database x with log mode"), -201);
}

}  // namespace
}  // namespace server_test
