#include "execution/ui/TfmParamsDialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "execution/ui/TParameterListEditor.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

TfmParamsDialog::TfmParamsDialog(QWidget* parent)
    : QDialog(parent),
      grid_(new TParameterListEditor(this)),
      btClear_(new QPushButton(QStringLiteral("Clear"), this)),
      btOk_(new QPushButton(QStringLiteral("Ok"), this)),
      btCancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("fmParamsDialog"));
    setWindowTitle(QString::fromLatin1(kParamsDialogCaption));
    grid_->setObjectName(QStringLiteral("ParameterListEditor"));

    auto* strip = new QHBoxLayout;
    strip->addWidget(btClear_);
    strip->addStretch(1);
    strip->addWidget(btOk_);
    strip->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(grid_, 1);
    layout->addLayout(strip);

    btOk_->setDefault(true);
    btOk_->setAutoDefault(false);
    btClear_->setAutoDefault(false);
    btCancel_->setAutoDefault(false);
    connect(btOk_, &QPushButton::clicked, this, &TfmParamsDialog::OkClick);
    connect(grid_, &TParameterListEditor::EnterPressed, btOk_, &QPushButton::click);
    connect(btClear_, &QPushButton::clicked, this, &TfmParamsDialog::ClearClick);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);

    const TParamsDialogLayout defaults;
    resize(defaults.width, defaults.height);
}

void TfmParamsDialog::LoadParams(TParamList& params) {
    grid_->LoadParams(params);
}

bool TfmParamsDialog::ShowParams(TParamList& params) {
    LoadParams(params);
    CentreOnParent();
    return exec() == QDialog::Accepted;
}

void TfmParamsDialog::OkClick() {
    try {
        const TApplyParamsResult result = grid_->ApplyParams();
        if (!result.ok) {
            Messages().Error(QString::fromLatin1(kParamsDialogCaption), QString::fromStdString(result.error));
            grid_->SelectCell(result.row, TParamColumn::Value);
            return;
        }
    } catch (const std::logic_error& e) {
        ShowStandardError(QString::fromUtf8(e.what()));
        return;
    }
    accept();
}

void TfmParamsDialog::ClearClick() {
    grid_->ResetRows();
}

void TfmParamsDialog::LoadSettings(const TIniFile& ini) {
    const TParamsDialogLayout layout = ReadParamsDialogLayout(ini);
    resize(layout.width, layout.height);
    grid_->SetNameWidth(layout.nameWidth);
    grid_->SetTypeWidth(layout.typeWidth);
}

void TfmParamsDialog::SaveSettings(TIniFile& ini) const {
    WriteParamsDialogLayout(ini, {width(), height(), grid_->NameWidth(), grid_->TypeWidth()});
}

void TfmParamsDialog::CentreOnParent() {
    if (QWidget* owner = parentWidget()) {
        const QRect area = owner->window()->frameGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void AddParamsDialogSettingsSteps(TSettingsRegistry& settings, TfmParamsDialog& window) {
    settings.AddLoadStep(SettingsLoadOrder::ParamsDialog, "ParamsDialog",
                         [&window](const TIniFile& ini) { window.LoadSettings(ini); });
    settings.AddSaveStep(SettingsSaveOrder::ParamsDialog, "ParamsDialog",
                         [&window](TIniFile& ini) { window.SaveSettings(ini); });
}

}  // namespace varnok
