#include "shell/IniFile.h"

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace varnok {

namespace {

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Section and key names match without regard to (ASCII) letter case.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    const auto first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

// A name or value that would change the file's line structure is refused
// rather than written: it would come back as a different file.
void CheckWritable(const std::string& section, const std::string& key, const std::string& value) {
    if (section.empty() || Trim(section) != section || HasLineBreak(section) ||
        section.find(']') != std::string::npos)
        throw std::invalid_argument("Invalid settings section name [" + section + "]");
    if (key.empty() || Trim(key) != key || HasLineBreak(key) || key.find('=') != std::string::npos ||
        key.front() == '[')
        throw std::invalid_argument("Invalid settings key name [" + key + "] in section [" + section + "]");
    if (HasLineBreak(value))
        throw std::invalid_argument("Settings value " + section + "/" + key + " holds a line break");
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Closes the descriptor when the scope ends unless it was closed explicitly.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// Removes the temporary file unless it was renamed into place.
class TTempFileGuard {
public:
    explicit TTempFileGuard(std::string path) : path_(std::move(path)) {}
    ~TTempFileGuard() {
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TTempFileGuard(const TTempFileGuard&) = delete;
    TTempFileGuard& operator=(const TTempFileGuard&) = delete;
    void Release() { path_.clear(); }

private:
    std::string path_;
};

bool WriteAll(int fd, const std::string& text) {
    const char* p = text.data();
    size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// A settings file reached through a symbolic link is replaced at the link's
// target, so the link survives the save.
std::string ResolveTarget(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec)) return path;
    const auto resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved.string();
}

} // namespace

EIniWriteError::EIniWriteError(const std::string& path) : std::runtime_error("Unable to write to " + path) {}

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {
    std::ifstream in(path_, std::ios::binary);
    if (!in) return;
    std::ostringstream text;
    text << in.rdbuf();
    LoadFromText(text.str());
}

void TIniFile::LoadFromText(const std::string& text) {
    sections_.clear();
    size_t pos = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3; // UTF-8 byte-order mark
    Section* current = nullptr;
    while (pos < text.size()) {
        auto end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();

        const std::string trimmed = Trim(line);
        if (trimmed.empty()) continue;
        if (trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            if (close == std::string::npos) continue; // not a section line, not a value: ignored
            const std::string name = Trim(trimmed.substr(1, close - 1));
            current = FindSection(name); // a repeated section continues the first one
            if (current == nullptr) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        const auto eq = line.find('=');
        if (current == nullptr || eq == std::string::npos) continue; // no section yet, or no value
        const std::string key = Trim(line.substr(0, eq));
        if (key.empty()) continue;
        bool known = false;
        for (const auto& e : current->entries)
            if (SameName(e.key, key)) known = true;
        if (!known) current->entries.push_back(Entry{key, line.substr(eq + 1)}); // first duplicate wins
    }
}

std::string TIniFile::ToText() const {
    std::string out;
    for (const auto& s : sections_) {
        out += '[';
        out += s.name;
        out += "]\n";
        for (const auto& e : s.entries) {
            out += e.key;
            out += '=';
            out += e.value;
            out += '\n';
        }
    }
    return out;
}

TIniFile::Section* TIniFile::FindSection(const std::string& name) {
    for (auto& s : sections_)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

const TIniFile::Section* TIniFile::FindSection(const std::string& name) const {
    for (const auto& s : sections_)
        if (SameName(s.name, name)) return &s;
    return nullptr;
}

bool TIniFile::SectionExists(const std::string& section) const {
    return FindSection(section) != nullptr;
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    if (s == nullptr) return false;
    for (const auto& e : s->entries)
        if (SameName(e.key, key)) return true;
    return false;
}

std::vector<std::string> TIniFile::ReadSections() const {
    std::vector<std::string> names;
    names.reserve(sections_.size());
    for (const auto& s : sections_)
        names.push_back(s.name);
    return names;
}

std::vector<std::string> TIniFile::ReadSectionKeys(const std::string& section) const {
    std::vector<std::string> keys;
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries)
            keys.push_back(e.key);
    return keys;
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& def) const {
    if (const Section* s = FindSection(section))
        for (const auto& e : s->entries)
            if (SameName(e.key, key)) return e.value;
    return def;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    CheckWritable(section, key, value);
    Section* s = FindSection(section);
    if (s == nullptr) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& e : s->entries) {
        if (SameName(e.key, key)) {
            e.value = value;
            return;
        }
    }
    s->entries.push_back(Entry{key, value});
}

void TIniFile::EraseSection(const std::string& section) {
    std::erase_if(sections_, [&](const Section& s) { return SameName(s.name, section); });
}

void TIniFile::Clear() {
    sections_.clear();
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int def) const {
    int value = 0;
    return ParseIniInteger(ReadString(section, key, std::string()), value) ? value : def;
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool def) const {
    int value = 0;
    return ParseIniInteger(ReadString(section, key, std::string()), value) ? value != 0 : def;
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::Save() const {
    SaveAs(path_);
}

std::string TIniFile::TempPathFor(const std::string& path) {
    return path + ".tmp";
}

void TIniFile::SaveAs(const std::string& path) const {
    if (path.empty()) throw EIniWriteError(path);
    const std::string target = ResolveTarget(path);
    const std::string temp = TempPathFor(target);
    const std::string text = ToText();

    // Keep the permissions of the file being replaced (a private settings file stays private).
    struct stat old {};
    const bool hadFile = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);

    TFileDescriptor fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
    if (fd.Get() < 0) throw EIniWriteError(path); // nothing of ours to clean up
    TTempFileGuard guard(temp);
    if (hadFile) (void)::fchmod(fd.Get(), old.st_mode & 07777);
    if (!WriteAll(fd.Get(), text) || ::fsync(fd.Get()) != 0 || !fd.Close()) throw EIniWriteError(path);
    if (::rename(temp.c_str(), target.c_str()) != 0) throw EIniWriteError(path);
    guard.Release();

    // Make the rename itself durable; a failure here no longer endangers the old file.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    TFileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) (void)::fsync(dir.Get());
}

bool ParseIniInteger(const std::string& text, int& out) {
    const std::string s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    bool hex = false;
    if (i < s.size() && s[i] == '$') {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i >= s.size()) return false;

    if (hex) {
        // Up to 32 bits; "$FFFFFFFF" is -1 as the toolkit reads it.
        if (s.size() - i > 8) return false;
        uint32_t v = 0;
        for (; i < s.size(); ++i) {
            const int d = HexDigit(s[i]);
            if (d < 0) return false;
            v = (v << 4) | static_cast<uint32_t>(d);
        }
        const auto value = static_cast<int32_t>(v);
        out = negative ? static_cast<int>(0u - v) : value;
        return true;
    }
    int64_t v = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = v * 10 + (s[i] - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace varnok
