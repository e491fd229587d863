#include "engine/RoutineText.h"

#include "engine/StatementEmitter.h"
#include "engine/StatementTranslate.h"
#include "engine/TypeDecl.h"

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

bool wordAt(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }
bool symbolAt(const Tokens& t, std::size_t i, std::string_view s) { return i < t.size() && t[i].isSymbol(s); }
bool isName(const Token& tok) { return tok.kind == TokenKind::Word || (tok.kind == TokenKind::String && tok.quote == '"'); }

int offsetAt(const Tokens& t, std::size_t i, std::string_view text) {
    return static_cast<int>(i < t.size() ? t[i].offset : text.size());
}

DdlOutcome syntaxAt(const Tokens& t, std::size_t i, std::string_view text = {}) {
    const int at = i < t.size() ? static_cast<int>(t[i].offset)
                                : static_cast<int>(t.empty() ? text.size() : std::max(text.size(), t.back().end()));
    return DdlOutcome::fail(ddlerr::kSyntax, {}, at);
}

using ifxsim::translate::matchingParen;  // the ')' closing the '(' at `open`, or t.size()

// Lower-case text of the tokens [b, e): words joined by one blank, punctuation attached.
std::string tokensText(const Tokens& t, std::size_t b, std::size_t e) {
    std::string out;
    for (std::size_t i = b; i < e; ++i) {
        const bool word = t[i].kind == TokenKind::Word || t[i].kind == TokenKind::Number;
        const bool prevWord = i > b && (t[i - 1].kind == TokenKind::Word || t[i - 1].kind == TokenKind::Number);
        if (word && prevWord) out += ' ';
        out += t[i].kind == TokenKind::String ? t[i].text : toLowerAscii(t[i].text);
    }
    return out;
}

// A declared type at t[i] as paramtypes shows it; `i` moves past it.
// Types the catalog cannot read (named row types, LIKE column) keep their words.
std::string readTypeText(const Tokens& t, std::size_t& i, std::size_t end) {
    if (wordAt(t, i, "REFERENCES") && i + 1 < end) {  // REFERENCES BYTE|TEXT
        i += 2;
        return toLowerAscii(t[i - 1].text);
    }
    std::size_t k = i;
    if (auto type = parseTypeDecl(t, k); type && k <= end) {
        i = k;
        return toLowerAscii(type->text);
    }
    std::size_t stop = i;
    int depth = 0;
    while (stop < end) {
        if (t[stop].isSymbol("(")) ++depth;
        else if (t[stop].isSymbol(")")) --depth;
        else if (depth == 0 && (t[stop].isSymbol(",") || t[stop].is("DEFAULT") || t[stop].is("AS"))) break;
        ++stop;
    }
    std::string text = tokensText(t, i, stop);
    i = stop;
    return text;
}

// Elements of a comma list between `open` and `close` (exclusive) as [begin, end) pairs.
std::vector<std::pair<std::size_t, std::size_t>> listElements(const Tokens& t, std::size_t open, std::size_t close) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    int depth = 0;
    std::size_t begin = open + 1;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].isSymbol(",")) {
            out.emplace_back(begin, i);
            begin = i + 1;
        }
    }
    if (begin < close || !out.empty()) out.emplace_back(begin, close);
    return out;
}

}  // namespace

std::string RoutineDecl::paramTypes() const {
    std::string out;
    for (std::size_t i = 0; i < params.size(); ++i) out += (i ? "," : "") + params[i].type;
    return out;
}

std::optional<QualifiedName> readQualifiedName(const Tokens& t, std::size_t& i) {
    if (i >= t.size() || !isName(t[i])) return std::nullopt;
    std::size_t k = i;
    QualifiedName q;
    q.offset = static_cast<int>(t[i].offset);
    if (symbolAt(t, k + 1, "@") && k + 2 < t.size()) k += 2;           // database@server
    if (symbolAt(t, k + 1, ":") && k + 2 < t.size()) k += 2;           // database:
    if (symbolAt(t, k + 1, ".") && k + 2 < t.size() && isName(t[k + 2])) {  // owner.
        q.owner = t[k].kind == TokenKind::String ? t[k].text : toLowerAscii(t[k].text);
        k += 2;
    }
    if (!isName(t[k])) return std::nullopt;
    q.name = foldName(t[k]);
    i = k + 1;
    return q;
}

