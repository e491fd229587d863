#pragma once
// The manager's connection list as a virtual list: rows are produced on
// demand from the registry, one per record in registry order, read-only.
// Columns "Name", "Server", "DataBase", "User", "Params" (the after-connect
// script). The picture (Ico) shows only in the large-icon style.
#include <QAbstractTableModel>
#include <QPixmap>
#include <vector>

#include "connections/ConnectionRegistry.h"

namespace varnok {

class TConnectionListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum TColumn { ColName = 0, ColServer, ColDataBase, ColUser, ColParams, ColumnCount };

    // Both must outlive the model.
    TConnectionListModel(const TConnectionRegistry& registry, const std::vector<QPixmap>& pictures,
                         QObject* parent = nullptr);

    // Sets the number of rows to the registry's length and redraws.
    void Refresh();
    void SetShowPictures(bool show);
    bool ShowPictures() const { return showPictures_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Type-ahead: the views' keyboard search asks here for the row to jump
    // to; the answer follows the manager's search over the names (see
    // FindConnectionByPrefix), whatever column or role is asked about.
    QModelIndexList match(const QModelIndex& start, int role, const QVariant& value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith | Qt::MatchWrap)) const override;

private:
    const TConnectionRegistry& registry_;
    const std::vector<QPixmap>& pictures_;
    bool showPictures_ = false;
};

}  // namespace varnok
