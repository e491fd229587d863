#include "engine/CollectionValues.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "engine/CollectionText.h"
#include "engine/StatementTokenizer.h"
#include "engine/Values.h"
#include "ifxesqlc.h"

namespace ifxsim {

namespace {

using Node = CollectionNode;

constexpr int kCannotConvert = kCollectionNotThatType;
constexpr int kNotNumeric = -1213;  // an element that is no number
constexpr int kNullElement = kCollectionNullElement;

// One scalar element as Informix writes it for the element type.
int scalarText(const Node& n, const IfxType& type, std::string& out) {
    std::string text = n.text;
    switch (type.code) {
    case SQLSMINT: case SQLINT: case SQLINT8: case SQLINFXBIGINT: {
        long long v = 0;
        if (!integerText(text, v)) return kNotNumeric;
        const long long limit = type.code == SQLSMINT ? 32767 : type.code == SQLINT ? 2147483647 : INT64_MAX;
        if (v > limit || v < -limit) return -1215;  // value too large for the type
        out = std::to_string(v);
        return 0;
    }
    case SQLFLOAT: case SQLSMFLOAT: {
        char* end = nullptr;
        const double d = std::strtod(text.c_str(), &end);
        if (end == text.c_str() || *end != '\0') return kNotNumeric;
        out = fifteenDigits(d);
        return 0;
    }
    case SQLDECIMAL: case SQLMONEY: {
        dec_t d{};
        if (int rc = deccvasc(text.data(), static_cast<mint>(text.size()), &d); rc != 0) return rc;
        const int scale = PRECDEC(type.length);
        if (scale != DECFLOATSCALE) decround(&d, scale);
        char buf[160] = {};
        if (dectoasc(&d, buf, 150, scale == DECFLOATSCALE ? -1 : scale) != 0) return kCannotConvert;
        std::string s(buf, 150);
        while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
        out = s;
        return 0;
    }
    case SQLDATE: {
        int4 day = 0;
        long long number = 0;
        if (!n.quoted && integerText(text, number)) {
            day = static_cast<int4>(number);
        } else if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
            int2 mdy[3] = {static_cast<int2>(std::atoi(text.substr(5, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(8, 2).c_str())),
                           static_cast<int2>(std::atoi(text.substr(0, 4).c_str()))};
            if (int rc = rmdyjul(mdy, &day); rc != 0) return rc;
        } else if (int rc = rstrdate(text.data(), &day); rc != 0) {
            return rc;
        }
        char buf[32] = {};
        if (int rc = rdatestr(day, buf); rc != 0) return rc;
        out = quoteElement(buf);
        return 0;
    }
    case SQLDTIME: {
        dtime_t dt{};
        if (int rc = parseDatetimeText(text, type.length, dt); rc != 0) return rc;
        char buf[64] = {};
        if (int rc = dttoasc(&dt, buf); rc != 0) return rc;
        out = quoteElement(buf);
        return 0;
    }
    case SQLINTERVAL: {
        intrvl_t iv{};
        iv.in_qual = static_cast<int2>(type.length);
        if (int rc = incvasc(text.data(), &iv); rc != 0) return rc;
        char buf[64] = {};
        if (int rc = intoasc(&iv, buf); rc != 0) return rc;
        out = quoteElement(buf);
        return 0;
    }
    case SQLBOOL: {
        const std::string v = toLowerAscii(text);
        if (v != "t" && v != "f") return kCannotConvert;
        out = quoteElement(v);
        return 0;
    }
    case SQLCHAR: case SQLNCHAR: {
        // CHAR elements are fixed-length, as their columns are.
        const auto n2 = static_cast<std::size_t>(type.length);
        text.resize(n2, ' ');
        out = quoteElement(text);
        return 0;
    }
    case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: {
        const auto max = static_cast<std::size_t>(type.code == SQLLVARCHAR ? type.length : type.length & 0xff);
        if (text.size() > max) text.resize(max);
        out = quoteElement(text);
        return 0;
    }
    default:
        return kCannotConvert;
    }
}

int render(const Node& n, const IfxType& type, std::string& out);

int renderMembers(const Node& n, const IfxType& type, std::string& out) {
    const bool row = type.code == SQLROW;
    if (row ? n.keyword != "ROW" : (n.keyword.empty() || n.keyword == "ROW")) return kCannotConvert;
    if (row && n.items.size() != type.members.size()) return kCannotConvert;
    std::vector<std::string> parts;
    for (std::size_t i = 0; i < n.items.size(); ++i) {
        const IfxType& member = row ? type.members[i] : type.members.front();
        const Node& item = n.items[i];
        std::string text;
        if (item.null) {
            if (!row) return kNullElement;
            text = "NULL";
        } else if (int rc = render(item, member, text); rc != 0) {
            return rc;
        }
        // A SET holds each value once.
        bool duplicate = false;
        if (type.code == SQLSET)
            for (const auto& p : parts) duplicate = duplicate || p == text;
        if (!duplicate) parts.push_back(std::move(text));
    }
    static const char* const names[] = {"SET", "MULTISET", "LIST", "ROW"};
    out = names[type.code - SQLSET];
    out += row ? "(" : "{";
    for (std::size_t i = 0; i < parts.size(); ++i) out += (i ? "," : "") + parts[i];
    out += row ? ")" : "}";
    return 0;
}

int render(const Node& n, const IfxType& type, std::string& out) {
    if (type.isComplex()) return renderMembers(n, type, out);
    if (!n.keyword.empty()) return kCannotConvert;
    return scalarText(n, type, out);
}

}  // namespace

CollectionResult normalizeCollection(std::string_view value, const IfxType& type) {
    CollectionResult r;
    auto node = parseCollectionText(value);
    if (!node) {
        r.error = kCannotConvert;
        return r;
    }
    r.error = render(*node, type, r.text);
    if (r.error) r.text.clear();
    return r;
}

}  // namespace ifxsim
