// Character, boolean and opaque values.
#include <cstdio>
#include <cstring>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxValue.h"
#include "dbaccess/TextUtils.h"

namespace varnok {

// ---- character types ----

std::size_t TIfxCharValue::Capacity() const {
    const int len = SqlLen() > 0 ? SqlLen() : 0;
    switch (SqlType()) {
    case SQLVCHAR:
    case SQLNVCHAR: return static_cast<std::size_t>(len & 0xff);
    case SQLLVARCHAR: return static_cast<std::size_t>(len ? len : SIZLVARCHAR);
    default: return static_cast<std::size_t>(len ? len : 1);
    }
}

std::string TIfxCharValue::GetString() const {
    const char* p = Buffer();
    return std::string(p, strnlen(p, Capacity()));
}

void TIfxCharValue::PutString(const std::string& text) {
    char* p = Buffer();
    const std::size_t n = std::min(text.size(), Capacity());
    std::memcpy(p, text.data(), n);
    p[n] = '\0';
    MarkNotNull();
}

std::int64_t TIfxCharValue::GetLargeInt() const {
    std::string text = TrimText(GetString());
    mlong v = 0;
    if (text.empty() || lib_.rstol(text.data(), &v) < 0) NoConversion();
    return v;
}

double TIfxCharValue::GetFloat() const {
    std::string text = TrimText(GetString());
    double v = 0;
    if (text.empty() || lib_.rstod(text.data(), &v) < 0) NoConversion();
    return v;
}

dec_t TIfxCharValue::GetDecimal() const {
    std::string text = GetString();
    dec_t d{};
    Check(lib_.deccvasc(text.data(), static_cast<mint>(text.size()), &d));
    return d;
}

bool TIfxCharValue::GetBoolean() const {
    const std::string t = LowerText(TrimText(GetString()));
    if (t == "t" || t == "true" || t == "1") return true;
    if (t == "f" || t == "false" || t == "0" || t.empty()) return false;
    NoConversion();
}

void TIfxCharValue::PutFloat(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    PutString(buf);
}

void TIfxCharValue::PutDecimal(const dec_t& v) {
    dec_t copy = v;
    char buf[160];
    Check(lib_.dectoasc(&copy, buf, 127, -1));
    buf[127] = '\0';
    PutString(TrimText(std::string(buf, 127)));
}

// ---- BOOLEAN: the library's buffer holds 't'/'f' (or 1/0) ----

bool TIfxBooleanValue::GetBoolean() const {
    const char c = Buffer()[0];
    return c == 't' || c == 'T' || c == 1;
}

void TIfxBooleanValue::PutBoolean(bool v) {
    char* p = Buffer();
    p[0] = v ? 't' : 'f';
    p[1] = '\0';
    MarkNotNull();
}

void TIfxBooleanValue::PutString(const std::string& text) {
    const std::string t = LowerText(TrimText(text));
    if (t.empty()) return SetNull();
    if (t == "t" || t == "true" || t == "1") return PutBoolean(true);
    if (t == "f" || t == "false" || t == "0") return PutBoolean(false);
    WriteError("Boolean");
}

// ---- opaque values in a variable-length holder ----

bool TIfxOpaqueValue::GetIsNull() const {
    void** holder = reinterpret_cast<void**>(Buffer());
    return *holder == nullptr || lib_.ifx_var_isnull(holder) != 0;
}

std::string TIfxOpaqueValue::GetBytes() const {
    void** holder = reinterpret_cast<void**>(Buffer());
    const char* data = static_cast<const char*>(lib_.ifx_var_getdata(holder));
    const int len = lib_.ifx_var_getlen(holder);
    return data && len > 0 ? std::string(data, static_cast<std::size_t>(len)) : std::string();
}

void TIfxOpaqueValue::PutBytes(const std::string& bytes) {
    void** holder = reinterpret_cast<void**>(Buffer());
    if (*holder == nullptr) {
        Check(lib_.ifx_var_flag(holder, 0));
        Check(lib_.ifx_var_alloc(holder, static_cast<int4>(bytes.size() + 1)));
    }
    std::string copy = bytes;
    Check(lib_.ifx_var_setdata(holder, copy.data(), static_cast<int4>(copy.size())));
    MarkNotNull();
}

void TIfxOpaqueValue::PrepareForFetch() {
    ReleaseRowResources();
    Check(lib_.ifx_var_flag(reinterpret_cast<void**>(Buffer()), 1));
}

void TIfxOpaqueValue::ReleaseRowResources() {
    if (!Data()) return;
    void** holder = reinterpret_cast<void**>(Data());
    if (*holder == nullptr) return;
    if (lib_.ifx_var_freevar)
        lib_.ifx_var_freevar(holder);
    else
        lib_.ifx_var_dealloc(holder);
    *holder = nullptr;
    if (Indicator()) *Indicator() = -1;   // the value went with its holder
}

}  // namespace varnok
