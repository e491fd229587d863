// The field class of every Informix type code (0–48 and the opaque holder
// 124) with the four native switches on and with them off.
#include <gtest/gtest.h>

#include <typeindex>

#include "dbaccess/IfxField.h"
#include "tests/dbaccess/ValuesTestLibrary.h"

using namespace varnok;
using varnok::testing::StandInValues;

namespace {

struct TClassCase {
    const char* what;
    int sqlType, sqlLen, xid;
    std::type_index native;   // all four switches on
    std::type_index plain;    // all off
};

const std::type_index kNoField = typeid(void);

std::type_index ClassOf(const TField* field) { return field ? std::type_index(typeid(*field)) : kNoField; }

class FieldClasses : public StandInValues {};

}  // namespace

TEST_F(FieldClasses, EveryTypeCodeGetsItsClass) {
    const int dec = PRECMAKE(16, 2);
    const TClassCase cases[] = {
        {"char", SQLCHAR, 10, 0, typeid(TIfxCharField), typeid(TStringField)},
        {"smallint", SQLSMINT, 2, 0, typeid(TIfxSmallIntField), typeid(TIntegerField)},
        {"integer", SQLINT, 4, 0, typeid(TIfxIntegerField), typeid(TIntegerField)},
        {"float", SQLFLOAT, 8, 0, typeid(TIfxFloatField), typeid(TFloatField)},
        {"smallfloat", SQLSMFLOAT, 4, 0, typeid(TIfxFloatField), typeid(TFloatField)},
        {"decimal", SQLDECIMAL, dec, 0, typeid(TIfxDecimalField), typeid(TFloatField)},
        {"serial", SQLSERIAL, 4, 0, typeid(TIfxIntegerField), typeid(TIntegerField)},
        {"date", SQLDATE, 4, 0, typeid(TIfxDateField), typeid(TDateTimeField)},
        {"money", SQLMONEY, dec, 0, typeid(TIfxMoneyField), typeid(TFloatField)},
        {"null", SQLNULL, 0, 0, kNoField, kNoField},
        {"datetime", SQLDTIME, TU_DTENCODE(TU_YEAR, TU_SECOND), 0, typeid(TIfxDateTimeField), typeid(TDateTimeField)},
        {"byte", SQLBYTES, 56, 0, typeid(TBlobField), typeid(TBlobField)},
        {"text", SQLTEXT, 56, 0, typeid(TBlobField), typeid(TBlobField)},
        {"varchar", SQLVCHAR, 40, 0, typeid(TIfxVarCharField), typeid(TStringField)},
        {"interval", SQLINTERVAL, TU_IENCODE(3, TU_DAY, TU_SECOND), 0, typeid(TIfxVarCharField), typeid(TStringField)},
        {"nchar", SQLNCHAR, 10, 0, typeid(TIfxCharField), typeid(TStringField)},
        {"nvarchar", SQLNVCHAR, 40, 0, typeid(TIfxVarCharField), typeid(TStringField)},
        {"int8", SQLINT8, 10, 0, typeid(TIfxInt8Field), typeid(TIntegerField)},
        {"serial8", SQLSERIAL8, 10, 0, typeid(TIfxInt8Field), typeid(TIntegerField)},
        {"set", SQLSET, 100, 0, typeid(TBlobField), typeid(TBlobField)},
        {"multiset", SQLMULTISET, 100, 0, typeid(TBlobField), typeid(TBlobField)},
        {"list", SQLLIST, 100, 0, typeid(TBlobField), typeid(TBlobField)},
        {"row", SQLROW, 100, 0, typeid(TBlobField), typeid(TBlobField)},
        {"collection", SQLCOLLECTION, 100, 0, typeid(TBlobField), typeid(TBlobField)},
        {"rowref", SQLROWREF, 8, 0, kNoField, kNoField},
        {"udtvar", SQLUDTVAR, 100, 2050, typeid(TBlobField), typeid(TBlobField)},
        {"udtfixed", SQLUDTFIXED, 100, 2051, typeid(TBlobField), typeid(TBlobField)},
        {"refser8", SQLREFSER8, 8, 0, kNoField, kNoField},
        {"lvarchar", SQLLVARCHAR, 500, 0, typeid(TIfxVarCharField), typeid(TStringField)},
        {"lvarchar_xid", SQLUDTVAR, 500, XID_LVARCHAR, typeid(TIfxVarCharField), typeid(TStringField)},
        {"sendrecv", SQLSENDRECV, 8, 0, kNoField, kNoField},
        {"boolean", SQLBOOL, 1, 0, typeid(TBooleanField), typeid(TBooleanField)},
        {"boolean_xid", SQLUDTFIXED, 1, XID_BOOLEAN, typeid(TBooleanField), typeid(TBooleanField)},
        {"blob", SQLUDTFIXED, 72, XID_BLOB, typeid(TIfxBlobField), kNoField},
        {"clob", SQLUDTFIXED, 72, XID_CLOB, typeid(TIfxClobField), kNoField},
        {"udrdefault", SQLUDRDEFAULT, 8, 0, kNoField, kNoField},
        {"opaque_holder", kIfxOpaqueHolderType, 0, 0, typeid(TBlobField), typeid(TBlobField)},
        {"bigint", SQLINFXBIGINT, 8, 0, typeid(TIfxInt8Field), typeid(TIntegerField)},
        {"bigserial", SQLBIGSERIAL, 8, 0, typeid(TIfxInt8Field), typeid(TIntegerField)},
        {"unknown_beyond_the_table", SQLUNKNOWN, 8, 0, kNoField, kNoField},
    };
    TIfxFieldTypes natives, plain;
    natives.SetAllNative(true);
    for (const TClassCase& c : cases) {
        for (bool native : {true, false}) {
            TIfxFieldTypes& types = native ? natives : plain;
            TFieldDefs defs;
            const TFieldDef& def = types.AddFieldDef(defs, 1, c.xid, c.sqlLen, c.sqlType, c.what);
            const std::unique_ptr<TField> field = CreateIfxField(lib(), types, def);
            EXPECT_EQ(ClassOf(field.get()), native ? c.native : c.plain)
                << c.what << (native ? " native" : " plain") << " got " << ClassOf(field.get()).name();
        }
    }
}

TEST_F(FieldClasses, AutoIncrementKindGetsTheSerialField) {
    TIfxFieldTypes types;
    types.SetAllNative(true);
    types.SetKind(TIfxTypeProperty::TypeSerial, TFieldType::ftAutoInc);
    TFieldDefs defs;
    const TFieldDef& def = types.AddFieldDef(defs, 1, 0, 4, SQLSERIAL | SQLNONULL, "id");
    EXPECT_FALSE(def.required);
    EXPECT_NE(dynamic_cast<TIfxSerialField*>(CreateIfxField(lib(), types, def).get()), nullptr);
}
