#include "engine/DescribeExpr.h"

#include <sqlite3.h>

#include "engine/TemporalArith.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

std::string foldNameOf(const Token& t) { return t.kind == TokenKind::Word ? toLowerAscii(t.text) : t.text; }

IfxType typeOf(std::string_view text) {
    auto t = parseTypeDecl(text);
    return t ? *t : IfxType{};
}

const IfxType& integerType() { static const IfxType t = typeOf("INTEGER"); return t; }
const IfxType& floatingDecimal() { static const IfxType t = typeOf("DECIMAL(32)"); return t; }
const IfxType& floatType() { static const IfxType t = typeOf("FLOAT"); return t; }
const IfxType& textType() { static const IfxType t = typeOf("VARCHAR(255)"); return t; }
const IfxType& dateType() { static const IfxType t = typeOf("DATE"); return t; }
const IfxType& smallintType() { static const IfxType t = typeOf("SMALLINT"); return t; }

// The end of the argument starting at `from`: its first comma outside
// parentheses, or `close`.
std::size_t argumentEnd(const Tokens& t, std::size_t from, std::size_t close) {
    int depth = 0;
    std::size_t i = from;
    while (i < close && !(depth == 0 && t[i].isSymbol(","))) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        ++i;
    }
    return i;
}

bool isUnitWord(const Token& t) {
    return t.is("YEAR") || t.is("MONTH") || t.is("DAY") || t.is("HOUR") || t.is("MINUTE") || t.is("SECOND") ||
           t.is("FRACTION");
}

// Table names of the FROM clause at the top level, aliases resolved by lookup.
std::vector<std::string> fromTables(const Tokens& t) {
    std::vector<std::string> tables;
    int depth = 0;
    bool inFrom = false;
    bool expectTable = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) { ++depth; continue; }
        if (t[i].isSymbol(")")) { --depth; continue; }
        if (depth != 0) continue;
        if (t[i].is("FROM")) { inFrom = true; expectTable = true; continue; }
        if (i == 0 && t[i].is("UPDATE") && t.size() > 1) {  // UPDATE [db:][owner.]table SET …
            std::size_t k = 1;
            while (k + 2 < t.size() && (t[k + 1].isSymbol(".") || t[k + 1].isSymbol(":"))) k += 2;
            tables.push_back(t[k].text);
            continue;
        }
        if (!inFrom) continue;
        if (t[i].is("WHERE") || t[i].is("GROUP") || t[i].is("ORDER") || t[i].is("HAVING") || t[i].is("UNION") ||
            t[i].is("INTO"))
            break;
        if (t[i].isSymbol(",") || t[i].is("JOIN") || t[i].is("OUTER")) { expectTable = true; continue; }
        if (expectTable && (t[i].kind == TokenKind::Word || t[i].kind == TokenKind::String)) {
            std::size_t k = i;
            while (k + 2 < t.size() && (t[k + 1].isSymbol(".") || t[k + 1].isSymbol(":"))) k += 2;
            tables.push_back(t[k].text);
            i = k;
            expectTable = false;
        }
    }
    return tables;
}

std::optional<IfxType> columnType(sqlite3* db, const Tokens& t, const std::string& column, bool* notNull) {
    for (const auto& table : fromTables(t)) {
        const char* decl = nullptr;
        int nn = 0;
        if (sqlite3_table_column_metadata(db, nullptr, table.c_str(), column.c_str(), &decl, nullptr, &nn, nullptr,
                                          nullptr) == SQLITE_OK && decl) {
            if (auto type = parseTypeDecl(decl)) {
                if (notNull) *notNull = nn != 0 || type->serial != SerialKind::None;
                return type;
            }
        }
    }
    return std::nullopt;
}

std::size_t closing(const Tokens& t, std::size_t open, std::size_t end) {
    int depth = 0;
    for (std::size_t i = open; i < end; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")") && --depth == 0) return i;
    }
    return end;
}

