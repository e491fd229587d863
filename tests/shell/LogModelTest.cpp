// The main message log model: columns, durations and the copy/save text.
#include <gtest/gtest.h>

#include <QLocale>
#include <QTime>

#include "shell/LogModel.h"

using namespace varnok;

TEST(LogDuration, FormatsHoursMinutesSecondsMilliseconds) {
    struct Row {
        uint32_t ms;
        const char* text;
    };
    for (const Row& r :
         {Row{0, "00:00:00.000"}, Row{3723004, "01:02:03.004"}, Row{999, "00:00:00.999"},
          Row{59999, "00:00:59.999"}, Row{3599999, "00:59:59.999"}, Row{359999999, "99:59:59.999"},
          Row{360000000, "100:00:00.000"}, Row{4294967295u, "1193:02:47.295"}}) {
        EXPECT_EQ(TLogModel::FormatDuration(r.ms).toStdString(), r.text) << r.ms;
    }
}

TEST(LogModel, HasTheFiveCaptionedColumns) {
    TLogModel log;
    ASSERT_EQ(log.columnCount(), 5);
    QStringList captions;
    for (int c = 0; c < log.columnCount(); ++c)
        captions << log.headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(captions, (QStringList{"Time", "Duration", "Cost", "Message", "Additional"}));
}

TEST(LogModel, EntryShowsItsColumnsAndEmptyCostForEvents) {
    TLogModel log;
    log.AddLogEntry(0, "Program start", "");
    log.AddLogEntry(1500, "3 row(s) fetched", "select * from t", 0);
    log.AddLogEntry(20, "Done", "update t set a = 1", 12345);
    ASSERT_EQ(log.rowCount(), 3);
    EXPECT_EQ(log.CellText(0, TLogModel::ColCost), "");
    EXPECT_EQ(log.CellText(1, TLogModel::ColCost), "0");
    EXPECT_EQ(log.CellText(2, TLogModel::ColCost), "12345");
    EXPECT_EQ(log.CellText(1, TLogModel::ColDuration), "00:00:01.500");
    EXPECT_EQ(log.data(log.index(1, TLogModel::ColMessage)).toString(), "3 row(s) fetched");
    EXPECT_EQ(log.Additional(2), "update t set a = 1");
    EXPECT_EQ(log.CellText(5, 0), "");
}

TEST(LogModel, TimeIsTheLongTimeOfTheSystemLocale) {
    TLogModel log;
    const QTime before = QTime::currentTime();
    log.AddLogEntry(0, "x", "");
    const QTime after = QTime::currentTime();
    const QString text = log.CellText(0, TLogModel::ColTime);
    const QString fmt = QLocale::system().timeFormat(QLocale::LongFormat);
    const QString lo = QLocale::system().toString(before, fmt);
    const QString hi = QLocale::system().toString(after, fmt);
    EXPECT_TRUE(text == lo || text == hi) << text.toStdString();
}

TEST(LogModel, EachEntryIsOneInsertion) {
    TLogModel log;
    std::vector<std::pair<int, int>> inserted;
    QObject::connect(&log, &QAbstractItemModel::rowsInserted, &log,
                     [&](const QModelIndex&, int first, int last) { inserted.emplace_back(first, last); });
    log.AddLogEntry(0, "a", "");
    log.AddLogEntry(0, "b", "");
    EXPECT_EQ(inserted, (std::vector<std::pair<int, int>>{{0, 0}, {1, 1}}));
}

TEST(LogText, EntryWithEmptyAdditionalEndsInTwoTabs) {
    TLogModel log;
    log.AddLogEntryAt("10:11:12", 3723004, "Program start", "", -1);
    EXPECT_EQ(log.AllEntriesText(), "10:11:12\t01:02:03.004\t\tProgram start\t\t\r\n");
}

TEST(LogText, SelectedRowsComeInListOrderWithMultiLineTextUnchanged) {
    TLogModel log;
    log.AddLogEntryAt("t0", 0, "m0", "", -1);
    log.AddLogEntryAt("t1", 1, "m1", "select 1\r\nfrom t", 7);
    log.AddLogEntryAt("t2", 2, "m2", "a2", 0);
    EXPECT_EQ(log.EntriesText({2, 1, 99, -1, 2}), "t1\t00:00:00.001\t7\tm1\tselect 1\r\nfrom t\t\r\n"
                                                  "t2\t00:00:00.002\t0\tm2\ta2\t\r\n");
    EXPECT_EQ(log.EntriesText({}), "");
}

TEST(LogModel, ClearRemovesEverything) {
    TLogModel log;
    for (int i = 0; i < 10; ++i)
        log.AddLogEntry(i, "m", "a");
    log.Clear();
    EXPECT_EQ(log.rowCount(), 0);
    EXPECT_EQ(log.AllEntriesText(), "");
    log.AddLogEntryAt("t", 0, "again", "", -1);
    EXPECT_EQ(log.CellText(0, TLogModel::ColMessage), "again");
}

TEST(PageLog, LineKeepsTheFirst80CharactersOfTheStatement) {
    const QString statement = QString(80, 'a') + "TAIL";
    EXPECT_EQ(PageLogLine(1004, "Done", statement), "00:00:01.004\tDone\t" + QString(80, 'a'));
    EXPECT_EQ(PageLogLine(0, "x", "short"), "00:00:00.000\tx\tshort");
}

TEST(LogModel, ListShowsMultiLineTextsOnOneLineAndKeepsThemWhole) {
    TLogModel log;
    log.AddLogEntryAt("t0", 0, "-217 SQL error:\nColumn not found", "\r\nselect nosuch\r\nfrom t;", 0);
    const auto shown = [&](int column) { return log.data(log.index(0, column)).toString(); };
    EXPECT_EQ(shown(TLogModel::ColMessage), "-217 SQL error: Column not found");
    EXPECT_EQ(shown(TLogModel::ColAdditional), "select nosuch from t;");
    // mmLog, copy and save get the text as it was run.
    EXPECT_EQ(log.Additional(0), "\r\nselect nosuch\r\nfrom t;");
    EXPECT_EQ(log.AllEntriesText(), "t0\t00:00:00.000\t0\t-217 SQL error:\nColumn not found\t"
                                     "\r\nselect nosuch\r\nfrom t;\t\r\n");
}

TEST(OneLineText, LineBreaksBecomeBlanksAndEndsAreTrimmed) {
    struct Row {
        const char* in;
        const char* out;
    };
    for (const Row& r : {Row{"", ""}, Row{"a", "a"}, Row{"a\r\nb", "a b"}, Row{"a\rb\nc", "a b c"},
                         Row{"\r\n\r\nselect 1\r\n", "select 1"}, Row{"a\n\nb", "a  b"},
                         Row{"  x\ty  ", "x\ty"}}) {
        EXPECT_EQ(OneLineText(r.in).toStdString(), r.out) << r.in;
    }
}

TEST(PageLog, StatementStartingOnANewLineShowsOnTheLine) {
    EXPECT_EQ(PageLogLine(0, "1 row(s) retrieved.", "\r\nselect count(*)\r\nfrom systables"),
              "00:00:00.000\t1 row(s) retrieved.\tselect count(*) from systables");
    // The 80 characters are counted in the statement as run.
    const QString statement = "\r\n" + QString(78, 'a') + "TAIL";
    EXPECT_EQ(PageLogLine(5, "Done", statement), "00:00:00.005\tDone\t" + QString(78, 'a'));
}
