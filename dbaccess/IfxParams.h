#pragma once
// TParam / TParams: the parameter list of a query as its callers fill it
// (ParamByName("id").SetAsInteger(5)). Each parameter has a name, a data type
// (a field kind) and a value, or null. The list holds each name once, in the
// order of its first reference in the text; a name referenced twice binds
// the same value at both markers.
//
// At each open or execute the list is turned into the statement's input
// descriptor (TIfxParams): the data type decides the Informix type the value
// travels as.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "dbaccess/DataSetField.h"

namespace varnok {

class TParam {
public:
    explicit TParam(std::string name = {}) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    TFieldType DataType() const { return type_; }
    // Changing the type keeps the value (it is converted when it is bound).
    void SetDataType(TFieldType type) { type_ = type; }
    bool IsNull() const { return std::holds_alternative<std::monostate>(value_); }
    // True once a value (null included) was assigned.
    bool Bound() const { return bound_; }
    void SetBound(bool bound) { bound_ = bound; }

    void Clear();
    void SetAsString(const std::string& text);
    void SetAsFixedChar(const std::string& text);
    void SetAsSmallInt(std::int16_t v);
    void SetAsInteger(std::int32_t v);
    void SetAsLargeInt(std::int64_t v);
    void SetAsFloat(double v);
    void SetAsCurrency(double v);
    // A decimal given by its text keeps every digit.
    void SetAsBCD(const std::string& text);
    void SetAsBoolean(bool v);
    void SetAsDate(TDateTime v);
    void SetAsTime(TDateTime v);
    void SetAsDateTime(TDateTime v);
    void SetAsBlob(const std::string& bytes);
    void SetAsMemo(const std::string& text);
    // The value and kind of a field of the current row (a master's field).
    void AssignField(const TField& field);
    // Value, type and bound state of another parameter (the name stays).
    void AssignValue(const TParam& other);

    // Reading: text, whole number, float, boolean, date-time (0 / empty for null).
    std::string AsString() const;
    std::int64_t AsLargeInt() const;
    std::int32_t AsInteger() const { return static_cast<std::int32_t>(AsLargeInt()); }
    double AsFloat() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;

private:
    template <typename T>
    void Set(TFieldType type, T value) {
        type_ = type;
        value_ = std::move(value);
        bound_ = true;
    }
    std::string name_;
    TFieldType type_ = TFieldType::ftUnknown;
    // Texts (strings, decimals, bytes), whole numbers, floats and date-times, booleans.
    std::variant<std::monostate, std::string, std::int64_t, double, bool> value_;
    bool bound_ = false;
};

class TParams {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    TParam& operator[](int i) { return items_.at(static_cast<std::size_t>(i)); }
    const TParam& operator[](int i) const { return items_.at(static_cast<std::size_t>(i)); }
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    // The parameter called name (ignoring case), or null.
    TParam* FindParam(std::string_view name);
    const TParam* FindParam(std::string_view name) const;
    // Raises "Parameter '%s' not found".
    TParam& ParamByName(std::string_view name);

    // One parameter per distinct name (in order of first occurrence);
    // parameters whose names existed before keep their type and value.
    void Rebuild(const std::vector<std::string>& names);
    void Clear() { items_.clear(); }
    TParam& Add(std::string name);

private:
    std::vector<TParam> items_;
};

}  // namespace varnok
