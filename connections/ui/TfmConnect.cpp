#include "connections/ui/TfmConnect.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "connections/LoginHistory.h"
#include "shell/kit/HistoryBox.h"

namespace varnok {

TfmConnect::TfmConnect(QWidget* parent)
    : QDialog(parent), dropDownLines_([] { return kDefaultDropDownLines; }) {
    setObjectName(QStringLiteral("fmConnect"));
    setWindowTitle(QString::fromLatin1(kLoginDefaultCaption));
    setModal(true);

    cbUserName_ = new QComboBox(this);
    cbUserName_->setEditable(true);
    cbUserName_->setInsertPolicy(QComboBox::NoInsert);  // only the history rule changes the list
    cbUserName_->setMaxVisibleItems(kLoginUserBoxLines);
    edPassword_ = new QLineEdit(this);
    edPassword_->setEchoMode(QLineEdit::Password);
    edPassword_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // shown as "*"

    btOk_ = new QPushButton(QStringLiteral("Ok"), this);
    btOk_->setDefault(true);
    btCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(btOk_, &QPushButton::clicked, this, &TfmConnect::OkClick);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Username"), cbUserName_);
    form->addRow(QStringLiteral("Password"), edPassword_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk_);
    buttons->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(280);
}

void TfmConnect::SetLogin(const QString& user, const QString& password) {
    user_ = user;
    password_ = password;
}

bool TfmConnect::AskLogin(const QString& target, bool prefill) {
    if (prefill) {
        cbUserName_->setEditText(user_);
        edPassword_->setText(password_);
    }
    target_ = target;
    setWindowTitle(QString::fromStdString(LoginCaption(target.toStdString())));
    edPassword_->setFocus();
    edPassword_->selectAll();
    return exec() == QDialog::Accepted;
}

void TfmConnect::OkClick() {
    const int lines = dropDownLines_ ? dropDownLines_() : kDefaultDropDownLines;
    const QString typed = cbUserName_->currentText();
    const QString top = fSortComboItems(cbUserName_, lines);
    user_ = QString::fromStdString(LoginUserName(top.toStdString(), typed.toStdString(), lines));
    password_ = edPassword_->text();
    accept();
}

void TfmConnect::LoadHistory(const TIniFile& ini) { ReadHistoryList(ini, kLoginHistorySection, cbUserName_); }

void TfmConnect::SaveHistory(TIniFile& ini) const { WriteHistoryList(ini, kLoginHistorySection, cbUserName_); }

}  // namespace varnok