std::optional<RoutineDecl> parseCreateRoutine(std::string_view text, const Tokens& t, DdlOutcome& error) {
    RoutineDecl r;
    std::size_t i = 1;
    if (wordAt(t, i, "DBA")) {
        r.dba = true;
        ++i;
    }
    if (wordAt(t, i, "FUNCTION")) r.function = true;
    else if (!wordAt(t, i, "PROCEDURE")) return error = syntaxAt(t, i, text), std::nullopt;
    ++i;
    if (wordAt(t, i, "IF") && wordAt(t, i + 1, "NOT") && wordAt(t, i + 2, "EXISTS")) {
        r.ifNotExists = true;
        i += 3;
    }
    auto name = readQualifiedName(t, i);
    if (!name) return error = syntaxAt(t, i, text), std::nullopt;
    r.name = *name;
    if (!symbolAt(t, i, "(")) return error = syntaxAt(t, i, text), std::nullopt;
    const std::size_t close = matchingParen(t, i);
    if (close >= t.size()) return error = syntaxAt(t, close, text), std::nullopt;
    for (const auto& [b0, e] : listElements(t, i, close)) {
        std::size_t b = b0;
        if (b >= e) return error = syntaxAt(t, b, text), std::nullopt;
        if ((wordAt(t, b, "OUT") || wordAt(t, b, "INOUT") || wordAt(t, b, "IN")) && b + 2 < e) ++b;
        if (!isName(t[b]) || b + 1 >= e) return error = syntaxAt(t, b + 1 < e ? b : e, text), std::nullopt;
        RoutineParam p;
        p.name = foldName(t[b]);
        std::size_t k = b + 1;
        p.type = readTypeText(t, k, e);
        if (p.type.empty()) return error = syntaxAt(t, k, text), std::nullopt;
        if (k < e && !wordAt(t, k, "DEFAULT")) return error = syntaxAt(t, k, text), std::nullopt;
        r.params.push_back(std::move(p));
    }
    i = close + 1;
    // Clauses between the parameter list and the body.
    for (;;) {
        if (symbolAt(t, i, ";")) {
            ++i;
        } else if (wordAt(t, i, "RETURNING") || wordAt(t, i, "RETURNS")) {
            ++i;
            for (;;) {
                const std::size_t at = i;
                std::string type = readTypeText(t, i, t.size());
                if (type.empty() || i == at) return error = syntaxAt(t, at, text), std::nullopt;
                r.returns.push_back(std::move(type));
                if (wordAt(t, i, "AS") && i + 1 < t.size()) i += 2;  // RETURNING INTEGER AS total
                if (!symbolAt(t, i, ",")) break;
                ++i;
            }
        } else if (wordAt(t, i, "SPECIFIC")) {
            ++i;
            auto specific = readQualifiedName(t, i);
            if (!specific) return error = syntaxAt(t, i, text), std::nullopt;
            r.specificName = specific->name;
        } else if (wordAt(t, i, "WITH") && symbolAt(t, i + 1, "(")) {
            const std::size_t end = matchingParen(t, i + 1);
            if (end >= t.size()) return error = syntaxAt(t, end, text), std::nullopt;
            for (std::size_t k = i + 2; k < end; ++k) {
                if (t[k].is("VARIANT")) r.notVariant = k > i + 2 && t[k - 1].is("NOT");
                if (t[k].is("HANDLESNULLS")) r.handlesNulls = true;
            }
            i = end + 1;
        } else {
            break;
        }
    }
    // The body runs to the last END PROCEDURE / END FUNCTION.
    std::size_t end = t.size();
    for (std::size_t k = t.size(); k-- > i + 0;) {
        if (t[k].is("END") && (wordAt(t, k + 1, "PROCEDURE") || wordAt(t, k + 1, "FUNCTION"))) {
            end = k;
            break;
        }
    }
    if (end >= t.size()) return error = syntaxAt(t, t.size(), text), std::nullopt;
    if (t[end + 1].is("FUNCTION") != r.function) return error = syntaxAt(t, end + 1, text), std::nullopt;
    for (std::size_t k = i; k + 1 < end; ++k)
        if (t[k].is("WITH") && t[k + 1].is("RESUME")) r.iterator = true;
    r.bodyBytes = end > i ? t[end].offset - t[i].offset : 0;
    // After END: DOCUMENT 'text' [, 'text'] and WITH LISTING IN 'file', in either order.
    std::size_t k = end + 2;
    while (k < t.size()) {
        if (wordAt(t, k, "DOCUMENT")) {
            ++k;
            for (;;) {
                if (k >= t.size() || t[k].kind != TokenKind::String) return error = syntaxAt(t, k, text), std::nullopt;
                r.documents.push_back(t[k++].text);
                if (!symbolAt(t, k, ",")) break;
                ++k;
            }
        } else if (wordAt(t, k, "WITH") && wordAt(t, k + 1, "LISTING") && wordAt(t, k + 2, "IN")) {
            if (k + 3 >= t.size() || t[k + 3].kind != TokenKind::String) return error = syntaxAt(t, k + 3, text), std::nullopt;
            r.listingFile = t[k + 3].text;
            k += 4;
        } else {
            return error = syntaxAt(t, k, text), std::nullopt;
        }
    }
    r.text = std::string(text.substr(t[0].offset, t.back().end() - t[0].offset));
    return r;
}

