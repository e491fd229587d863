// Colour text: constant names, the "$" form and bad text.
#include <gtest/gtest.h>

#include "shell/ColorText.h"
#include "shell/IniFile.h"

using namespace varnok;

TEST(ColorText, NamesParseWithoutRegardToCaseAndFormatCanonically) {
    struct Row {
        const char* text;
        uint32_t value;
        const char* formatted;
    };
    for (const Row& r :
         {Row{"clWindow", 0x80000005, "clWindow"}, Row{"CLWINDOWTEXT", 0x80000008, "clWindowText"},
          Row{"clred", 0x000000FF, "clRed"}, Row{"clBlack", 0, "clBlack"},
          Row{"clInfoBk", 0x80000018, "clInfoBk"}, Row{"clLtGray", 0xC0C0C0, "clSilver"},
          Row{"$00FF0000", 0xFF0000, "clBlue"}, Row{"$00123456", 0x123456, "$00123456"},
          Row{"$80000005", 0x80000005, "clWindow"}, Row{"255", 0xFF, "clRed"}}) {
        TColorText c;
        ASSERT_TRUE(ParseColorText(r.text, c)) << r.text;
        EXPECT_EQ(c.value, r.value) << r.text;
        EXPECT_EQ(FormatColorText(c), r.formatted) << r.text;
    }
}

TEST(ColorText, HexFormIsBlueGreenRed) {
    TColorText c;
    ASSERT_TRUE(ParseColorText("$00336699", c));
    EXPECT_FALSE(c.IsSystem());
    EXPECT_EQ(c.Red(), 0x99);
    EXPECT_EQ(c.Green(), 0x66);
    EXPECT_EQ(c.Blue(), 0x33);
    EXPECT_EQ(FormatColorText(TColorText::Rgb(0xAB, 0xCD, 0xEF)), "$00EFCDAB");
}

TEST(ColorText, EveryUnnamedRgbRoundTrips) {
    for (uint32_t v : {0x000001u, 0x0A0B0Cu, 0xFEFEFEu, 0x7F7F7Fu}) {
        TColorText back;
        ASSERT_TRUE(ParseColorText(FormatColorText(TColorText{v}), back));
        EXPECT_EQ(back.value, v);
    }
}

TEST(ColorText, SystemColoursNameAPaletteRole) {
    EXPECT_EQ(TColorText{kClWindow}.PaletteRole(), "Base");
    EXPECT_EQ(TColorText{kClWindowText}.PaletteRole(), "Text");
    EXPECT_EQ(TColorText::Named("clInfoBk")->PaletteRole(), "ToolTipBase");
    EXPECT_EQ(TColorText::Named("clHighlight")->PaletteRole(), "Highlight");
    EXPECT_EQ(TColorText::Named("clRed")->PaletteRole(), "");
    EXPECT_EQ(TColorText{0x800000FFu}.PaletteRole(), "") << "an index past the table has no role";
}

TEST(ColorText, BadTextIsRefusedAndLeavesTheColour) {
    for (const char* bad : {"", "clNoSuchColour", "Window", "$", "$GG0000", "$123456789", "red", "cl"}) {
        TColorText c{0x1234};
        EXPECT_FALSE(ParseColorText(bad, c)) << bad;
        EXPECT_EQ(c.value, 0x1234u) << bad;
    }
}

TEST(ColorText, SettingsValueFallsBackToTheDefault) {
    TIniFile ini;
    ini.LoadFromText("[V]\nGood=clAqua\nBad=sky\n");
    const TColorText def{kClWindow};
    EXPECT_EQ(ReadColor(ini, "V", "Good", def), TColorText::Rgb(0, 255, 255));
    EXPECT_EQ(ReadColor(ini, "V", "Bad", def), def);
    EXPECT_EQ(ReadColor(ini, "V", "Missing", def), def);
    WriteColor(ini, "V", "Out", TColorText::Rgb(0, 0, 128));
    EXPECT_EQ(ini.ReadString("V", "Out", ""), "clNavy");
}