bool hasTopLevelOperator(const Tokens& t, std::size_t b, std::size_t e, bool* concat) {
    int depth = 0;
    bool arithmetic = false;
    for (std::size_t i = b; i < e; ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].kind == TokenKind::Symbol) {
            if (t[i].text == "||") *concat = true;
            else if ((t[i].text == "+" || t[i].text == "-" || t[i].text == "*" || t[i].text == "/") && i > b)
                arithmetic = true;
        }
    }
    return arithmetic;
}

ExprType typeRange(sqlite3* db, const Tokens& t, std::size_t b, std::size_t e);

ExprType constant(IfxType type) { return ExprType{std::move(type), "(constant)", false}; }
ExprType expression(IfxType type) { return ExprType{std::move(type), "(expression)", false}; }

ExprType typeFunction(sqlite3* db, const Tokens& t, std::size_t b, std::size_t e) {
    const Token& f = t[b];
    const std::size_t close = closing(t, b + 1, e);
    const std::string lower = toLowerAscii(f.text);
    if (f.is("COUNT")) {
        const bool star = b + 2 < e && t[b + 2].isSymbol("*");
        return ExprType{integerType(), star ? "(count(*))" : "(count)", false};
    }
    if (f.is("SUM")) {
        // The sum of a fixed-scale DECIMAL or MONEY keeps its scale.
        const IfxType inner = typeRange(db, t, b + 2, close).type;
        if (inner.code == SQLINTERVAL) return ExprType{inner, "(sum)", false};
        if ((inner.code == SQLDECIMAL || inner.code == SQLMONEY) && PRECDEC(inner.length) != DECFLOATSCALE)
            return ExprType{typeOf(std::string(inner.code == SQLMONEY ? "MONEY" : "DECIMAL") + "(32," +
                                   std::to_string(PRECDEC(inner.length)) + ")"),
                            "(sum)", false};
        return ExprType{floatingDecimal(), "(sum)", false};
    }
    if (f.is("AVG")) return ExprType{floatingDecimal(), "(" + lower + ")", false};
    if (f.is("MOD")) {
        // Integers give an integer remainder.
        const std::size_t comma = argumentEnd(t, b + 2, close);
        auto integral = [](const IfxType& x) {
            return x.code == SQLSMINT || x.code == SQLINT || x.code == SQLSERIAL || x.code == SQLINT8 ||
                   x.code == SQLSERIAL8 || x.code == SQLINFXBIGINT || x.code == SQLBIGSERIAL;
        };
        if (comma < close && integral(typeRange(db, t, b + 2, comma).type) &&
            integral(typeRange(db, t, comma + 1, close).type))
            return expression(integerType());
        return expression(floatingDecimal());
    }
    if (f.is("MIN") || f.is("MAX")) {
        ExprType inner = typeRange(db, t, b + 2, close);
        return ExprType{inner.type, "(" + lower + ")", false};
    }
    if (f.is("NVL") || f.is("COALESCE") || f.is("DECODE")) {
        std::size_t argEnd = argumentEnd(t, b + 2, close);
        std::size_t from = b + 2;
        if (f.is("DECODE")) {  // DECODE(expr, when, then, …): the first result decides
            int commas = 0;
            int depth = 0;
            for (std::size_t i = b + 2; i < close; ++i) {
                if (t[i].isSymbol("(")) ++depth;
                else if (t[i].isSymbol(")")) --depth;
                else if (depth == 0 && t[i].isSymbol(",") && ++commas == 2) { from = i + 1; break; }
            }
            argEnd = argumentEnd(t, from, close);
        }
        ExprType chosen = typeRange(db, t, from, argEnd);
        // A text constant decides nothing about the length of the other choices.
        if (chosen.name == "(constant)" && chosen.type.isCharacter()) return expression(textType());
        return expression(chosen.type);
    }
    if (f.is("DBINFO")) {
        // DBINFO('sessionid') and the serial/row counters are numbers; the names are text.
        const bool text = b + 2 < e && t[b + 2].kind == TokenKind::String &&
                          (equalsNoCase(t[b + 2].text, "dbname") ||
                           equalsNoCase(t[b + 2].text, "dbhostname") || equalsNoCase(t[b + 2].text, "version"));
        return expression(text ? textType() : integerType());
    }
    if (f.is("LENGTH") || f.is("CHAR_LENGTH") || f.is("CHARACTER_LENGTH") || f.is("OCTET_LENGTH") ||
        f.is("INSTR") || f.is("CHARINDEX"))
        return expression(integerType());
    if (f.is("MDY") || f.is("DATE")) return expression(dateType());
    if (f.is("TO_DATE")) return expression(typeOf("DATETIME YEAR TO FRACTION(5)"));
    if (f.is("DAY") || f.is("MONTH") || f.is("YEAR") || f.is("WEEKDAY")) return expression(smallintType());
    if (f.is("ROUND") || f.is("TRUNC")) {
        // A DATE rounded by a format stays a DATE.
        const std::size_t comma = argumentEnd(t, b + 2, close);
        if (comma < close && typeRange(db, t, b + 2, comma).type.code == SQLDATE) return expression(dateType());
    }
    if (f.is("ROUND") || f.is("TRUNC") || f.is("ABS") || f.is("CEIL") || f.is("FLOOR"))
        return expression(floatingDecimal());
    if (f.is("SQRT") || f.is("EXP") || f.is("LOG10") || f.is("LOGN") || f.is("POW") || f.is("SIN") ||
        f.is("COS") || f.is("TAN"))
        return expression(floatType());
    return expression(textType());
}

