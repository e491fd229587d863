#pragma once
// The text form of collection and row values, read without knowing their
// type: "SET{'a','b'}", "LIST{1,2}", "MULTISET{}", "ROW('US',NULL)", nested
// forms, blanks between elements, single or double quotes (a doubled quote
// stands for itself). Also the element texts shared by the conversions and
// the SQL functions.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ifxsim {

struct CollectionNode {
    std::string keyword;  // SET, MULTISET, LIST, ROW; empty for a scalar
    std::string text;     // a scalar's characters (quotes removed)
    bool quoted = false;
    bool null = false;    // the bare word NULL
    std::vector<CollectionNode> items;
};

// The whole text as one value; nothing when it is not one.
std::optional<CollectionNode> parseCollectionText(std::string_view text);

// The value written back as text (quoted scalars in single quotes, no blanks).
std::string collectionNodeText(const CollectionNode& node);

// 'text' with its quotes doubled.
std::string quoteElement(std::string_view text);

// A number with up to 15 significant digits, as Informix shows a FLOAT.
std::string fifteenDigits(double value);

// An integer written as digits (or as a number without a fraction).
bool integerText(const std::string& text, long long& out);

}  // namespace ifxsim
