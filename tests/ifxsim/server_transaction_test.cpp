// Transactions and their codes in each logging mode, and disconnecting with
// a transaction open.
#include "server_fixture.h"

namespace server_test {
namespace {

using TransactionTest = ServerFixture;

struct VerbCase {
    int mode;
    int begin;         // BEGIN WORK
    int beginAgain;    // BEGIN WORK inside a transaction
    int commit;        // COMMIT WORK after that
    int commitAgain;   // COMMIT WORK with none open
    int rollbackNone;  // ROLLBACK WORK with none open
};

class VerbTest : public ServerFixture, public ::testing::WithParamInterface<VerbCase> {};

TEST_P(VerbTest, CodesOfTheMode)
{
    const VerbCase& c = GetParam();
    MakeDatabase("stock", c.mode);
    ASSERT_EQ(Connect("c1"), 0);
    EXPECT_EQ(sqli_trans_begin2(1), -349);  // no database yet
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    EXPECT_EQ(sqli_trans_begin2(1), c.begin);
    EXPECT_EQ(sqli_trans_begin2(1), c.beginAgain);
    EXPECT_EQ(sqli_trans_commit(), c.commit);
    EXPECT_EQ(sqli_trans_commit(), c.commitAgain);
    EXPECT_EQ(sqli_trans_rollback(), c.rollbackNone);
}

INSTANTIATE_TEST_SUITE_P(Modes, VerbTest,
                         ::testing::Values(VerbCase{0, -256, -256, -255, -255, -255},  // no log
                                           VerbCase{1, 0, -535, 0, -255, -255},        // buffered
                                           VerbCase{2, 0, -535, 0, -255, -255},        // unbuffered
                                           VerbCase{3, 0, -535, 0, 0, 0}));            // ANSI: always in one

TEST_F(TransactionTest, DisconnectWithOpenTransactionKeepsTheConnection)
{
    MakeDatabase("stock", 2);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    ASSERT_EQ(sqli_trans_begin2(1), 0);
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), -1800);
    EXPECT_EQ(CurrentName(), "c1");
    EXPECT_EQ(sqli_db_close(), -377);  // nor can the database close
    // What the access layer does next: commit, then disconnect again.
    EXPECT_EQ(sqli_trans_commit(), 0);
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), 0);
    EXPECT_EQ(CurrentName(), "<none>");
}

TEST_F(TransactionTest, DisconnectByNameOfDormantConnectionWithTransaction)
{
    MakeDatabase("stock", 2);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    ASSERT_EQ(sqli_trans_begin2(1), 0);
    ASSERT_EQ(Connect("c2"), 0);  // c1 is dormant now, its transaction still open
    EXPECT_EQ(Disconnect("c1"), -1800);
    sqli_connect_set(0, "c1", 0);
    ASSERT_EQ(SqlCode(), 0);
    EXPECT_EQ(sqli_trans_rollback(), 0);
    EXPECT_EQ(Disconnect("c1"), 0);
}

TEST_F(TransactionTest, RolledBackWorkIsGoneCommittedWorkStays)
{
    MakeDatabase("stock", 2);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    ASSERT_EQ(sqli_trans_begin2(1), 0);
    ASSERT_EQ(Exec("insert into t values (1)"), 0);
    ASSERT_EQ(sqli_trans_rollback(), 0);
    ASSERT_EQ(sqli_trans_begin2(1), 0);
    ASSERT_EQ(Exec("insert into t values (2)"), 0);
    ASSERT_EQ(sqli_trans_commit(), 0);
    // Only the committed row is there: deleting 2 touches a row, deleting 1 none.
    ASSERT_EQ(Exec("delete from t where a = 1"), 0);
    EXPECT_EQ(fnsqlca()->sqlerrd[2], 0);
    ASSERT_EQ(Exec("delete from t where a = 2"), 0);
    EXPECT_EQ(fnsqlca()->sqlerrd[2], 1);
}

TEST_F(TransactionTest, AnsiStatementOpensImplicitTransaction)
{
    MakeDatabase("stock", 3);
    ASSERT_EQ(Connect("c1"), 0);
    ASSERT_EQ(sqli_db_open("stock", 0), 0);
    ASSERT_EQ(Exec("insert into t values (1)"), 0);
    EXPECT_EQ(sqli_trans_begin2(1), -535);  // the insert opened one
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), -1800);
    EXPECT_EQ(sqli_trans_commit(), 0);
    sqli_connect_close(3, nullptr, 0, 0);
    EXPECT_EQ(SqlCode(), 0);
}

}  // namespace
}  // namespace server_test
