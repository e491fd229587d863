#pragma once
// SERIAL, SERIAL8 and BIGSERIAL on SQLite. Each serial column has a counter
// row in `ifxsim_serials` (its next value) and two triggers: an insert of 0
// or NULL takes the next value, an explicit higher value moves the counter
// past it. Deletes never touch the counter, so values are not reused.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/StatementTranslate.h"

struct sqlite3;

namespace ifxsim {

// Counter rows and triggers for the serial columns of a table just created.
// Returns SQLITE_OK or SQLite's error.
int installSerials(sqlite3* db, const std::string& table, const std::vector<SerialColumn>& serials, bool temporary);

// Forgets the counters of a dropped table.
void dropSerials(sqlite3* db, const std::string& table);

struct SerialColumnOf {
    std::string column;
    SerialKind kind;
};

// Serial columns of a table, read from its declared types.
std::vector<SerialColumnOf> serialColumns(sqlite3* db, const std::string& table);

struct InsertedSerials {
    std::optional<std::int32_t> serial;    // SERIAL → sqlerrd[1]
    std::optional<std::int64_t> serial8;   // SERIAL8 or BIGSERIAL → ifx_getserial8
};

// The serial values of the row `rowid` of `table`.
InsertedSerials readSerials(sqlite3* db, const std::string& table, const std::vector<SerialColumnOf>& columns,
                            std::int64_t rowid);

// The SERIAL8/BIGSERIAL of the calling thread's last insert (ifx_getserial8).
std::int64_t lastSerial8();
void setLastSerial8(std::int64_t value);

}  // namespace ifxsim
