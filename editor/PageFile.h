#pragma once
// Page text files: the text of one editor page on disk.
//
// A page file holds the editor text with CR LF line breaks. The encoding a
// text was read in is remembered and used again when it is written back, so a
// file that came with a UTF-16 byte-order mark stays UTF-16 (little-endian,
// with the mark) and a UTF-8 file stays UTF-8. Bytes that are not UTF-8 are
// read one byte per character (Latin-1) and written back as the same bytes,
// so such a file is never silently damaged by a load and save.
#include <stdexcept>
#include <string>

namespace varnok {

enum class TTextEncoding {
    Utf8,    // 8-bit text, the system's encoding (no byte-order mark)
    Utf8Bom, // UTF-8 that began with the UTF-8 mark: written back with it
    Utf16LE, // began with a UTF-16 mark (either order): written as UTF-16LE with the mark
    Latin1,  // not valid UTF-8: one byte per character, written back byte for byte
};

struct TPageText {
    std::string text; // UTF-8
    TTextEncoding encoding = TTextEncoding::Utf8;
};

// A failed read or write; the message names the file.
class ETextFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "sql" + n + "____.$$$" inside the settings folder (which ends with "/").
std::string PageFileName(const std::string& settingsFolder, int pageNumber);

// Decoding and encoding of file contents (no file access).
TPageText DecodeTextBytes(const std::string& bytes);
// Every line break (CR LF, lone CR, lone LF) becomes CR LF; nothing is added
// after the last line. A Latin-1 text holding characters beyond U+00FF cannot
// be written as Latin-1 and is written as UTF-8 instead.
std::string EncodeTextBytes(const std::string& utf8Text, TTextEncoding encoding);
std::string NormalizeLineBreaks(const std::string& text);

// File access. Writing replaces the file atomically: a failure leaves the
// previous file as it was. Both throw ETextFileError.
TPageText ReadTextFile(const std::string& path);
void WriteTextFile(const std::string& path, const std::string& utf8Text, TTextEncoding encoding);

} // namespace varnok
