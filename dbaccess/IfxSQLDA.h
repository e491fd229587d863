#pragma once
// The statement descriptors: TIfxSQLDA holds a client-library descriptor (a
// count and an array of sqlvar entries: type code, length, data pointer,
// indicator, name, extended type id) and one TIfxSQLVAR wrapper per entry.
// A wrapper owns the value object (IfxValue.h) that reads or writes its
// entry, and the buffer and indicator the entry points at.
//
// TIfxParams is the input descriptor: it allocates its own entries, one per
// "?" marker, each named after its parameter. TIfxFields is the output
// descriptor that describe returned: its names are the result columns'
// (read-only) and it goes back to the library with SqlFreeMem(…, 3).
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxValue.h"

namespace varnok {

class TIfxSQLDA;
class TParam;

class TIfxSQLVAR {
public:
    TIfxSQLVAR(TIfxSQLDA& owner, int index, std::string name);
    ~TIfxSQLVAR();
    TIfxSQLVAR(const TIfxSQLVAR&) = delete;
    TIfxSQLVAR& operator=(const TIfxSQLVAR&) = delete;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }
    ifx_sqlvar_t& Var() const;
    // The type and length as described (output) or as last bound (input),
    // before a buffer choice changed the entry.
    int DescribedType() const { return describedType_; }
    int DescribedLength() const { return describedLen_; }
    int ExtendedId() const;

    // The value object bound to the entry's buffer; null before a buffer exists.
    TIfxValue* Value() const { return value_.get(); }
    bool HasBuffer() const { return value_ != nullptr; }
    // A value object and buffer for the described type (output columns);
    // "Unsupported data type '%s'. Field '%s'" for a type the layer cannot read.
    void CreateBuffer(const TIfxLibrary& lib);
    void ReleaseBuffer();
    // Gives back what the library allocated for the current row and readies
    // the entry for the next fetch (locators into memory).
    void ResetRowState();

    // ---- input values (parameters)
    // The value as the caller gave it; Bind turns it into the entry's buffer.
    TParam& Param() { return *param_; }
    const TParam& Param() const { return *param_; }
    // Stores param's value by its data type (null → the null indicator);
    // "Unsupported value type for '%s'" for a type that has no Informix form.
    void Bind(const TIfxLibrary& lib, const TParam& param);
    bool IsNull() const { return !value_ || value_->IsNull(); }

private:
    friend class TIfxParams;
    // Makes the entry a value of sqlType/sqlLen (a new object only when the type changes).
    void Retype(const TIfxLibrary& lib, int sqlType, int sqlLen);
    void Attach();   // points the entry at the buffer and indicator

    TIfxSQLDA* owner_;
    int index_;
    std::string name_;
    int describedType_ = 0;
    int describedLen_ = 0;
    std::unique_ptr<TIfxValue> value_;
    std::unique_ptr<std::max_align_t[]> buffer_;
    int2 indicator_ = -1;
    std::unique_ptr<TParam> param_;
};

class TIfxSQLDA {
public:
    TIfxSQLDA() = default;
    virtual ~TIfxSQLDA() = default;
    TIfxSQLDA(const TIfxSQLDA&) = delete;
    TIfxSQLDA& operator=(const TIfxSQLDA&) = delete;

    int Count() const { return static_cast<int>(vars_.size()); }
    TIfxSQLVAR& operator[](int i) const { return *vars_.at(static_cast<std::size_t>(i)); }
    // By name, ignoring case; null when there is none.
    TIfxSQLVAR* Find(std::string_view name) const;
    // Raises "Host variable ('%s') not found".
    TIfxSQLVAR& ByName(std::string_view name) const;
    // The library's descriptor (null when there are no entries).
    ifx_sqlda_t* Descriptor() const { return vars_.empty() ? nullptr : da_; }

    void ResetRowState();
    void ReleaseBuffers();

protected:
    friend class TIfxSQLVAR;
    ifx_sqlda_t* da_ = nullptr;
    std::vector<std::unique_ptr<TIfxSQLVAR>> vars_;
};

// The input descriptor: one entry per parameter marker.
class TIfxParams : public TIfxSQLDA {
public:
    TIfxParams();
    // One entry per name in marker order; entries whose names existed before
    // keep their values.
    void SetNames(const std::vector<std::string>& names);
    // Binds every entry: a repeated name takes the value of its first entry.
    void BindAll(const TIfxLibrary& lib);
    std::vector<std::string> Names() const;
    void Clear() { SetNames({}); }

private:
    ifx_sqlda_t own_{};
    std::vector<ifx_sqlvar_t> entries_;
};

// The output descriptor returned by describe.
class TIfxFields : public TIfxSQLDA {
public:
    TIfxFields() = default;
    ~TIfxFields() override;
    // Takes over a described descriptor (the previous one is given back).
    void Assign(ifx_sqlda_t* described);
    // Gives the descriptor back to the library.
    void Release();
    // Result column names cannot be changed: raises "Field name is read-only".
    void SetName(int index, const std::string& name);
    void CreateBuffers(const TIfxLibrary& lib);
    bool BuffersCreated() const { return !vars_.empty() && vars_.front()->HasBuffer(); }
};

// The text of the parameter block of an open or execute trace:
// "Parameters (count = %d)" and one "%s %s -- %s" line per entry.
std::string ParameterTrace(const TIfxParams& params);

}  // namespace varnok
