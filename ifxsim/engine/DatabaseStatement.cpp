// Parsing and running the DATABASE family and the transaction verbs.
#include <cctype>
#include <vector>

#include "engine/ConnectionOpen.h"
#include "engine/Database.h"
#include "engine/DatabaseStatement.h"
#include "engine/Transaction.h"

namespace ifxsim {

namespace {

struct Word {
    std::string text;  // upper case for keywords, as written for names
    std::string raw;
    std::size_t offset = 0;
};

bool IsWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$';
}

// Words of the statement with comments and white space skipped; '@' and any
// other punctuation come as one-character words; a trailing ';' is dropped.
std::vector<Word> Split(std::string_view sql)
{
    std::vector<Word> words;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (sql.substr(i, 2) == "--") {
            const auto end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end;
        } else if (c == '{') {
            const auto end = sql.find('}', i);
            i = end == std::string_view::npos ? sql.size() : end + 1;
        } else if (sql.substr(i, 2) == "/*") {
            const auto end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else {
            std::size_t end = i + 1;
            if (IsWordChar(c))
                while (end < sql.size() && IsWordChar(sql[end]))
                    ++end;
            Word word;
            word.raw = std::string(sql.substr(i, end - i));
            for (char ch : word.raw)
                word.text += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
            word.offset = i;
            words.push_back(std::move(word));
            i = end;
        }
    }
    if (!words.empty() && words.back().raw == ";")
        words.pop_back();
    return words;
}

class Parser {
public:
    explicit Parser(std::vector<Word> words) : words_(std::move(words)) {}

    bool at(std::string_view keyword, std::size_t ahead = 0) const
    {
        return pos_ + ahead < words_.size() && words_[pos_ + ahead].text == keyword;
    }
    bool accept(std::string_view keyword)
    {
        if (!at(keyword))
            return false;
        ++pos_;
        return true;
    }
    bool done() const { return pos_ >= words_.size(); }
    std::size_t offset() const { return done() ? (words_.empty() ? 0 : words_.back().offset + words_.back().raw.size()) : words_[pos_].offset; }

    // A database name, optionally "@server".
    bool name(std::string& out)
    {
        if (done() || !IsWordChar(words_[pos_].raw[0]))
            return false;
        out = words_[pos_++].raw;
        if (at("@") && pos_ + 1 < words_.size() && IsWordChar(words_[pos_ + 1].raw[0])) {
            out += "@" + words_[pos_ + 1].raw;
            pos_ += 2;
        }
        return true;
    }

private:
    std::vector<Word> words_;
    std::size_t pos_ = 0;
};

DatabaseStatementParse Fail(const Parser& parser)
{
    DatabaseStatementParse result;
    result.error = -201;
    result.errorOffset = static_cast<int>(parser.offset());
    return result;
}

DatabaseStatementParse Done(Parser& parser, DatabaseStatement statement)
{
    if (!parser.done())
        return Fail(parser);
    DatabaseStatementParse result;
    result.statement = std::move(statement);
    return result;
}

DatabaseStatementParse ParseCreate(Parser& parser)
{
    DatabaseStatement statement;
    statement.kind = DatabaseStatement::Kind::CreateDatabase;
    if (!parser.name(statement.name))
        return Fail(parser);
    if (parser.accept("IN")) {
        std::string dbspace;  // storage placement means nothing to SQLite
        if (!parser.name(dbspace))
            return Fail(parser);
    }
    if (parser.accept("WITH")) {
        if (parser.accept("BUFFERED")) {
            if (!parser.accept("LOG"))
                return Fail(parser);
            statement.mode = LogMode::Buffered;
        } else if (parser.accept("LOG")) {
            statement.mode = LogMode::Unbuffered;
            if (parser.accept("MODE")) {
                if (!parser.accept("ANSI"))
                    return Fail(parser);
                statement.mode = LogMode::Ansi;
            }
        } else {
            return Fail(parser);
        }
    }
    return Done(parser, statement);
}

// Splits "db@server" into its parts.
std::pair<std::string, std::string> DatabaseAndServer(const std::string& name)
{
    const auto at = name.find('@');
    if (at == std::string::npos)
        return {name, {}};
    return {name.substr(0, at), name.substr(at + 1)};
}

}  // namespace

