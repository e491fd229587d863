#include "dbaccess/IfxConnectionCallback.h"

#include <exception>

#include "dbaccess/IfxConnection.h"

namespace varnok {

namespace {
thread_local std::exception_ptr pendingCallbackError;
}

extern "C" void IfxRequestCallback(mint status) {
    try {
        TIfxConnection::HandleRequestCallback(status);
    } catch (...) {
        if (!pendingCallbackError) pendingCallbackError = std::current_exception();
    }
}

void RethrowRequestCallbackError() {
    if (!pendingCallbackError) return;
    std::exception_ptr error = pendingCallbackError;
    pendingCallbackError = nullptr;
    std::rethrow_exception(error);
}

}  // namespace varnok