std::optional<RoutineDrop> parseDropRoutine(const Tokens& t, DdlOutcome& error) {
    RoutineDrop d;
    std::size_t i = 1;
    if (wordAt(t, i, "FUNCTION")) d.functionOnly = true;
    else if (wordAt(t, i, "PROCEDURE")) d.procedureOnly = true;
    else if (!wordAt(t, i, "ROUTINE")) return error = syntaxAt(t, i), std::nullopt;
    ++i;
    if (wordAt(t, i, "IF") && wordAt(t, i + 1, "EXISTS")) {
        d.ifExists = true;
        i += 2;
    }
    auto name = readQualifiedName(t, i);
    if (!name) return error = syntaxAt(t, i), std::nullopt;
    d.name = *name;
    if (symbolAt(t, i, "(")) {
        const std::size_t close = matchingParen(t, i);
        if (close >= t.size()) return error = syntaxAt(t, close), std::nullopt;
        std::string types;
        for (const auto& [b, e] : listElements(t, i, close)) {
            std::size_t k = b;
            // A signature may name its parameters ("p integer") or give only types.
            std::size_t typeStart = k;
            if (k + 1 < e && isName(t[k])) {
                std::size_t probe = k;
                if (!parseTypeDecl(t, probe) && !t[k].is("REFERENCES")) typeStart = k + 1;
            }
            k = typeStart;
            const std::string type = readTypeText(t, k, e);
            if (type.empty() || k != e) return error = syntaxAt(t, k), std::nullopt;
            types += (types.empty() ? "" : ",") + type;
        }
        d.paramTypes = types;
        i = close + 1;
    }
    if (i < t.size()) return error = syntaxAt(t, i), std::nullopt;
    return d;
}

