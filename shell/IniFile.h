#pragma once
// The settings file: an INI text held in memory and written back in one piece.
//
// Sections and keys are matched without regard to letter case and listed in
// file order; of two keys with the same name the first wins; a missing key
// yields the caller's default. Values are single lines of any length (no
// truncation). Save() builds the whole text and replaces the file atomically
// (temporary file in the same folder, flush, rename): a failure leaves the old
// file untouched and throws EIniWriteError "Unable to write to <path>".
// Files are UTF-8.
#include <stdexcept>
#include <string>
#include <vector>

namespace varnok {

class EIniWriteError : public std::runtime_error {
public:
    explicit EIniWriteError(const std::string& path);
};

class TIniFile {
public:
    TIniFile() = default;
    // Loads the file when it exists; a missing or unreadable file reads as empty.
    explicit TIniFile(std::string path);

    const std::string& Path() const { return path_; }
    void SetPath(std::string path) { path_ = std::move(path); }
    void LoadFromText(const std::string& text); // replaces the contents
    std::string ToText() const;                 // "[Section]\nKey=Value\n" with LF line breaks

    // Raw access.
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> ReadSections() const;                              // file order
    std::vector<std::string> ReadSectionKeys(const std::string& section) const; // file order
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void EraseSection(const std::string& section);
    void Clear();

    // Typed values (the stored forms other windows rely on).
    // integer: decimal, or hexadecimal after "0x" or "$"; anything else yields def.
    int ReadInteger(const std::string& section, const std::string& key, int def) const;
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // boolean: any integer other than 0 is true; non-integer text yields def. Written "1"/"0".
    bool ReadBool(const std::string& section, const std::string& key, bool def) const;
    void WriteBool(const std::string& section, const std::string& key, bool value);

    // Writes the whole file atomically; throws EIniWriteError on any failure.
    void Save() const;
    void SaveAs(const std::string& path) const;
    // The temporary file Save writes before it renames it over path.
    static std::string TempPathFor(const std::string& path);

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    Section* FindSection(const std::string& name);
    const Section* FindSection(const std::string& name) const;

    std::string path_;
    std::vector<Section> sections_;
};

// Parses the integer forms above; false when the text is not an integer.
bool ParseIniInteger(const std::string& text, int& out);

} // namespace varnok
