// Rows of native fields written back through TIfxUpdater on the stand-in:
// money amounts keep every digit in the set and where parts.
#include "QueryTestFixture.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "dbaccess/IfxSQL.h"
#include "dbaccess/IfxUpdater.h"

using namespace query_test;

namespace {

class NativeWriteBack : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        Exec("create table p (code char(1), price money(16,2), qty integer)");
        Exec("insert into p values ('a', 99999999999999.99, 1)");
        Exec("insert into p values ('b', -12345678901234.56, 1)");
        natives.SetAllNative(true);
        q.SetName("qPrices");
        q.SetConnection(&db);
        q.SetCacheHandle(false);
        q.SetFieldTypes(&natives);
    }
    void TearDown() override {
        q.Close();
        StandInQuery::TearDown();
    }
    std::vector<std::string> Prices() {
        TIfxSQL s;
        s.SetConnection(&db);
        s.SetSQLText("select price, qty from p order by code");
        s.Open();
        std::vector<std::string> rows;
        for (; !s.EndOfRows(); s.FetchNext())
            rows.push_back(s.Fields()[0].Value()->AsString() + "/" + s.Fields()[1].Value()->AsString());
        s.Close();
        return rows;
    }
    TIfxFieldTypes natives;
    TIfxQuery q;
};

}  // namespace

TEST_F(NativeWriteBack, MoneyAmountsKeepEveryDigit) {
    TIfxUpdater updater(q);
    q.SetSQLText("select code, price, qty from p order by code");
    q.Open();
    q.FetchAll();
    // Another column changes: the where part compares the old amount exactly.
    q.Edit();
    q.FieldByName("qty").SetAsInteger(5);
    q.Post();
    // The amount itself changes.
    q.Next();
    q.Edit();
    q.FieldByName("price").SetAsString("-12345678901234.57");
    q.Post();
    EXPECT_EQ(Prices(), (std::vector<std::string>{"99999999999999.99/5", "-12345678901234.57/1"}));
}
