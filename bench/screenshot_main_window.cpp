// Writes a picture of the main window after a run over the demo database
// (the README shows it): the real window at 1280x800, connected to the
// stand-in's demo server, a short script in the editor page, its rows in
// the result grid and its lines in the page log. Offscreen by default.
//
//   screenshot_main_window [output.png]      (default: main-window.png)
//
// The demo database is made once by the demo script through ifxsql (both
// beside the program) and kept in $TMPDIR/varnok-screenshot-demo.
#include <QApplication>
#include <QFont>
#include <QPixmap>
#include <QSplitter>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/DemoDatabase.h"
#include "connections/ConnectionsParam.h"
#include "bench/BenchMainWindow.h"
#include "bench/BenchStandIn.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/SqlHosts.h"
#include "shell/ui/TfmMain.h"

namespace fs = std::filesystem;
using namespace varnok;

namespace {

constexpr const char* kScript = "-- Orders of the demo customers, newest first\n"
                                "select count(*) from orders;\n"
                                "\n"
                                "select o.order_num, o.order_date, c.company, c.city, c.state,\n"
                                "       o.po_num, o.ship_date, o.ship_weight, o.ship_charge\n"
                                "  from orders o, customers c\n"
                                " where c.customer_num = o.customer_num\n"
                                " order by o.order_date desc, o.order_num;\n";

// The demo server's sqlhosts and data in a folder of their own; the demo
// database is made there when missing.
bool PrepareDemoServer() {
    const char* tmp = std::getenv("TMPDIR");
    const fs::path root = fs::path(tmp ? tmp : "/tmp") / "varnok-screenshot-demo";
    fs::create_directories(root);
    const fs::path hosts = root / "sqlhosts";
    std::ofstream(hosts) << kDemoServerName << " onsqlite localhost " << (root / "data").string() << "\n";
    ::setenv("INFORMIXSQLHOSTS", hosts.c_str(), 1); // for ifxsql
    Ifx().ifx_putenv(("INFORMIXSQLHOSTS=" + hosts.string()).c_str());
    if (StandInDatabaseExists(root / "data", kDemoDatabaseName)) return true;
    std::fprintf(stderr, "making the demo database in %s (once)...\n", root.c_str());
    const fs::path folder = ExecutableFolder();
    const std::string error = RunDemoScript(folder / "ifxsql", folder / kDemoScriptName);
    if (error.empty()) return true;
    std::fprintf(stderr, "screenshot_main_window: the demo database was not made: %s\n", error.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string output = argc > 1 ? argv[1] : "main-window.png";
    BindBenchStandIn();
    if (!PrepareDemoServer()) return 1;

    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    TBenchMainWindow main(QSize(1280, 800));
    TConnectionsParam demo;
    demo.Name = "Demo stores";
    demo.Server = kDemoServerName;
    demo.DataBase = kDemoDatabaseName;
    demo.User = "mary";
    demo.AskPassword = false;
    try {
        main.ConnectSaved(demo);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "screenshot_main_window: connect: %s\n", e.what());
        return 1;
    }
    main.ShowMainTab(0);
    // The schema browser and the pattern bar have nothing to show here: the
    // room goes to the editor page and the rows.
    main.Window().SetSchemaVisible(false);
    main.Window().SetPatternsVisible(false);
    main.Window().SetResultPanelVisible(true);
    QApplication::processEvents();
    main.Window().QueryTab().spQuery->setSizes({0, 0, 330, 370});
    main.StartExecute(QString::fromLatin1(kScript));
    if (!main.WaitForRunEnd(60000)) {
        std::fprintf(stderr, "screenshot_main_window: the run did not end\n");
        return 1;
    }
    std::fprintf(stderr, "status: %s\n", main.StatusMessage().toUtf8().constData());
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    const QPixmap picture = main.Window().grab();
    if (picture.isNull() || !picture.save(QString::fromStdString(output), "PNG")) {
        std::fprintf(stderr, "screenshot_main_window: cannot write %s\n", output.c_str());
        return 1;
    }
    std::printf("%s: %dx%d\n", output.c_str(), picture.width(), picture.height());
    return 0;
}
