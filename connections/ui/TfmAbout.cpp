#include "connections/ui/TfmAbout.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "connections/AboutTexts.h"
#include "dbaccess/SQLProcessor.h"

namespace varnok {

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

TfmAbout::TfmAbout(QWidget* parent)
    : QDialog(parent), openLink_([](const QUrl& url) { QDesktopServices::openUrl(url); }) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QString::fromLatin1(kAboutCaption));
    setModal(true);

    auto* title = new QLabel(QStringLiteral("Varnok"), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 6);
    title->setFont(titleFont);
    lbVersion_ = new QLabel(QString::fromLatin1(kAboutVersionText), this);
    lbLayer_ = new QLabel(this);
    // The access layer's components all carry the same version text.
    SetLayerVersion(QString::fromLatin1(TIfxSQLProcessor::kVersion));
    lbLink_ = new TLinkLabel(QString::fromLatin1(kProgramWebAddress), this);
    QPalette linkPalette = lbLink_->palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    lbLink_->setPalette(linkPalette);
    lbLink_->setCursor(Qt::PointingHandCursor);
    connect(lbLink_, &TLinkLabel::clicked, this, &TfmAbout::LinkClick);

    btOk_ = new QPushButton(QStringLiteral("OK"), this);
    btOk_->setDefault(true);
    connect(btOk_, &QPushButton::clicked, this, &QDialog::accept);  // Escape closes through reject()

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(lbVersion_, 0, Qt::AlignHCenter);
    layout->addWidget(lbLayer_, 0, Qt::AlignHCenter);
    layout->addWidget(lbLink_, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    setMinimumWidth(300);
}

void TfmAbout::SetLayerVersion(const QString& version) {
    lbLayer_->setText(QString::fromStdString(AboutLayerText(version.toStdString())));
}

void TfmAbout::LinkClick() {
    if (openLink_) openLink_(QUrl(QString::fromLatin1(kProgramWebAddress)));
}

}  // namespace varnok
