#pragma once
// The stand-in client library beside the test binary, with every entry point
// it exports in a TIfxLibrary table. Entry points it does not export yet (the
// smart-large-object routines) stay null, so the value tests can run before
// the library is complete; TIfxClientLibrary would refuse such a library.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dbaccess/IfxLibrary.h"

namespace varnok::testing {

class TStandInValues {
public:
    static TStandInValues& Instance() {
        static TStandInValues instance;
        return instance;
    }
    bool Loaded() const { return handle_ != nullptr; }
    const TIfxLibrary& Lib() const { return lib_; }
    const std::string& Error() const { return error_; }

private:
    TStandInValues() {
        const std::string path = ExecutableFolder() + "/" + kIfxLibraryFileName;
        handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            error_ = dlerror();
            return;
        }
#define VARNOK_FIND(name) lib_.name = reinterpret_cast<decltype(lib_.name)>(dlsym(handle_, #name));
        VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_FIND)
        VARNOK_IFX_OPTIONAL_ENTRY_POINTS(VARNOK_FIND)
#undef VARNOK_FIND
    }
    // Left loaded for the whole run: value objects hold the table.
    void* handle_ = nullptr;
    TIfxLibrary lib_;
    std::string error_;
};

class StandInValues : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(TStandInValues::Instance().Loaded()) << TStandInValues::Instance().Error();
    }
    const TIfxLibrary& lib() const { return TStandInValues::Instance().Lib(); }
};

}  // namespace varnok::testing
