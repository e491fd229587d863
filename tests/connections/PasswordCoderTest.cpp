// The coder must read back every password it wrote, keep the stored layout
// (so files written earlier stay readable), and refuse damaged text cleanly.
#include "connections/PasswordCoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <random>
#include <string>

namespace varnok {
namespace {

// The AES S-box built from its definition (multiplicative inverse in GF(2^8)
// followed by the affine map), independent of the table in the coder.
std::uint8_t GfMul(std::uint8_t a, std::uint8_t b) {
    std::uint8_t r = 0;
    while (b) {
        if (b & 1) r ^= a;
        a = static_cast<std::uint8_t>((a << 1) ^ ((a & 0x80) ? 0x1B : 0));
        b >>= 1;
    }
    return r;
}

std::array<std::uint8_t, 256> BuildSBox() {
    std::array<std::uint8_t, 256> box{};
    for (int x = 0; x < 256; ++x) {
        std::uint8_t inv = 0;
        for (int y = 1; y < 256 && x != 0; ++y)
            if (GfMul(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)) == 1) inv = static_cast<std::uint8_t>(y);
        std::uint8_t s = 0x63;
        for (int bit = 0; bit < 8; ++bit) {
            const int b = ((inv >> bit) ^ (inv >> ((bit + 4) % 8)) ^ (inv >> ((bit + 5) % 8)) ^
                           (inv >> ((bit + 6) % 8)) ^ (inv >> ((bit + 7) % 8))) & 1;
            s ^= static_cast<std::uint8_t>(b << bit);
        }
        box[static_cast<std::size_t>(x)] = s;
    }
    return box;
}

std::uint32_t ReferenceMixWord(std::uint32_t key, std::uint32_t x) {
    static const auto box = BuildSBox();
    for (int round = 0; round < 8; ++round) {
        std::uint32_t y = 0;
        for (int i = 0; i < 4; ++i) y |= static_cast<std::uint32_t>(box[(x >> (8 * i)) & 0xFF]) << (8 * i);
        y += key;
        x = (y << 3) | (y >> 29);
    }
    return x;
}

std::uint32_t WordFromHex(const std::string& coded, std::size_t byteOffset) {
    std::uint32_t w = 0;
    for (int i = 0; i < 4; ++i)
        w |= static_cast<std::uint32_t>(std::stoul(coded.substr(2 * (byteOffset + i), 2), nullptr, 16)) << (8 * i);
    return w;
}

std::string Encode(std::string_view text) { return EncodePassword(kPasswordCoderKey, kPasswordCoderSeed, text); }
std::string Decode(std::string_view coded) { return DecodePassword(kPasswordCoderKey, coded); }

TEST(MixWord, ReferenceSBoxMatchesPublishedValues) {
    const auto box = BuildSBox();
    EXPECT_EQ(box[0x00], 0x63);
    EXPECT_EQ(box[0x53], 0xED);  // the worked example of FIPS-197
    EXPECT_EQ(box[0xFF], 0x16);
}

TEST(MixWord, MatchesIndependentReference) {
    std::mt19937 rng(7);
    for (std::uint32_t x : {0u, 1u, 0xFFFFFFFFu, 0x12345678u, 0x80000000u}) {
        EXPECT_EQ(MixWord(kPasswordCoderKey, x), ReferenceMixWord(kPasswordCoderKey, x)) << x;
        EXPECT_EQ(MixWord(0, x), ReferenceMixWord(0, x)) << x;
    }
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t key = rng(), x = rng();
        ASSERT_EQ(MixWord(key, x), ReferenceMixWord(key, x)) << key << " " << x;
    }
}

TEST(PasswordCoder, EmptyPasswordIsSixteenDigitsAndReadsBackEmpty) {
    const std::string coded = Encode("");
    ASSERT_EQ(coded.size(), 16u);
    const std::uint32_t iv = kPasswordCoderSeed ^ kPasswordCoderMask;
    EXPECT_EQ(WordFromHex(coded, 0), iv);
    // With no text the check word is the IV, coded by one feedback step.
    EXPECT_EQ(WordFromHex(coded, 4), ReferenceMixWord(kPasswordCoderKey, iv) ^ iv);
    EXPECT_EQ(Decode(coded), "");
}

TEST(PasswordCoder, FiveBytesGiveTwentySixDigitsInTheStoredLayout) {
    const std::string coded = Encode("abcde");
    ASSERT_EQ(coded.size(), 26u);
    EXPECT_EQ(Decode(coded), "abcde");

    // The layout earlier files rely on: IV, coded check word, coded text,
    // all little-endian, the last word cut to the text bytes.
    const std::uint32_t key = kPasswordCoderKey;
    const std::uint32_t iv = kPasswordCoderSeed ^ kPasswordCoderMask;
    const std::uint32_t w1 = 'a' | 'b' << 8 | 'c' << 16 | static_cast<std::uint32_t>('d') << 24;
    const std::uint32_t w2 = 'e';
    const std::uint32_t check = ReferenceMixWord(key, w2 ^ ReferenceMixWord(key, w1 ^ iv));
    const std::uint32_t codedCheck = ReferenceMixWord(key, iv) ^ check;
    const std::uint32_t codedW1 = ReferenceMixWord(key, codedCheck) ^ w1;
    const std::uint32_t codedW2 = ReferenceMixWord(key, codedW1) ^ w2;
    EXPECT_EQ(WordFromHex(coded, 0), iv);
    EXPECT_EQ(WordFromHex(coded, 4), codedCheck);
    EXPECT_EQ(WordFromHex(coded, 8), codedW1);
    EXPECT_EQ(std::stoul(coded.substr(24, 2), nullptr, 16), codedW2 & 0xFF);
}

