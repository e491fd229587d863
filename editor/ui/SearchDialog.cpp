#include "editor/ui/SearchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace varnok {

namespace {

QComboBox* EditableBox(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the history is kept by the rule of the state
    box->setMinimumWidth(260);
    return box;
}

void FillBox(QComboBox* box, const QStringList& history, const QString& text) {
    box->clear();
    box->addItems(history);
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace

TfmSearchDialog::TfmSearchDialog(bool replace, QWidget* parent) : QDialog(parent) {
    setObjectName(replace ? QStringLiteral("fmReplace") : QStringLiteral("fmSearch"));
    setWindowTitle(replace ? QStringLiteral("Replace text") : QStringLiteral("Search Text"));
    auto* layout = new QVBoxLayout(this);

    auto* texts = new QFormLayout;
    searchBox_ = EditableBox(this);
    texts->addRow(QStringLiteral("&Search for:"), searchBox_);
    if (replace) {
        replaceBox_ = EditableBox(this);
        texts->addRow(QStringLiteral("&Replace with:"), replaceBox_);
    }
    layout->addLayout(texts);

    auto* groups = new QHBoxLayout;
    auto* options = new QGroupBox(QStringLiteral("Options"), this);
    auto* optionsLayout = new QVBoxLayout(options);
    caseSensitive_ = new QCheckBox(QStringLiteral("C&ase sensitivity"), options);
    wholeWords_ = new QCheckBox(QStringLiteral("&Whole words only"), options);
    fromCaret_ = new QCheckBox(QStringLiteral("Search from &caret"), options);
    selectedOnly_ = new QCheckBox(QStringLiteral("&Selected text only"), options);
    for (QCheckBox* box : {caseSensitive_, wholeWords_, fromCaret_, selectedOnly_})
        optionsLayout->addWidget(box);
    groups->addWidget(options);

    auto* direction = new QGroupBox(QStringLiteral("Direction"), this);
    auto* directionLayout = new QVBoxLayout(direction);
    forward_ = new QRadioButton(QStringLiteral("&Forward"), direction);
    backward_ = new QRadioButton(QStringLiteral("&Backward"), direction);
    directionLayout->addWidget(forward_);
    directionLayout->addWidget(backward_);
    directionLayout->addStretch();
    forward_->setChecked(true);
    groups->addWidget(direction);
    layout->addLayout(groups);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    searchBox_->setFocus();
}

void TfmSearchDialog::Load(const TSearchState& state, const QString& proposedText) {
    (state.backward ? backward_ : forward_)->setChecked(true);
    caseSensitive_->setChecked(state.caseSensitive);
    wholeWords_->setChecked(state.wholeWords);
    fromCaret_->setChecked(state.fromCaret);
    selectedOnly_->setChecked(state.selectedOnly);
    FillBox(searchBox_, state.searchHistory, proposedText);
    searchBox_->lineEdit()->selectAll();
    if (replaceBox_) FillBox(replaceBox_, state.replaceHistory, state.replaceText);
}

void TfmSearchDialog::Store(TSearchState& state) const {
    state.backward = backward_->isChecked();
    state.caseSensitive = caseSensitive_->isChecked();
    state.wholeWords = wholeWords_->isChecked();
    state.fromCaret = fromCaret_->isChecked();
    state.selectedOnly = selectedOnly_->isChecked();
    state.searchText = searchBox_->currentText();
    state.searchHistory = PushSearchHistory(state.searchHistory, state.searchText);
    if (replaceBox_) {
        state.replaceText = replaceBox_->currentText();
        state.replaceHistory = PushSearchHistory(state.replaceHistory, state.replaceText);
    }
}

} // namespace varnok
