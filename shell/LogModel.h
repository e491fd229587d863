#pragma once
// The main message log: one row per executed statement or notable event.
//
// A plain table model (QtCore only) that the "Log" tab's list shows. Rows are
// small value structs in one vector so that a long session (hundreds of
// thousands of statements) stays cheap; the duration text is built when shown.
#include <QAbstractTableModel>
#include <QLocale>
#include <QString>

#include <cstdint>
#include <vector>

namespace varnok {

class TLogModel : public QAbstractTableModel {
public:
    enum Column { ColTime = 0, ColDuration, ColCost, ColMessage, ColAdditional, ColumnCount };

    explicit TLogModel(QObject* parent = nullptr);

    // Appends one row (one insert notification): Time is the current time of
    // day in the system's long time format; cost -1 means none (empty column).
    void AddLogEntry(uint32_t ms, const QString& message, const QString& additional = {}, int32_t cost = -1);
    // The same with a given time text (for replays and tests).
    void AddLogEntryAt(const QString& timeText, uint32_t ms, const QString& message,
                       const QString& additional, int32_t cost);
    // Removes every row.
    void Clear();

    // "hh:mm:ss.zzz"; hours above 99 print with more digits.
    static QString FormatDuration(uint32_t ms);

    // The text form of copy and save: per entry Time, Duration, Cost, Message,
    // Additional, each followed by a tab, then CR LF. rows are taken in list
    // order whatever order they are given in; indexes out of range are skipped.
    QString EntriesText(const std::vector<int>& rows) const;
    QString AllEntriesText() const;

    int EntryCount() const { return static_cast<int>(rows_.size()); }
    // Column text of one entry (what the list shows); empty for a bad index.
    QString CellText(int row, int column) const;
    QString Additional(int row) const { return CellText(row, ColAdditional); }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        QString time;
        QString message;
        QString additional;
        uint32_t ms;
        int32_t cost;
    };
    QString CurrentTimeText();

    std::vector<Row> rows_;
    QLocale locale_;       // the system locale, taken once
    QString timeFormat_;   // its long time format
    bool timeFormatHasMs_; // a format showing milliseconds cannot reuse the text of its second
    int lastSecond_ = -1;  // second of the day of lastTimeText_
    QString lastTimeText_; // shared by every entry of that second
};

// A page-log line: duration, tab, result text, tab, first 80 characters of
// the statement; each text shown on the one line (OneLineText).
QString PageLogLine(uint32_t ms, const QString& message, const QString& statement);

// How a text shows in a one-line list cell: every line break (CR LF, CR, LF)
// becomes a blank and white space at either end is dropped, so a statement
// that starts on a new line or spans several lines is still readable there.
QString OneLineText(const QString& text);

} // namespace varnok
