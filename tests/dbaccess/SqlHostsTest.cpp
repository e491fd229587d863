// The sqlhosts file: its path, its server names, and the per-user default.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "dbaccess/SqlHosts.h"

namespace varnok {
namespace {

namespace fs = std::filesystem;

class TScratch {
public:
    TScratch() {
        std::string pattern = (fs::temp_directory_path() / "varnok-sqlhosts-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TScratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::string Folder() const { return path_.string() + "/"; }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }

private:
    fs::path path_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Sets or clears environment variables for one test and puts them back.
class TScopedEnv {
public:
    void Set(const char* name, const char* value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name);
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~TScopedEnv() {
        for (const auto& [name, value] : saved_)
            value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
    }

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

TEST(SqlHostsPath, SqlHostsVariableWinsOverInformixDir) {
    std::map<std::string, std::string> vars;
    const TEnvReader env = [&](const char* name) -> std::optional<std::string> {
        auto at = vars.find(name);
        if (at == vars.end() || at->second.empty()) return std::nullopt;
        return at->second;
    };
    EXPECT_EQ(SqlHostsPath(env), "");
    vars["INFORMIXDIR"] = "/opt/informix";
    EXPECT_EQ(SqlHostsPath(env), "/opt/informix/etc/sqlhosts");
    vars["INFORMIXSQLHOSTS"] = "/etc/my.sqlhosts";
    EXPECT_EQ(SqlHostsPath(env), "/etc/my.sqlhosts");
    vars["INFORMIXSQLHOSTS"] = ""; // set but empty counts as unset
    EXPECT_EQ(SqlHostsPath(env), "/opt/informix/etc/sqlhosts");
}

struct TParseCase {
    const char* title;
    const char* text;
    std::vector<std::string> names;
};

class SqlHostsParse : public ::testing::TestWithParam<TParseCase> {};

TEST_P(SqlHostsParse, FirstFieldsOfServerLines) {
    TScratch dir;
    dir.Write("sqlhosts", GetParam().text);
    std::vector<std::string> names{"left over"};
    ASSERT_TRUE(ReadSqlHostsServerNames(dir.File("sqlhosts"), names));
    EXPECT_EQ(names, GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SqlHostsParse,
    ::testing::Values(
        TParseCase{"plain", "demo onsqlite localhost demo\nprod onsoctcp db1 9088\n", {"demo", "prod"}},
        TParseCase{
            "comments", "# name type host service\ndemo onsqlite localhost demo\n  #x y z w\n", {"demo"}},
        TParseCase{"blanks", "\n   \n\t\ndemo onsqlite localhost demo\n\n", {"demo"}},
        TParseCase{"duplicates", "b t h s\na t h s\nb other h s\n", {"b", "a"}},
        TParseCase{"tabs and CR LF",
                   "\tone\tonsqlite\tlocalhost\td1\r\ntwo onsqlite localhost d2\r\n",
                   {"one", "two"}},
        TParseCase{"hash inside a name", "a#b onsqlite localhost x\n", {"a#b"}},
        TParseCase{"no final line break", "last onsqlite localhost x", {"last"}},
        TParseCase{"empty file", "", {}}),
    [](const auto& info) {
        std::string name = info.param.title;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    });

TEST(SqlHostsParse, MissingFileLeavesTheListAsItWas) {
    TScratch dir;
    std::vector<std::string> names{"kept"};
    EXPECT_FALSE(ReadSqlHostsServerNames(dir.File("absent"), names));
    EXPECT_FALSE(ReadSqlHostsServerNames("", names));
    EXPECT_FALSE(ReadSqlHostsServerNames(dir.Folder(), names)); // a folder is no file
    EXPECT_EQ(names, std::vector<std::string>{"kept"});
}

TEST(ServerBoxOrder, SortedWithoutRegardToCase) {
    EXPECT_EQ(SortedServerNames({"prod", "Demo", "alpha", "demo2", "Beta"}),
              (std::vector<std::string>{"alpha", "Beta", "Demo", "demo2", "prod"}));
    // Names equal but for case keep their file order.
    EXPECT_EQ(SortedServerNames({"DEMO", "demo"}), (std::vector<std::string>{"DEMO", "demo"}));
}

TEST(ServerBoxOrder, SavedNameSelectedElseTheFirst) {
    const std::vector<std::string> names{"alpha", "demo", "prod"};
    EXPECT_EQ(ServerNameToSelect(names, "prod"), 2u);
    EXPECT_EQ(ServerNameToSelect(names, "Prod"), 0u); // exact name only
    EXPECT_EQ(ServerNameToSelect(names, ""), 0u);
    EXPECT_EQ(ServerNameToSelect({}, "demo"), std::nullopt);
}

class SqlHostsDefault : public ::testing::Test {
protected:
    TScratch dir;
    TScopedEnv env;
    void SetUp() override {
        env.Set("INFORMIXSQLHOSTS", nullptr);
        env.Set("INFORMIXDIR", nullptr);
        env.Set("INFORMIXSERVER", nullptr);
    }
};

TEST_F(SqlHostsDefault, FirstStartCreatesTheFileWithTheDemoServer) {
    const TSqlHostsSetup setup = PrepareSqlHostsEnvironment(dir.Folder());
    const std::string path = dir.Folder() + "Varnok/sqlhosts";
    EXPECT_EQ(setup.sqlhostsPath, path);
    EXPECT_TRUE(setup.created);
    EXPECT_EQ(setup.error, "");
    EXPECT_EQ(ProcessEnv("INFORMIXSQLHOSTS"), path);
    EXPECT_EQ(ProcessEnv("INFORMIXSERVER"), "demo");
    EXPECT_TRUE(setup.serverDefaulted);
    EXPECT_EQ(SqlHostsPath(), path);

    std::vector<std::string> names;
    ASSERT_TRUE(ReadSqlHostsServerNames(path, names));
    EXPECT_EQ(names, std::vector<std::string>{"demo"});
    // The demo line in the bundled library's form: name, onsqlite, host, data directory beside the file.
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("demo\tonsqlite\tlocalhost\tdemo\n"), std::string::npos) << text;
}

TEST_F(SqlHostsDefault, ExistingFileIsKeptAsItIs) {
    fs::create_directories(dir.Folder() + "Varnok");
    dir.Write("Varnok/sqlhosts", "mine onsqlite localhost /srv/mine\n");
    env.Set("INFORMIXSERVER", "mine");
    const TSqlHostsSetup setup = PrepareSqlHostsEnvironment(dir.Folder());
    EXPECT_FALSE(setup.created);
    EXPECT_FALSE(setup.serverDefaulted);
    EXPECT_EQ(ReadAll(dir.File("Varnok/sqlhosts")), "mine onsqlite localhost /srv/mine\n");
    EXPECT_EQ(ProcessEnv("INFORMIXSERVER"), "mine");
}

TEST_F(SqlHostsDefault, InstallationSettingsAreLeftAlone) {
    for (const char* variable : {"INFORMIXSQLHOSTS", "INFORMIXDIR"}) {
        TScopedEnv inner;
        inner.Set(variable, "/opt/informix-here");
        const TSqlHostsSetup setup = PrepareSqlHostsEnvironment(dir.Folder());
        EXPECT_EQ(setup.sqlhostsPath, "") << variable;
        EXPECT_FALSE(fs::exists(dir.Folder() + "Varnok")) << variable;
        EXPECT_EQ(ProcessEnv(variable), "/opt/informix-here");
    }
}

TEST_F(SqlHostsDefault, UncreatableFolderIsReportedAndNothingIsLost) {
    dir.Write("Varnok", "a file where the folder should be");
    const TSqlHostsSetup setup = PrepareSqlHostsEnvironment(dir.Folder());
    EXPECT_FALSE(setup.created);
    EXPECT_NE(setup.error.find(dir.Folder() + "Varnok/sqlhosts"), std::string::npos) << setup.error;
    EXPECT_EQ(ReadAll(dir.File("Varnok")), "a file where the folder should be");
}

} // namespace
} // namespace varnok
