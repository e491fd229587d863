#pragma once
// Values of collection and row columns, kept as their Informix text:
// "SET{'a','b'}", "LIST{1,2,3}", "MULTISET{…}", "ROW('US','Paris')" (nested
// forms too). Whatever form a value arrives in (a constructor, a quoted
// literal, a cast) it is brought to the column's type: each element converted
// to the element type and written as Informix writes it, duplicates dropped
// from a SET. A text that is no such value, or an element that does not
// convert, is refused with an Informix error and nothing is stored.
#include <string>
#include <string_view>

#include "engine/TypeDecl.h"

namespace ifxsim {

// Informix codes of refused values (element conversions give their own).
constexpr int kCollectionNotThatType = -1260;  // no value of that type: not a collection, fields missing…
constexpr int kCollectionNullElement = -391;   // collections hold no NULL elements

struct CollectionResult {
    std::string text;  // the value in its stored (and fetched) form
    int error = 0;     // 0, or the Informix code of the refusal
};

// `value` (a collection or row text) as a value of the complex type `type`.
CollectionResult normalizeCollection(std::string_view value, const IfxType& type);

}  // namespace ifxsim
