#include "dbaccess/MacroSQLParser.h"

#include "dbaccess/IfxExceptions.h"

namespace varnok {

namespace {

bool IsQuote(char c) { return c == '"' || c == '\'' || c == '`'; }
bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TMacroSQLParser::TNestingGuard::TNestingGuard(TMacroSQLParser& parser) : parser_(parser) {
    if (++parser_.depth_ > kMaxNesting) {
        --parser_.depth_;
        parser_.Fail("Conditions are nested too deeply");
    }
}

TMacroSQLParser::TMacroSQLParser(std::string_view text, char paramChar, char macroChar)
    : text_(text), paramChar_(paramChar), macroChar_(macroChar) {}

TMacroSQLElements TMacroSQLParser::Parse() {
    TMacroSQLElements elements;
    elements.SetSourceText(std::string(text_));
    ParseList(elements, TListKind::TopLevel);
    return elements;
}

void TMacroSQLParser::Advance(size_t count) {
    for (size_t i = 0; i < count && pos_ < text_.size(); ++i, ++pos_) {
        const char c = text_[pos_];
        if (c == '\n') {
            ++line_;
            column_ = 1;
        } else if (c != '\r') {
            ++column_;
        }
    }
}

void TMacroSQLParser::FlushText(TMacroSQLElements& into) {
    if (pending_.empty()) return;
    into.Add(std::make_unique<TMacroSQLText>(std::move(pending_)));
    pending_.clear();
}

void TMacroSQLParser::Fail(const std::string& message) const { FailAt(message, line_, column_); }

void TMacroSQLParser::FailAt(const std::string& message, int line, int column) const {
    throw EMacroSQLError(message, line, column);
}

TMacroSQLParser::TListEnd TMacroSQLParser::ParseList(TMacroSQLElements& into, TListKind kind) {
    while (!AtEnd()) {
        const char c = Peek();
        if (IsQuote(c)) {
            ScanQuoted(pending_);
        } else if (c == '-' && Peek(1) == '-') {
            ScanToLineEnd(pending_);
        } else if (c == '/' && Peek(1) == '*') {
            ScanBlockComment(pending_);
        } else if (c == paramChar_ || c == macroChar_) {
            const bool isParam = c == paramChar_;
            if (Peek(1) == c) {  // doubled: one literal copy
                pending_ += c;
                Advance(2);
                continue;
            }
            const int line = line_;
            const int column = column_;
            Advance();
            std::string name;
            if (!ScanName(name)) {  // nothing to name: the character is plain text
                pending_ += c;
                continue;
            }
            FlushText(into);
            if (isParam)
                into.Add(std::make_unique<TMacroSQLParameter>(std::move(name)));
            else
                into.Add(std::make_unique<TMacroSQLMacro>(std::move(name), line, column));
        } else if (c == '#') {
            if (Peek(1) == '#') {
                pending_ += '#';
                Advance(2);
                continue;
            }
            TListEnd end = TListEnd::EndOfText;
            if (ParseDirective(into, kind, end)) return end;
        } else {
            pending_ += c;
            Advance();
        }
    }
    FlushText(into);
    return TListEnd::EndOfText;
}

// Handles the "#" at the current place. Returns true when the directive ends
// the current list (#elseif, #else, #endif), with end telling which.
bool TMacroSQLParser::ParseDirective(TMacroSQLElements& into, TListKind kind, TListEnd& end) {
    const int line = line_;
    const int column = column_;
    Advance();  // the "#"
    const std::string word = LowerText(PeekWord());
    if (word == "if") {
        Advance(word.size());
        FlushText(into);
        into.Add(ParseConditional());
        return false;
    }
    if (word == "error") {
        Advance(word.size());
        FlushText(into);
        std::string rest;
        ScanToLineEnd(rest);
        into.Add(std::make_unique<TMacroSQLError>(TrimText(rest), line, column));
        return false;
    }
    if (word == "elseif" || word == "else" || word == "endif") {
        const bool allowed = kind == TListKind::IfBranch || (kind == TListKind::ElseBranch && word == "endif");
        if (!allowed) FailAt("Unexpected directive", line, column);
        Advance(word.size());
        FlushText(into);
        end = word == "elseif" ? TListEnd::ElseIf : word == "else" ? TListEnd::Else : TListEnd::EndIf;
        return true;
    }
    // A "#" that starts no directive is dropped; what follows is ordinary text.
    return false;
}

TMacroSQLElementPtr TMacroSQLParser::ParseConditional() {
    const TNestingGuard guard(*this);
    SkipBlanks();
    if (Peek() != '(') Fail("'(' expected");
    Advance();
    TMacroSQLLogicalExpressionPtr condition = ParseOr();
    SkipBlanks();
    if (Peek() != ')') Fail("')' expected");
    Advance();
    SkipLineEnd();

    auto conditional = std::make_unique<TMacroSQLConditional>(std::move(condition));
    switch (ParseList(conditional->TrueBranch(), TListKind::IfBranch)) {
        case TListEnd::EndOfText:
            Fail("#endif directive expected");
        case TListEnd::EndIf:
            SkipLineEnd();
            break;
        case TListEnd::ElseIf:
            // The nested conditional consumes the #endif that closes the whole chain.
            conditional->SetElsePart(ParseConditional());
            break;
        case TListEnd::Else: {
            SkipLineEnd();
            auto elseList = std::make_unique<TMacroSQLElements>();
            if (ParseList(*elseList, TListKind::ElseBranch) != TListEnd::EndIf) Fail("#endif directive expected");
            SkipLineEnd();
            conditional->SetElsePart(std::move(elseList));
            break;
        }
    }
    return conditional;
}

TMacroSQLLogicalExpressionPtr TMacroSQLParser::ParseOr() {
    const TNestingGuard guard(*this);
    TMacroSQLLogicalExpressionPtr left = ParseAnd();
    SkipBlanks();
    if (SameText(PeekWord(), "or")) {
        Advance(2);
        return std::make_unique<TMacroSQLLogicalOR>(std::move(left), ParseOr());
    }
    return left;
}

TMacroSQLLogicalExpressionPtr TMacroSQLParser::ParseAnd() {
    const TNestingGuard guard(*this);
    TMacroSQLLogicalExpressionPtr left = ParseNot();
    SkipBlanks();
    if (SameText(PeekWord(), "and")) {
        Advance(3);
        return std::make_unique<TMacroSQLLogicalAND>(std::move(left), ParseAnd());
    }
    return left;
}

TMacroSQLLogicalExpressionPtr TMacroSQLParser::ParseNot() {
    const TNestingGuard guard(*this);
    SkipBlanks();
    if (Peek() == '(') {
        Advance();
        TMacroSQLLogicalExpressionPtr inner = ParseOr();
        SkipBlanks();
        if (Peek() != ')') Fail("')' expected");
        Advance();
        return inner;
    }
    if (SameText(PeekWord(), "not")) {
        Advance(3);
        return std::make_unique<TMacroSQLLogicalNOT>(ParseNot());
    }
    return ParseComparison();
}

TMacroSQLLogicalExpressionPtr TMacroSQLParser::ParseComparison() {
    TMacroSQLLogicalIdentifier left = ParseIdentifier();
    SkipBlanks();
    if (Peek() == '=') {
        Advance();
        return std::make_unique<TMacroSQLLogicalEQUAL>(std::move(left), ParseIdentifier());
    }
    if (Peek() == '<' && Peek(1) == '>') {
        Advance(2);
        return std::make_unique<TMacroSQLLogicalNOTEQUAL>(std::move(left), ParseIdentifier());
    }
    return std::make_unique<TMacroSQLLogicalExists>(std::move(left));
}

TMacroSQLLogicalIdentifier TMacroSQLParser::ParseIdentifier() {
    SkipBlanks();
    std::string name;
    if (!ScanName(name)) Fail("Identifier expected");
    return TMacroSQLLogicalIdentifier(std::move(name));
}

void TMacroSQLParser::ScanQuoted(std::string& into) {
    const char quote = Peek();
    into += quote;
    Advance();
    while (!AtEnd()) {
        const char c = Peek();
        into += c;
        Advance();
        if (c == quote) {
            if (Peek() != quote) return;  // the closing quote
            into += quote;                // a doubled quote stays inside
            Advance();
        }
    }
}

void TMacroSQLParser::ScanToLineEnd(std::string& into) {
    while (!AtEnd() && Peek() != '\n') {
        into += Peek();
        Advance();
    }
}

void TMacroSQLParser::ScanBlockComment(std::string& into) {
    into += "/*";
    Advance(2);
    while (!AtEnd()) {
        if (Peek() == '*' && Peek(1) == '/') {
            into += "*/";
            Advance(2);
            return;
        }
        into += Peek();
        Advance();
    }
}

bool TMacroSQLParser::ScanName(std::string& name) {
    name.clear();
    const char first = Peek();
    if (IsQuote(first)) {
        Advance();
        while (!AtEnd()) {
            const char c = Peek();
            Advance();
            if (c == first) {
                if (Peek() != first) return true;
                Advance();  // doubled quote: one quote in the name
            }
            name += c;
        }
        return true;  // unterminated: the name runs to the end of the text
    }
    while (!AtEnd() && IsNameChar(Peek())) {
        name += Peek();
        Advance();
    }
    return !name.empty();
}

std::string_view TMacroSQLParser::PeekWord() const {
    size_t end = pos_;
    while (end < text_.size() && IsNameChar(text_[end])) ++end;
    return text_.substr(pos_, end - pos_);
}

void TMacroSQLParser::SkipBlanks() {
    while (!AtEnd() && IsBlank(Peek())) Advance();
}

void TMacroSQLParser::SkipLineEnd() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\r')) Advance();
    if (Peek() == '\n') Advance();
}

}  // namespace varnok
