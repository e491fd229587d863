#include "connections/PasswordCoder.h"

#include <algorithm>
#include <array>
#include <vector>

namespace varnok {
namespace {

// Forward substitution box of the Advanced Encryption Standard (FIPS-197).
constexpr std::array<std::uint8_t, 256> kSBox = {
    0x63, 0x7c, 0x77, 0x7b, 0xf2, 0x6b, 0x6f, 0xc5, 0x30, 0x01, 0x67, 0x2b, 0xfe, 0xd7, 0xab, 0x76,
    0xca, 0x82, 0xc9, 0x7d, 0xfa, 0x59, 0x47, 0xf0, 0xad, 0xd4, 0xa2, 0xaf, 0x9c, 0xa4, 0x72, 0xc0,
    0xb7, 0xfd, 0x93, 0x26, 0x36, 0x3f, 0xf7, 0xcc, 0x34, 0xa5, 0xe5, 0xf1, 0x71, 0xd8, 0x31, 0x15,
    0x04, 0xc7, 0x23, 0xc3, 0x18, 0x96, 0x05, 0x9a, 0x07, 0x12, 0x80, 0xe2, 0xeb, 0x27, 0xb2, 0x75,
    0x09, 0x83, 0x2c, 0x1a, 0x1b, 0x6e, 0x5a, 0xa0, 0x52, 0x3b, 0xd6, 0xb3, 0x29, 0xe3, 0x2f, 0x84,
    0x53, 0xd1, 0x00, 0xed, 0x20, 0xfc, 0xb1, 0x5b, 0x6a, 0xcb, 0xbe, 0x39, 0x4a, 0x4c, 0x58, 0xcf,
    0xd0, 0xef, 0xaa, 0xfb, 0x43, 0x4d, 0x33, 0x85, 0x45, 0xf9, 0x02, 0x7f, 0x50, 0x3c, 0x9f, 0xa8,
    0x51, 0xa3, 0x40, 0x8f, 0x92, 0x9d, 0x38, 0xf5, 0xbc, 0xb6, 0xda, 0x21, 0x10, 0xff, 0xf3, 0xd2,
    0xcd, 0x0c, 0x13, 0xec, 0x5f, 0x97, 0x44, 0x17, 0xc4, 0xa7, 0x7e, 0x3d, 0x64, 0x5d, 0x19, 0x73,
    0x60, 0x81, 0x4f, 0xdc, 0x22, 0x2a, 0x90, 0x88, 0x46, 0xee, 0xb8, 0x14, 0xde, 0x5e, 0x0b, 0xdb,
    0xe0, 0x32, 0x3a, 0x0a, 0x49, 0x06, 0x24, 0x5c, 0xc2, 0xd3, 0xac, 0x62, 0x91, 0x95, 0xe4, 0x79,
    0xe7, 0xc8, 0x37, 0x6d, 0x8d, 0xd5, 0x4e, 0xa9, 0x6c, 0x56, 0xf4, 0xea, 0x65, 0x7a, 0xae, 0x08,
    0xba, 0x78, 0x25, 0x2e, 0x1c, 0xa6, 0xb4, 0xc6, 0xe8, 0xdd, 0x74, 0x1f, 0x4b, 0xbd, 0x8b, 0x8a,
    0x70, 0x3e, 0xb5, 0x66, 0x48, 0x03, 0xf6, 0x0e, 0x61, 0x35, 0x57, 0xb9, 0x86, 0xc1, 0x1d, 0x9e,
    0xe1, 0xf8, 0x98, 0x11, 0x69, 0xd9, 0x8e, 0x94, 0x9b, 0x1e, 0x87, 0xe9, 0xce, 0x55, 0x28, 0xdf,
    0x8c, 0xa1, 0x89, 0x0d, 0xbf, 0xe6, 0x42, 0x68, 0x41, 0x99, 0x2d, 0x0f, 0xb0, 0x54, 0xbb, 0x16,
};

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::uint32_t SubstituteBytes(std::uint32_t x) {
    return static_cast<std::uint32_t>(kSBox[x & 0xFF]) | static_cast<std::uint32_t>(kSBox[(x >> 8) & 0xFF]) << 8 |
           static_cast<std::uint32_t>(kSBox[(x >> 16) & 0xFF]) << 16 |
           static_cast<std::uint32_t>(kSBox[(x >> 24) & 0xFF]) << 24;
}

// Text bytes as little-endian words, the last one padded with zero bytes.
std::vector<std::uint32_t> ToWords(std::string_view bytes) {
    std::vector<std::uint32_t> words((bytes.size() + 3) / 4, 0);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        words[i / 4] |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * (i % 4));
    return words;
}

void AppendHex(std::string& out, std::uint8_t b) {
    out += kHexDigits[b >> 4];
    out += kHexDigits[b & 0x0F];
}

void AppendWordHex(std::string& out, std::uint32_t w, std::size_t bytes = 4) {
    for (std::size_t i = 0; i < bytes; ++i) AppendHex(out, static_cast<std::uint8_t>(w >> (8 * i)));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PrintableChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F) return std::string("'") + c + "'";
    std::string s = "byte 0x";
    AppendHex(s, u);
    return s;
}

}  // namespace

