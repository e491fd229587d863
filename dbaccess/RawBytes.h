#pragma once
// Reading and writing a value of a trivially copyable type at any address of
// a record or column buffer (which need not be aligned for it).
#include <cstring>
#include <type_traits>

namespace varnok {

template <typename T>
T LoadRaw(const char* p) {
    static_assert(std::is_trivially_copyable_v<T>);
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

template <typename T>
void StoreRaw(char* p, T v) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(p, &v, sizeof v);
}

}  // namespace varnok
