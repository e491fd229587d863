#include "shell/CommandNameList.h"

#include <algorithm>
#include <cctype>

namespace varnok {

namespace {

// Blanks and control characters separate entries, as spaces do.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// A quoted entry from the opening quote at text[pos]; pos ends after the
// closing quote, or at the end when the quote is never closed.
std::string QuotedEntry(std::string_view text, size_t& pos) {
    std::string entry;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            if (pos + 1 < text.size() && text[pos + 1] == kQuote) {
                entry += kQuote;
                pos += 2;
                continue;
            }
            ++pos;
            return entry;
        }
        entry += text[pos++];
    }
    return entry;
}

} // namespace

const std::vector<std::string>& MainCommandNames() {
    static const std::vector<std::string> names = {
        "acAddPage",          "acOpenFile",           "acSaveFile",
        "acUndo",             "acRedo",               "acErase",
        "acDeletePage",       "acExecute",            "acExecuteSelected",
        "acExecuteAllOrSelected", "acCheckSyntax",    "acCheckSyntaxSelected",
        "acCheckSyntaxAllOrSelected", "acInterruptSQL", "acCopyToClipboard",
        "acCutToClipboard",   "acPasteFromClipboard", "acSelectAll",
        "acDeleteSelected",   "acRenamePage",         "acPageAtLeft",
        "acPageAtRight",      "acPageAtTop",          "acPageAtBottom",
        "acPasteField",       "acPasteFieldComma",    "acPasteTable",
        "acPasteTableComma",  "acAddTab",             "acDeleteActiveTab",
        "acAddButt",          "acRenameActiveTab",    "acSearch",
        "acSearchNext",       "acSearchPrev",         "acSearchReplace",
        "acEditorFontBigger", "acEditorFontSmaller",  kSeparatorCommand,
        "acUpperCase",        "acLowerCase",          "acCapitalCase",
        "acInversCase",       "acAddQuot",            "acDeleteQuot",
        "acGetTableNames",
    };
    return names;
}

std::optional<std::string> FindMainCommandName(std::string_view entry) {
    for (const std::string& name : MainCommandNames())
        if (SameLetters(name, entry)) return name;
    return std::nullopt;
}

std::vector<std::string> SplitCommandNameList(std::string_view text) {
    // Stop at a NUL as the text would in the file.
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) text = text.substr(0, nul);
    std::vector<std::string> entries;
    size_t pos = 0;
    const auto skipBlanks = [&] {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
    };
    skipBlanks();
    while (pos < text.size()) {
        if (text[pos] == kQuote) {
            entries.push_back(QuotedEntry(text, pos));
        } else {
            const size_t start = pos;
            while (pos < text.size() && !IsBlank(text[pos]) && text[pos] != kDelimiter)
                ++pos;
            entries.emplace_back(text.substr(start, pos - start));
        }
        skipBlanks();
        if (pos < text.size() && text[pos] == kDelimiter) {
            // A comma at the very end still closes an (empty) entry.
            if (pos + 1 == text.size()) entries.emplace_back();
            ++pos;
            skipBlanks();
        }
    }
    return entries;
}

std::vector<std::string> ParseToolBarButtons(std::string_view text) {
    std::vector<std::string> names;
    for (const std::string& entry : SplitCommandNameList(text))
        if (auto name = FindMainCommandName(entry)) names.push_back(std::move(*name));
    return names;
}

std::string WriteCommandNameList(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + ",";
    return text;
}

} // namespace varnok
