#pragma once
// The binding of the Informix client library "libisqlt09a.so": loaded once at
// start-up (before any window), every entry point looked up by name into one
// table of function pointers whose types come from the public ESQL/C header,
// so a call through the table is checked like a direct call.
//
// Failures raise EIfxConnectivityError with the text the program shows in its
// "Informix Connectivity Problem" box before it ends.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "dbaccess/IfxEntryPoints.h"
#include "ifxesqlc.h"

namespace varnok {

inline constexpr const char* kIfxLibraryFileName = "libisqlt09a.so";
inline constexpr const char* kIfxConnectivityCaption = "Informix Connectivity Problem";

class EIfxConnectivityError : public std::runtime_error {
public:
    EIfxConnectivityError(const std::string& message, std::string detail)
        : std::runtime_error(message), detail_(std::move(detail)) {}
    static const char* Caption() { return kIfxConnectivityCaption; }
    // The loader's own explanation (dlerror), for logs; the message stays as the box shows it.
    const std::string& Detail() const { return detail_; }

private:
    std::string detail_;
};

// The table of entry points. Every required member is set once loading succeeded;
// ifx_var_freevar may stay null.
struct TIfxLibrary {
#define VARNOK_IFX_DECLARE_ENTRY(name) decltype(&::name) name = nullptr;
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_IFX_DECLARE_ENTRY)
    VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_IFX_DECLARE_ENTRY)
#undef VARNOK_IFX_DECLARE_ENTRY
};

// One loaded copy of a client library. A bare file name is searched beside
// the executable first, then along the loader's normal path; a name with a
// "/" is loaded as given. Unloaded when destroyed.
class TIfxClientLibrary {
public:
    explicit TIfxClientLibrary(const std::string& fileOrPath = kIfxLibraryFileName);
    ~TIfxClientLibrary();
    TIfxClientLibrary(const TIfxClientLibrary&) = delete;
    TIfxClientLibrary& operator=(const TIfxClientLibrary&) = delete;

    const TIfxLibrary& Api() const { return api_; }
    const std::string& LoadedFrom() const { return loadedFrom_; }

    // Every required entry point the library at fileOrPath lacks (diagnostics);
    // raises EIfxConnectivityError when it cannot be loaded at all.
    static std::vector<std::string> MissingEntryPoints(const std::string& fileOrPath = kIfxLibraryFileName);

private:
    struct THandleCloser {
        void operator()(void* handle) const;
    };
    std::unique_ptr<void, THandleCloser> handle_;
    std::string loadedFrom_;
    TIfxLibrary api_;
};

// The executable's folder (from /proc/self/exe), without a trailing "/".
std::string ExecutableFolder();

// The two texts of a failed binding.
std::string CannotLoadLibraryText(const std::string& fileName);
std::string MissingEntryPointText(const std::string& entryPoint, const std::string& fileName);

// ---- the process-wide binding ----

// Loads the library once; later calls do nothing. Raises EIfxConnectivityError.
void LoadIfxClientLibrary(const std::string& fileOrPath = kIfxLibraryFileName);
bool IfxClientLibraryLoaded();
// The process-wide table; calling it before LoadIfxClientLibrary is a
// programming error (std::logic_error).
const TIfxLibrary& Ifx();
// At program end.
void UnloadIfxClientLibrary();
// For tests against a client library that does not export every entry point
// yet: makes table (owned by the caller, alive until unloaded) the
// process-wide one; entry points it lacks stay null and must not be called.
void InstallIfxClientTable(const TIfxLibrary& table);

// The start-up step of the program: loads the library; on failure hands the
// box caption ("Informix Connectivity Problem") and text to showError and
// returns false, after which the program ends with a non-zero exit code.
using TShowConnectivityError = std::function<void(const std::string& caption, const std::string& text)>;
bool LoadIfxClientLibraryAtStart(const TShowConnectivityError& showError,
                                 const std::string& fileOrPath = kIfxLibraryFileName);

}  // namespace varnok
