#pragma once
// The command-name lists of the two editor toolbars (sections HToolBar and
// VToolBar, key Buttons) and the main command list they may name.
//
// Written form: every button's command name followed by a comma, so the text
// ends with a comma. Read form: comma-separated text in which blanks also
// separate and double quotes may enclose an entry (a doubled quote inside
// quotes stands for one quote). Entries that name no command of the main list,
// the empty entry after a final comma included, are left out.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnok {

inline constexpr const char* kSeparatorCommand = "acSeparator";

inline constexpr const char* kHToolBarSection = "HToolBar";
inline constexpr const char* kVToolBarSection = "VToolBar";
inline constexpr const char* kToolBarButtonsKey = "Buttons";
inline constexpr const char* kToolBarLargeIconsKey = "LargeIcons";

// The lists a first start shows.
inline constexpr const char* kHToolBarDefaultButtons =
    "acAddPage,acOpenFile,acSaveFile,acErase,acSeparator,acSearch,acSearchNext,acSearchPrev,"
    "acSearchReplace,acSeparator,acEditorFontBigger,acEditorFontSmaller";
inline constexpr bool kHToolBarDefaultLargeIcons = false;
inline constexpr const char* kVToolBarDefaultButtons =
    "acUndo,acRedo,acExecute,acExecuteSelected,acCheckSyntax,acCheckSyntaxSelected,acInterruptSQL,";
inline constexpr bool kVToolBarDefaultLargeIcons = true;

// The names of the main command list, in list order (the commands a toolbar
// and the options window may show; the tab-switching commands and "I Use
// TabKey" are not among them).
const std::vector<std::string>& MainCommandNames();

// The main-list name that entry spells, letter case aside; nothing when the
// entry names no command of the main list.
std::optional<std::string> FindMainCommandName(std::string_view entry);

// Every entry of the text, unknown and empty ones included, in order.
std::vector<std::string> SplitCommandNameList(std::string_view text);

// The entries that name a main-list command, spelt as the list spells them.
std::vector<std::string> ParseToolBarButtons(std::string_view text);

// "name," for each name, in order.
std::string WriteCommandNameList(const std::vector<std::string>& names);

} // namespace varnok