std::uint32_t MixWord(std::uint32_t key, std::uint32_t x) {
    for (int round = 0; round < 8; ++round) {
        x = SubstituteBytes(x);
        x += key;
        x = (x << 3) | (x >> 29);
    }
    return x;
}

std::string EncodePassword(std::uint32_t key, std::uint32_t seed, std::string_view text) {
    if (!PasswordFitsCoder(text))
        throw EPasswordCodeError("The password is " + std::to_string(text.size()) +
                                 " bytes long; a saved password may have at most " +
                                 std::to_string(kMaxPasswordBytes) + " bytes.");
    std::vector<std::uint32_t> words = ToWords(text);
    const std::uint32_t iv = seed ^ kPasswordCoderMask;

    // The check word chains every text word through MixWord.
    std::uint32_t check = iv;
    for (std::uint32_t w : words) check = MixWord(key, w ^ check);

    // Cipher feedback over check word and text words.
    std::uint32_t p = iv;
    p = MixWord(key, p) ^ check;
    const std::uint32_t codedCheck = p;
    for (std::uint32_t& w : words) {
        p = MixWord(key, p) ^ w;
        w = p;
    }

    std::string out;
    out.reserve(16 + 2 * text.size());
    AppendWordHex(out, iv);
    AppendWordHex(out, codedCheck);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::size_t bytes = std::min<std::size_t>(4, text.size() - 4 * i);  // last word: text bytes only
        AppendWordHex(out, words[i], bytes);
    }
    return out;
}

std::string DecodePassword(std::uint32_t key, std::string_view coded) {
    if (coded.size() < 16 || coded.size() % 2 != 0) return {};
    if (coded.size() > kMaxCodedPasswordChars)
        throw EPasswordCodeError("The coded password has " + std::to_string(coded.size()) +
                                 " characters; at most " + std::to_string(kMaxCodedPasswordChars) +
                                 " are possible.");

    std::string bytes(coded.size() / 2, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int hi = HexValue(coded[2 * i]);
        const int lo = HexValue(coded[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            const std::size_t bad = hi < 0 ? 2 * i : 2 * i + 1;
            throw EPasswordCodeError("The coded password holds " + PrintableChar(coded[bad]) + " at position " +
                                     std::to_string(bad + 1) + ", which is not a hexadecimal digit.");
        }
        bytes[i] = static_cast<char>(hi << 4 | lo);
    }

    const std::size_t length = bytes.size() - 8;
    std::vector<std::uint32_t> words = ToWords(std::string_view(bytes).substr(8));

    // Feedback runs over the coded words. The check word is never compared,
    // so it needs no decoding: its coded form is simply the next p.
    std::uint32_t p = ToWords(std::string_view(bytes).substr(4, 4))[0];
    for (std::uint32_t& w : words) {
        const std::uint32_t codedWord = w;
        w = codedWord ^ MixWord(key, p);
        p = codedWord;
    }

    std::string out(length, '\0');
    for (std::size_t i = 0; i < length; ++i) out[i] = static_cast<char>(words[i / 4] >> (8 * (i % 4)));
    return out;
}

}  // namespace varnok
