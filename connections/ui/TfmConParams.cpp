#include "connections/ui/TfmConParams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "connections/ui/ConnectionPictures.h"
#include "connections/ui/PictureEntryDelegate.h"
#include "shell/IniFile.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {

QComboBox* EditableBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // typing does not grow the list
    return box;
}

QString FromStd(const std::string& text) { return QString::fromStdString(text); }
std::string ToStd(const QString& text) { return text.toStdString(); }

// Scripts are kept with CR LF line breaks; the text box works with LF.
QString ScriptForDisplay(const std::string& script) {
    QString text = FromStd(script);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

std::string ScriptFromDisplay(QString text) {
    text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return ToStd(text);
}

}  // namespace

TfmConParams::TfmConParams(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmConParams"));
    setWindowTitle(QStringLiteral("Edit Connection"));
    setModal(true);

    pcParams_ = new QTabWidget(this);

    auto* tsParams = new QWidget(pcParams_);
    auto* form = new QFormLayout(tsParams);
    edName_ = new QLineEdit(tsParams);
    cbServerName_ = EditableBox(tsParams);
    cbDataBase_ = EditableBox(tsParams);
    cbDataBase_->setToolTip(QStringLiteral("You can leave it empty"));
    cbUser_ = EditableBox(tsParams);
    edPassword_ = new QLineEdit(tsParams);
    edPassword_->setEchoMode(QLineEdit::Password);
    edPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // shown as "*"
    chAskPassword_ = new QCheckBox(QStringLiteral("Ask Password Before Connect"), tsParams);
    cbPicture_ = new QComboBox(tsParams);
    cbPicture_->setIconSize(QSize(kConnectionPictureSize, kConnectionPictureSize));
    cbPicture_->setItemDelegate(new TPictureEntryDelegate(cbPicture_));
    form->addRow(QStringLiteral("Name"), edName_);
    form->addRow(QStringLiteral("Server Name"), cbServerName_);
    form->addRow(QStringLiteral("Database"), cbDataBase_);
    form->addRow(QStringLiteral("User"), cbUser_);
    form->addRow(QStringLiteral("Password"), edPassword_);
    form->addRow(QString(), chAskPassword_);
    form->addRow(QString(), cbPicture_);
    pcParams_->addTab(tsParams, QStringLiteral("Params"));

    meScript_ = new QPlainTextEdit(pcParams_);
    meScript_->setLineWrapMode(QPlainTextEdit::NoWrap);
    meScript_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    meScript_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pcParams_->addTab(meScript_, QStringLiteral("After Connect Script"));

    btTest_ = new QPushButton(QStringLiteral("Test"), this);
    btOk_ = new QPushButton(QStringLiteral("Ok"), this);
    btOk_->setDefault(true);
    btCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(btTest_, &QPushButton::clicked, this, &TfmConParams::TestClick);
    connect(btOk_, &QPushButton::clicked, this, &TfmConParams::OkClick);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btTest_);
    buttons->addStretch();
    buttons->addWidget(btOk_);
    buttons->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pcParams_);
    layout->addLayout(buttons);
    resize(380, 340);
}

void TfmConParams::SetServerNames(const QStringList& names) {
    const QString text = cbServerName_->currentText();
    cbServerName_->clear();
    cbServerName_->addItems(names);
    cbServerName_->setEditText(text);
}

void TfmConParams::FillPictureChooser() {
    if (cbPicture_->count() > 0) return;
    for (const QPixmap& picture : pictures_) cbPicture_->addItem(QIcon(picture), QString());
}

TConnectionFormValues TfmConParams::FormValues() const {
    TConnectionFormValues values;
    values.name = ToStd(edName_->text());
    values.server = ToStd(cbServerName_->currentText());
    values.database = ToStd(cbDataBase_->currentText());
    values.user = ToStd(cbUser_->currentText());
    values.password = ToStd(edPassword_->text());
    values.askPassword = chAskPassword_->isChecked();
    values.script = ScriptFromDisplay(meScript_->toPlainText());
    values.pictureIndex = cbPicture_->currentIndex();
    return values;
}

void TfmConParams::ShowFormValues(const TConnectionFormValues& values) {
    edName_->setText(FromStd(values.name));
    cbServerName_->setEditText(FromStd(values.server));
    cbDataBase_->setEditText(FromStd(values.database));
    cbUser_->setEditText(FromStd(values.user));
    edPassword_->setText(FromStd(values.password));
    chAskPassword_->setChecked(values.askPassword);
    meScript_->setPlainText(ScriptForDisplay(values.script));
    cbPicture_->setCurrentIndex(values.pictureIndex < cbPicture_->count() ? values.pictureIndex : -1);
}

bool TfmConParams::EditConnection(TConnectionsParam& record) {
    FillPictureChooser();
    ShowFormValues(FormValuesFromRecord(record, cbPicture_->count()));
    pcParams_->setCurrentIndex(0);
    edName_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    ApplyFormValues(FormValues(), record);
    return true;
}

void TfmConParams::OkClick() {
    // Values the settings file could not store are refused here, while the
    // user can still correct them, rather than failing at close.
    if (const auto problem = CheckFormValues(FormValues())) {
        ShowStandardError(FromStd(*problem));
        return;
    }
    accept();
}

void TfmConParams::TestClick() {
    try {
        if (!tester_) throw std::runtime_error(kNoTesterText);
        tester_(TestConnectionParamLines(FormValues()));
    } catch (...) {
        ShowCurrentException();
        return;
    }
    Messages().Information(QString::fromLatin1(kTestMessageCaption), QString::fromLatin1(kTestSuccessText));
}

void TfmConParams::LoadFormSize(const TIniFile& ini) {
    const int width = ini.ReadInteger(kConnectParamFormSection, "Width", -1);
    const int height = ini.ReadInteger(kConnectParamFormSection, "Height", -1);
    if (width > 0 && height > 0) resize(width, height);
}

void TfmConParams::SaveFormSize(TIniFile& ini) const {
    ini.WriteInteger(kConnectParamFormSection, "Width", width());
    ini.WriteInteger(kConnectParamFormSection, "Height", height());
}

}  // namespace varnok
