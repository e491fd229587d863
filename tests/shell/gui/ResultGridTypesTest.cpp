// The text the result grid shows for each Informix column type: a statement's
// rows go through the statement data set's native fields into the result
// view's model, one column of each type in a stand-in table.
#include <QAbstractItemModel>
#include <QTableView>

#include "shell/gui/ExecutionTestFixture.h"

namespace varnok::testing {
namespace {

class ResultGridTypesTest : public ExecutionTest {
protected:
    // The display texts of the result view's first row, by column name.
    std::map<std::string, std::string> FirstRowTexts() const {
        std::map<std::string, std::string> texts;
        const TResultViews views = ResultViewsOf(window_.get());
        if (!views.result) return texts;
        QAbstractItemModel* model = views.result->dbgResult()->model();
        for (int c = 0; c < model->columnCount(); ++c)
            texts[model->headerData(c, Qt::Horizontal).toString().toStdString()] =
                model->data(model->index(0, c), Qt::DisplayRole).toString().toStdString();
        return texts;
    }
};

TEST_F(ResultGridTypesTest, EachColumnTypeShowsItsInformixText) {
    const struct {
        const char* column;
        const char* type;
        const char* value;
        const char* shown;
    } cases[] = {
        {"c_dec2", "decimal(8,2)", "11.40", "11.40"},
        {"c_dec2w", "decimal(8,2)", "7", "7.00"},
        {"c_dec2n", "decimal(8,2)", "-0.5", "-0.50"},
        {"c_dec0", "decimal(6,0)", "42", "42"},
        {"c_decf", "decimal(10)", "3.25", "3.25"},
        {"c_money", "money(6,2)", "15.00", "$15.00"},
        {"c_moneyn", "money(8,2)", "1234.5", "$1234.50"},
        {"c_smallf", "smallfloat", "1.5", "1.5"},
        {"c_float", "float", "2.25", "2.25"},
        {"c_int8", "int8", "9000000000", "9000000000"},
        {"c_int", "integer", "-17", "-17"},
        {"c_small", "smallint", "12", "12"},
        {"c_char", "char(6)", "'ab'", "ab"},
        {"c_date", "date", "'03/15/2024'", "03/15/2024"},
        {"c_dt", "datetime year to second", "datetime(2024-03-15 10:20:30) year to second",
         "2024-03-15 10:20:30"},
        {"c_dtd", "datetime year to day", "datetime(2024-03-15) year to day", "2024-03-15"},
        {"c_iv", "interval day(3) to second", "interval(5 10:20:30) day(3) to second", "  5 10:20:30"},
    };
    std::string create = "create table typed (";
    std::string insert = "insert into typed values (";
    for (const auto& c : cases) {
        const bool first = &c == &cases[0];
        create += std::string(first ? "" : ", ") + c.column + " " + c.type;
        insert += std::string(first ? "" : ", ") + c.value;
    }
    RunText(QString::fromStdString(create + ");\r\n" + insert + ");"));
    ASSERT_EQ(Message(), "1 row(s) inserted.");

    RunText("select * from typed");
    const auto shown = FirstRowTexts();
    for (const auto& c : cases) {
        const auto it = shown.find(c.column);
        ASSERT_NE(it, shown.end()) << c.column;
        EXPECT_EQ(it->second, c.shown) << c.column << " " << c.type;
    }

    // A null of any type shows empty.
    RunText("update typed set c_dec2 = null, c_money = null, c_date = null, c_iv = null where 1 = 1");
    RunText("select * from typed");
    const auto nulls = FirstRowTexts();
    for (const char* column : {"c_dec2", "c_money", "c_date", "c_iv"}) EXPECT_EQ(nulls.at(column), "") << column;
}

}  // namespace
}  // namespace varnok::testing
