// BYTE and TEXT through locators; BLOB and CLOB through the smart-large-object
// routines, read on demand.
#include <cstring>

#include "dbaccess/FormatText.h"
#include "dbaccess/IfxValue.h"

namespace varnok {

// ---- BYTE, TEXT ----

namespace {
loc_t* LocatorIn(char* buffer) { return reinterpret_cast<loc_t*>(buffer); }
}  // namespace

void TIfxLocatorValue::PrepareForFetch() {
    ReleaseRowResources();
    loc_t* loc = LocatorIn(Buffer());
    std::memset(loc, 0, sizeof *loc);
    loc->loc_loctype = LOCMEMORY;
    loc->loc_bufsize = -1;   // the library allocates what the value needs
    loc->loc_mflags = 0;
    loc->loc_type = SqlType();
}

void TIfxLocatorValue::ReleaseRowResources() {
    if (!Data()) return;
    loc_t* loc = LocatorIn(Data());
    if (loc->loc_loctype == LOCMEMORY && loc->loc_buffer && loc->loc_buffer != owned_.data()) {
        lib_.SqlFreeMem(loc->loc_buffer, LOC_BUFFER_FREE);
        loc->loc_buffer = nullptr;
        loc->loc_bufsize = -1;
    }
}

bool TIfxLocatorValue::GetIsNull() const { return LocatorIn(Buffer())->loc_indicator == -1; }

std::string TIfxLocatorValue::GetBytes() const {
    const loc_t* loc = LocatorIn(Buffer());
    if (loc->loc_loctype != LOCMEMORY) throw EIfxAccessError("Invalid locator value");
    if (!loc->loc_buffer || loc->loc_size <= 0) return {};
    return std::string(loc->loc_buffer, static_cast<std::size_t>(loc->loc_size));
}

void TIfxLocatorValue::PutBytes(const std::string& bytes) {
    ReleaseRowResources();
    owned_ = bytes;
    loc_t* loc = LocatorIn(Buffer());
    std::memset(loc, 0, sizeof *loc);
    loc->loc_loctype = LOCMEMORY;
    loc->loc_buffer = owned_.data();
    loc->loc_bufsize = static_cast<int4>(owned_.size());
    loc->loc_size = static_cast<int4>(owned_.size());
    loc->loc_indicator = 0;
    loc->loc_type = SqlType();
    MarkNotNull();
}

// ---- BLOB, CLOB ----

bool TIfxSmartLobValue::GetIsNull() const { return false; }   // the indicator alone says null

std::string TIfxSmartLobValue::GetBytes() const {
    ifx_lo_t handle;
    std::memcpy(&handle, Buffer(), sizeof handle);
    static const ifx_lo_t kEmpty{};
    if (std::memcmp(&handle, &kEmpty, sizeof handle) == 0) throw EIfxAccessError("Invalid lob value");
    if (cache_)
        if (const std::string* cached = cache_->Find(handle)) return *cached;
    std::string content = ReadContent(handle);
    if (cache_) cache_->Store(handle, content);
    return content;
}

std::string TIfxSmartLobValue::ReadContent(const ifx_lo_t& handle) const {
    if (!lib_.ifx_lo_open || !lib_.ifx_lo_read || !lib_.ifx_lo_close)
        throw EIfxAccessError(
            Format("Cannot handle blob/clob in '%s'. Buffer handler is not initialized", {ColumnName()}));
    ifx_lo_t lo = handle;
    mint error = 0;
    const mint fd = lib_.ifx_lo_open(&lo, LO_RDONLY, &error);
    if (fd < 0) Check(error < 0 ? error : fd);
    // The descriptor goes back to the library however the reading ends.
    struct TCloser {
        const TIfxLibrary& lib;
        mint fd;
        ~TCloser() { lib.ifx_lo_close(fd); }
    } closer{lib_, fd};
    std::string content;
    char chunk[32768];
    for (;;) {
        const mint n = lib_.ifx_lo_read(fd, chunk, static_cast<mint>(sizeof chunk), &error);
        if (n < 0) Check(error < 0 ? error : n);
        if (n <= 0) break;
        content.append(chunk, static_cast<std::size_t>(n));
    }
    return content;
}

}  // namespace varnok
