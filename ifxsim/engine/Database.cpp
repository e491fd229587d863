// Opening, creating, closing and dropping the databases of a stand-in server.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <map>
#include <mutex>

#include "engine/Database.h"
#include "engine/Catalog.h"

namespace ifxsim {

namespace fs = std::filesystem;

namespace {

// Marks a SQLite file as a stand-in database (PRAGMA application_id).
constexpr int kApplicationId = 0x49667853;
constexpr std::size_t kMaxNameLength = 128;

// Which database files are open, by how many connections, and whether one
// of them holds it exclusively. DROP DATABASE and DATABASE ... EXCLUSIVE
// consult it; the process is the whole server, so this is the whole truth.
struct OpenFiles {
    std::mutex mutex;
    struct Use {
        int count = 0;
        int exclusive = 0;  // how many of them hold it exclusively (0 or 1, briefly 2 on a reopen)
    };
    std::map<std::string, Use> files;
};

OpenFiles& Files()
{
    static OpenFiles* files = new OpenFiles;  // outlives connections closed at exit
    return *files;
}

int Exec(sqlite3* db, const std::string& sql)
{
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

int PragmaInt(sqlite3* db, const char* pragma)
{
    sqlite3_stmt* stmt = nullptr;
    int value = 0;
    if (sqlite3_prepare_v2(db, pragma, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

// Opens the SQLite file with the settings every stand-in database gets;
// null on failure.
sqlite3* OpenHandle(const std::string& file)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(db);
        return nullptr;
    }
    // WAL lets readers of other connections go on while one writes, which is
    // closer to a server's row locks than SQLite's default journal.
    Exec(db, "PRAGMA journal_mode=WAL");
    Exec(db, "PRAGMA foreign_keys=ON");
    return db;
}

LogMode ReadLogMode(sqlite3* db)
{
    if (PragmaInt(db, "PRAGMA application_id") != kApplicationId)
        return LogMode::None;
    const int mode = PragmaInt(db, "PRAGMA user_version") & 0xff;
    return mode >= 0 && mode <= 3 ? static_cast<LogMode>(mode) : LogMode::None;
}

void ApplyDurability(sqlite3* db, LogMode mode)
{
    // A buffered log (and no log) may lose the last moments of work in a
    // crash; an unbuffered log may not.
    const bool buffered = mode == LogMode::Buffered || mode == LogMode::None;
    Exec(db, buffered ? "PRAGMA synchronous=NORMAL" : "PRAGMA synchronous=FULL");
}

bool Exists(const std::string& file)
{
    std::error_code ec;
    return fs::is_regular_file(file, ec);
}

// Takes a use of `file` for the calling connection, whose current database
// (`ownFile`, may be empty) is about to close. 0 or -425.
int AcquireUse(const std::string& file, bool exclusive, const std::string& ownFile, bool ownExclusive)
{
    OpenFiles& files = Files();
    std::lock_guard lock(files.mutex);
    OpenFiles::Use& use = files.files[file];
    const int others = use.count - (ownFile == file ? 1 : 0);
    const int othersExclusive = use.exclusive - (ownFile == file && ownExclusive ? 1 : 0);
    if ((others > 0 && exclusive) || othersExclusive > 0)
        return err::kDatabaseInUse;
    ++use.count;
    use.exclusive += exclusive ? 1 : 0;
    return 0;
}

void ReleaseUse(const std::string& file, bool exclusive)
{
    OpenFiles& files = Files();
    std::lock_guard lock(files.mutex);
    const auto it = files.files.find(file);
    if (it == files.files.end())
        return;
    if (exclusive)
        --it->second.exclusive;
    if (--it->second.count <= 0)
        files.files.erase(it);
}

// Makes `database` the connection's current one, closing the previous.
void Switch(Connection& connection, std::unique_ptr<Database> database)
{
    if (connection.hasDatabase())
        connection.detachDatabase().reset();
    connection.attachDatabase(std::move(database));
    SetDatabaseWarnings(connection);
}

std::string OwnFile(const Connection& connection)
{
    return connection.hasDatabase() ? connection.database()->file() : std::string();
}

bool OwnExclusive(const Connection& connection)
{
    return connection.hasDatabase() && connection.database()->exclusive();
}

}  // namespace

Database::Database(sqlite3* handle, std::string name, LogMode mode, std::string file, bool exclusive)
    : handle_(handle), name_(std::move(name)), mode_(mode), file_(std::move(file)), exclusive_(exclusive)
{
}

Database::~Database()
{
    // close_v2: statements the statement side has not finalized yet keep the
    // handle alive until they are, instead of failing the close.
    sqlite3_close_v2(handle_);
    ReleaseUse(file_, exclusive_);
}

std::string NormalizeDatabaseName(std::string_view name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return {};
    std::string result;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
        const bool digit = (c >= '0' && c <= '9') || c == '$';
        if (!letter && (i == 0 || !digit))
            return {};
        result += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return result;
}

std::string DatabaseFile(const std::string& dataDir, const std::string& name)
{
    return (fs::path(dataDir) / (name + ".db")).string();
}

void SetDatabaseWarnings(const Connection& connection)
{
    if (connection.isLogged())
        SetWarning(1);
    if (connection.isAnsi())
        SetWarning(2);
    SetWarning(3);
}

int OpenDatabase(Connection& connection, std::string_view name, bool exclusive)
{
    const std::string normalized = NormalizeDatabaseName(name);
    if (normalized.empty())
        return SetError(err::kBadDatabaseName, name);
    if (connection.inTransaction())
        return SetError(err::kCloseWithTransaction);
    const std::string file = DatabaseFile(connection.dataDirectory(), normalized);
    if (!Exists(file))
        return SetError(err::kDatabaseNotFound, normalized, err::kIsamNoRecord);
    if (const int rc = AcquireUse(file, exclusive, OwnFile(connection), OwnExclusive(connection)); rc != 0)
        return SetError(rc, normalized);
    sqlite3* db = OpenHandle(file);
    if (!db) {
        ReleaseUse(file, exclusive);
        return SetError(err::kDatabaseNotFound, normalized, err::kIsamNoRecord);
    }
    const LogMode mode = ReadLogMode(db);
    ApplyDurability(db, mode);
    catalogOnOpen(db, connection.user());  // a file written before the catalog existed gets one now
    Switch(connection, std::make_unique<Database>(db, normalized, mode, file, exclusive));
    return 0;
}

int CreateDatabase(Connection& connection, std::string_view name, LogMode mode)
{
    const std::string normalized = NormalizeDatabaseName(name);
    if (normalized.empty())
        return SetError(err::kBadDatabaseName, name);
    if (connection.inTransaction())
        return SetError(err::kCloseWithTransaction);
    std::error_code ec;
    fs::create_directories(connection.dataDirectory(), ec);
    const std::string file = DatabaseFile(connection.dataDirectory(), normalized);
    // O_EXCL: of two sessions creating the same database, exactly one wins.
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return SetError(err::kCannotCreateDatabase, normalized, errno == EEXIST ? err::kIsamDuplicate : -errno);
    ::close(fd);
    AcquireUse(file, false, OwnFile(connection), OwnExclusive(connection));
    sqlite3* db = OpenHandle(file);
    const std::string header = "PRAGMA application_id=" + std::to_string(kApplicationId)
                               + "; PRAGMA user_version=" + std::to_string(static_cast<int>(mode));
    if (!db || Exec(db, header) != SQLITE_OK) {
        sqlite3_close_v2(db);
        ReleaseUse(file, false);
        fs::remove(file, ec);
        return SetError(err::kCannotCreateDatabase, normalized);
    }
    ApplyDurability(db, mode);
    catalogOnOpen(db, connection.user());  // every new database starts with its system catalog
    Switch(connection, std::make_unique<Database>(db, normalized, mode, file, false));
    return 0;
}

int CloseDatabase(Connection& connection)
{
    if (!connection.hasDatabase())
        return SetError(err::kNoDatabase);
    if (connection.inTransaction())
        return SetError(err::kCloseWithTransaction);
    connection.detachDatabase().reset();
    return 0;
}

int DropDatabase(Connection& connection, std::string_view name)
{
    const std::string normalized = NormalizeDatabaseName(name);
    if (normalized.empty())
        return SetError(err::kBadDatabaseName, name);
    const std::string file = DatabaseFile(connection.dataDirectory(), normalized);
    OpenFiles& files = Files();
    std::lock_guard lock(files.mutex);  // no one opens it while it goes
    if (!Exists(file))
        return SetError(err::kDatabaseNotFound, normalized, err::kIsamNoRecord);
    if (files.files.count(file))
        return SetError(err::kDatabaseInUse, normalized);
    std::error_code ec;
    if (!fs::remove(file, ec))
        return SetError(err::kDatabaseInUse, normalized, ec ? -ec.value() : 0);
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        fs::remove(file + suffix, ec);
    return 0;
}

std::vector<std::string> ListDatabases(const std::string& dataDir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(dataDir, ec)) {
        if (!item.is_regular_file(ec) || item.path().extension() != ".db")
            continue;
        const std::string stem = item.path().stem().string();
        if (NormalizeDatabaseName(stem) == stem)
            names.push_back(stem);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace ifxsim
