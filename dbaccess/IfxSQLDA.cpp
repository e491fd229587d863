#include "dbaccess/IfxSQLDA.h"

#include <algorithm>
#include <cstring>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxExceptions.h"
#include "dbaccess/IfxParams.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

namespace {

// A DATETIME parameter carries year to fraction(3), what a TDateTime holds.
constexpr int kFullDateTime = TU_DTENCODE(TU_YEAR, TU_F3);

}  // namespace

// ---- TIfxSQLVAR ----

TIfxSQLVAR::TIfxSQLVAR(TIfxSQLDA& owner, int index, std::string name)
    : owner_(&owner), index_(index), name_(std::move(name)), param_(std::make_unique<TParam>(name_)) {
    if (owner.da_ && index < owner.da_->sqld) {
        describedType_ = owner.da_->sqlvar[index].sqltype;
        describedLen_ = owner.da_->sqlvar[index].sqllen;
    }
}

// The entry may already belong to a rebuilt descriptor: only the owned parts go.
TIfxSQLVAR::~TIfxSQLVAR() = default;

ifx_sqlvar_t& TIfxSQLVAR::Var() const { return owner_->da_->sqlvar[index_]; }

int TIfxSQLVAR::ExtendedId() const { return Var().sqlxid; }

void TIfxSQLVAR::Attach() {
    ifx_sqlvar_t& var = Var();
    var.sqldata = reinterpret_cast<char*>(buffer_.get());
    var.sqlind = &indicator_;
    value_->Bind(var.sqldata, &indicator_);
}

void TIfxSQLVAR::CreateBuffer(const TIfxLibrary& lib) {
    ReleaseBuffer();
    ifx_sqlvar_t& var = Var();
    value_ = CreateIfxValue(lib, describedType_, describedLen_, var.sqlxid, name_);
    // Collections and other types the layer reads as text: ask the library for that form.
    if (value_->SqlType() != (describedType_ & SQLTYPE)) {
        var.sqltype = static_cast<int2>(value_->SqlType());
        var.sqllen = value_->SqlLen();
    }
    const std::size_t cells = (std::max<std::size_t>(value_->BufferSize(), 1) + sizeof(std::max_align_t) - 1) /
                              sizeof(std::max_align_t);
    buffer_ = std::make_unique<std::max_align_t[]>(cells);
    std::memset(buffer_.get(), 0, cells * sizeof(std::max_align_t));
    indicator_ = 0;
    Attach();
    ResetRowState();
}

void TIfxSQLVAR::ReleaseBuffer() {
    if (value_) value_->ReleaseRowResources();
    value_.reset();
    buffer_.reset();
    if (owner_->da_ && index_ < owner_->da_->sqld) {
        ifx_sqlvar_t& var = Var();
        var.sqldata = nullptr;
        var.sqlind = nullptr;
        var.sqltype = static_cast<int2>(describedType_);
        var.sqllen = describedLen_;
    }
}

void TIfxSQLVAR::ResetRowState() {
    if (value_) value_->PrepareForFetch();
}

void TIfxSQLVAR::Retype(const TIfxLibrary& lib, int sqlType, int sqlLen) {
    if (!value_ || value_->SqlType() != sqlType || value_->SqlLen() != sqlLen) {
        if (value_) value_->ReleaseRowResources();
        value_ = CreateIfxValue(lib, sqlType, sqlLen, 0, name_);
        const std::size_t cells = (std::max<std::size_t>(value_->BufferSize(), 1) + sizeof(std::max_align_t) - 1) /
                                  sizeof(std::max_align_t);
        buffer_ = std::make_unique<std::max_align_t[]>(cells);
        std::memset(buffer_.get(), 0, cells * sizeof(std::max_align_t));
    }
    ifx_sqlvar_t& var = Var();
    var.sqltype = static_cast<int2>(sqlType);
    var.sqllen = sqlLen;
    describedType_ = sqlType;
    describedLen_ = sqlLen;
    Attach();
}

