#include "shell/kit/ShortcutText.h"

#include <array>

namespace varnok {

namespace {

constexpr TShortcut kModifierMask = kShortcutShift | kShortcutCtrl | kShortcutAlt;

struct TKeyName {
    std::uint8_t virtualKey;
    const char* name;
    int qtKey;
    bool keypad;
};

// Keys with a fixed name; letters, digits and function keys are computed.
constexpr std::array kNamedKeys{
    TKeyName{0x08, "BkSp", Qt::Key_Backspace, false},
    TKeyName{0x09, "Tab", Qt::Key_Tab, false},
    TKeyName{0x0D, "Enter", Qt::Key_Return, false},
    TKeyName{0x1B, "Esc", Qt::Key_Escape, false},
    TKeyName{0x20, "Space", Qt::Key_Space, false},
    TKeyName{0x21, "PgUp", Qt::Key_PageUp, false},
    TKeyName{0x22, "PgDn", Qt::Key_PageDown, false},
    TKeyName{0x23, "End", Qt::Key_End, false},
    TKeyName{0x24, "Home", Qt::Key_Home, false},
    TKeyName{0x25, "Left", Qt::Key_Left, false},
    TKeyName{0x26, "Up", Qt::Key_Up, false},
    TKeyName{0x27, "Right", Qt::Key_Right, false},
    TKeyName{0x28, "Down", Qt::Key_Down, false},
    TKeyName{0x2D, "Ins", Qt::Key_Insert, false},
    TKeyName{0x2E, "Del", Qt::Key_Delete, false},
    // Other keys go by the names this platform's key names use.
    TKeyName{0x60, "Num 0", Qt::Key_0, true},
    TKeyName{0x61, "Num 1", Qt::Key_1, true},
    TKeyName{0x62, "Num 2", Qt::Key_2, true},
    TKeyName{0x63, "Num 3", Qt::Key_3, true},
    TKeyName{0x64, "Num 4", Qt::Key_4, true},
    TKeyName{0x65, "Num 5", Qt::Key_5, true},
    TKeyName{0x66, "Num 6", Qt::Key_6, true},
    TKeyName{0x67, "Num 7", Qt::Key_7, true},
    TKeyName{0x68, "Num 8", Qt::Key_8, true},
    TKeyName{0x69, "Num 9", Qt::Key_9, true},
    TKeyName{0x6A, "Num *", Qt::Key_Asterisk, true},
    TKeyName{0x6B, "Num +", Qt::Key_Plus, true},
    TKeyName{0x6D, "Num -", Qt::Key_Minus, true},
    TKeyName{0x6E, "Num Del", Qt::Key_Period, true},
    TKeyName{0x6F, "Num /", Qt::Key_Slash, true},
    TKeyName{0xBA, ";", Qt::Key_Semicolon, false},
    TKeyName{0xBB, "=", Qt::Key_Equal, false},
    TKeyName{0xBC, ",", Qt::Key_Comma, false},
    TKeyName{0xBD, "-", Qt::Key_Minus, false},
    TKeyName{0xBE, ".", Qt::Key_Period, false},
    TKeyName{0xBF, "/", Qt::Key_Slash, false},
    TKeyName{0xC0, "`", Qt::Key_QuoteLeft, false},
    TKeyName{0xDB, "[", Qt::Key_BracketLeft, false},
    TKeyName{0xDC, "\\", Qt::Key_Backslash, false},
    TKeyName{0xDD, "]", Qt::Key_BracketRight, false},
    TKeyName{0xDE, "'", Qt::Key_Apostrophe, false},
};

constexpr std::uint8_t kVkF1 = 0x70;
constexpr int kFunctionKeyCount = 24;

QString KeyName(std::uint8_t vk) {
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) return QString(QChar(vk));
    if (vk >= kVkF1 && vk < kVkF1 + kFunctionKeyCount) return QStringLiteral("F%1").arg(vk - kVkF1 + 1);
    for (const auto& k : kNamedKeys)
        if (k.virtualKey == vk) return QString::fromLatin1(k.name);
    return {};
}

// The virtual key of a name, or 0.
std::uint8_t KeyFromName(const QString& name) {
    if (name.size() == 1) {
        const QChar c = name.at(0).toUpper();
        if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z'))
            return static_cast<std::uint8_t>(c.unicode());
    }
    for (int i = 0; i < kFunctionKeyCount; ++i)
        if (name.compare(QStringLiteral("F%1").arg(i + 1), Qt::CaseInsensitive) == 0)
            return static_cast<std::uint8_t>(kVkF1 + i);
    for (const auto& k : kNamedKeys)
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) return k.virtualKey;
    return 0;
}

} // namespace

