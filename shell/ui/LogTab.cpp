#include "shell/ui/LogTab.h"

#include <QItemSelectionModel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QStyledItemDelegate>
#include <QSplitter>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "shell/LogModel.h"
#include "shell/ui/SplitterPanes.h"

namespace varnok {

namespace {
constexpr int kDefaultLogHeight = 70;
constexpr int kMinLogHeight = 10;

// The log list is a report with grid lines: each cell gets a line along its
// right and bottom edges, in the colour the style uses for grids.
class TGridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const QWidget* widget = option.widget;
        const int gridHint = widget ? widget->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, widget) : -1;
        const QColor grid = gridHint >= 0 ? QColor::fromRgba(static_cast<QRgb>(gridHint))
                                          : option.palette.color(QPalette::Mid);
        painter->save();
        painter->setPen(grid);
        painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
        painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
        painter->restore();
    }
};
} // namespace

TLogTab::TLogTab(TLogModel& model, QWidget* parent) : QWidget(parent), model_(model) {
    setObjectName(QStringLiteral("tsLog"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    tbLog_ = new QToolBar(this);
    tbLog_->setObjectName(QStringLiteral("tbLog"));
    layout->addWidget(tbLog_);

    spLog_ = new QSplitter(Qt::Vertical, this);
    spLog_->setObjectName(QStringLiteral("spLog"));
    spLog_->setChildrenCollapsible(false);
    TrackPaneSizes(spLog_);
    layout->addWidget(spLog_, 1);

    lvLog_ = new QTreeView(spLog_);
    lvLog_->setObjectName(QStringLiteral("lvLog"));
    lvLog_->setRootIsDecorated(false);
    lvLog_->setItemsExpandable(false);
    lvLog_->setUniformRowHeights(true); // rows are one line each: long logs stay quick
    lvLog_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvLog_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lvLog_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvLog_->setAlternatingRowColors(false);
    lvLog_->setItemDelegate(new TGridLineDelegate(lvLog_));
    lvLog_->setModel(&model_);
    spLog_->addWidget(lvLog_);

    mmLog_ = new QPlainTextEdit(spLog_);
    mmLog_->setObjectName(QStringLiteral("mmLog"));
    mmLog_->setReadOnly(true);
    mmLog_->setLineWrapMode(QPlainTextEdit::NoWrap); // both scroll bars
    mmLog_->setMinimumHeight(kMinLogHeight);
    spLog_->addWidget(mmLog_);
    spLog_->setStretchFactor(0, 1);
    spLog_->setStretchFactor(1, 0);
    SetDetailHeight(kDefaultLogHeight);

    connect(lvLog_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex&, const QModelIndex&) { ShowSelectedEntry(); });
    connect(&model_, &QAbstractItemModel::modelReset, mmLog_, &QPlainTextEdit::clear);
}

int TLogTab::DetailHeight() const {
    return PaneSize(mmLog_, kDefaultLogHeight);
}

void TLogTab::SetDetailHeight(int height) {
    SetPaneSize(spLog_, mmLog_, std::max(height, kMinLogHeight));
}

void TLogTab::SelectLastEntry() {
    const int last = model_.rowCount() - 1;
    if (last < 0) return;
    const QModelIndex index = model_.index(last, 0);
    lvLog_->selectionModel()->clearSelection();
    lvLog_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    lvLog_->scrollTo(index);
    ShowSelectedEntry();
}

void TLogTab::ShowSelectedEntry() {
    const QModelIndex current = lvLog_->selectionModel()->currentIndex();
    mmLog_->setPlainText(current.isValid() ? model_.Additional(current.row()) : QString());
}

} // namespace varnok
