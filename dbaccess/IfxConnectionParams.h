#pragma once
// TIfxConnectionParams: the parameter block the connection's properties write
// through to. A live connection and a pool each hold a reference, so the
// count is atomic (pools are shared between threads). Two blocks are equal
// when their Params lines and pool options are equal: that is what makes two
// connections share one pool.
#include <atomic>
#include <string>
#include <vector>

#include "dbaccess/IfxConnectionTypes.h"
#include "dbaccess/ResourcePoolOptions.h"

namespace varnok {

class TIfxConnectionParams {
public:
    TIfxConnectionParams() = default;
    // A copy duplicates every field; its reference count starts at 1 again.
    TIfxConnectionParams(const TIfxConnectionParams& other);
    TIfxConnectionParams& operator=(const TIfxConnectionParams&) = delete;

    void AddRef() { refCount_.fetch_add(1, std::memory_order_relaxed); }
    // Frees the block when the last reference goes.
    void Release();
    int RefCount() const { return refCount_.load(); }

    bool operator==(const TIfxConnectionParams& other) const;

    // The value of line "name=value" (names compared without regard to case);
    // empty when there is no such line.
    std::string Value(const std::string& name) const;
    // Sets or adds the line "name=value".
    void SetValue(const std::string& name, const std::string& value);

    bool KeepConnection = true;
    std::vector<std::string> Params;
    TIfxIsolationLevel IsolationLevel = ilUnchanged;
    TIfxSafeMode SafeMode = smConcurent;
    bool AnsiAutoCommit = true;
    TIfxTransactionAction TransactionActionOnClose = taCommit;
    bool CommitRetain = true;
    TResourcePoolOptions PoolOptions;
    int StatementCacheSize = 20;
    bool ShareCursorStatement = false;

private:
    ~TIfxConnectionParams() = default;
    std::atomic<int> refCount_{1};
};

// Name part of a "name=value" line (the whole line when it has no "=").
std::string ParamLineName(const std::string& line);

// One counted reference to a parameter block, released when the holder goes.
class TIfxParamsRef {
public:
    TIfxParamsRef() = default;
    // Adopts a reference the caller already owns (a fresh block's first one).
    static TIfxParamsRef Adopt(TIfxConnectionParams* params) { return TIfxParamsRef(params); }
    // Takes a new reference.
    static TIfxParamsRef Share(TIfxConnectionParams* params) {
        if (params) params->AddRef();
        return TIfxParamsRef(params);
    }
    static TIfxParamsRef New() { return TIfxParamsRef(new TIfxConnectionParams()); }
    static TIfxParamsRef CopyOf(const TIfxConnectionParams& params) {
        return TIfxParamsRef(new TIfxConnectionParams(params));
    }

    TIfxParamsRef(const TIfxParamsRef& other) : params_(other.params_) {
        if (params_) params_->AddRef();
    }
    TIfxParamsRef(TIfxParamsRef&& other) noexcept : params_(other.params_) { other.params_ = nullptr; }
    TIfxParamsRef& operator=(TIfxParamsRef other) noexcept {
        std::swap(params_, other.params_);
        return *this;
    }
    ~TIfxParamsRef() { Reset(); }

    void Reset() {
        if (params_) params_->Release();
        params_ = nullptr;
    }
    TIfxConnectionParams* Get() const { return params_; }
    TIfxConnectionParams* operator->() const { return params_; }
    TIfxConnectionParams& operator*() const { return *params_; }
    explicit operator bool() const { return params_ != nullptr; }

private:
    explicit TIfxParamsRef(TIfxConnectionParams* params) : params_(params) {}
    TIfxConnectionParams* params_ = nullptr;
};

}  // namespace varnok