QString ShortcutToText(TShortcut shortcut) {
    const QString name = KeyName(static_cast<std::uint8_t>(shortcut & 0xFF));
    if (name.isEmpty()) return {};
    QString text;
    if (shortcut & kShortcutShift) text += QStringLiteral("Shift+");
    if (shortcut & kShortcutCtrl) text += QStringLiteral("Ctrl+");
    if (shortcut & kShortcutAlt) text += QStringLiteral("Alt+");
    return text + name;
}

TShortcut TextToShortcut(const QString& text) {
    static const std::array<std::pair<QLatin1String, TShortcut>, 3> kWords{{
        {QLatin1String("Shift+"), kShortcutShift},
        {QLatin1String("Ctrl+"), kShortcutCtrl},
        {QLatin1String("Alt+"), kShortcutAlt},
    }};
    QString rest = text;
    TShortcut modifiers = 0;
    for (bool found = true; found;) {
        found = false;
        for (const auto& [word, bit] : kWords) {
            // "Ctrl++" would leave "+" which names no key; a bare "+" is never a modifier word.
            if (rest.size() > word.size() && rest.startsWith(word, Qt::CaseInsensitive)) {
                modifiers |= bit;
                rest = rest.mid(word.size());
                found = true;
            }
        }
    }
    const std::uint8_t vk = KeyFromName(rest);
    return vk == 0 ? TShortcut{0} : static_cast<TShortcut>(vk | modifiers);
}

QKeySequence ShortcutToKeySequence(TShortcut shortcut) {
    const std::uint8_t vk = static_cast<std::uint8_t>(shortcut & 0xFF);
    int key = 0;
    Qt::KeyboardModifiers mods;
    if ((vk >= '0' && vk <= '9') || (vk >= 'A' && vk <= 'Z')) {
        key = vk; // Qt::Key_0.. and Qt::Key_A.. share the character codes
    } else if (vk >= kVkF1 && vk < kVkF1 + kFunctionKeyCount) {
        key = Qt::Key_F1 + (vk - kVkF1);
    } else {
        for (const auto& k : kNamedKeys)
            if (k.virtualKey == vk) {
                key = k.qtKey;
                if (k.keypad) mods |= Qt::KeypadModifier;
            }
    }
    if (key == 0) return {};
    if (shortcut & kShortcutShift) mods |= Qt::ShiftModifier;
    if (shortcut & kShortcutCtrl) mods |= Qt::ControlModifier;
    if (shortcut & kShortcutAlt) mods |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}

TShortcut KeySequenceToShortcut(const QKeySequence& sequence) {
    if (sequence.isEmpty()) return 0;
    const QKeyCombination combo = sequence[0];
    const int key = combo.key();
    const Qt::KeyboardModifiers mods = combo.keyboardModifiers();
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    std::uint8_t vk = 0;
    if (!keypad && ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z))) {
        vk = static_cast<std::uint8_t>(key);
    } else if (key >= Qt::Key_F1 && key < Qt::Key_F1 + kFunctionKeyCount) {
        vk = static_cast<std::uint8_t>(kVkF1 + (key - Qt::Key_F1));
    } else if (key == Qt::Key_Enter) {
        vk = 0x0D;
    } else {
        for (const auto& k : kNamedKeys)
            if (k.qtKey == key && k.keypad == keypad) {
                vk = k.virtualKey;
                break;
            }
    }
    if (vk == 0) return 0;
    TShortcut result = vk;
    if (mods.testFlag(Qt::ShiftModifier)) result |= kShortcutShift;
    if (mods.testFlag(Qt::ControlModifier)) result |= kShortcutCtrl;
    if (mods.testFlag(Qt::AltModifier)) result |= kShortcutAlt;
    return static_cast<TShortcut>(result & (0xFF | kModifierMask));
}

} // namespace varnok