// The type of an arithmetic expression with a DATE, DATETIME or INTERVAL
// operand; nullopt when none takes part (or the operation is refused).
std::optional<IfxType> temporalArithmeticType(sqlite3* db, const Tokens& t, std::size_t b, std::size_t e) {
    std::vector<IfxType> values;
    std::vector<char> ops;
    int depth = 0;
    std::size_t start = b;
    for (std::size_t i = b; i <= e; ++i) {
        if (i < e && t[i].isSymbol("(")) ++depth;
        else if (i < e && t[i].isSymbol(")")) --depth;
        else if (i == e || (depth == 0 && i > start && t[i].kind == TokenKind::Symbol && t[i].text.size() == 1 &&
                            std::string_view("+-*/").find(t[i].text[0]) != std::string_view::npos)) {
            values.push_back(typeRange(db, t, start, i).type);
            if (i < e) ops.push_back(t[i].text[0]);
            start = i + 1;
        }
    }
    bool temporal = false;
    for (const auto& v : values) temporal = temporal || isTemporal(v);
    if (!temporal) return std::nullopt;
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t k = 0; k < ops.size();) {
            if ((ops[k] == '*' || ops[k] == '/') != (pass == 0)) { ++k; continue; }
            const TemporalResult r = temporalArithmetic(ops[k], values[k], values[k + 1]);
            if (r.error) return std::nullopt;
            if (r.how == TemporalOp::None)
                values[k] = isNumeric(values[k]) && isNumeric(values[k + 1]) ? floatingDecimal() : values[k];
            else
                values[k] = r.type;
            values.erase(values.begin() + static_cast<long>(k) + 1);
            ops.erase(ops.begin() + static_cast<long>(k));
        }
    }
    return isTemporal(values[0]) || values[0].code == SQLINT ? std::optional<IfxType>(values[0]) : std::nullopt;
}

