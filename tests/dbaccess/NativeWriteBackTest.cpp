// Rows of native fields written back through TIfxUpdater on the stand-in:
// money amounts keep every digit, and DATETIME values their fraction(5) and
// their own fields (a month-to-day February 29), in the set and where parts.
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
    std::vector<std::string> Rows(const std::string& sql) {
        TIfxSQL s;
        s.SetConnection(&db);
        s.SetSQLText(sql);
        s.Open();
        std::vector<std::string> rows;
        for (; !s.EndOfRows(); s.FetchNext()) {
            std::string row;
            for (int i = 0; i < s.Fields().Count(); ++i) row += (i ? "/" : "") + s.Fields()[i].Value()->AsString();
            rows.push_back(row);
        }
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
    EXPECT_EQ(Rows("select price, qty from p order by code"),
              (std::vector<std::string>{"99999999999999.99/5", "-12345678901234.57/1"}));
}

TEST_F(NativeWriteBack, DateTimesKeepTheirFractionAndFields) {
    Exec("create table d (f5 datetime year to fraction(5), md datetime month to day, hs datetime hour to second, "
         "qty integer)");
    Exec("insert into d values ('2024-01-02 03:04:05.12345', '02-29', '10:11:12', 1)");
    TIfxUpdater updater(q);
    q.SetSQLText("select f5, md, hs, qty from d");
    q.Open();
    q.FetchAll();
    q.Edit();
    q.FieldByName("qty").SetAsInteger(5);   // the where part compares each old value
    q.Post();
    q.Edit();
    q.FieldByName("f5").SetAsString("2024-01-02 03:04:05.54321");
    q.FieldByName("md").SetAsString("02-28");
    q.FieldByName("hs").SetAsString("23:59:58");
    q.Post();
    EXPECT_EQ(Rows("select f5, md, qty from d"), (std::vector<std::string>{"2024-01-02 03:04:05.54321/02-28/5"}));
    EXPECT_EQ(Rows("select hs, qty from d"), (std::vector<std::string>{"23:59:58/5"}));
}

TEST_F(NativeWriteBack, SmallFloatAndIntervalRowsAreFoundByTheirOldValues) {
    // The where part sends a SMALLFLOAT as a FLOAT and an INTERVAL as text;
    // the server compares them converted to the columns' types.
    Exec("create table s (f smallfloat, iv interval day(4) to second, ym interval year(3) to month, qty integer)");
    Exec("insert into s values (0.1, '1234 23:59:59', '12-11', 1)");
    TIfxUpdater updater(q);
    q.SetSQLText("select f, iv, ym, qty from s");
    q.Open();
    q.FetchAll();
    q.Edit();
    q.FieldByName("qty").SetAsInteger(5);
    q.Post();
    q.Edit();
    q.FieldByName("iv").SetAsString("1 02:03:04");
    q.Post();
    EXPECT_EQ(Rows("select iv, ym, qty from s"), (std::vector<std::string>{"   1 02:03:04/ 12-11/5"}));
}
