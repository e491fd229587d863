#pragma once
// TInplaceEditDropDown: the parameter grid's cell editor, a text box with a
// drop-down list of 10 rows. Where the grid allows no typing (the Type cell)
// the text is only chosen from the list or by incremental search: each typed
// character extends the search text (afresh after 499 ms without a key) and
// the first matching entry becomes the text; Backspace passes unchanged.
#include <QComboBox>
#include <QStringList>
#include <cstdint>
#include <functional>

#include "execution/ParamIncrementalSearch.h"

namespace varnok {

class TInplaceEditDropDown : public QComboBox {
    Q_OBJECT
public:
    using TTickSource = std::function<std::uint32_t()>;

    TInplaceEditDropDown(bool canType, QWidget* parent = nullptr);

    bool CanType() const { return canType_; }
    // Replaces the list and sets the text (kept as it is when it is not in the list).
    void SetPickListAndText(const QStringList& pickList, const QString& text);
    QString Text() const { return currentText(); }

    // The millisecond tick incremental search compares (the system tick
    // unless tests plug in their own clock).
    void SetTickSource(TTickSource source) { tick_ = std::move(source); }
    const TParamIncrementalSearch& Search() const { return search_; }

signals:
    // The user changed the text: typed, picked from the list, or searched.
    void TextEdited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The wheel scrolls the grid; it never steps the cell's text.
    void wheelEvent(QWheelEvent* event) override;

private:
    bool canType_;
    bool filling_ = false;
    TParamIncrementalSearch search_;
    TTickSource tick_;
};

// The system's millisecond tick, truncated to 32 bits.
std::uint32_t SystemTick();

}  // namespace varnok
