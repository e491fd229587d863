#include "connections/ConnectionManagerRules.h"

namespace varnok {

namespace {

// A focus that does not address a row is no focus.
std::optional<std::size_t> ValidFocus(std::optional<std::size_t> focused, std::size_t rowCount) {
    if (focused && *focused < rowCount) return focused;
    return std::nullopt;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

TManagerEnabling ManagerEnabling(const TManagerListState& state) {
    TManagerEnabling enabling;
    const auto focus = ValidFocus(state.focused, state.rowCount);
    enabling.moveUp = focus && *focus > 0;
    enabling.moveDown = focus && *focus + 1 < state.rowCount;
    const bool selected = state.anySelected && state.rowCount > 0;
    enabling.edit = selected;
    enabling.remove = selected;
    enabling.connect = selected;
    return enabling;
}

std::optional<std::size_t> MoveTarget(std::optional<std::size_t> focused, std::size_t rowCount,
                                      TMoveDirection direction) {
    const auto focus = ValidFocus(focused, rowCount);
    if (!focus) return std::nullopt;
    if (direction == TMoveDirection::Up) {
        if (*focus == 0) return std::nullopt;
        return *focus - 1;
    }
    if (*focus + 1 >= rowCount) return std::nullopt;
    return *focus + 1;
}

std::optional<std::size_t> MoveFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                                                 TMoveDirection direction) {
    const auto target = MoveTarget(focused, registry.ConnectionCount(), direction);
    if (target) registry.MoveConnection(*focused, *target);
    return target;
}

bool NameStartsWith(std::string_view name, std::string_view prefix) {
    if (prefix.size() > name.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(name[i]) != AsciiLower(prefix[i])) return false;
    return true;
}

std::optional<std::size_t> FindConnectionByPrefix(const TConnectionRegistry& registry, std::string_view text,
                                                  std::size_t start, bool wrap) {
    const std::size_t count = registry.ConnectionCount();
    if (start >= count) start = 0;
    for (std::size_t i = start; i < count; ++i)
        if (NameStartsWith(registry.ConnectionAt(i).Name, text)) return i;
    if (wrap)
        for (std::size_t i = 0; i < start; ++i)
            if (NameStartsWith(registry.ConnectionAt(i).Name, text)) return i;
    return std::nullopt;
}

std::string ConfirmDeleteText(const std::string& name) {
    return "Are you sure you want to delete the connection: " + name;
}

}  // namespace varnok

namespace varnok {

std::optional<std::size_t> CreateConnection(TConnectionRegistry& registry, const TRecordEditor& edit) {
    TConnectionsParam record = NewConnectionRecord();
    if (!edit(record)) return std::nullopt;
    registry.AddConnection(std::move(record));
    return registry.ConnectionCount() - 1;
}

bool EditFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                           const TRecordEditor& edit) {
    const auto focus = ValidFocus(focused, registry.ConnectionCount());
    if (!focus) return false;
    TConnectionsParam copy = registry.ConnectionAt(*focus);
    if (!edit(copy)) return false;
    registry.ConnectionAt(*focus) = std::move(copy);
    return true;
}

bool DeleteFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                             const std::function<bool(const std::string& question)>& askYes) {
    const auto focus = ValidFocus(focused, registry.ConnectionCount());
    if (!focus) return false;
    if (!askYes(ConfirmDeleteText(registry.ConnectionAt(*focus).Name))) return false;
    registry.DeleteConnection(*focus);
    return true;
}

}  // namespace varnok
