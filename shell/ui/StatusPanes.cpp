#include "shell/ui/StatusPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace varnok {

TStatusPanes::TStatusPanes(QStatusBar* bar) : QObject(bar) {
    cost_ = new QLabel(bar);
    cost_->setObjectName(QStringLiteral("sbCostInfo"));
    cost_->setFixedWidth(kCostWidth);
    glyph_ = new QLabel(bar);
    glyph_->setObjectName(QStringLiteral("pnGlyph"));
    glyph_->setFixedWidth(kGlyphWidth);
    message_ = new QLabel(bar);
    message_->setObjectName(QStringLiteral("sbMessage"));
    QFont bold = message_->font();
    bold.setFamily(QStringLiteral("Verdana"));
    bold.setBold(true);
    message_->setFont(bold);
    bar->addWidget(cost_);
    bar->addWidget(glyph_);
    bar->addWidget(message_, 1);
    blink_.setInterval(kBlinkMs);
    connect(&blink_, &QTimer::timeout, this, &TStatusPanes::Toggle);
}

void TStatusPanes::SetCost(const QString& text) {
    cost_->setText(text);
}

void TStatusPanes::SetMessage(const QString& text, bool blink) {
    message_->setText(text);
    blink_.stop();
    Paint(blink);
    if (blink) blink_.start();
}

void TStatusPanes::Toggle() {
    Paint(!red_);
}

void TStatusPanes::Paint(bool red) {
    red_ = red;
    QPalette palette = message_->parentWidget()->palette();
    if (red) palette.setColor(QPalette::WindowText, Qt::red);
    message_->setPalette(palette);
}

} // namespace varnok
