#include "execution/SplitScript.h"

#include <array>
#include <cstring>

namespace varnok {
namespace {

// Byte classes of the scanner. Everything not listed is passed over.
enum TByteClass : std::uint8_t {
    kPass = 0,
    kLetter,       // A-Z, a-z: a word begins
    kQuote,        // " or ': quoted text
    kBrace,        // {: comment up to }
    kHyphen,       // -: a comment when another - follows
    kSlash,        // /: a comment when * follows
    kSemicolon,    // ;: ends a statement in state 8
};

constexpr std::array<std::uint8_t, 256> MakeClasses(bool lettersMatter) {
    std::array<std::uint8_t, 256> t{};
    if (lettersMatter) {
        for (int c = 'A'; c <= 'Z'; ++c) t[c] = kLetter;
        for (int c = 'a'; c <= 'z'; ++c) t[c] = kLetter;
    }
    t['"'] = kQuote;
    t['\''] = kQuote;
    t['{'] = kBrace;
    t['-'] = kHyphen;
    t['/'] = kSlash;
    t[';'] = kSemicolon;
    return t;
}

// In state 8 words are not examined, and word characters are never special,
// so that state uses a table without letters and skips them as plain bytes.
constexpr auto kClasses = MakeClasses(true);
constexpr auto kClassesInStatement = MakeClasses(false);

constexpr std::array<bool, 256> MakeWordChars() {
    std::array<bool, 256> t{};
    for (int c = 'A'; c <= 'Z'; ++c) t[c] = true;
    for (int c = 'a'; c <= 'z'; ++c) t[c] = true;
    for (int c = '0'; c <= '9'; ++c) t[c] = true;
    t['_'] = true;
    return t;
}
constexpr auto kWordChars = MakeWordChars();

// Compares a scanned word with a lower-case keyword by ASCII rules.
bool WordIs(std::string_view word, std::string_view lowerKeyword) {
    if (word.size() != lowerKeyword.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        char c = word[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lowerKeyword[i]) return false;
    }
    return true;
}

// Position just past the next `what` at or after p, or end when there is none
// (an unclosed quote or comment runs to the end of the script).
const char* PastNext(const char* p, const char* end, char what) {
    const void* hit = std::memchr(p, what, static_cast<std::size_t>(end - p));
    return hit ? static_cast<const char*>(hit) + 1 : end;
}

const char* PastLineEnd(const char* p, const char* end) {
    while (p < end && *p != '\r' && *p != '\n') ++p;
    return p < end ? p + 1 : end;
}

// Position just past the next "*/" at or after p, or end.
const char* PastBlockCommentEnd(const char* p, const char* end) {
    while (p < end) {
        const void* star = std::memchr(p, '*', static_cast<std::size_t>(end - p));
        if (!star) return end;
        const char* s = static_cast<const char*>(star);
        if (s + 1 < end && s[1] == '/') return s + 2;
        p = s + 1;
    }
    return end;
}

}  // namespace

TSplitState NextSplitState(TSplitState state, std::string_view word) {
    using S = TSplitState;
    switch (state) {
    case S::Idle:
        return WordIs(word, "create") ? S::Create : S::Statement;
    case S::Create:
        if (WordIs(word, "function")) return S::Function;
        if (WordIs(word, "procedure")) return S::Procedure;
        if (WordIs(word, "dba")) return S::CreateDba;
        return S::Statement;
    case S::CreateDba:
        if (WordIs(word, "function")) return S::Function;
        if (WordIs(word, "procedure")) return S::Procedure;
        return S::Statement;
    case S::Procedure:
        if (WordIs(word, "external")) return S::External;
        if (WordIs(word, "end")) return S::ProcedureEnd;
        return S::Procedure;
    case S::Function:
        if (WordIs(word, "external")) return S::External;
        if (WordIs(word, "end")) return S::FunctionEnd;
        return S::Function;
    case S::External:
        return WordIs(word, "name") ? S::Statement : S::External;
    case S::ProcedureEnd:
        // END IF, END FOR, ... return to the body; END END stays here.
        if (WordIs(word, "procedure")) return S::Statement;
        if (WordIs(word, "end")) return S::ProcedureEnd;
        return S::Procedure;
    case S::FunctionEnd:
        if (WordIs(word, "function")) return S::Statement;
        if (WordIs(word, "end")) return S::FunctionEnd;
        return S::Function;
    case S::Statement:
        return S::Statement;
    }
    return state;
}

bool SplitScript(std::string_view script, const TStatementSink& sink) {
    const char* const begin = script.data();
    const char* const end = begin + script.size();
    const char* p = begin;
    const char* start = begin;  // start of the current statement
    TSplitState state = TSplitState::Idle;

    while (p < end) {
        const auto& classes = state == TSplitState::Statement ? kClassesInStatement : kClasses;
        // Fast path: run over bytes that mean nothing in this state.
        while (p < end && classes[static_cast<unsigned char>(*p)] == kPass) ++p;
        if (p >= end) break;

        const unsigned char c = static_cast<unsigned char>(*p);
        switch (classes[c]) {
        case kQuote:
            // No escape convention: a doubled quote closes and reopens.
            p = PastNext(p + 1, end, static_cast<char>(c));
            break;
        case kBrace:
            p = PastNext(p + 1, end, '}');
            break;
        case kHyphen:
            p = (p + 1 < end && p[1] == '-') ? PastLineEnd(p + 2, end) : p + 1;
            break;
        case kSlash:
            p = (p + 1 < end && p[1] == '*') ? PastBlockCommentEnd(p + 2, end) : p + 1;
            break;
        case kSemicolon:
            ++p;
            if (state == TSplitState::Statement) {
                const auto text = std::string_view(start, static_cast<std::size_t>(p - start));
                const auto index = static_cast<std::size_t>(start - begin) + 1;
                if (sink(text, index) == TSplitAction::Stop) return false;
                state = TSplitState::Idle;
                start = p;
            }
            break;
        case kLetter: {
            const char* word = p++;
            while (p < end && kWordChars[static_cast<unsigned char>(*p)]) ++p;
            state = NextSplitState(state, std::string_view(word, static_cast<std::size_t>(p - word)));
            break;
        }
        default:
            ++p;
            break;
        }
    }

    if (state != TSplitState::Idle) {
        const auto text = std::string_view(start, static_cast<std::size_t>(end - start));
        if (sink(text, static_cast<std::size_t>(start - begin) + 1) == TSplitAction::Stop) return false;
    }
    return true;
}

std::vector<TScriptStatement> SplitScriptToList(std::string_view script) {
    std::vector<TScriptStatement> out;
    SplitScript(script, [&out](std::string_view text, std::size_t startIndex) {
        out.push_back({text, startIndex});
        return TSplitAction::Continue;
    });
    return out;
}

}  // namespace varnok
