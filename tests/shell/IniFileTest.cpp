// The settings file: lookup rules, typed values and the atomic save.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "shell/IniFile.h"
#include "shell/ShellTestFolder.h"

using namespace varnok;
using varnok::testing::ReadWholeFile;
using varnok::testing::TScratchFolder;
using varnok::testing::WriteWholeFile;

namespace {

TIniFile FromText(const std::string& text) {
    TIniFile ini;
    ini.LoadFromText(text);
    return ini;
}

} // namespace

// ---- lookup ----

TEST(IniFileLookup, SectionsAndKeysMatchWithoutRegardToCase) {
    const TIniFile ini = FromText("[Position]\nSplTop=130\n");
    EXPECT_EQ(ini.ReadString("POSITION", "spltop", "x"), "130");
    EXPECT_TRUE(ini.SectionExists("position"));
    EXPECT_TRUE(ini.ValueExists("pOsItIoN", "SPLTOP"));
    EXPECT_FALSE(ini.ValueExists("Position", "SplLeft"));
}

TEST(IniFileLookup, FirstOfDuplicateKeysWins) {
    const TIniFile ini = FromText("[A]\nkey=first\nKEY=second\n");
    EXPECT_EQ(ini.ReadString("a", "key", ""), "first");
    EXPECT_EQ(ini.ReadSectionKeys("A"), std::vector<std::string>{"key"});
}

