// The demo's table of every column type opens in the result grid's rows, with
// the grid's native fields and with plain ones: no column is refused, and the
// 64-bit whole numbers show every digit.
#include <fstream>
#include <sstream>

#include "dbaccess/QueryTestFixture.h"
#include "dbaccess/DataSource.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxQuery.h"
#include "results/ResultRows.h"

using namespace query_test;

namespace {

class TQuietListener : public TRowIndexListener {
public:
    void BeginReset() override {}
    void EndReset() override {}
    void BeginInsertRows(int, int) override {}
    void EndInsertRows() override {}
    void BeginRemoveRows(int, int) override {}
    void EndRemoveRows() override {}
    void RowsChanged(int, int) override {}
    void CurrentRowMoved(int) override {}
};

// The demo script's statements that make and fill all_types.
std::vector<std::string> AllTypesStatements() {
    std::ifstream in(VARNOK_DEMO_SCRIPT);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> statements;
    std::string statement;
    for (std::istringstream parts(text.str()); std::getline(parts, statement, ';');) {
        // Comment lines before a statement belong to no statement.
        for (;;) {
            const std::size_t start = statement.find_first_not_of(" \r\n\t");
            statement.erase(0, start == std::string::npos ? statement.size() : start);
            if (statement.rfind("--", 0) != 0) break;
            statement.erase(0, statement.find('\n') == std::string::npos ? statement.size() : statement.find('\n'));
        }
        if (statement.rfind("create table all_types", 0) == 0 || statement.rfind("insert into all_types", 0) == 0)
            statements.push_back(statement);
    }
    return statements;
}

class AllTypesInTheGrid : public StandInQuery, public ::testing::WithParamInterface<bool> {};

TEST_P(AllTypesInTheGrid, SelectStarOpensAndShowsEveryColumn) {
    const std::vector<std::string> statements = AllTypesStatements();
    ASSERT_GE(statements.size(), 2u) << "the demo script has no all_types";
    for (const std::string& sql : statements) Exec(sql);
    TIfxFieldTypes types;
    types.SetAllNative(GetParam());
    TIfxQuery q;
    q.SetConnection(&db);
    q.SetFieldTypes(&types);
    q.SetSQLText("select * from all_types order by id");
    ASSERT_NO_THROW(q.Open());
    TDataSource source;
    source.SetDataSet(&q);
    TQuietListener listener;
    TResultRows rows{listener};
    rows.Attach(&source);
    while (rows.CanFetchMore()) rows.FetchMore();
    ASSERT_EQ(rows.RowCount(), 3);
    std::map<std::string, std::vector<std::string>> shown;
    for (int c = 0; c < rows.ColumnCount(); ++c)
        for (int r = 0; r < rows.RowCount(); ++r) {
            const TResultCell cell = rows.Cell(r, c);
            shown[rows.Column(c)->FieldName()].push_back(cell.isNull ? "<null>" : cell.text);
            // A value the layer cannot show would carry its error message instead.
            EXPECT_EQ(cell.text.find("Unsupported"), std::string::npos) << rows.Column(c)->FieldName();
            EXPECT_EQ(cell.text.find("Invalid"), std::string::npos) << rows.Column(c)->FieldName();
        }
    // Plain fields have no class for the smart large objects: BLOB and CLOB are left out.
    EXPECT_EQ(shown.size(), GetParam() ? 26u : 24u);
    EXPECT_EQ(shown["c_bigint"], (std::vector<std::string>{"-9223372036854775807", "0", "<null>"}));
    EXPECT_EQ(shown["c_int8"], (std::vector<std::string>{"9223372036854775807", "0", "<null>"}));
    EXPECT_EQ(shown["c_serial8"], (std::vector<std::string>{"1", "2", "3"}));
    source.SetDataSet(nullptr);
    q.Close();
}

INSTANTIATE_TEST_SUITE_P(Fields, AllTypesInTheGrid, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Native" : "Plain"; });

}  // namespace
