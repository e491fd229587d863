#pragma once
// History lists of drop-down boxes: stored in a section of their own, and the
// history rule that moves the box's text to the top of its list.
#include <QString>
#include <string>

class QComboBox;

namespace varnok {

class TIniFile;

// Appends the stored entries (file order) to the box's list, then selects the first entry.
void ReadHistoryList(const TIniFile& ini, const std::string& section, QComboBox* box);
// Writes the box's list entries as keys "0", "1", ...
void WriteHistoryList(TIniFile& ini, const std::string& section, const QComboBox* box);

// The history rule on a box, with limit as the list's length limit: the box's
// text moves to entry 0 (duplicates removed), the list is cut to limit entries,
// entry 0 is selected and its text returned ("" for an empty list). A failure
// shows "Error in SortItems. [...]" (the list step) or
// "Error in fSortComboItems. [...]" and the box keeps what the rule produced so far.
QString fSortComboItems(QComboBox* box, int limit);

} // namespace varnok
