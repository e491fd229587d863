#include "execution/ui/TfmConfirmDlg.h"

#include <Qsci/qsciscintilla.h>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "editor/ui/IfxSqlLexer.h"

namespace varnok {

namespace {
// Modal results beside Accepted (Run) and Rejected (the close box).
constexpr int kSkipResult = 2;
constexpr int kAbortResult = 3;
constexpr int kIconSize = 32;
} // namespace

TfmConfirmDlg::TfmConfirmDlg(QWidget* parent)
    : QDialog(parent),
      image_(new QLabel(this)),
      message_(new QLabel(this)),
      sqlText_(new QsciScintilla(this)),
      btRun_(new QPushButton(QStringLiteral("Run this SQL"), this)),
      btSkip_(new QPushButton(QStringLiteral("Skip this SQL"), this)),
      btAbort_(new QPushButton(QStringLiteral("Abort Script"), this)) {
    setObjectName(QStringLiteral("fmConfirmDlg"));
    setWindowTitle(QString::fromLatin1(kConfirmDlgCaption));
    image_->setObjectName(QStringLiteral("Image1"));
    message_->setObjectName(QStringLiteral("lbMessage"));
    sqlText_->setObjectName(QStringLiteral("mmSQLText"));
    btRun_->setObjectName(QStringLiteral("btRun"));
    btSkip_->setObjectName(QStringLiteral("btSkip"));
    btAbort_->setObjectName(QStringLiteral("Button4"));

    image_->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize, kIconSize));
    image_->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);

    sqlText_->setLexer(new TIfxSqlLexer(sqlText_));
    sqlText_->setUtf8(true);
    sqlText_->setReadOnly(true);
    sqlText_->setWrapMode(QsciScintilla::WrapWord);
    for (int margin = 0; margin < 3; ++margin)
        sqlText_->setMarginWidth(margin, 0);
    // The text box would keep Escape to itself: it answers "Skip this SQL" there too.
    sqlText_->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(image_);
    top->addWidget(message_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btRun_);
    buttons->addWidget(btSkip_);
    buttons->addWidget(btAbort_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(sqlText_, 1);
    layout->addLayout(buttons);
    resize(480, 300);

    btRun_->setDefault(true);
    connect(btRun_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btSkip_, &QPushButton::clicked, this, [this] { done(kSkipResult); });
    connect(btAbort_, &QPushButton::clicked, this, [this] { done(kAbortResult); });
}

void TfmConfirmDlg::SetSQLText(const QString& text) {
    sqlText_->setText(text);
}

void TfmConfirmDlg::PrepareWarnings(TRunWarnings warnings, std::int32_t estimatedCost, std::int32_t estimatedRows) {
    message_->clear();
    message_->setText(QString::fromStdString(RunWarningText(warnings, estimatedCost, estimatedRows)));
    btRun_->setFocus();
}

TConfirmAnswer TfmConfirmDlg::ShowWarnings(TRunWarnings warnings, std::int32_t estimatedCost,
                                           std::int32_t estimatedRows) {
    PrepareWarnings(warnings, estimatedCost, estimatedRows);
    CentreOnParent();
    switch (exec()) {
    case QDialog::Accepted: return TConfirmAnswer::Run;
    case kSkipResult: return TConfirmAnswer::Skip;
    case kAbortResult: return TConfirmAnswer::Abort;
    default: return TConfirmAnswer::Closed;
    }
}

namespace {
bool IsPlainEscape(const QKeyEvent* event) {
    return event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}
} // namespace

void TfmConfirmDlg::keyPressEvent(QKeyEvent* event) {
    // Escape answers "Skip this SQL", the harmless way on.
    if (IsPlainEscape(event)) {
        btSkip_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfmConfirmDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == sqlText_ && event->type() == QEvent::KeyPress && IsPlainEscape(static_cast<QKeyEvent*>(event))) {
        btSkip_->click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfmConfirmDlg::CentreOnParent() {
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace varnok