void TIfxSQLVAR::Bind(const TIfxLibrary& lib, const TParam& p) {
    using F = TFieldType;
    if (&p != param_.get()) param_->AssignValue(p);
    if (p.IsNull()) {
        Retype(lib, SQLCHAR, 1);
        value_->SetNull();
        return;
    }
    switch (p.DataType()) {
    case F::ftString:
    case F::ftWideString:
    case F::ftFixedChar: {
        const std::string text = p.AsString();
        Retype(lib, SQLCHAR, std::max<int>(1, static_cast<int>(text.size())));
        value_->SetAsString(text);
        break;
    }
    case F::ftSmallint:
    case F::ftWord:
        Retype(lib, SQLSMINT, 2);
        value_->SetAsLargeInt(p.AsLargeInt());
        break;
    case F::ftInteger:
    case F::ftAutoInc:
        Retype(lib, SQLINT, 4);
        value_->SetAsLargeInt(p.AsLargeInt());
        break;
    case F::ftBoolean:
        Retype(lib, SQLBOOL, 1);
        value_->SetAsBoolean(p.AsBoolean());
        break;
    case F::ftFloat:
        Retype(lib, SQLFLOAT, 8);
        value_->SetAsFloat(p.AsFloat());
        break;
    case F::ftCurrency:
        Retype(lib, SQLMONEY, PRECMAKE(MAXDECPREC, 4));
        value_->SetAsCurrency(p.AsFloat());
        break;
    case F::ftBCD:
    case F::ftFMTBcd:
        Retype(lib, SQLDECIMAL, PRECMAKE(MAXDECPREC, DECFLOATSCALE));
        value_->SetAsString(p.AsString());
        break;
    case F::ftDate:
        Retype(lib, SQLDATE, 4);
        value_->SetAsDateTime(p.AsDateTime());
        break;
    case F::ftTime:
    case F::ftDateTime:
    case F::ftTimeStamp:
        Retype(lib, SQLDTIME, kFullDateTime);
        value_->SetAsDateTime(p.AsDateTime());
        break;
    case F::ftBlob:
    case F::ftGraphic:
        Retype(lib, SQLBYTES, 0);
        value_->SetAsBytes(p.AsString());
        break;
    case F::ftMemo:
    case F::ftFmtMemo:
        Retype(lib, SQLTEXT, 0);
        value_->SetAsBytes(p.AsString());
        break;
    case F::ftLargeint:
        Retype(lib, SQLINT8, 10);
        value_->SetAsString(p.AsString());
        break;
    default: throw EIfxAccessError(Format("Unsupported value type for '%s'", {name_}));
    }
}

// ---- TIfxSQLDA ----

TIfxSQLVAR* TIfxSQLDA::Find(std::string_view name) const {
    for (const auto& v : vars_)
        if (SameText(v->Name(), name)) return v.get();
    return nullptr;
}

TIfxSQLVAR& TIfxSQLDA::ByName(std::string_view name) const {
    if (TIfxSQLVAR* v = Find(name)) return *v;
    throw EIfxAccessError(Format("Host variable ('%s') not found", {std::string(name)}));
}

void TIfxSQLDA::ResetRowState() {
    for (auto& v : vars_) v->ResetRowState();
}

void TIfxSQLDA::ReleaseBuffers() {
    for (auto& v : vars_) v->ReleaseBuffer();
}

// ---- TIfxParams ----

TIfxParams::TIfxParams() { da_ = &own_; }

void TIfxParams::SetNames(const std::vector<std::string>& names) {
    std::vector<std::unique_ptr<TIfxSQLVAR>> old = std::move(vars_);
    vars_.clear();
    entries_.assign(names.size(), ifx_sqlvar_t{});
    own_.sqld = static_cast<int2>(names.size());
    own_.sqlvar = entries_.empty() ? nullptr : entries_.data();
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto var = std::make_unique<TIfxSQLVAR>(*this, static_cast<int>(i), names[i]);
        for (const auto& o : old)
            if (SameText(o->Name(), names[i])) {
                var->Param().AssignValue(o->Param());
                break;
            }
        entries_[i].sqltype = SQLCHAR;
        entries_[i].sqlname = const_cast<char*>(var->Name().c_str());
        vars_.push_back(std::move(var));
    }
}

std::vector<std::string> TIfxParams::Names() const {
    std::vector<std::string> names;
    for (const auto& v : vars_) names.push_back(v->Name());
    return names;
}

void TIfxParams::BindAll(const TIfxLibrary& lib) {
    for (auto& v : vars_) {
        const TIfxSQLVAR* first = Find(v->Name());
        v->Bind(lib, first->Param());
    }
}

// ---- TIfxFields ----

TIfxFields::~TIfxFields() {
    try {
        Release();
    } catch (...) {
    }
}

void TIfxFields::Assign(ifx_sqlda_t* described) {
    Release();
    da_ = described;
    if (!da_) return;
    for (int i = 0; i < da_->sqld; ++i) {
        const char* name = da_->sqlvar[i].sqlname;
        vars_.push_back(std::make_unique<TIfxSQLVAR>(*this, i, name ? name : ""));
    }
}

void TIfxFields::Release() {
    ReleaseBuffers();
    vars_.clear();
    if (da_ && IfxClientLibraryLoaded()) Ifx().SqlFreeMem(da_, SQLDA_FREE);
    da_ = nullptr;
}

void TIfxFields::SetName(int index, const std::string& name) {
    (void)index, (void)name;
    throw EIfxAccessError("Field name is read-only");
}

void TIfxFields::CreateBuffers(const TIfxLibrary& lib) {
    try {
        for (auto& v : vars_) v->CreateBuffer(lib);
    } catch (...) {
        ReleaseBuffers();
        throw;
    }
}

// ---- trace ----

std::string ParameterTrace(const TIfxParams& params) {
    using F = TFieldType;
    std::string text = Format("Parameters (count = %d)", {params.Count()});
    for (int i = 0; i < params.Count(); ++i) {
        const TParam& p = params[i].Param();
        std::string value;
        if (p.IsNull())
            value = "is null";
        else if (p.DataType() == F::ftBlob || p.DataType() == F::ftGraphic || p.DataType() == F::ftTypedBinary)
            value = "is not null";
        else
            value = "= '" + p.AsString() + "'";
        text += "\r\n" + Format("%s %s -- %s", {params[i].Name(), value, FieldTypeName(p.DataType())});
    }
    return text;
}

}  // namespace varnok
