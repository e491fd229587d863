// Varnok: a desktop SQL workbench for Informix servers.
#include <QByteArray>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/DemoDatabase.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/SqlHosts.h"
#include "shell/SettingsFolder.h"
#include "shell/kit/CommandPictures.h"
#include "shell/kit/MessageSink.h"
#include "shell/ui/TfmMain.h"
#include "shell/ui/VarnokApplication.h"

namespace {

// Without a display the toolkit would abort inside its platform plugin; say
// plainly what is missing instead.
bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name)) return true;
    return false;
}

// The client library reads its environment when it is loaded: the server
// list must be in place before. A user without an Informix installation gets
// the per-user sqlhosts with the demo server of the bundled library.
void PrepareServerList() {
    std::string localAppData;
    try {
        localAppData = varnok::GetLocalAppData();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Varnok: %s; no default server list.\n", e.what());
        return;
    }
    const varnok::TSqlHostsSetup setup = varnok::PrepareSqlHostsEnvironment(localAppData);
    if (!setup.error.empty())
        std::fprintf(stderr, "Varnok: %s; the server list stays empty.\n", setup.error.c_str());
}

// The demo server's sample database is made by a script of its own, run
// here on a first start: only for the per-user sqlhosts (an installation's
// own servers are never touched) and only while "stores" is missing. A
// failure is told on standard error; the program starts all the same.
void CreateDemoDatabaseWhenMissing() {
    try {
        const auto sqlhosts = varnok::ProcessEnv("INFORMIXSQLHOSTS");
        if (!sqlhosts || *sqlhosts != varnok::DefaultSqlHostsPath(varnok::GetLocalAppData())) return;
        const auto dataDirectory = varnok::StandInDataDirectory(*sqlhosts, varnok::kDemoServerName);
        if (!dataDirectory || varnok::StandInDatabaseExists(*dataDirectory, varnok::kDemoDatabaseName))
            return;
        const std::filesystem::path folder = varnok::ProgramFolder();
        std::fprintf(stderr, "Varnok: creating the demo database \"%s\" on server \"%s\"...\n",
                     varnok::kDemoDatabaseName, varnok::kDemoServerName);
        const auto started = std::chrono::steady_clock::now();
        const std::string error = varnok::RunDemoScript(folder / "ifxsql", folder / varnok::kDemoScriptName);
        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        if (error.empty())
            std::fprintf(stderr, "Varnok: demo database created in %.1f s.\n", seconds);
        else
            std::fprintf(stderr, "Varnok: the demo database was not created: %s.\n", error.c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Varnok: the demo database was not created: %s.\n", e.what());
    }
}

// The Informix client library is loaded here, before any window exists; a
// missing library or entry point ends the program after its message box.
bool LoadClientLibrary() {
    return varnok::LoadIfxClientLibraryAtStart([](const std::string& caption, const std::string& text) {
        varnok::Messages().Error(QString::fromStdString(caption), QString::fromStdString(text));
    });
}

// Unloads the client library at program end, after the main window has gone.
struct TClientLibraryUnloader {
    ~TClientLibraryUnloader() { varnok::UnloadIfxClientLibrary(); }
};

} // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(
            stderr,
            "Varnok needs a graphical display, but none is set (neither DISPLAY nor WAYLAND_DISPLAY).\n"
            "Start it from a desktop session, or under Xvfb: xvfb-run ./run\n");
        return 1;
    }
    varnok::TVarnokApplication app(argc, argv);
    // Qt has taken its own options (-platform, ...) out of argv by now.
    std::vector<std::string> arguments(argv + 1, argv + argc);
    PrepareServerList();
    if (!LoadClientLibrary()) return 1;
    TClientLibraryUnloader unloader;
    CreateDemoDatabaseWhenMissing();
    varnok::EnsureIconTheme();
    varnok::TfmMain fmMain(varnok::TMainWindowStartup::FromProcess(arguments));
    fmMain.show();
    return app.exec();
}
