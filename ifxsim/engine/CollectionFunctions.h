#pragma once
// The SQL side of collection and row values: the functions the translated
// statements call (ifx_collection to convert a value to a column's type, the
// constructors ifx_set/ifx_multiset/ifx_list/ifx_row, ifx_elements for
// "x IN column") and the triggers that convert what INSERT and UPDATE store.
#include <string>

struct sqlite3;

namespace ifxsim {

// Registers ifx_collection(value, 'declared type'), the constructors
// ifx_set(…), ifx_multiset(…), ifx_list(…), ifx_row(…) and
// ifx_elements(collection) (its elements as a JSON array) on `db`.
void registerCollectionFunctions(sqlite3* db);

// Triggers that bring the collection and row columns of `table` to their
// stored form after INSERT and UPDATE.
int installCollectionNormalizers(sqlite3* db, const std::string& table, bool temporary);
// The same for a table that may be temporary (after ALTER TABLE … ADD).
int installCollectionNormalizers(sqlite3* db, const std::string& table);

}  // namespace ifxsim
