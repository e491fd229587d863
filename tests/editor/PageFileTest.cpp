#include "editor/PageFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace varnok;

namespace {

std::string ReadBytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path;
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path;
    f.write(bytes.data(), qint64(bytes.size()));
}

// "жук" (three Cyrillic letters) in the encodings under test.
const std::string kBeetleUtf8 = "\xD0\xB6\xD1\x83\xD0\xBA";
const std::string kBeetleUtf16LE = std::string("\x36\x04\x43\x04\x3A\x04", 6);
const std::string kBeetleUtf16BE = std::string("\x04\x36\x04\x43\x04\x3A", 6);

struct DecodeCase {
    const char* label;
    std::string bytes;
    std::string text;
    TTextEncoding encoding;
};

class DecodeTextBytesTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextBytesTest, GivesTextAndRemembersEncoding) {
    const DecodeCase& c = GetParam();
    const TPageText page = DecodeTextBytes(c.bytes);
    EXPECT_EQ(page.text, c.text);
    EXPECT_EQ(page.encoding, c.encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, DecodeTextBytesTest,
    ::testing::Values(
        DecodeCase{"empty", "", "", TTextEncoding::Utf8},
        DecodeCase{"ascii", "select 1\r\nfrom t", "select 1\r\nfrom t", TTextEncoding::Utf8},
        DecodeCase{"utf8", kBeetleUtf8, kBeetleUtf8, TTextEncoding::Utf8},
        DecodeCase{"utf8bom", "\xEF\xBB\xBF" + kBeetleUtf8, kBeetleUtf8, TTextEncoding::Utf8Bom},
        DecodeCase{"utf16le", "\xFF\xFE" + kBeetleUtf16LE, kBeetleUtf8, TTextEncoding::Utf16LE},
        DecodeCase{"utf16be", "\xFE\xFF" + kBeetleUtf16BE, kBeetleUtf8, TTextEncoding::Utf16LE},
        DecodeCase{"utf16le_crlf",
                   std::string("\xFF\xFE"
                               "a\0\r\0\n\0b\0",
                               10),
                   "a\r\nb", TTextEncoding::Utf16LE},
        // 0xE6 0xF3 0xEA is "жук" in a Cyrillic 8-bit code page: not UTF-8.
        DecodeCase{"not_utf8", "\xE6\xF3\xEA", "\xC3\xA6\xC3\xB3\xC3\xAA", TTextEncoding::Latin1}),
    [](const auto& info) { return std::string(info.param.label); });

struct BreakCase {
    std::string in;
    std::string out;
};

class NormalizeLineBreaksTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(NormalizeLineBreaksTest, EveryBreakBecomesCrLf) {
    EXPECT_EQ(NormalizeLineBreaks(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Breaks, NormalizeLineBreaksTest,
                         ::testing::Values(BreakCase{"", ""}, BreakCase{"a", "a"},
                                           BreakCase{"a\nb", "a\r\nb"}, BreakCase{"a\rb", "a\r\nb"},
                                           BreakCase{"a\r\nb", "a\r\nb"}, BreakCase{"a\n", "a\r\n"},
                                           BreakCase{"\n\n", "\r\n\r\n"}, BreakCase{"a\r\rb", "a\r\n\r\nb"},
                                           BreakCase{"a\n\rb", "a\r\n\r\nb"}));

TEST(EncodeTextBytes, Utf16IsLittleEndianWithMark) {
    EXPECT_EQ(EncodeTextBytes(kBeetleUtf8, TTextEncoding::Utf16LE), "\xFF\xFE" + kBeetleUtf16LE);
    EXPECT_EQ(EncodeTextBytes("a\nb", TTextEncoding::Utf16LE), std::string("\xFF\xFE"
                                                                           "a\0\r\0\n\0b\0",
                                                                           10));
}

TEST(EncodeTextBytes, Utf8KeepsOrOmitsItsMark) {
    EXPECT_EQ(EncodeTextBytes(kBeetleUtf8, TTextEncoding::Utf8), kBeetleUtf8);
    EXPECT_EQ(EncodeTextBytes(kBeetleUtf8, TTextEncoding::Utf8Bom), "\xEF\xBB\xBF" + kBeetleUtf8);
}

TEST(EncodeTextBytes, Latin1GivesBackTheOriginalBytes) {
    const std::string original = "select '\xE6\xF3\xEA'\r\n";
    const TPageText page = DecodeTextBytes(original);
    EXPECT_EQ(EncodeTextBytes(page.text, page.encoding), original);
}

TEST(EncodeTextBytes, Latin1TextWithWiderCharactersIsWrittenAsUtf8) {
    // Typed text Latin-1 cannot hold must not be replaced by question marks.
    const std::string text = "\xC3\xA6" + kBeetleUtf8;
    EXPECT_EQ(EncodeTextBytes(text, TTextEncoding::Latin1), text);
}

TEST(EncodeTextBytes, CharactersBeyondTheBasicPlaneSurviveUtf16) {
    const std::string emoji = "\xF0\x9F\x98\x80"; // U+1F600, a surrogate pair in UTF-16
    const std::string bytes = EncodeTextBytes(emoji, TTextEncoding::Utf16LE);
    EXPECT_EQ(bytes.size(), 6u);
    EXPECT_EQ(DecodeTextBytes(bytes).text, emoji);
}

TEST(PageFileName, NumberBetweenSqlAndTheFixedTail) {
    EXPECT_EQ(PageFileName("/home/u/.local/share/Varnok/", 1), "/home/u/.local/share/Varnok/sql1____.$$$");
    EXPECT_EQ(PageFileName("/x/", 12), "/x/sql12____.$$$");
}

class TextFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return (dir.path() + "/" + name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(TextFileTest, Utf16FileIsWrittenBackAsUtf16) {
    const std::string path = Path("sql1____.$$$");
    const std::string bytes = "\xFF\xFE" + kBeetleUtf16LE + std::string("\r\0\n\0x\0", 6);
    WriteBytes(path, bytes);
    const TPageText page = ReadTextFile(path);
    ASSERT_EQ(page.encoding, TTextEncoding::Utf16LE);
    WriteTextFile(path, page.text, page.encoding);
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(TextFileTest, Utf8FileStaysUtf8WithCrLf) {
    const std::string path = Path("a.sql");
    WriteTextFile(path, "select *\nfrom " + kBeetleUtf8, TTextEncoding::Utf8);
    EXPECT_EQ(ReadBytes(path), "select *\r\nfrom " + kBeetleUtf8);
    const TPageText back = ReadTextFile(path);
    EXPECT_EQ(back.text, "select *\r\nfrom " + kBeetleUtf8);
    EXPECT_EQ(back.encoding, TTextEncoding::Utf8);
}

TEST_F(TextFileTest, WritingReplacesALongerFile) {
    const std::string path = Path("b.sql");
    WriteTextFile(path, "a much longer text than the next one", TTextEncoding::Utf8);
    WriteTextFile(path, "short", TTextEncoding::Utf8);
    EXPECT_EQ(ReadBytes(path), "short");
}

TEST_F(TextFileTest, MissingFileIsAnErrorNamingIt) {
    const std::string path = Path("missing.sql");
    try {
        ReadTextFile(path);
        FAIL() << "no error";
    } catch (const ETextFileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

TEST_F(TextFileTest, WriteIntoMissingFolderIsAnErrorNamingTheFile) {
    const std::string path = Path("no/such/folder/c.sql");
    try {
        WriteTextFile(path, "x", TTextEncoding::Utf8);
        FAIL() << "no error";
    } catch (const ETextFileError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    }
}

} // namespace