ExprType typeRange(sqlite3* db, const Tokens& t, std::size_t b, std::size_t e) {
    if (b >= e) return expression(textType());
    // n UNITS unit is an INTERVAL of that unit.
    bool unitsConcat = false;
    if (e >= b + 3 && t[e - 2].is("UNITS") && isUnitWord(t[e - 1]) && !hasTopLevelOperator(t, b, e - 2, &unitsConcat)) {
        static constexpr std::pair<const char*, int> units[] = {
            {"YEAR", TU_YEAR}, {"MONTH", TU_MONTH}, {"DAY", TU_DAY}, {"HOUR", TU_HOUR}, {"MINUTE", TU_MINUTE},
            {"SECOND", TU_SECOND}};
        for (const auto& [name, unit] : units)
            if (t[e - 1].is(name)) return expression(unitsType(unit));
    }
    // EXTEND(x [, q1 TO q2]): DATETIME q1 TO q2, YEAR TO FRACTION(3) without one.
    if (t[b].is("EXTEND") && b + 1 < e && t[b + 1].isSymbol("(") && closing(t, b + 1, e) == e - 1) {
        int depth = 0;
        for (std::size_t i = b + 2; i < e - 1; ++i) {
            if (t[i].isSymbol("(")) ++depth;
            else if (t[i].isSymbol(")")) --depth;
            else if (depth == 0 && t[i].isSymbol(",")) {
                std::string text = "DATETIME";
                for (std::size_t k = i + 1; k < e - 1; ++k) text += " " + t[k].text;
                if (auto type = parseTypeDecl(text)) return expression(*type);
            }
        }
        return expression(typeOf("DATETIME YEAR TO FRACTION(3)"));
    }
    if (t[b].isSymbol("(") && closing(t, b, e) == e - 1) {
        ExprType inner = typeRange(db, t, b + 1, e - 1);
        if (inner.name.empty() || inner.name[0] != '(') inner.name = "(expression)";
        return inner;
    }
    // expr::type is of that type.
    {
        int depth = 0;
        std::size_t cast = e;
        for (std::size_t i = b; i < e; ++i) {
            if (t[i].isSymbol("(")) ++depth;
            else if (t[i].isSymbol(")")) --depth;
            else if (depth == 0 && t[i].isSymbol("::")) cast = i;
        }
        std::size_t k = cast + 1;
        if (cast < e) {
            if (auto type = parseTypeDecl(t, k); type && k == e) return expression(*type);
        }
    }
    bool concat = false;
    const bool arithmetic = hasTopLevelOperator(t, b, e, &concat);
    if (concat) return expression(textType());
    if (arithmetic) {
        // Temporal operands decide the type (DATE ± n a DATE, DATETIME − DATETIME
        // an INTERVAL, …); * and / bind first.
        if (auto temporal = temporalArithmeticType(db, t, b, e)) return expression(*temporal);
        // Informix computes in DECIMAL unless a FLOAT takes part.
        for (std::size_t i = b; i < e; ++i) {
            if (t[i].kind != TokenKind::Word) continue;
            bool nn = false;
            auto ct = columnType(db, t, t[i].text, &nn);
            if (ct && (ct->code == SQLFLOAT || ct->code == SQLSMFLOAT)) return expression(floatType());
        }
        return expression(floatingDecimal());
    }
    const Token& first = t[b];
    if (e - b == 1 || (e - b == 2 && first.isSymbol("-"))) {
        const Token& v = t[e - 1];
        if (v.kind == TokenKind::Number) {
            const bool integral = v.text.find_first_of(".eE") == std::string::npos;
            if (integral && v.text.size() <= 9) return constant(integerType());
            if (v.text.find_first_of("eE") != std::string::npos) return constant(floatType());
            return constant(floatingDecimal());
        }
        if (v.kind == TokenKind::String) {
            const std::size_t n = v.text.empty() ? 1 : v.text.size();
            return constant(typeOf("CHAR(" + std::to_string(n) + ")"));
        }
        if (v.is("TODAY")) return constant(dateType());
        if (v.is("USER") || v.is("DBSERVERNAME") || v.is("SITENAME")) return constant(typeOf("CHAR(32)"));
        if (v.is("NULL")) return constant(textType());
    }
    if (first.is("CURRENT") || first.is("SYSDATE") || first.is("DATETIME")) {
        // CURRENT [q1 TO q2]: the qualifier when given, else YEAR TO FRACTION(3).
        for (std::size_t i = b; i < e; ++i) {
            if (!isUnitWord(t[i])) continue;
            std::size_t k = i;
            std::string text = "DATETIME";
            for (; k < e; ++k) text += " " + t[k].text;
            if (auto type = parseTypeDecl(text)) return constant(*type);
            break;
        }
        return constant(typeOf("DATETIME YEAR TO FRACTION(3)"));
    }
    if (first.is("INTERVAL")) {
        std::size_t close = closing(t, b + 1, e);
        std::string text = "INTERVAL";
        for (std::size_t k = close + 1; k < e; ++k) text += " " + t[k].text;
        if (auto type = parseTypeDecl(text)) return constant(*type);
    }
    if (first.is("CASE")) {
        for (std::size_t i = b; i < e; ++i) {
            if (!t[i].is("THEN")) continue;
            std::size_t k = i + 1;
            while (k < e && !t[k].is("WHEN") && !t[k].is("ELSE") && !t[k].is("END")) ++k;
            return expression(typeRange(db, t, i + 1, k).type);
        }
    }
    if (first.is("CAST")) {
        const std::size_t close = closing(t, b + 1, e);
        for (std::size_t i = b + 2; i < close; ++i) {
            if (!t[i].is("AS")) continue;
            std::size_t k = i + 1;
            if (auto type = parseTypeDecl(t, k); type) return expression(*type);
        }
    }
    if (first.kind == TokenKind::Word && b + 1 < e && t[b + 1].isSymbol("(")) return typeFunction(db, t, b, e);
    // A plain column (possibly table.column) the engine could not type itself.
    const Token& last = t[e - 1];
    if (last.kind == TokenKind::Word) {
        bool nn = false;
        if (auto ct = columnType(db, t, last.text, &nn)) return ExprType{*ct, toLowerAscii(last.text), nn};
    }
    return expression(textType());
}

}  // namespace

