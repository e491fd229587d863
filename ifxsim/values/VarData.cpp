// ifx_var_*: the holder of a variable-length opaque value (lvarchar host
// variables, code 124 columns). *variable points at a holder this library
// owns; the holder owns its data buffer. ifx_var_freevar releases both.
// Every call returns -1 for a missing or foreign holder.
#include "ifxesqlc.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct VarHolder {
    static constexpr uint32_t kMagic = 0x56584649;  // "IFXV"
    uint32_t magic = kMagic;
    int2 allocFlag = 1;  // 1: the library allocates the data when fetching
    bool isNull = true;
    int4 length = 0;
    std::vector<char> data;
};

VarHolder *holderOf(void **variable) {
    if (!variable || !*variable)
        return nullptr;
    VarHolder *h = static_cast<VarHolder *>(*variable);
    return h->magic == VarHolder::kMagic ? h : nullptr;
}

// The holder, created when the variable has none yet.
VarHolder *ensureHolder(void **variable) {
    if (!variable)
        return nullptr;
    if (!*variable) {
        auto fresh = std::make_unique<VarHolder>();
        *variable = fresh.release();  // owned through *variable until ifx_var_freevar
    }
    return holderOf(variable);
}

}  // namespace

extern "C" {

mint ifx_var_flag(void **variable, int2 alloc_flag) {
    VarHolder *h = ensureHolder(variable);
    if (!h)
        return -1;
    h->allocFlag = alloc_flag;
    return 0;
}

mint ifx_var_init(void **variable) {
    VarHolder *h = ensureHolder(variable);
    if (!h)
        return -1;
    *h = VarHolder{};
    return 0;
}

mint ifx_var_alloc(void **variable, int4 size) {
    // Arguments first: a refused call must not leave a fresh holder nobody frees.
    if (size < 0)
        return -1;
    VarHolder *h = ensureHolder(variable);
    if (!h)
        return -1;
    h->data.assign(static_cast<size_t>(size), '\0');
    h->length = 0;
    return 0;
}

mint ifx_var_dealloc(void **variable) {
    VarHolder *h = holderOf(variable);
    if (!h)
        return -1;
    std::vector<char>().swap(h->data);
    h->length = 0;
    return 0;
}

mint ifx_var_freevar(void **variable) {
    VarHolder *h = holderOf(variable);
    if (!h)
        return -1;
    h->magic = 0;
    std::unique_ptr<VarHolder> owned(h);
    *variable = nullptr;
    return 0;
}

void *ifx_var_getdata(void **variable) {
    VarHolder *h = holderOf(variable);
    if (!h || h->data.empty())
        return nullptr;
    return h->data.data();
}

mint ifx_var_getlen(void **variable) {
    VarHolder *h = holderOf(variable);
    return h ? h->length : -1;
}

mint ifx_var_setdata(void **variable, char *data, int4 size) {
    if (size < 0 || (size > 0 && !data))
        return -1;
    VarHolder *h = ensureHolder(variable);
    if (!h)
        return -1;
    // One spare byte keeps text data NUL-terminated for callers reading it as a string.
    h->data.assign(static_cast<size_t>(size) + 1, '\0');
    if (size > 0)
        std::memcpy(h->data.data(), data, static_cast<size_t>(size));
    h->length = size;
    h->isNull = false;
    return 0;
}

mint ifx_var_setlen(void **variable, int4 size) {
    VarHolder *h = holderOf(variable);
    if (!h || size < 0)
        return -1;
    if (static_cast<size_t>(size) > h->data.size())
        h->data.resize(static_cast<size_t>(size), '\0');
    h->length = size;
    return 0;
}

mint ifx_var_isnull(void **variable) {
    VarHolder *h = holderOf(variable);
    if (!h)
        return -1;
    return h->isNull ? 1 : 0;
}

mint ifx_var_setnull(void **variable, mint flag) {
    VarHolder *h = holderOf(variable);
    if (!h)
        return -1;
    h->isNull = flag != 0;
    return 0;
}

}  // extern "C"
