#pragma once
// The coder that keeps a saved connection's password from standing in the
// settings file as plain text. It is an obfuscation, not encryption: key,
// seed and mask are fixed, so the same password always gives the same code.
//
// Coded form: upper-case hexadecimal of a byte string of little-endian
// 32-bit words — the IV (seed XOR mask), the coded check word, then the L
// coded password bytes — 2 * L + 16 digits in all.
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace varnok {

// The one key every saved connection is coded with (reading and writing).
inline constexpr std::uint32_t kPasswordCoderKey = 583921;
// Seed the settings writer passes to the coder; the same for every connection.
inline constexpr std::uint32_t kPasswordCoderSeed = 0x5EED1F0Bu;
// Mask of the coder; the IV of a coding is seed XOR mask. Both are fixed for
// good: changing either would make every stored password read back wrong.
inline constexpr std::uint32_t kPasswordCoderMask = 0xA5C3963Cu;

// The coder works on 1024 words: IV, check word and up to 1022 text words.
inline constexpr std::size_t kMaxPasswordBytes = 4088;
inline constexpr std::size_t kMaxCodedPasswordChars = 8192;

// A text the coder refuses: a password longer than kMaxPasswordBytes, or a
// coded value longer than kMaxCodedPasswordChars or holding a pair that is
// not two hexadecimal digits.
class EPasswordCodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// 8 rounds of: AES S-box on each byte (in place), add key, rotate left by 3.
std::uint32_t MixWord(std::uint32_t key, std::uint32_t x);

// True when EncodePassword accepts the text (the edit window checks first).
inline bool PasswordFitsCoder(std::string_view text) { return text.size() <= kMaxPasswordBytes; }

// Codes text; throws EPasswordCodeError for a password over kMaxPasswordBytes.
std::string EncodePassword(std::uint32_t key, std::uint32_t seed, std::string_view text);

// Decodes a coded value. Fewer than 16 characters or an odd count gives the
// empty text (a value the coder never wrote, read as "no password"). Throws
// EPasswordCodeError for more than kMaxCodedPasswordChars characters or for a
// character that is not a hexadecimal digit (upper or lower case): such a
// value is damaged, and guessing a password from it would be worse than saying so.
// The check word is decoded but not compared: a wrong key gives a wrong text.
std::string DecodePassword(std::uint32_t key, std::string_view coded);

}  // namespace varnok