TEST(PasswordCoder, OutputIsUpperCaseHex) {
    for (char c : Encode("some password 123"))
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(c)) || (c >= 'A' && c <= 'F')) << c;
}

TEST(PasswordCoder, EqualPasswordsGiveEqualCodes) {
    EXPECT_EQ(Encode("secret"), Encode("secret"));
    EXPECT_NE(Encode("secret"), Encode("secreT"));
    EXPECT_NE(Encode("secret"), Encode("secret "));
}

TEST(PasswordCoder, LowerCaseDigitsReadTheSame) {
    std::string coded = Encode("Passw0rd");
    for (char& c : coded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(Decode(coded), "Passw0rd");
}

TEST(PasswordCoder, WrongKeyGivesWrongTextWithoutError) {
    const std::string coded = Encode("secret");
    const std::string wrong = DecodePassword(kPasswordCoderKey + 1, coded);
    EXPECT_EQ(wrong.size(), 6u);
    EXPECT_NE(wrong, "secret");
}

TEST(PasswordCoder, RandomPasswordsUpToTheLimitRoundTrip) {
    std::mt19937 rng(20261209);
    std::vector<std::size_t> lengths = {0, 1, 2, 3, 4, 5, 7, 8, 9, 255, 1021, 4087, kMaxPasswordBytes};
    for (int i = 0; i < 40; ++i) lengths.push_back(rng() % (kMaxPasswordBytes + 1));
    for (std::size_t len : lengths) {
        std::string text(len, '\0');
        for (char& c : text) c = static_cast<char>(rng() & 0xFF);  // any byte, NUL included
        const std::string coded = Encode(text);
        ASSERT_EQ(coded.size(), 2 * len + 16) << len;
        ASSERT_EQ(Decode(coded), text) << len;
    }
}

struct EmptyCase {
    const char* name;
    std::string coded;
};

class ShortOrOddCodes : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(ShortOrOddCodes, ReadAsEmptyPassword) { EXPECT_EQ(Decode(GetParam().coded), ""); }

INSTANTIATE_TEST_SUITE_P(Coder, ShortOrOddCodes,
                         ::testing::Values(EmptyCase{"Empty", ""}, EmptyCase{"Fifteen", "0123456789ABCDE"},
                                           EmptyCase{"FifteenNonHex", "zzzzzzzzzzzzzzz"},
                                           EmptyCase{"Seventeen", "0123456789ABCDEF0"},
                                           EmptyCase{"OddLongerValid", Encode("abc").substr(1)}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::string coded;
    const char* messagePart;
};

class RefusedCodes : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedCodes, RaiseClearError) {
    const auto& c = GetParam();
    try {
        Decode(c.coded);
        FAIL() << "accepted " << c.coded.substr(0, 40);
    } catch (const EPasswordCodeError& e) {
        EXPECT_NE(std::string(e.what()).find(c.messagePart), std::string::npos) << e.what();
    }
}

std::string WithCharAt(std::string s, std::size_t pos, char c) {
    s[pos] = c;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Coder, RefusedCodes,
    ::testing::Values(RefusedCase{"LetterG", WithCharAt(Encode("abcd"), 10, 'G'), "'G' at position 11"},
                      RefusedCase{"BlankInIv", WithCharAt(Encode(""), 0, ' '), "' ' at position 1"},
                      RefusedCase{"SignInText", WithCharAt(Encode("xy"), 17, '-'), "'-' at position 18"},
                      RefusedCase{"HighByte", WithCharAt(Encode("xy"), 19, '\xC3'), "byte 0xC3 at position 20"},
                      RefusedCase{"TooLong", std::string(kMaxCodedPasswordChars + 2, 'A'), "at most 8192"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PasswordCoder, LongestCodedValueIsAccepted) {
    EXPECT_EQ(Decode(std::string(kMaxCodedPasswordChars, '0')).size(), kMaxPasswordBytes);
}

TEST(PasswordCoder, PasswordOverTheLimitIsRefused) {
    EXPECT_TRUE(PasswordFitsCoder(std::string(kMaxPasswordBytes, 'x')));
    EXPECT_FALSE(PasswordFitsCoder(std::string(kMaxPasswordBytes + 1, 'x')));
    EXPECT_THROW(Encode(std::string(kMaxPasswordBytes + 1, 'x')), EPasswordCodeError);
}

}  // namespace
}  // namespace varnok
