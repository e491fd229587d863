#include "engine/CatalogTypes.h"

#include <cstdint>

#include "ifxesqlc.h"

namespace ifxsim::catalog {

int collengthOf(const IfxType& type) { return static_cast<std::int16_t>(type.length & 0xffff); }

int columnStorageSize(const IfxType& type) {
    switch (type.code) {
    case SQLCHAR: case SQLNCHAR: return type.length;
    case SQLVCHAR: case SQLNVCHAR: return (type.length & 0xff) + 1;
    case SQLSMINT: return 2;
    case SQLINT: case SQLSERIAL: case SQLDATE: case SQLSMFLOAT: return 4;
    case SQLFLOAT: case SQLINFXBIGINT: case SQLBIGSERIAL: return 8;
    case SQLINT8: case SQLSERIAL8: return 10;
    case SQLDECIMAL: case SQLMONEY: return ((type.length >> 8) + 3) / 2;
    case SQLDTIME: case SQLINTERVAL: return ((type.length >> 8) + 4) / 2;
    case SQLBYTES: case SQLTEXT: return 56;
    case SQLLVARCHAR: return type.length + 3;
    case SQLBOOL: return 2;
    default: return 72;  // smart large objects and other opaque types: their descriptor
    }
}

}  // namespace ifxsim::catalog