std::optional<TriggerDecl> parseCreateTrigger(std::string_view text, const Tokens& t, DdlOutcome& error) {
    TriggerDecl d;
    std::size_t i = 2;  // CREATE TRIGGER
    if (wordAt(t, i, "IF") && wordAt(t, i + 1, "NOT") && wordAt(t, i + 2, "EXISTS")) {
        d.ifNotExists = true;
        i += 3;
    }
    auto name = readQualifiedName(t, i);
    if (!name) return error = syntaxAt(t, i, text), std::nullopt;
    d.name = *name;
    bool insteadOf = false;
    if (wordAt(t, i, "INSTEAD") && wordAt(t, i + 1, "OF")) {
        insteadOf = true;
        i += 2;
    }
    if (wordAt(t, i, "INSERT")) d.event = 'I';
    else if (wordAt(t, i, "DELETE")) d.event = 'D';
    else if (wordAt(t, i, "UPDATE")) d.event = 'U';
    else if (wordAt(t, i, "SELECT") && !insteadOf) d.event = 'S';
    else return error = syntaxAt(t, i, text), std::nullopt;
    ++i;
    if ((d.event == 'U' || d.event == 'S') && wordAt(t, i, "OF")) {
        ++i;
        d.columnsOffset = offsetAt(t, i, text);
        for (;;) {
            if (i >= t.size() || !isName(t[i])) return error = syntaxAt(t, i, text), std::nullopt;
            d.columns.push_back(foldName(t[i++]));
            if (!symbolAt(t, i, ",")) break;
            ++i;
        }
    }
    if (insteadOf) d.event = static_cast<char>(d.event - 'A' + 'a');
    if (!wordAt(t, i, "ON")) return error = syntaxAt(t, i, text), std::nullopt;
    ++i;
    auto table = readQualifiedName(t, i);
    if (!table) return error = syntaxAt(t, i, text), std::nullopt;
    d.table = *table;
    bool referencing = false;
    if (wordAt(t, i, "REFERENCING")) {
        referencing = true;
        ++i;
        bool any = false;
        while (wordAt(t, i, "OLD") || wordAt(t, i, "NEW")) {
            const bool old = t[i].is("OLD");
            ++i;
            if (wordAt(t, i, "AS")) ++i;
            if (i >= t.size() || !isName(t[i])) return error = syntaxAt(t, i, text), std::nullopt;
            (old ? d.oldName : d.newName) = foldName(t[i++]);
            any = true;
        }
        if (!any) return error = syntaxAt(t, i, text), std::nullopt;
    }
    if (i >= t.size()) return error = DdlOutcome::fail(ddlerr::kNoTriggeredAction, {}, offsetAt(t, i, text)), std::nullopt;
    if (!(wordAt(t, i, "BEFORE") || wordAt(t, i, "AFTER") || wordAt(t, i, "FOR") || wordAt(t, i, "WHEN") ||
          symbolAt(t, i, "(")))
        return error = syntaxAt(t, i, text), std::nullopt;
    std::size_t last = t.size();
    if (wordAt(t, last - 1, "ENABLED") || wordAt(t, last - 1, "DISABLED")) {
        d.disabled = t[last - 1].is("DISABLED");
        --last;
    }
    if (last <= i) return error = DdlOutcome::fail(ddlerr::kNoTriggeredAction, {}, offsetAt(t, i, text)), std::nullopt;
    bool eachRow = insteadOf;
    bool anyAction = false;
    for (std::size_t k = i; k < last; ++k) {
        if (t[k].is("FOR") && wordAt(t, k + 1, "EACH") && wordAt(t, k + 2, "ROW")) eachRow = true;
        if (t[k].isSymbol("(")) anyAction = true;
    }
    if (!anyAction) return error = DdlOutcome::fail(ddlerr::kNoTriggeredAction, {}, offsetAt(t, i, text)), std::nullopt;
    if (referencing && !eachRow)
        return error = DdlOutcome::fail(ddlerr::kReferencingNeedsEachRow, {}, offsetAt(t, i, text)), std::nullopt;
    const std::size_t start = t[0].offset;
    d.header = std::string(text.substr(start, t[i].offset - start));
    d.action = std::string(text.substr(t[i].offset, t.back().end() - t[i].offset));
    return d;
}

std::optional<TriggerDrop> parseDropTrigger(const Tokens& t, DdlOutcome& error) {
    TriggerDrop d;
    std::size_t i = 2;  // DROP TRIGGER
    if (wordAt(t, i, "IF") && wordAt(t, i + 1, "EXISTS")) {
        d.ifExists = true;
        i += 2;
    }
    auto name = readQualifiedName(t, i);
    if (!name || i < t.size()) return error = syntaxAt(t, i), std::nullopt;
    d.name = *name;
    return d;
}

std::optional<QualifiedName> parseExecuteRoutine(const Tokens& t, DdlOutcome& error) {
    std::size_t i = 2;  // EXECUTE PROCEDURE|FUNCTION|ROUTINE
    auto name = readQualifiedName(t, i);
    if (!name) return error = syntaxAt(t, i), std::nullopt;
    return name;
}

std::vector<std::string> textPieces(std::string_view text, std::size_t width) {
    // Every piece but the last is exactly `width` bytes: a reader joins the
    // pieces as stored, and a shorter piece would come back padded with blanks.
    std::vector<std::string> pieces;
    for (std::size_t at = 0; at < text.size(); at += width) pieces.emplace_back(text.substr(at, width));
    return pieces;
}

}  // namespace ifxsim
