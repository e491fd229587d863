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

struct sqlite3;

namespace ifxsim {

struct CollectionResult {
    std::string text;  // the value in its stored (and fetched) form
    int error = 0;     // 0, or the Informix code of the refusal
};

// `value` (a collection or row text) as a value of the complex type `type`.
CollectionResult normalizeCollection(std::string_view value, const IfxType& type);

// Registers ifx_collection(value, 'declared type') and the constructors
// ifx_set(…), ifx_multiset(…), ifx_list(…), ifx_row(…) on `db`.
void registerCollectionFunctions(sqlite3* db);

// Triggers that bring the collection and row columns of `table` to their
// stored form after INSERT and UPDATE.
int installCollectionNormalizers(sqlite3* db, const std::string& table, bool temporary);
// The same for a table that may be temporary (after ALTER TABLE … ADD).
int installCollectionNormalizers(sqlite3* db, const std::string& table);

}  // namespace ifxsim
