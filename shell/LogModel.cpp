#include "shell/LogModel.h"

#include <QTime>

#include <algorithm>

namespace varnok {

TLogModel::TLogModel(QObject* parent)
    : QAbstractTableModel(parent), locale_(QLocale::system()),
      timeFormat_(locale_.timeFormat(QLocale::LongFormat)),
      timeFormatHasMs_(timeFormat_.contains(QLatin1Char('z'))) {}

void TLogModel::AddLogEntry(uint32_t ms, const QString& message, const QString& additional, int32_t cost) {
    AddLogEntryAt(CurrentTimeText(), ms, message, additional, cost);
}

// Formatting a time through the locale costs more than the rest of an entry;
// a script that logs many statements a second reuses (and shares) one text.
QString TLogModel::CurrentTimeText() {
    const QTime now = QTime::currentTime();
    if (timeFormatHasMs_) return locale_.toString(now, timeFormat_);
    const int second = now.msecsSinceStartOfDay() / 1000;
    if (second != lastSecond_) {
        lastSecond_ = second;
        lastTimeText_ = locale_.toString(QTime(now.hour(), now.minute(), now.second()), timeFormat_);
    }
    return lastTimeText_;
}

void TLogModel::AddLogEntryAt(const QString& timeText, uint32_t ms, const QString& message,
                              const QString& additional, int32_t cost) {
    const int row = EntryCount();
    beginInsertRows(QModelIndex(), row, row);
    rows_.push_back(Row{timeText, message, additional, ms, cost});
    endInsertRows();
}

void TLogModel::Clear() {
    beginResetModel();
    rows_.clear();
    rows_.shrink_to_fit();
    endResetModel();
}

QString TLogModel::FormatDuration(uint32_t ms) {
    return QString::asprintf("%.2u:%.2u:%.2u.%.3u", ms / 3600000u, (ms % 3600000u) / 60000u,
                             (ms % 60000u) / 1000u, ms % 1000u);
}

QString TLogModel::CellText(int row, int column) const {
    if (row < 0 || row >= EntryCount()) return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    switch (column) {
    case ColTime:
        return r.time;
    case ColDuration:
        return FormatDuration(r.ms);
    case ColCost:
        return r.cost == -1 ? QString() : QString::number(r.cost);
    case ColMessage:
        return r.message;
    case ColAdditional:
        return r.additional;
    default:
        return {};
    }
}

QString TLogModel::EntriesText(const std::vector<int>& rows) const {
    // Selections arrive in the order the user clicked; the text follows the list.
    std::vector<int> ordered;
    ordered.reserve(rows.size());
    for (int row : rows)
        if (row >= 0 && row < EntryCount()) ordered.push_back(row);
    std::sort(ordered.begin(), ordered.end());
    ordered.erase(std::unique(ordered.begin(), ordered.end()), ordered.end());

    QString out;
    for (int row : ordered) {
        for (int column = 0; column < ColumnCount; ++column) {
            out += CellText(row, column);
            out += QLatin1Char('\t');
        }
        out += QLatin1String("\r\n");
    }
    return out;
}

QString TLogModel::AllEntriesText() const {
    std::vector<int> all(rows_.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    return EntriesText(all);
}

int TLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : EntryCount();
}

int TLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    // The list shows each entry on one line; mmLog, copy and save keep the text as it is.
    const QString text = CellText(index.row(), index.column());
    return index.column() >= ColMessage ? OneLineText(text) : text;
}

QVariant TLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case ColTime:
        return QStringLiteral("Time");
    case ColDuration:
        return QStringLiteral("Duration");
    case ColCost:
        return QStringLiteral("Cost");
    case ColMessage:
        return QStringLiteral("Message");
    case ColAdditional:
        return QStringLiteral("Additional");
    default:
        return {};
    }
}

QString PageLogLine(uint32_t ms, const QString& message, const QString& statement) {
    return TLogModel::FormatDuration(ms) + QLatin1Char('\t') + OneLineText(message) + QLatin1Char('\t') +
           OneLineText(statement.left(80));
}

QString OneLineText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) ++i;
            out += QLatin1Char(' ');
        } else if (c == QLatin1Char('\n')) {
            out += QLatin1Char(' ');
        } else {
            out += c;
        }
    }
    return out.trimmed();
}

} // namespace varnok
