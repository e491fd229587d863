#include "ifxsim/stmt_fixture.h"

#include "ifxsim/tools/FetchBuffer.h"

namespace stmt_test {

using ifxsql::TrimmedRight;

std::string ValueText(const ifx_sqlvar_t& v) {
    if (v.sqlind && *v.sqlind == -1) return "<null>";
    char buf[256] = {};
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: return std::string(v.sqldata);
    case SQLSMINT: { int2 x; std::memcpy(&x, v.sqldata, 2); return std::to_string(x); }
    case SQLINT: case SQLSERIAL: { int4 x; std::memcpy(&x, v.sqldata, 4); return std::to_string(x); }
    case SQLINFXBIGINT: case SQLBIGSERIAL: { bigint x; std::memcpy(&x, v.sqldata, 8); return std::to_string(x); }
    case SQLFLOAT: {
        double d; std::memcpy(&d, v.sqldata, 8);
        auto r = std::to_chars(buf, buf + sizeof buf, d);
        return std::string(buf, r.ptr);
    }
    case SQLSMFLOAT: {
        float f; std::memcpy(&f, v.sqldata, 4);
        auto r = std::to_chars(buf, buf + sizeof buf, f);
        return std::string(buf, r.ptr);
    }
    case SQLDECIMAL: case SQLMONEY:
        if (dectoasc(reinterpret_cast<dec_t*>(v.sqldata), buf, 127, -1) != 0) return "<bad decimal>";
        return TrimmedRight(buf);
    case SQLDATE: { int4 d; std::memcpy(&d, v.sqldata, 4); rdatestr(d, buf); return buf; }
    case SQLDTIME: if (dttoasc(reinterpret_cast<dtime_t*>(v.sqldata), buf) != 0) return "<bad datetime>"; return buf;
    case SQLINTERVAL: if (intoasc(reinterpret_cast<intrvl_t*>(v.sqldata), buf) != 0) return "<bad interval>"; return buf;
    case SQLINT8: case SQLSERIAL8:
        if (ifx_int8toasc(reinterpret_cast<ifx_int8_t*>(v.sqldata), buf, 21) != 0) return "<bad int8>";
        return TrimmedRight(std::string(buf, 21));
    case SQLBOOL: return std::string(1, v.sqldata[0]);
    case SQLBYTES: case SQLTEXT: {
        const auto* loc = reinterpret_cast<const loc_t*>(v.sqldata);
        if (loc->loc_indicator == -1) return "<null>";
        return std::string(loc->loc_buffer ? loc->loc_buffer : "", static_cast<std::size_t>(loc->loc_size));
    }
    default: return "<type " + std::to_string(v.sqltype) + ">";
    }
}

OutputBuffers::OutputBuffers(ifx_sqlda_t* da) : da_(da), ind_(da ? static_cast<std::size_t>(da->sqld) : 0) {
    for (int i = 0; da && i < da->sqld; ++i) {
        ifx_sqlvar_t& v = da->sqlvar[i];
        const std::size_t size = ifxsql::FetchBufferSize(v);
        data_.push_back(std::make_unique<char[]>(size));
        std::memset(data_.back().get(), 0, size);
        v.sqldata = data_.back().get();
        v.sqlind = &ind_[static_cast<std::size_t>(i)];
        if ((v.sqltype & SQLTYPE) == SQLBYTES || (v.sqltype & SQLTYPE) == SQLTEXT) {
            auto* loc = reinterpret_cast<loc_t*>(v.sqldata);
            loc->loc_loctype = LOCMEMORY;
            loc->loc_bufsize = -1;  // the library allocates
        }
    }
}

void OutputBuffers::releaseLocators() {
    for (int i = 0; da_ && i < da_->sqld; ++i) {
        ifx_sqlvar_t& v = da_->sqlvar[i];
        if ((v.sqltype & SQLTYPE) != SQLBYTES && (v.sqltype & SQLTYPE) != SQLTEXT) continue;
        auto* loc = reinterpret_cast<loc_t*>(v.sqldata);
        if (loc->loc_buffer && (loc->loc_mflags & LOC_ALLOC)) SqlFreeMem(loc->loc_buffer, LOC_BUFFER_FREE);
        loc->loc_buffer = nullptr;
        loc->loc_bufsize = -1;
        loc->loc_mflags = 0;
    }
}

