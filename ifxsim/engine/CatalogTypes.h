#pragma once
// Column facts the catalog records from a declared Informix type.
#include "engine/TypeDecl.h"

namespace ifxsim::catalog {

// syscolumns.collength: the type's length encoding as a SMALLINT holds it
// (VARCHAR(255,200) wraps negative, as Informix stores it).
int collengthOf(const IfxType& type);

// Bytes the column takes in a row, for systables.rowsize.
int columnStorageSize(const IfxType& type);

}  // namespace ifxsim::catalog
