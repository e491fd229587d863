// Shortcut values, their stored text and the toolkit's key sequences.
#include <gtest/gtest.h>

#include <ostream>

#include "shell/kit/ShortcutText.h"

namespace varnok {
namespace {

struct TShortcutCase {
    TShortcut value;
    const char* text;
    const char* portable; // QKeySequence's portable text
};

// Readable, stable test names (the struct holds pointers).
void PrintTo(const TShortcutCase& c, std::ostream* out) {
    *out << c.text;
}

class ShortcutRoundTrip : public ::testing::TestWithParam<TShortcutCase> {};

TEST_P(ShortcutRoundTrip, ValueTextAndKeySequenceAgree) {
    const TShortcutCase& c = GetParam();
    EXPECT_EQ(ShortcutToText(c.value), QString::fromUtf8(c.text));
    EXPECT_EQ(TextToShortcut(QString::fromUtf8(c.text)), c.value);
    const QKeySequence sequence = ShortcutToKeySequence(c.value);
    EXPECT_EQ(sequence.toString(QKeySequence::PortableText), QString::fromUtf8(c.portable));
    EXPECT_EQ(KeySequenceToShortcut(sequence), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    DefaultShortcutsAndKeyNames, ShortcutRoundTrip,
    ::testing::Values(
        TShortcutCase{MakeShortcut('O', kShortcutCtrl), "Ctrl+O", "Ctrl+O"},
        TShortcutCase{MakeShortcut('E', kShortcutShift | kShortcutCtrl), "Shift+Ctrl+E", "Ctrl+Shift+E"},
        TShortcutCase{MakeShortcut(0x78), "F9", "F9"}, TShortcutCase{MakeShortcut(0x70), "F1", "F1"},
        TShortcutCase{MakeShortcut(0x7B), "F12", "F12"},
        TShortcutCase{MakeShortcut('1', kShortcutAlt), "Alt+1", "Alt+1"},
        TShortcutCase{MakeShortcut('Z', kShortcutShift | kShortcutCtrl | kShortcutAlt), "Shift+Ctrl+Alt+Z",
                      "Ctrl+Alt+Shift+Z"},
        TShortcutCase{MakeShortcut(0x08), "BkSp", "Backspace"},
        TShortcutCase{MakeShortcut(0x09, kShortcutCtrl), "Ctrl+Tab", "Ctrl+Tab"},
        TShortcutCase{MakeShortcut(0x1B), "Esc", "Esc"},
        TShortcutCase{MakeShortcut(0x0D, kShortcutAlt), "Alt+Enter", "Alt+Return"},
        TShortcutCase{MakeShortcut(0x20, kShortcutCtrl), "Ctrl+Space", "Ctrl+Space"},
        TShortcutCase{MakeShortcut(0x21), "PgUp", "PgUp"},
        TShortcutCase{MakeShortcut(0x22), "PgDn", "PgDown"}, TShortcutCase{MakeShortcut(0x23), "End", "End"},
        TShortcutCase{MakeShortcut(0x24), "Home", "Home"}, TShortcutCase{MakeShortcut(0x25), "Left", "Left"},
        TShortcutCase{MakeShortcut(0x26), "Up", "Up"}, TShortcutCase{MakeShortcut(0x27), "Right", "Right"},
        TShortcutCase{MakeShortcut(0x28, kShortcutShift), "Shift+Down", "Shift+Down"},
        TShortcutCase{MakeShortcut(0x2D, kShortcutShift), "Shift+Ins", "Shift+Ins"},
        TShortcutCase{MakeShortcut(0x2E, kShortcutCtrl), "Ctrl+Del", "Ctrl+Del"}));

struct TTextCase {
    const char* text;
    TShortcut value;
};

void PrintTo(const TTextCase& c, std::ostream* out) {
    *out << '"' << c.text << '"';
}

class ShortcutReading : public ::testing::TestWithParam<TTextCase> {};

TEST_P(ShortcutReading, TextGivesValue) {
    EXPECT_EQ(TextToShortcut(QString::fromUtf8(GetParam().text)), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    LenientAndInvalidTexts, ShortcutReading,
    ::testing::Values(TTextCase{"", 0}, TTextCase{"Ctrl+", 0}, TTextCase{"Shift+", 0},
                      TTextCase{"Ctrl+Foo", 0}, TTextCase{"F13x", 0}, TTextCase{"Hyper+E", 0},
                      TTextCase{"E+Ctrl", 0}, TTextCase{"Ctrl++", 0},
                      // words and names are matched without regard to case; modifiers in any order
                      TTextCase{"ctrl+e", MakeShortcut('E', kShortcutCtrl)},
                      TTextCase{"Ctrl+Shift+E", MakeShortcut('E', kShortcutShift | kShortcutCtrl)},
                      TTextCase{"f5", MakeShortcut(0x74)}, TTextCase{"pgdn", MakeShortcut(0x22)}));

TEST(ShortcutText, NoShortcutHasNoTextAndNoSequence) {
    EXPECT_EQ(ShortcutToText(0), QString());
    EXPECT_TRUE(ShortcutToKeySequence(0).isEmpty());
    EXPECT_EQ(KeySequenceToShortcut(QKeySequence()), 0);
    // A key code with no name is no shortcut at all, modifiers or not.
    EXPECT_EQ(ShortcutToText(MakeShortcut(0x07, kShortcutCtrl)), QString());
}

} // namespace
} // namespace varnok