DatabaseStatementParse ParseDatabaseStatement(std::string_view sql)
{
    Parser parser(Split(sql));
    using Kind = DatabaseStatement::Kind;
    DatabaseStatement statement;
    if (parser.accept("DATABASE")) {
        statement.kind = Kind::Database;
        if (!parser.name(statement.name))
            return Fail(parser);
        statement.exclusive = parser.accept("EXCLUSIVE");
        return Done(parser, statement);
    }
    if (parser.at("CREATE") && parser.at("DATABASE", 1)) {
        parser.accept("CREATE");
        parser.accept("DATABASE");
        return ParseCreate(parser);
    }
    if (parser.at("DROP") && parser.at("DATABASE", 1)) {
        parser.accept("DROP");
        parser.accept("DATABASE");
        statement.kind = Kind::DropDatabase;
        if (!parser.name(statement.name))
            return Fail(parser);
        return Done(parser, statement);
    }
    if (parser.at("CLOSE") && parser.at("DATABASE", 1)) {
        parser.accept("CLOSE");
        parser.accept("DATABASE");
        statement.kind = Kind::CloseDatabase;
        return Done(parser, statement);
    }
    if (parser.accept("BEGIN")) {
        statement.kind = Kind::BeginWork;
        parser.accept("WORK");
        if (parser.accept("WITHOUT") && !parser.accept("REPLICATION"))
            return Fail(parser);
        return Done(parser, statement);
    }
    // COMMIT/ROLLBACK with more words (ROLLBACK WORK TO SAVEPOINT) are not ours.
    for (const auto& [verb, kind] : {std::pair{"COMMIT", Kind::CommitWork}, std::pair{"ROLLBACK", Kind::RollbackWork}}) {
        if (!parser.accept(verb))
            continue;
        parser.accept("WORK");
        if (!parser.done())
            return {};
        statement.kind = kind;
        return Done(parser, statement);
    }
    return {};
}

int RunDatabaseStatement(const DatabaseStatement& statement)
{
    using Kind = DatabaseStatement::Kind;
    // A caller's guard may have found the session killed in this very
    // request: that stays the request's answer, no implicit connection after it.
    if (LastSqlCode() == err::kNetworkFailure)
        return err::kNetworkFailure;
    ResetSqlca();
    const auto [database, server] = DatabaseAndServer(statement.name);
    const bool mayConnect = statement.kind == Kind::Database || statement.kind == Kind::CreateDatabase
                            || statement.kind == Kind::DropDatabase;
    if (mayConnect) {
        if (!CurrentConnection()) {
            if (const int rc = ConnectImplicitly(server); rc != 0)
                return rc;
        } else if (!server.empty() && server != CurrentConnection()->serverName()) {
            return SetError(-908, server);  // another server needs a connection of its own
        }
    }
    RequestGuard guard;
    if (!guard.ok())
        return LastSqlCode();
    Connection& connection = guard.connection();
    switch (statement.kind) {
    case Kind::Database:
        return OpenDatabase(connection, database, statement.exclusive);
    case Kind::CreateDatabase:
        return CreateDatabase(connection, database, statement.mode);
    case Kind::CloseDatabase:
        return CloseDatabase(connection);
    case Kind::DropDatabase:
        return DropDatabase(connection, database);
    case Kind::BeginWork:
        return BeginWork(connection);
    case Kind::CommitWork:
        return CommitWork(connection);
    case Kind::RollbackWork:
        return RollbackWork(connection);
    }
    return 0;
}

}  // namespace ifxsim
