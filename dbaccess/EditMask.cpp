#include "dbaccess/EditMask.h"

#include <cctype>
#include <vector>

namespace varnok {

namespace {

enum class TCase { none, upper, lower };

struct TMaskPlace {
    bool input = false;
    char ch = ' ';   // the literal, or the input kind (L l A a C c 0 9 #)
    TCase letterCase = TCase::none;
};

struct TMask {
    std::vector<TMaskPlace> places;
    bool saveLiterals = true;
    bool leadingBlanks = false;
};

bool IsInputKind(char c) {
    switch (c) {
    case 'L': case 'l': case 'A': case 'a': case 'C': case 'c': case '0': case '9': case '#': return true;
    default: return false;
    }
}

// The ";"-separated sections; "\;" belongs to the pattern.
std::vector<std::string_view> Sections(std::string_view mask) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        if (mask[i] == '\\') {
            ++i;
        } else if (mask[i] == ';') {
            out.push_back(mask.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(mask.substr(start));
    return out;
}

TMask Parse(std::string_view text) {
    TMask mask;
    const std::vector<std::string_view> sections = Sections(text);
    if (sections.size() > 1 && sections[1] == "0") mask.saveLiterals = false;
    const std::string_view pattern = sections[0];
    TCase letterCase = TCase::none;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool pair = i + 1 < pattern.size() && ((c == '<' && pattern[i + 1] == '>') || (c == '>' && pattern[i + 1] == '<'));
        if (pair) {
            letterCase = TCase::none;
            ++i;
        } else if (c == '>') {
            letterCase = TCase::upper;
        } else if (c == '<') {
            letterCase = TCase::lower;
        } else if (c == '!') {
            mask.leadingBlanks = true;
        } else if (c == '\\') {
            if (++i < pattern.size()) mask.places.push_back({false, pattern[i], TCase::none});
        } else if (IsInputKind(c)) {
            mask.places.push_back({true, c, letterCase});
        } else {
            mask.places.push_back({false, c == '_' ? ' ' : c, TCase::none});
        }
    }
    return mask;
}

// Whether c may stand in an input place (a blank: an unfilled place).
bool Fits(const TMaskPlace& place, char c) {
    const auto u = static_cast<unsigned char>(c);
    if (c == ' ') return true;
    switch (place.ch) {
    case 'L': case 'l': return std::isalpha(u) != 0 || u >= 0x80;   // letters beyond ASCII too
    case 'A': case 'a': return std::isalnum(u) != 0 || u >= 0x80;
    case '0': case '9': return std::isdigit(u) != 0;
    case '#': return std::isdigit(u) != 0 || c == '+' || c == '-';
    default: return true;
    }
}

char Cased(const TMaskPlace& place, char c) {
    const auto u = static_cast<unsigned char>(c);
    switch (place.letterCase) {
    case TCase::upper: return static_cast<char>(std::toupper(u));
    case TCase::lower: return static_cast<char>(std::tolower(u));
    case TCase::none: break;
    }
    return c;
}

// The characters of the input places when text has the pattern's full layout
// (a character for every place, the literals where they belong); false otherwise.
bool InputsOf(const TMask& mask, std::string_view text, std::string& inputs) {
    if (text.size() != mask.places.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const TMaskPlace& place = mask.places[i];
        if (!place.input && text[i] != place.ch) return false;
        if (place.input && !Fits(place, text[i])) return false;
        if (place.input) inputs += Cased(place, text[i]);
    }
    return true;
}

}  // namespace

std::string MaskedEditText(std::string_view maskText, std::string_view value) {
    const TMask mask = Parse(maskText);
    std::size_t inputPlaces = 0;
    for (const TMaskPlace& place : mask.places) inputPlaces += place.input ? 1 : 0;
    if (inputPlaces == 0) return std::string(value);

    // The value's characters in input order, blanks for unfilled places.
    std::string inputs;
    if (mask.saveLiterals) {
        // The value holds the literals: it is the layout itself, perhaps cut short.
        if (value.size() > mask.places.size()) return std::string(value);
        std::string padded(value);
        for (std::size_t i = value.size(); i < mask.places.size(); ++i)
            padded += mask.places[i].input ? ' ' : mask.places[i].ch;
        if (!InputsOf(mask, padded, inputs)) return std::string(value);
    } else {
        if (value.size() > inputPlaces) return std::string(value);
        const std::string blanks(inputPlaces - value.size(), ' ');
        inputs = mask.leadingBlanks ? blanks + std::string(value) : std::string(value) + blanks;
    }
    std::string out;
    std::size_t next = 0;
    for (const TMaskPlace& place : mask.places) {
        if (!place.input) {
            out += place.ch;
            continue;
        }
        const char c = inputs[next++];
        if (!Fits(place, c)) return std::string(value);
        out += Cased(place, c);
    }
    return out;
}

std::string UnmaskedEditText(std::string_view maskText, std::string_view text) {
    const TMask mask = Parse(maskText);
    std::string inputs;
    if (mask.saveLiterals || !InputsOf(mask, text, inputs)) return std::string(text);
    // Unfilled places are blanks: none of them is part of the value.
    const std::size_t first = inputs.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return inputs.substr(first, inputs.find_last_not_of(' ') - first + 1);
}

}  // namespace varnok