TEST(IniFileLookup, RepeatedSectionContinuesTheFirst) {
    const TIniFile ini = FromText("[A]\nx=1\n[B]\ny=2\n[a]\nz=3\nx=9\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ini.ReadString("A", "z", ""), "3");
    EXPECT_EQ(ini.ReadString("A", "x", ""), "1");
}

TEST(IniFileLookup, SectionsAndKeysAreListedInFileOrder) {
    const TIniFile ini = FromText("[Zeta]\nz=1\na=2\nm=3\n[Alpha]\n[Mid]\nk=v\n");
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Zeta", "Alpha", "Mid"}));
    EXPECT_EQ(ini.ReadSectionKeys("zeta"), (std::vector<std::string>{"z", "a", "m"}));
    EXPECT_TRUE(ini.ReadSectionKeys("Nowhere").empty());
}

TEST(IniFileLookup, MissingSectionOrKeyGivesTheDefault) {
    const TIniFile ini = FromText("[A]\nx=1\n");
    EXPECT_EQ(ini.ReadString("B", "x", "def"), "def");
    EXPECT_EQ(ini.ReadString("A", "y", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("A", "y", 42), 42);
}

TEST(IniFileLookup, CrLfLinesBomAndStrayLinesAreTolerated) {
    const TIniFile ini = FromText(
        "\xEF\xBB\xBForphan=1\r\n[ S ]\r\n  key = value with = sign\r\nno equals here\r\n[broken\r\n");
    EXPECT_EQ(ini.ReadSections(), std::vector<std::string>{"S"});
    EXPECT_EQ(ini.ReadString("S", "key", ""), " value with = sign");
    EXPECT_EQ(ini.ReadSectionKeys("S"), std::vector<std::string>{"key"});
}

TEST(IniFileLookup, LongValuesAndManyNamesAreKeptWhole) {
    TIniFile ini;
    const std::string longValue(100000, 'q');
    ini.WriteString("Big", "Value", longValue);
    for (int i = 0; i < 3000; ++i)
        ini.WriteString("Many", "SomeRatherLongKeyName" + std::to_string(i), "v");
    const TIniFile back = FromText(ini.ToText());
    EXPECT_EQ(back.ReadString("Big", "Value", ""), longValue);
    EXPECT_EQ(back.ReadSectionKeys("Many").size(), 3000u);
}

// ---- writing ----

TEST(IniFileWrite, OverwritesInPlaceAndAppendsNewKeys) {
    TIniFile ini = FromText("[A]\nx=1\ny=2\n");
    ini.WriteString("a", "X", "10");
    ini.WriteString("A", "z", "3");
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(ini.ToText(), "[A]\nx=10\ny=2\nz=3\n[New]\nk=v\n");
}

TEST(IniFileWrite, EraseSectionRemovesAllItsKeys) {
    TIniFile ini = FromText("[A]\nx=1\n[B]\ny=2\n");
    ini.EraseSection("a");
    EXPECT_FALSE(ini.SectionExists("A"));
    EXPECT_EQ(ini.ToText(), "[B]\ny=2\n");
}

TEST(IniFileWrite, ValuesThatWouldBreakTheFileAreRefused) {
    TIniFile ini;
    EXPECT_THROW(ini.WriteString("A", "k", "line1\nline2"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("A", "k", "cr\ronly"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("A", "k=v", "x"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("A]", "k", "x"), std::invalid_argument);
    EXPECT_THROW(ini.WriteString("A", "", "x"), std::invalid_argument);
    EXPECT_TRUE(ini.ReadSections().empty()) << "a refused write must leave nothing behind";
}

// ---- typed values ----

struct IntegerCase {
    const char* text;
    bool ok;
    int value;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IniInteger : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IniInteger, ParsesTheStoredForms) {
    const auto& c = GetParam();
    int value = -777;
    EXPECT_EQ(ParseIniInteger(c.text, value), c.ok) << c.text;
    EXPECT_EQ(value, c.ok ? c.value : -777) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IniInteger,
    ::testing::Values(IntegerCase{"0", true, 0}, IntegerCase{"130", true, 130}, IntegerCase{"-13", true, -13},
                      IntegerCase{"0x1F", true, 31}, IntegerCase{"0X1f", true, 31},
                      IntegerCase{"$1F", true, 31}, IntegerCase{"$FFFFFFFF", true, -1},
                      IntegerCase{" 700 ", true, 700}, IntegerCase{"2147483647", true, 2147483647},
                      IntegerCase{"-2147483648", true, INT32_MIN}, IntegerCase{"2147483648", false, 0},
                      IntegerCase{"$123456789", false, 0}, IntegerCase{"", false, 0},
                      IntegerCase{"abc", false, 0}, IntegerCase{"12abc", false, 0},
                      IntegerCase{"0x", false, 0}, IntegerCase{"$", false, 0}, IntegerCase{"1.5", false, 0},
                      IntegerCase{"$G1", false, 0}, IntegerCase{"-", false, 0}));

TEST(IniTypedValues, BadIntegerTextGivesTheDefault) {
    const TIniFile ini = FromText("[P]\nA=$1F\nB=wide\nC=0x10\n");
    EXPECT_EQ(ini.ReadInteger("P", "A", 5), 31);
    EXPECT_EQ(ini.ReadInteger("P", "B", 5), 5);
    EXPECT_EQ(ini.ReadInteger("P", "C", 5), 16);
}

TEST(IniTypedValues, BooleanIsAnyNonZeroIntegerAndBadTextGivesTheDefault) {
    const TIniFile ini = FromText("[P]\nOne=1\nZero=0\nTwo=2\nNeg=-1\nHex=$0\nWord=true\nEmpty=\n");
    EXPECT_TRUE(ini.ReadBool("P", "One", false));
    EXPECT_FALSE(ini.ReadBool("P", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("P", "Two", false));
    EXPECT_TRUE(ini.ReadBool("P", "Neg", false));
    EXPECT_FALSE(ini.ReadBool("P", "Hex", true));
    EXPECT_TRUE(ini.ReadBool("P", "Word", true));
    EXPECT_FALSE(ini.ReadBool("P", "Word", false));
    EXPECT_TRUE(ini.ReadBool("P", "Empty", true));
}

TEST(IniTypedValues, WrittenFormsReadBack) {
    TIniFile ini;
    ini.WriteBool("P", "T", true);
    ini.WriteBool("P", "F", false);
    ini.WriteInteger("P", "N", -17);
    EXPECT_EQ(ini.ReadString("P", "T", ""), "1");
    EXPECT_EQ(ini.ReadString("P", "F", ""), "0");
    EXPECT_EQ(ini.ReadInteger("P", "N", 0), -17);
}

// ---- files ----

TEST(IniFileSave, SavedFileLoadsBackAndLeavesNoTemporaryFile) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    TIniFile ini;
    ini.SetPath(path);
    ini.WriteString("Connection", "ServerName", "demo_on");
    ini.WriteInteger("Position", "Width", 750);
    ini.Save();

    const TIniFile back(path);
    EXPECT_EQ(back.ReadString("connection", "servername", ""), "demo_on");
    EXPECT_EQ(back.ReadInteger("Position", "Width", 0), 750);
    EXPECT_FALSE(std::filesystem::exists(TIniFile::TempPathFor(path)));
}

TEST(IniFileSave, MissingFileReadsAsEmpty) {
    TScratchFolder dir;
    const TIniFile ini(dir.File("absent.ini"));
    EXPECT_TRUE(ini.ReadSections().empty());
    EXPECT_EQ(ini.Path(), dir.File("absent.ini"));
}

TEST(IniFileSave, DirectoryWhereTheTemporaryFileGoesFailsAndKeepsTheOldFile) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    WriteWholeFile(path, "[Old]\nkept=1\n");
    std::filesystem::create_directory(TIniFile::TempPathFor(path));

    TIniFile ini;
    ini.SetPath(path);
    ini.WriteString("New", "k", "v");
    try {
        ini.Save();
        FAIL() << "save should have failed";
    } catch (const EIniWriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadWholeFile(path), "[Old]\nkept=1\n");
    EXPECT_TRUE(std::filesystem::is_directory(TIniFile::TempPathFor(path))) << "not ours to remove";
}

TEST(IniFileSave, NonEmptyDirectoryAtTheTargetFailsAndLeavesNoTemporaryFile) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    std::filesystem::create_directory(path);
    WriteWholeFile(path + "/inside", "x");

    TIniFile ini;
    ini.WriteString("A", "b", "c");
    EXPECT_THROW(ini.SaveAs(path), EIniWriteError);
    EXPECT_EQ(ReadWholeFile(path + "/inside"), "x");
    EXPECT_FALSE(std::filesystem::exists(TIniFile::TempPathFor(path)));
}

TEST(IniFileSave, MissingFolderAndEmptyPathFail) {
    TScratchFolder dir;
    TIniFile ini;
    EXPECT_THROW(ini.SaveAs(dir.File("no/such/folder/varnok.ini")), EIniWriteError);
    EXPECT_THROW(ini.Save(), EIniWriteError);
}

TEST(IniFileSave, ReplacedFileKeepsItsPermissions) {
    TScratchFolder dir;
    const std::string path = dir.File("varnok.ini");
    WriteWholeFile(path, "[A]\n");
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    TIniFile ini(path);
    ini.WriteString("A", "pw", "secret");
    ini.Save();
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(IniFileSave, FileReachedThroughALinkIsReplacedAtTheLinksTarget) {
    TScratchFolder dir;
    const std::string real = dir.File("real.ini");
    const std::string link = dir.File("link.ini");
    WriteWholeFile(real, "[A]\nx=1\n");
    std::filesystem::create_symlink(real, link);
    TIniFile ini(link);
    ini.WriteString("A", "x", "2");
    ini.Save();
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(real), "[A]\nx=2\n");
}