std::vector<SelectItem> selectList(const Tokens& t) {
    std::vector<SelectItem> items;
    // The main SELECT: the first one at the top level (after any WITH definitions).
    std::size_t i = 0;
    int depth = 0;
    for (; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].is("SELECT")) break;
    }
    if (i >= t.size()) return items;
    ++i;
    for (;;) {  // FIRST n, SKIP n, LIMIT n, DISTINCT/UNIQUE/ALL
        if ((t.size() > i + 1) && (t[i].is("FIRST") || t[i].is("SKIP") || t[i].is("LIMIT")) &&
            (t[i + 1].kind == TokenKind::Number || t[i + 1].kind == TokenKind::Placeholder)) {
            i += 2;
            continue;
        }
        if (i < t.size() && (t[i].is("DISTINCT") || t[i].is("UNIQUE") || t[i].is("ALL"))) { ++i; continue; }
        break;
    }
    depth = 0;
    std::size_t start = i;
    auto finish = [&](std::size_t end) {
        if (end <= start) return;
        SelectItem item;
        item.begin = start;
        item.end = end;
        if (t[end - 1].isSymbol("*")) item.star = true;
        if (end - start >= 2 && t[end - 1].kind == TokenKind::Word && !isUnitWord(t[end - 1]) &&
            !t[end - 1].is("END")) {
            const Token& prev = t[end - 2];
            if (prev.is("AS")) {
                item.alias = foldNameOf(t[end - 1]);
                item.end = end - 2;
            } else if (prev.isSymbol(")") || prev.kind == TokenKind::Word || prev.kind == TokenKind::Number ||
                       prev.kind == TokenKind::String) {
                if (!prev.is("TO")) {
                    item.alias = foldNameOf(t[end - 1]);
                    item.end = end - 1;
                }
            }
        }
        items.push_back(item);
    };
    for (; i < t.size(); ++i) {
        if (t[i].isSymbol("(")) ++depth;
        else if (t[i].isSymbol(")")) --depth;
        else if (depth == 0 && t[i].isSymbol(",")) { finish(i); start = i + 1; }
        else if (depth == 0 && (t[i].is("FROM") || t[i].is("INTO") || t[i].is("UNION") || t[i].is("ORDER") ||
                                t[i].is("WHERE") || t[i].is("GROUP")))
            break;
    }
    finish(i);
    return items;
}

ExprType typeExpression(sqlite3* db, const Tokens& tokens, std::size_t begin, std::size_t end) {
    return typeRange(db, tokens, begin, end);
}

}  // namespace ifxsim
