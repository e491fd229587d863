#include "connections/ConnectionRegistry.h"

#include <stdexcept>
#include <string>

namespace varnok {

void TConnectionRegistry::CheckIndex(std::size_t index, const char* operation) const {
    if (index >= records_.size())
        throw std::out_of_range(std::string(operation) + ": connection index " + std::to_string(index) +
                                " is out of range (" + std::to_string(records_.size()) + " saved connections).");
}

const TConnectionsParam& TConnectionRegistry::ConnectionAt(std::size_t index) const {
    CheckIndex(index, "ConnectionAt");
    return records_[index];
}

TConnectionsParam& TConnectionRegistry::ConnectionAt(std::size_t index) {
    CheckIndex(index, "ConnectionAt");
    return records_[index];
}

void TConnectionRegistry::AddConnection(TConnectionsParam record) { records_.push_back(std::move(record)); }

void TConnectionRegistry::DeleteConnection(std::size_t index) {
    CheckIndex(index, "DeleteConnection");
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TConnectionRegistry::MoveConnection(std::size_t from, std::size_t to) {
    CheckIndex(from, "MoveConnection");
    CheckIndex(to, "MoveConnection");
    if (from == to) return;
    TConnectionsParam moving = std::move(records_[from]);
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(from));
    records_.insert(records_.begin() + static_cast<std::ptrdiff_t>(to), std::move(moving));
}

void TConnectionRegistry::SetViewStyle(int style) {
    if (style >= 0 && style <= 3) viewStyle_ = style;
}

}  // namespace varnok
