#pragma once
// The search dialog "Search Text" and, with the replacement box, the replace
// dialog "Replace text": the search text with its history, the options
// "C&ase sensitivity", "&Whole words only", "Search from &caret",
// "&Selected text only", the direction "&Forward" / "&Backward", OK (default)
// and Cancel.
#include "editor/SearchState.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace varnok {

class TfmSearchDialog : public QDialog {
    Q_OBJECT
public:
    TfmSearchDialog(bool replace, QWidget* parent = nullptr);

    bool IsReplace() const { return replaceBox_ != nullptr; }

    // Fills the dialog from the state, with the given search text proposed.
    void Load(const TSearchState& state, const QString& proposedText);
    // After OK: the histories updated with the texts, then everything stored.
    void Store(TSearchState& state) const;

    QComboBox* SearchBox() const { return searchBox_; }
    QComboBox* ReplaceBox() const { return replaceBox_; }
    QCheckBox* CaseSensitive() const { return caseSensitive_; }
    QCheckBox* WholeWords() const { return wholeWords_; }
    QCheckBox* FromCaret() const { return fromCaret_; }
    QCheckBox* SelectedOnly() const { return selectedOnly_; }
    QRadioButton* Forward() const { return forward_; }
    QRadioButton* Backward() const { return backward_; }

private:
    QComboBox* searchBox_ = nullptr;
    QComboBox* replaceBox_ = nullptr;
    QCheckBox* caseSensitive_ = nullptr;
    QCheckBox* wholeWords_ = nullptr;
    QCheckBox* fromCaret_ = nullptr;
    QCheckBox* selectedOnly_ = nullptr;
    QRadioButton* forward_ = nullptr;
    QRadioButton* backward_ = nullptr;
};

} // namespace varnok