OutputBuffers::~OutputBuffers() {
    releaseLocators();
    for (int i = 0; da_ && i < da_->sqld; ++i) {
        da_->sqlvar[i].sqldata = nullptr;
        da_->sqlvar[i].sqlind = nullptr;
    }
}

std::vector<std::string> OutputBuffers::row() const {
    std::vector<std::string> out;
    for (int i = 0; da_ && i < da_->sqld; ++i) out.push_back(ValueText(da_->sqlvar[i]));
    return out;
}

Prepared::Prepared(const std::string& sql) {
    stmt_ = sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0);
    if (stmt_ && sqli_describe_stmt(ESQLINTVERSION, stmt_, &da_, nullptr) < 0) da_ = nullptr;
}

Prepared::~Prepared() {
    if (da_) SqlFreeMem(da_, SQLDA_FREE);
    if (stmt_) sqli_curs_free(ESQLINTVERSION, stmt_);
}

ifx_sqlvar_t& Params::add(int type, int len, std::size_t size) {
    ifx_sqlvar_t v{};
    v.sqltype = static_cast<int2>(type);
    v.sqllen = len;
    data_.push_back(std::make_unique<char[]>(size));
    std::memset(data_.back().get(), 0, size);
    v.sqldata = data_.back().get();
    ind_.push_back(std::make_unique<int2>(0));
    v.sqlind = ind_.back().get();
    vars_.push_back(v);
    return vars_.back();
}

Params& Params::integer(int4 v) {
    std::memcpy(add(SQLINT, 4, 4).sqldata, &v, 4);
    return *this;
}

Params& Params::text(const std::string& v) {
    std::memcpy(add(SQLCHAR, static_cast<int>(v.size()), v.size() + 1).sqldata, v.c_str(), v.size() + 1);
    return *this;
}

Params& Params::decimal(const std::string& v) {
    std::string copy = v;
    EXPECT_EQ(deccvasc(copy.data(), static_cast<mint>(copy.size()),
                       reinterpret_cast<dec_t*>(add(SQLDECIMAL, PRECMAKE(32, 255), sizeof(dec_t)).sqldata)), 0);
    return *this;
}

Params& Params::date(const std::string& v) {
    std::string copy = v;
    int4 day = 0;
    EXPECT_EQ(rstrdate(copy.data(), &day), 0);
    std::memcpy(add(SQLDATE, 4, 4).sqldata, &day, 4);
    return *this;
}

Params& Params::datetime(const std::string& v, int qualifier) {
    std::string copy = v;
    auto* dt = reinterpret_cast<dtime_t*>(add(SQLDTIME, qualifier, sizeof(dtime_t)).sqldata);
    dt->dt_qual = static_cast<int2>(qualifier);
    EXPECT_EQ(dtcvasc(copy.data(), dt), 0);
    return *this;
}

Params& Params::interval(const std::string& v, int qualifier) {
    std::string copy = v;
    auto* iv = reinterpret_cast<intrvl_t*>(add(SQLINTERVAL, qualifier, sizeof(intrvl_t)).sqldata);
    iv->in_qual = static_cast<int2>(qualifier);
    EXPECT_EQ(incvasc(copy.data(), iv), 0);
    return *this;
}

Params& Params::int8(const std::string& v) {
    std::string copy = v;
    EXPECT_EQ(ifx_int8cvasc(copy.data(), static_cast<mint>(copy.size()),
                            reinterpret_cast<ifx_int8_t*>(add(SQLINT8, 10, sizeof(ifx_int8_t)).sqldata)), 0);
    return *this;
}

Params& Params::floating(double v) {
    std::memcpy(add(SQLFLOAT, 8, sizeof v).sqldata, &v, sizeof v);
    return *this;
}

Params& Params::smallFloat(float v) {
    std::memcpy(add(SQLSMFLOAT, 4, sizeof v).sqldata, &v, sizeof v);
    return *this;
}

