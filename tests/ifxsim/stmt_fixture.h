#pragma once
// A throw-away stand-in server with one logged database, made by SQL, for the
// statement and cursor tests; and helpers that drive prepare / describe /
// declare / open / fetch exactly as the access layer does, turning fetched
// values into text with the library's own conversion routines.
#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "ifxesqlc.h"

namespace stmt_test {

namespace fs = std::filesystem;

inline const sqlca_s& Ca() { return *fnsqlca(); }
inline int SqlCode() { return *fnsqlcode(); }
inline std::string Errm() { return std::string(Ca().sqlerrm); }

// Query results as text, a row a vector; Trimmed drops CHAR padding.
using Rows = std::vector<std::vector<std::string>>;

inline std::string Trimmed(std::string s) { return s.substr(0, s.find_last_not_of(' ') + 1); }

inline Rows TrimmedRows(Rows rows) {
    for (auto& row : rows)
        for (auto& v : row) v = Trimmed(v);
    return rows;
}

// One fetched value as text ("<null>" for NULL), in the form Informix tools show.
std::string ValueText(const ifx_sqlvar_t& v);

// Output buffers for a described statement: one block per column, freed with the object.
class OutputBuffers {
public:
    explicit OutputBuffers(ifx_sqlda_t* da);
    ~OutputBuffers();
    OutputBuffers(const OutputBuffers&) = delete;
    OutputBuffers& operator=(const OutputBuffers&) = delete;
    std::vector<std::string> row() const;  // the current values as text
    void releaseLocators();                 // buffers the library allocated for BYTE/TEXT

private:
    ifx_sqlda_t* da_;
    std::vector<std::unique_ptr<char[]>> data_;
    std::vector<int2> ind_;
};

// A prepared statement with its description, released at the end of scope.
class Prepared {
public:
    explicit Prepared(const std::string& sql);
    ~Prepared();
    Prepared(const Prepared&) = delete;
    Prepared& operator=(const Prepared&) = delete;
    ifx_cursor_t* stmt() const { return stmt_; }
    ifx_sqlda_t* described() const { return da_; }
    int type() const { return stmt_ ? stmt_->_SQCstmttype : -1; }

private:
    ifx_cursor_t* stmt_ = nullptr;
    ifx_sqlda_t* da_ = nullptr;
};

// Input parameters built from texts with the library's parsers.
class Params {
public:
    Params() = default;
    Params(const Params&) = delete;
    Params& operator=(const Params&) = delete;
    Params& integer(int4 v);
    Params& text(const std::string& v);         // CHAR
    Params& decimal(const std::string& v);      // deccvasc
    Params& date(const std::string& v);         // rstrdate
    Params& datetime(const std::string& v, int qualifier);
    Params& interval(const std::string& v, int qualifier);
    Params& int8(const std::string& v);
    Params& floating(double v);     // FLOAT
    Params& smallFloat(float v);    // SMALLFLOAT
    Params& boolean(bool v);
    Params& bytes(const std::string& v, int type);  // BYTE or TEXT through a locator
    Params& null(int type);
    ifx_sqlda_t* sqlda();

private:
    ifx_sqlvar_t& add(int type, int len, std::size_t size);
    std::vector<ifx_sqlvar_t> vars_;
    std::vector<std::unique_ptr<char[]>> data_;
    std::vector<std::unique_ptr<int2>> ind_;
    ifx_sqlda_t da_{};
};

class StmtFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // EXECUTE IMMEDIATE; returns the result.
    static int Exec(const std::string& sql) { return sqli_exec_immed(sql.c_str()); }
    // Prepare and execute with input parameters; returns the result.
    static int ExecWith(const std::string& sql, Params& params);
    // All rows of a query as text, through a cursor declared with `flags`.
    static std::vector<std::vector<std::string>> Query(const std::string& sql, Params* params = nullptr,
                                                       int flags = 0);
    fs::path root_;
};

}  // namespace stmt_test
