#include "app/DemoDatabase.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "dbaccess/SqlHosts.h"

namespace varnok {

namespace fs = std::filesystem;

std::optional<fs::path> StandInDataDirectory(const fs::path& sqlhostsPath, const std::string& server) {
    std::ifstream in(sqlhostsPath);
    if (!in) return std::nullopt;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, nettype, host, directory;
        if (!(fields >> name) || name[0] == '#' || name != server) continue;
        // The first line of a name wins, as the client library looks it up.
        if (!(fields >> nettype >> host >> directory) || nettype != "onsqlite") return std::nullopt;
        const fs::path dir(directory);
        return dir.is_absolute() ? dir : sqlhostsPath.parent_path() / dir;
    }
    return std::nullopt;
}

bool StandInDatabaseExists(const fs::path& dataDirectory, const std::string& database) {
    std::error_code ec;
    return fs::exists(dataDirectory / (database + ".db"), ec);
}

namespace {

struct TRunOutcome {
    bool ok = false;
    std::string error;
    QByteArray messages; // what ifxsql wrote to standard error
};

// ifxsql on the demo server with the given arguments and standard input;
// rows are not wanted, messages go to our standard error.
TRunOutcome RunIfxsql(const fs::path& ifxsql, const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.setProgram(QString::fromStdString(ifxsql.string()));
    process.setArguments(QStringList{"-s", kDemoServerName} + arguments);
    process.setStandardOutputFile(QProcess::nullDevice());
    // The script writes dates month first and money with a decimal point; a
    // user's own DBDATE or DBMONEY must not turn them into errors or, worse,
    // into other dates.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DBMONEY", "DBTIME", "GL_DATE", "GL_DATETIME", "DELIMIDENT"})
        environment.remove(name);
    environment.insert("DBDATE", "MDY4/");
    process.setProcessEnvironment(environment);
    process.start();
    if (!process.waitForStarted()) return {false, "cannot start " + ifxsql.string(), {}};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(-1);
    TRunOutcome outcome;
    outcome.messages = process.readAllStandardError();
    if (process.exitStatus() != QProcess::NormalExit)
        outcome.error = ifxsql.string() + " ended abnormally";
    else if (process.exitCode() != 0)
        outcome.error = ifxsql.string() + " ended with status " + std::to_string(process.exitCode());
    outcome.ok = outcome.error.empty();
    return outcome;
}

} // namespace

std::string RunDemoScript(const fs::path& ifxsql, const fs::path& script) {
    std::error_code ec;
    if (!fs::exists(ifxsql, ec)) return "no " + ifxsql.string();
    if (!fs::exists(script, ec)) return "no " + script.string();
    const TRunOutcome run = RunIfxsql(ifxsql, {"-", QString::fromStdString(script.string())}, {});
    if (run.ok) return {};
    std::fwrite(run.messages.constData(), 1, static_cast<std::size_t>(run.messages.size()), stderr);
    // A database the script left half-made would never be made again: drop
    // it, unless the script failed because the database was there already
    // (-330: another start made it meanwhile), which is never ours to drop.
    if (!run.messages.contains("  330:"))
        RunIfxsql(ifxsql, {"-", "-"}, QByteArray("drop database ") + kDemoDatabaseName + ";\n");
    return run.error;
}

} // namespace varnok
