#include "dbaccess/IfxLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <system_error>

#include "dbaccess/FormatText.h"

namespace varnok {

namespace {

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LastDlError() {
    const char* error = dlerror();
    return error ? error : "";
}

// Where a bare name is looked for first: beside the executable, when a file is there.
std::string ResolveLibraryPath(const std::string& fileOrPath) {
    if (fileOrPath.find('/') != std::string::npos) return fileOrPath;
    const std::string folder = ExecutableFolder();
    if (!folder.empty()) {
        const std::string beside = folder + "/" + fileOrPath;
        if (access(beside.c_str(), F_OK) == 0) return beside;
    }
    return fileOrPath;  // the loader's normal search
}

// Looks name up; true when the library exports it.
bool LookUp(void* handle, const char* name, void** address) {
    dlerror();  // clear an old error so that a null symbol is told from a missing one
    *address = dlsym(handle, name);
    return dlerror() == nullptr;
}

template <typename TFunction>
void Assign(TFunction& slot, void* address) {
    slot = reinterpret_cast<TFunction>(address);
}

}  // namespace

std::string CannotLoadLibraryText(const std::string& fileName) {
    return Format("Cannot load the %s Infomix connectivity library. \r\nPlease check Informix connectivity installation",
                  {fileName});
}

std::string MissingEntryPointText(const std::string& entryPoint, const std::string& fileName) {
    return Format(
        "Procedure %s is missing in the %s Informix connectivity library. \r\n"
        "Please check Informix connectivity version (2.30 or higher is required)",
        {entryPoint, fileName});
}

std::string ExecutableFolder() {
    std::string buffer(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return {};
    buffer.resize(static_cast<size_t>(length));
    const size_t slash = buffer.rfind('/');
    return slash == std::string::npos ? std::string() : buffer.substr(0, slash);
}

void TIfxClientLibrary::THandleCloser::operator()(void* handle) const {
    if (handle) dlclose(handle);
}

TIfxClientLibrary::TIfxClientLibrary(const std::string& fileOrPath) {
    const std::string fileName = BaseName(fileOrPath);
    loadedFrom_ = ResolveLibraryPath(fileOrPath);
    // RTLD_NOW: a library with unresolved references of its own fails here, not at its first call.
    handle_.reset(dlopen(loadedFrom_.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle_) throw EIfxConnectivityError(CannotLoadLibraryText(fileName), LastDlError());

    void* address = nullptr;
#define VARNOK_IFX_LOOKUP_REQUIRED(name)                                                          \
    if (!LookUp(handle_.get(), #name, &address))                                                  \
        throw EIfxConnectivityError(MissingEntryPointText(#name, fileName), loadedFrom_);         \
    Assign(api_.name, address);
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_IFX_LOOKUP_REQUIRED)
#undef VARNOK_IFX_LOOKUP_REQUIRED

#define VARNOK_IFX_LOOKUP_OPTIONAL(name) \
    if (LookUp(handle_.get(), #name, &address)) Assign(api_.name, address);
    VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_IFX_LOOKUP_OPTIONAL)
#undef VARNOK_IFX_LOOKUP_OPTIONAL
}

TIfxClientLibrary::~TIfxClientLibrary() = default;

std::vector<std::string> TIfxClientLibrary::MissingEntryPoints(const std::string& fileOrPath) {
    const std::string path = ResolveLibraryPath(fileOrPath);
    std::unique_ptr<void, THandleCloser> handle(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!handle) throw EIfxConnectivityError(CannotLoadLibraryText(BaseName(fileOrPath)), LastDlError());
    std::vector<std::string> missing;
    void* address = nullptr;
#define VARNOK_IFX_COLLECT_MISSING(name) \
    if (!LookUp(handle.get(), #name, &address)) missing.emplace_back(#name);
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_IFX_COLLECT_MISSING)
#undef VARNOK_IFX_COLLECT_MISSING
    return missing;
}

// ---- process-wide binding ----

namespace {

struct TProcessBinding {
    std::mutex lock;
    std::unique_ptr<TIfxClientLibrary> library;
    std::atomic<const TIfxLibrary*> api{nullptr};
};

TProcessBinding& Binding() {
    static TProcessBinding binding;
    return binding;
}

}  // namespace

void LoadIfxClientLibrary(const std::string& fileOrPath) {
    TProcessBinding& b = Binding();
    std::lock_guard guard(b.lock);
    if (b.library) return;
    b.library = std::make_unique<TIfxClientLibrary>(fileOrPath);
    b.api.store(&b.library->Api());
}

bool IfxClientLibraryLoaded() { return Binding().api.load() != nullptr; }

const TIfxLibrary& Ifx() {
    const TIfxLibrary* api = Binding().api.load();
    if (!api) throw std::logic_error("The Informix client library has not been loaded");
    return *api;
}

void UnloadIfxClientLibrary() {
    TProcessBinding& b = Binding();
    std::lock_guard guard(b.lock);
    b.api.store(nullptr);
    b.library.reset();
}

void InstallIfxClientTable(const TIfxLibrary& table) {
    TProcessBinding& b = Binding();
    std::lock_guard guard(b.lock);
    b.library.reset();
    b.api.store(&table);
}

bool LoadIfxClientLibraryAtStart(const TShowConnectivityError& showError, const std::string& fileOrPath) {
    try {
        LoadIfxClientLibrary(fileOrPath);
        return true;
    } catch (const EIfxConnectivityError& e) {
        if (showError) showError(e.Caption(), e.what());
        return false;
    }
}

}  // namespace varnok
