#pragma once
// Incremental search of the Type cell: each typed character extends a search
// text, which starts afresh when more than 499 ms passed since the previous
// key; the first list entry that starts with the search text (letter case
// ignored) becomes the cell's text, and when none does the text stays.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>

namespace varnok {

class TParamIncrementalSearch {
public:
    static constexpr std::uint32_t kRestartAfterMs = 499;

    // tick: a millisecond counter that wraps at 2^32. Returns the entry to
    // show, or nothing when no entry matches.
    std::optional<QString> KeyPress(QChar key, std::uint32_t tick, const QStringList& entries);

    const QString& SearchText() const { return searchText_; }
    void Reset() { searchText_.clear(); }

private:
    QString searchText_;
    std::uint32_t lastTick_ = 0;
};

}  // namespace varnok
