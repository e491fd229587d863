// The parameters window's settings keys and the width of the Value column.
#include <gtest/gtest.h>

#include "execution/ParamsDialogSettings.h"

namespace varnok {
namespace {

TEST(ParamsDialogSettings, MissingKeysGiveTheDefaults) {
    const TParamsDialogLayout layout = ReadParamsDialogLayout(TIniFile());
    EXPECT_EQ(layout.width, 400);
    EXPECT_EQ(layout.height, 400);
    EXPECT_EQ(layout.nameWidth, 75);
    EXPECT_EQ(layout.typeWidth, 75);
}

TEST(ParamsDialogSettings, WrittenLayoutReadsBackUnderItsSections) {
    TIniFile ini;
    WriteParamsDialogLayout(ini, {520, 310, 90, 110});
    EXPECT_EQ(ini.ReadString("ParamsDialogForm", "Width", ""), "520");
    EXPECT_EQ(ini.ReadString("ParamsDialogForm", "Height", ""), "310");
    EXPECT_EQ(ini.ReadString("ParamsDialogGName", "Width", ""), "90");
    EXPECT_EQ(ini.ReadString("ParamsDialogGType", "Width", ""), "110");
    const TParamsDialogLayout back = ReadParamsDialogLayout(ini);
    EXPECT_EQ(back.width, 520);
    EXPECT_EQ(back.height, 310);
    EXPECT_EQ(back.nameWidth, 90);
    EXPECT_EQ(back.typeWidth, 110);
}

TEST(ParamsDialogSettings, SizesThatAreNotPositiveKeepTheDefaults) {
    TIniFile ini;
    ini.LoadFromText("[ParamsDialogForm]\nWidth=0\nHeight=-5\n[ParamsDialogGName]\nWidth=abc\n[ParamsDialogGType]\nWidth=-1\n");
    const TParamsDialogLayout layout = ReadParamsDialogLayout(ini);
    EXPECT_EQ(layout.width, 400);
    EXPECT_EQ(layout.height, 400);
    EXPECT_EQ(layout.nameWidth, 75);
    EXPECT_EQ(layout.typeWidth, 75);
}

TEST(ParamsDialogSettings, TheValueColumnTakesTheRestLessThreePixels) {
    EXPECT_EQ(ValueColumnWidth(400, 75, 75, 10), 247);
    EXPECT_EQ(ValueColumnWidth(100, 75, 75, 10), 10);
}

}  // namespace
}  // namespace varnok
