// Collection and row values on the stand-in: read whole through an opaque
// holder (a 2048-byte lvarchar buffer would cut them), one holder per row.
#include "QueryTestFixture.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"

using namespace query_test;

namespace {

class CollectionValues : public StandInQuery {
protected:
    void SetUp() override {
        StandInQuery::SetUp();
        q.SetName("qColl");
        q.SetConnection(&db);
    }
    // SET{'aaa…','bbb…',…}: count (up to 26) distinct elements of 100 letters each.
    static std::string SetText(int count) {
        std::string text = "SET{";
        for (int i = 0; i < count; ++i) {
            if (i) text += ",";
            text += "'" + std::string(100, static_cast<char>('a' + i % 26)) + "'";
        }
        return text + "}";
    }
    TIfxQuery q;
};

}  // namespace

TEST_F(CollectionValues, LongCollectionsArriveWholeInEveryRow) {
    Exec("create table c (id integer, s set(varchar(200) not null))");
    Exec("insert into c values (1, \"" + SetText(26) + "\")");
    Exec("insert into c values (2, null)");
    Exec("insert into c values (3, \"" + SetText(2) + "\")");
    for (bool native : {false, true}) {
        TIfxFieldTypes types;
        types.SetAllNative(native);
        q.Close();
        q.SetFieldTypes(&types);
        q.SetSQLText("select s from c order by id");
        q.Open();
        TField& s = q.Field(0);
        EXPECT_EQ(s.DataType(), TFieldType::ftTypedBinary);
        const std::string whole = s.AsString();
        EXPECT_GT(whole.size(), 26u * 102) << "native " << native;
        EXPECT_EQ(whole.substr(whole.size() - 2), "'}") << whole.substr(whole.size() - 40);
        for (char letter : {'a', 'm', 'z'})
            EXPECT_NE(whole.find(std::string(100, letter)), std::string::npos) << letter;
        q.Next();
        EXPECT_TRUE(s.IsNull());
        q.Next();
        EXPECT_EQ(s.AsString().size(), std::string("SET{'',''}").size() + 200);
        q.First();
        EXPECT_EQ(s.AsString(), whole) << "each cached row keeps its own text";
    }
}
