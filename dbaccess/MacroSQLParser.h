#pragma once
// One pass over SQL text that turns it into TMacroSQLElements: literal text
// (quoted text and comments included), parameter and macro references, and
// the directives #if/#elseif/#else/#endif/#error with their conditions.
// Lines and columns count from 1: a line feed starts a new line at column 1,
// a carriage return does not move the column, every other character does.
// Errors raise EMacroSQLError with the line and column where they were found.
#include <string>
#include <string_view>

#include "dbaccess/MacroSQLElements.h"

namespace varnok {

class TMacroSQLParser {
public:
    TMacroSQLParser(std::string_view text, char paramChar, char macroChar);
    TMacroSQLElements Parse();

private:
    // Where a list of elements may end: the top level ends only at the end of
    // the text, an #if branch also at #elseif/#else/#endif, an #else branch
    // only at #endif.
    enum class TListKind { TopLevel, IfBranch, ElseBranch };
    enum class TListEnd { EndOfText, ElseIf, Else, EndIf };

    TListEnd ParseList(TMacroSQLElements& into, TListKind kind);
    TMacroSQLElementPtr ParseConditional();
    bool ParseDirective(TMacroSQLElements& into, TListKind kind, TListEnd& end);

    TMacroSQLLogicalExpressionPtr ParseOr();
    TMacroSQLLogicalExpressionPtr ParseAnd();
    TMacroSQLLogicalExpressionPtr ParseNot();
    TMacroSQLLogicalExpressionPtr ParseComparison();
    TMacroSQLLogicalIdentifier ParseIdentifier();

    // Scanning primitives.
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    void Advance(size_t count = 1);
    void ScanQuoted(std::string& into);      // a quoted run, quotes kept
    void ScanToLineEnd(std::string& into);   // up to (not including) the line feed
    void ScanBlockComment(std::string& into);
    bool ScanName(std::string& name);        // quoted (quotes removed) or a run of name characters
    std::string_view PeekWord() const;       // the run of name characters at the current place
    void SkipBlanks();                       // blanks, tabs and line breaks between tokens
    void SkipLineEnd();                      // blanks, tabs, CRs and one line feed
    void FlushText(TMacroSQLElements& into);
    [[noreturn]] void Fail(const std::string& message) const;
    [[noreturn]] void FailAt(const std::string& message, int line, int column) const;

    // Conditions and directives nest by recursion; a text nested deeper than
    // this is refused with an error instead of exhausting the stack.
    static constexpr int kMaxNesting = 1000;
    class TNestingGuard {
    public:
        explicit TNestingGuard(TMacroSQLParser& parser);
        ~TNestingGuard() { --parser_.depth_; }
        TNestingGuard(const TNestingGuard&) = delete;
        TNestingGuard& operator=(const TNestingGuard&) = delete;

    private:
        TMacroSQLParser& parser_;
    };

    std::string_view text_;
    char paramChar_;
    char macroChar_;
    size_t pos_ = 0;
    int line_ = 1;
    int column_ = 1;
    int depth_ = 0;
    std::string pending_;  // literal text not yet added as an element
};

}  // namespace varnok