Params& Params::boolean(bool v) {
    add(SQLBOOL, 1, 2).sqldata[0] = v ? 't' : 'f';
    return *this;
}

Params& Params::bytes(const std::string& v, int type) {
    ifx_sqlvar_t& var = add(type, 56, sizeof(loc_t) + v.size() + 1);
    auto* loc = reinterpret_cast<loc_t*>(var.sqldata);
    char* content = var.sqldata + sizeof(loc_t);
    std::memcpy(content, v.data(), v.size());
    loc->loc_loctype = LOCMEMORY;
    loc->loc_buffer = content;
    loc->loc_bufsize = static_cast<int4>(v.size());
    loc->loc_size = static_cast<int4>(v.size());
    return *this;
}

Params& Params::null(int type) {
    *add(type, 4, 32).sqlind = -1;
    return *this;
}

ifx_sqlda_t* Params::sqlda() {
    da_.sqld = static_cast<int2>(vars_.size());
    da_.sqlvar = vars_.data();
    return &da_;
}

void StmtFixture::SetUp() {
    std::random_device random;
    root_ = fs::temp_directory_path() / ("ifxsim-stmt-" + std::to_string(random()));
    fs::create_directories(root_ / "data");
    std::ofstream(root_ / "sqlhosts") << "stmtsrv onsqlite localhost " << (root_ / "data").string() << "\n";
    ASSERT_EQ(ifx_putenv(("INFORMIXSQLHOSTS=" + (root_ / "sqlhosts").string()).c_str()), 0);
    ASSERT_EQ(ifx_putenv("INFORMIXSERVER=stmtsrv"), 0);
    ASSERT_EQ(ifx_putenv("DBDATE=MDY4/"), 0);
    sqli_connect_open(ESQLINTVERSION, 0, "@stmtsrv", "stmtconn", nullptr, 1);
    ASSERT_EQ(SqlCode(), 0);
    ASSERT_EQ(Exec("CREATE DATABASE stmtdb WITH LOG"), 0) << Errm();
}

void StmtFixture::TearDown() {
    if (ifx_getcur_conn_name()) sqli_trans_rollback();
    sqli_connect_close(2, nullptr, 0, 0);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

int StmtFixture::ExecWith(const std::string& sql, Params& params) {
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return SqlCode();
    const int rc = sqli_exec(ESQLINTVERSION, stmt, params.sqlda(), nullptr, nullptr, nullptr, nullptr, nullptr, 0);
    const sqlca_s saved = Ca();
    sqli_curs_free(ESQLINTVERSION, stmt);
    *fnsqlca() = saved;  // the caller reads the outcome of the EXECUTE
    return rc;
}

std::vector<std::vector<std::string>> StmtFixture::Query(const std::string& sql, Params* params, int flags) {
    std::vector<std::vector<std::string>> rows;
    Prepared p(sql);
    EXPECT_NE(p.stmt(), nullptr) << sql << ": " << SqlCode() << " " << Errm();
    if (!p.stmt() || !p.described()) return rows;
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "stmt_test_cursor", CURS_LOCATE_NEWNAME);
    EXPECT_NE(cursor, nullptr);
    if (!cursor) return rows;
    EXPECT_EQ(sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, p.stmt(), flags, 0), 0) << Errm();
    OutputBuffers out(p.described());
    EXPECT_EQ(sqli_curs_open(ESQLINTVERSION, cursor, params ? params->sqlda() : nullptr, nullptr, nullptr, 0, 0), 0)
        << sql << ": " << SqlCode() << " " << Errm();
    _FetchSpec next{0, FETCH_NEXT, 0};
    for (int guard = 0; guard < 100000; ++guard) {
        const int rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, p.described(), nullptr, &next);
        if (rc != 0) {
            EXPECT_EQ(rc, SQLNOTFOUND) << sql << ": " << Errm();
            break;
        }
        rows.push_back(out.row());
        out.releaseLocators();
    }
    sqli_curs_close(ESQLINTVERSION, cursor);
    sqli_curs_free(ESQLINTVERSION, cursor);
    return rows;
}

}  // namespace stmt_test
