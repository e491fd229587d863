#pragma once
// TIfxFieldTypes: which field kind each Informix column type becomes, and
// whether the data set uses the native field classes (which read the
// library's own value representation) for character, numeric, time and smart
// large-object columns. The result grids use all four native switches; the
// catalog queries keep the defaults (plain string, integer and float fields).
#include <array>
#include <string>

#include "dbaccess/FieldDef.h"
#include "dbaccess/IfxComponent.h"

namespace varnok {

// The kind properties (TypeChar … TypeOpaque).
enum class TIfxTypeProperty {
    TypeChar, TypeSmallInt, TypeInt, TypeFloat, TypeSmallFloat, TypeDecimal, TypeSerial, TypeDate,
    TypeMoney, TypeByte, TypeDateTimeFull, TypeDateTimeOnlyDate, TypeDateTimeOnlyTime, TypeText,
    TypeVarChar, TypeInterval, TypeNChar, TypeNVarChar, TypeInt8, TypeSerial8, TypeLVarChar,
    TypeBoolean, TypeBlob, TypeClob, TypeOpaque,
};

// Column type code of the opaque value the layer holds itself (an ifx_var holder).
inline constexpr int kIfxOpaqueHolderType = 124;
inline constexpr int kIfxKindTableSize = 49;

class TIfxFieldTypes : public TIfxComponent {
public:
    TIfxFieldTypes();

    bool NativeCharacter = false;
    bool NativeNumeric = false;
    bool NativeTime = false;
    bool NativeSmartLob = false;

    TFieldType Kind(TIfxTypeProperty property) const { return kinds_[static_cast<std::size_t>(property)]; }
    void SetKind(TIfxTypeProperty property, TFieldType kind) { kinds_[static_cast<std::size_t>(property)] = kind; }
    void SetAllNative(bool on) { NativeCharacter = NativeNumeric = NativeTime = NativeSmartLob = on; }

    // The 49-entry table by type code (0–48): the kind properties, typed
    // binary for the collection and opaque codes, unknown for the rest.
    TFieldType TableKind(int code) const;
    // The kind of one column (DATETIME split by its qualifier, the extended
    // ids of the built-in opaque types, code 124, BIGINT and BIGSERIAL as
    // INT8 and SERIAL8).
    TFieldType ColumnKind(int sqlType, int sqlLen, int extendedId) const;

    // Adds the field definition of one result column to defs: unique name,
    // kind, size, precision, required.
    TFieldDef& AddFieldDef(TFieldDefs& defs, int fieldNo, int extendedId, int sqlLen, int sqlType,
                           const std::string& columnName) const;

private:
    std::array<TFieldType, 25> kinds_{};
};

// The process-wide default (switches off); data sets fall back to it.
TIfxFieldTypes& DefaultIfxFieldTypes();

}  // namespace varnok
