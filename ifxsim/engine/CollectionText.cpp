#include "engine/CollectionText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/StatementTokenizer.h"

namespace ifxsim {

namespace {

using Node = CollectionNode;

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) {}

    std::optional<Node> whole() {
        auto n = value();
        blanks();
        if (!n || at_ != s_.size()) return std::nullopt;
        return n;
    }

private:
    void blanks() {
        while (at_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[at_]))) ++at_;
    }

    std::optional<Node> value() {
        blanks();
        if (at_ >= s_.size()) return std::nullopt;
        const char c = s_[at_];
        if (c == '\'' || c == '"') return quotedScalar(c);
        std::size_t end = at_;
        while (end < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[end])) || s_[end] == '_')) ++end;
        const std::string word = toUpperAscii(s_.substr(at_, end - at_));
        std::size_t next = end;
        while (next < s_.size() && std::isspace(static_cast<unsigned char>(s_[next]))) ++next;
        const bool collection = (word == "SET" || word == "MULTISET" || word == "LIST") && next < s_.size() && s_[next] == '{';
        const bool row = word == "ROW" && next < s_.size() && s_[next] == '(';
        if (collection || row) {
            at_ = next + 1;
            Node n;
            n.keyword = word;
            return members(n, collection ? '}' : ')');
        }
        // A bare scalar: a number, a word such as NULL, up to the next separator.
        std::size_t stop = at_;
        while (stop < s_.size() && s_[stop] != ',' && s_[stop] != '}' && s_[stop] != ')') ++stop;
        Node n;
        n.text = std::string(s_.substr(at_, stop - at_));
        while (!n.text.empty() && std::isspace(static_cast<unsigned char>(n.text.back()))) n.text.pop_back();
        if (n.text.empty()) return std::nullopt;
        n.null = toUpperAscii(n.text) == "NULL";
        at_ = stop;
        return n;
    }

    std::optional<Node> quotedScalar(char q) {
        Node n;
        n.quoted = true;
        ++at_;
        while (at_ < s_.size()) {
            if (s_[at_] == q) {
                if (at_ + 1 < s_.size() && s_[at_ + 1] == q) { n.text += q; at_ += 2; continue; }
                ++at_;
                return n;
            }
            n.text += s_[at_++];
        }
        return std::nullopt;  // no closing quote
    }

    std::optional<Node> members(Node& n, char close) {
        blanks();
        if (at_ < s_.size() && s_[at_] == close) { ++at_; return n; }
        for (;;) {
            auto item = value();
            if (!item) return std::nullopt;
            n.items.push_back(std::move(*item));
            blanks();
            if (at_ >= s_.size()) return std::nullopt;
            if (s_[at_] == ',') { ++at_; continue; }
            if (s_[at_] != close) return std::nullopt;
            ++at_;
            return n;
        }
    }

    std::string_view s_;
    std::size_t at_ = 0;
};

}  // namespace

std::optional<CollectionNode> parseCollectionText(std::string_view text) { return Parser(text).whole(); }

std::string collectionNodeText(const CollectionNode& n) {
    if (n.keyword.empty()) return n.null ? "NULL" : n.quoted ? quoteElement(n.text) : n.text;
    const bool row = n.keyword == "ROW";
    std::string out = n.keyword + (row ? "(" : "{");
    for (std::size_t i = 0; i < n.items.size(); ++i) out += (i ? "," : "") + collectionNodeText(n.items[i]);
    return out + (row ? ")" : "}");
}

std::string quoteElement(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string fifteenDigits(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

bool integerText(const std::string& text, long long& out) {
    std::string s = text;
    while (!s.empty() && s.back() == ' ') s.pop_back();
    std::size_t b = 0;
    while (b < s.size() && s[b] == ' ') ++b;
    s = s.substr(b);
    if (s.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno == 0 && *end == '\0') { out = v; return true; }
    // "12.0" and "1e3" are integers too when they hold no fraction.
    const double d = std::strtod(s.c_str(), &end);
    if (*end != '\0' || std::floor(d) != d || std::fabs(d) > 9.2e18) return false;
    out = static_cast<long long>(d);
    return true;
}

}  // namespace ifxsim
