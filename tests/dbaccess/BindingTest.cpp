// The binding of the client library: the two failure texts (no library, an
// entry point missing), the optional ifx_var_freevar, the search beside the
// executable, and the process-wide table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dbaccess/IfxLibrary.h"

using namespace varnok;

namespace {

const std::string kTestLibs = VARNOK_TESTLIBS_DIR;

const char* kCannotLoad =
    "Cannot load the libisqlt09a.so Infomix connectivity library. \r\n"
    "Please check Informix connectivity installation";

std::string ConnectivityErrorOf(const std::string& fileOrPath) {
    try {
        TIfxClientLibrary library(fileOrPath);
    } catch (const EIfxConnectivityError& e) {
        EXPECT_STREQ(e.Caption(), "Informix Connectivity Problem");
        return e.what();
    }
    ADD_FAILURE() << "loaded: " << fileOrPath;
    return {};
}

}  // namespace

TEST(BindingFailure, MissingLibraryGivesTheLoadText) {
    EXPECT_EQ(ConnectivityErrorOf("/nonexistent/folder/libisqlt09a.so"), kCannotLoad);
    // A bare name found neither beside the executable nor on the loader path.
    EXPECT_EQ(ConnectivityErrorOf("libisqlt09a_not_installed.so"),
              "Cannot load the libisqlt09a_not_installed.so Infomix connectivity library. \r\n"
              "Please check Informix connectivity installation");
}

TEST(BindingFailure, LibraryLackingAnEntryPointNamesIt) {
    const std::string path = kTestLibs + "/without_fetch/libisqlt09a.so";
    EXPECT_EQ(ConnectivityErrorOf(path),
              "Procedure sqli_curs_fetch is missing in the libisqlt09a.so Informix connectivity library. \r\n"
              "Please check Informix connectivity version (2.30 or higher is required)");
    EXPECT_EQ(TIfxClientLibrary::MissingEntryPoints(path), std::vector<std::string>{"sqli_curs_fetch"});
}

TEST(BindingFailure, FreevarAloneIsOptional) {
    const std::string path = kTestLibs + "/without_freevar/libisqlt09a.so";
    TIfxClientLibrary library(path);
    EXPECT_EQ(library.LoadedFrom(), path);
    EXPECT_EQ(library.Api().ifx_var_freevar, nullptr);
    int unset = 0;
#define VARNOK_COUNT_UNSET(name) \
    if (library.Api().name == nullptr) ++unset;
    VARNOK_IFX_REQUIRED_ENTRY_POINTS(VARNOK_COUNT_UNSET)
#undef VARNOK_COUNT_UNSET
    EXPECT_EQ(unset, 0);
    EXPECT_TRUE(TIfxClientLibrary::MissingEntryPoints(path).empty());
}

TEST(ProcessBinding, FailedLoadLeavesNoTableBehind) {
    UnloadIfxClientLibrary();
    EXPECT_THROW(LoadIfxClientLibrary("/nonexistent/libisqlt09a.so"), EIfxConnectivityError);
    EXPECT_FALSE(IfxClientLibraryLoaded());
    EXPECT_THROW(Ifx(), std::logic_error);
}

TEST(ProcessBinding, LoadsOnceAndUnloads) {
    UnloadIfxClientLibrary();
    const std::string path = kTestLibs + "/without_freevar/libisqlt09a.so";
    LoadIfxClientLibrary(path);
    ASSERT_TRUE(IfxClientLibraryLoaded());
    const TIfxLibrary* first = &Ifx();
    // A second load is a no-op, even with another name.
    LoadIfxClientLibrary("/nonexistent/libisqlt09a.so");
    EXPECT_EQ(&Ifx(), first);
    UnloadIfxClientLibrary();
    EXPECT_FALSE(IfxClientLibraryLoaded());
}

TEST(ExecutableFolder, IsTheFolderOfTheTestBinary) {
    const std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back() == '/', false);
    // The test libraries are built under the executables' folder.
    EXPECT_EQ(kTestLibs.rfind(folder, 0), 0u) << folder << " vs " << kTestLibs;
}

// The stand-in built with the program lies beside the executable and must
// export every entry point the layer looks up.
TEST(StandInBinding, StandInBesideTheExecutableExportsTheWholeTable) {
    const std::vector<std::string> missing = TIfxClientLibrary::MissingEntryPoints();
    std::string list;
    for (const std::string& name : missing) list += name + " ";
    EXPECT_TRUE(missing.empty()) << "missing: " << list;
    TIfxClientLibrary library;
    EXPECT_EQ(library.LoadedFrom(), ExecutableFolder() + "/libisqlt09a.so");
}

TEST(ProcessBinding, StartUpStepShowsTheBoxAndReportsFailure) {
    UnloadIfxClientLibrary();
    std::vector<std::string> shown;
    const auto show = [&](const std::string& caption, const std::string& text) {
        shown.push_back(caption);
        shown.push_back(text);
    };
    EXPECT_FALSE(LoadIfxClientLibraryAtStart(show, kTestLibs + "/without_fetch/libisqlt09a.so"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Informix Connectivity Problem");
    EXPECT_EQ(shown[1].rfind("Procedure sqli_curs_fetch is missing in the libisqlt09a.so", 0), 0u) << shown[1];
    EXPECT_FALSE(IfxClientLibraryLoaded());

    shown.clear();
    EXPECT_TRUE(LoadIfxClientLibraryAtStart(show, kTestLibs + "/without_freevar/libisqlt09a.so"));
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(IfxClientLibraryLoaded());
    UnloadIfxClientLibrary();
}
