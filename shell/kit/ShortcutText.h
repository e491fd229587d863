#pragma once
// Shortcuts as the settings file and the hotkey list keep them.
//
// A shortcut is a 16-bit value: the low byte is the virtual key code
// ("A".."Z", "0".."9", F1 = 0x70, ...), 0x2000 adds Shift, 0x4000 Ctrl and
// 0x8000 Alt; 0 means none. Its text is "Shift+", "Ctrl+", "Alt+" (in that
// order, for the modifiers present) followed by the key's name; the empty text
// is no shortcut, and a text that is not a shortcut reads as none.
#include <QKeySequence>
#include <QString>
#include <cstdint>

namespace varnok {

using TShortcut = std::uint16_t;

inline constexpr TShortcut kShortcutShift = 0x2000;
inline constexpr TShortcut kShortcutCtrl = 0x4000;
inline constexpr TShortcut kShortcutAlt = 0x8000;

// Composes a shortcut from a virtual key code and modifier bits.
constexpr TShortcut MakeShortcut(std::uint8_t virtualKey, TShortcut modifiers = 0) {
    return static_cast<TShortcut>(virtualKey | modifiers);
}

// "" when the key has no name (which also stands for no shortcut).
QString ShortcutToText(TShortcut shortcut);
// 0 for the empty text and for any text that is not a shortcut. Modifier words
// and key names are matched without regard to case.
TShortcut TextToShortcut(const QString& text);

// The toolkit's form; an empty sequence for 0 or a key Qt cannot express.
QKeySequence ShortcutToKeySequence(TShortcut shortcut);
// 0 for an empty sequence or a key with no virtual key code here.
TShortcut KeySequenceToShortcut(const QKeySequence& sequence);

} // namespace varnok
