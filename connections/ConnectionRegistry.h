#pragma once
// The ordered list of saved connections. Order is the order of the manager's
// list, of the quick-connect menu and of the stored sections; records are
// addressed by 0-based index; names need not be unique.
#include <cstddef>
#include <vector>

#include "connections/ConnectionsParam.h"

namespace varnok {

// How the manager's list shows: 0 large icons, 1 small icons, 2 list, 3 details.
inline constexpr int kDefaultConnectionsViewStyle = 3;

class TConnectionRegistry {
public:
    std::size_t ConnectionCount() const { return records_.size(); }
    // Throws std::out_of_range with the index for a position past the end.
    const TConnectionsParam& ConnectionAt(std::size_t index) const;
    TConnectionsParam& ConnectionAt(std::size_t index);

    void AddConnection(TConnectionsParam record);
    void DeleteConnection(std::size_t index);
    // Moves one record to position `to`, the records between shifting by one.
    void MoveConnection(std::size_t from, std::size_t to);
    void Clear() { records_.clear(); }

    const std::vector<TConnectionsParam>& Records() const { return records_; }

    // The manager list's view style, stored with the registry.
    int ViewStyle() const { return viewStyle_; }
    // A style outside 0..3 is ignored and the current one kept.
    void SetViewStyle(int style);

private:
    void CheckIndex(std::size_t index, const char* operation) const;

    std::vector<TConnectionsParam> records_;
    int viewStyle_ = kDefaultConnectionsViewStyle;
};

}  // namespace varnok
