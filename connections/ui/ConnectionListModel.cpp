#include "connections/ui/ConnectionListModel.h"

#include "connections/ConnectionManagerRules.h"

namespace varnok {

namespace {

// A multi-line script shows on its row as one line.
QString OneLine(const std::string& text) {
    QString line = QString::fromStdString(text);
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line.trimmed();
}

}  // namespace

TConnectionListModel::TConnectionListModel(const TConnectionRegistry& registry, const std::vector<QPixmap>& pictures,
                                           QObject* parent)
    : QAbstractTableModel(parent), registry_(registry), pictures_(pictures) {}

void TConnectionListModel::Refresh() {
    beginResetModel();
    endResetModel();
}

void TConnectionListModel::SetShowPictures(bool show) {
    if (show == showPictures_) return;
    showPictures_ = show;
    if (rowCount() > 0) emit dataChanged(index(0, ColName), index(rowCount() - 1, ColName), {Qt::DecorationRole});
}

int TConnectionListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(registry_.ConnectionCount());
}

int TConnectionListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant TConnectionListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const TConnectionsParam& record = registry_.ConnectionAt(static_cast<std::size_t>(index.row()));
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        switch (index.column()) {
            case ColName: return QString::fromStdString(record.Name);
            case ColServer: return QString::fromStdString(record.Server);
            case ColDataBase: return QString::fromStdString(record.DataBase);
            case ColUser: return QString::fromStdString(record.User);
            case ColParams: return OneLine(record.Script);
            default: return {};
        }
    }
    if (role == Qt::DecorationRole && index.column() == ColName && showPictures_ && record.Ico >= 0 &&
        static_cast<std::size_t>(record.Ico) < pictures_.size())
        return pictures_[static_cast<std::size_t>(record.Ico)];
    return {};
}

QVariant TConnectionListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const captions[ColumnCount] = {"Name", "Server", "DataBase", "User", "Params"};
    if (section < 0 || section >= ColumnCount) return {};
    return QString::fromLatin1(captions[section]);
}

Qt::ItemFlags TConnectionListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

QModelIndexList TConnectionListModel::match(const QModelIndex& start, int /*role*/, const QVariant& value,
                                            int /*hits*/, Qt::MatchFlags flags) const {
    const std::size_t from = start.isValid() ? static_cast<std::size_t>(start.row()) : 0;
    const auto row = FindConnectionByPrefix(registry_, value.toString().toStdString(), from,
                                            flags.testFlag(Qt::MatchWrap));
    if (!row) return {};
    return {index(static_cast<int>(*row), start.isValid() ? start.column() : ColName)};
}

}  // namespace varnok
