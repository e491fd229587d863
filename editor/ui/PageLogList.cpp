#include "editor/ui/PageLogList.h"

#include "shell/LogModel.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTextOption>

namespace varnok {

namespace {

// Draws a line with its tab characters expanded to two tab stops, given in
// the list-box unit of a quarter of the average character width (12 and 50).
class TTabStopDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear(); // the style draws background and selection, we draw the text
        const QWidget* widget = opt.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

        const qreal quarter = QFontMetricsF(opt.font).averageCharWidth() / 4.0;
        QTextOption to;
        to.setWrapMode(QTextOption::NoWrap);
        to.setTabArray({12 * quarter, 50 * quarter});
        painter->save();
        painter->setFont(opt.font);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->setPen(opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(QRectF(opt.rect).adjusted(2, 0, 0, 0), text, to);
        painter->restore();
    }
};

} // namespace

TPageLogList::TPageLogList(QWidget* parent) : QListWidget(parent) {
    setObjectName(QStringLiteral("lbPageLog"));
    setFrameShape(QFrame::NoFrame);
    setUniformItemSizes(true);
    setItemDelegate(new TTabStopDelegate(this));

    menu_ = new QMenu(this);
    acAutoClear_ = menu_->addAction(QStringLiteral("AutoClear"));
    acAutoClear_->setCheckable(true);
    acAutoClear_->setChecked(false);
    acClear_ = menu_->addAction(QStringLiteral("Clear"));
    connect(acClear_, &QAction::triggered, this, &TPageLogList::Clear);

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { menu_->exec(viewport()->mapToGlobal(pos)); });
}

void TPageLogList::AddLine(const QString& line) {
    addItem(line);
}

void TPageLogList::AddEntry(uint32_t milliseconds, const QString& message, const QString& statement) {
    AddLine(PageLogLine(milliseconds, message, statement));
}

void TPageLogList::SelectLast() {
    if (count() == 0) return;
    setCurrentRow(count() - 1);
    scrollToBottom();
}

bool TPageLogList::AutoClear() const {
    return acAutoClear_->isChecked();
}
void TPageLogList::SetAutoClear(bool on) {
    acAutoClear_->setChecked(on);
}

void TPageLogList::ClearIfAutoClear() {
    if (AutoClear()) Clear();
}

} // namespace varnok
