#pragma once
// The rules of the connection manager window, kept apart from its widgets:
// which commands are enabled, where "Move Up"/"Move Down" take the focused
// record, the type-ahead search over the names, and the delete question.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "connections/ConnectionRegistry.h"

namespace varnok {

// What the list shows right now: the focused row (if any), whether any row
// is selected, and how many rows there are.
struct TManagerListState {
    std::optional<std::size_t> focused;
    bool anySelected = false;
    std::size_t rowCount = 0;
};

struct TManagerEnabling {
    bool moveUp = false;
    bool moveDown = false;
    bool edit = false;
    bool remove = false;
    bool connect = false;

    bool operator==(const TManagerEnabling&) const = default;
};

// "Move Up" when a row is focused and it is not the first; "Move Down" when
// one is focused and it is not the last; "Edit", "Delete" and "Connect" when
// at least one row is selected. A focus past the last row counts as none.
TManagerEnabling ManagerEnabling(const TManagerListState& state);

enum class TMoveDirection { Up, Down };

// The position the focused record moves to, or nothing when the move is not
// possible (no focus, first row up, last row down, focus past the end).
std::optional<std::size_t> MoveTarget(std::optional<std::size_t> focused, std::size_t rowCount,
                                      TMoveDirection direction);

// Moves the focused record one place in the registry and returns its new
// index (the row to focus and select); nothing moves when MoveTarget refuses.
std::optional<std::size_t> MoveFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                                                 TMoveDirection direction);

// True when name begins with prefix, the letters a-z compared without
// regard to case and every other byte exactly.
bool NameStartsWith(std::string_view name, std::string_view prefix);

// Type-ahead: looks at every record once, from start to the last and then,
// when wrap is asked for, from the first up to the one before start; the
// first whose Name begins with text is the row to jump to. Nothing when none
// does (the focus then stays where it was). A start past the end begins at 0.
std::optional<std::size_t> FindConnectionByPrefix(const TConnectionRegistry& registry, std::string_view text,
                                                  std::size_t start, bool wrap);

inline constexpr const char* kConfirmDeleteCaption = "Confirm Delete";
// "Are you sure you want to delete the connection: <Name>"
std::string ConfirmDeleteText(const std::string& name);

}  // namespace varnok

namespace varnok {

// Shows the edit window on a record; true when it was confirmed with "Ok"
// (the window has then written its fields into the record).
using TRecordEditor = std::function<bool(TConnectionsParam&)>;

// "New": a record with the defaults goes through the editor; confirmed, it is
// appended and its index returned; cancelled, it is discarded.
std::optional<std::size_t> CreateConnection(TConnectionRegistry& registry, const TRecordEditor& edit);

// "Edit" on the focused record. The editor works on a copy that replaces the
// record only when confirmed, so a Cancel leaves the record exactly as it
// was. False when nothing is focused or the edit was cancelled.
bool EditFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                           const TRecordEditor& edit);

// "Delete" on the focused record after askYes(ConfirmDeleteText(Name)) said
// yes. True when a record was removed.
bool DeleteFocusedConnection(TConnectionRegistry& registry, std::optional<std::size_t> focused,
                             const std::function<bool(const std::string& question)>& askYes);

}  // namespace varnok
