#include "ifxsim/fuzz_runner.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "ifxesqlc.h"
#include "ifxsim/stmt_fixture.h"

namespace fuzz_test {

namespace {

Outcome Failed(const char* stage, int code) {
    return Outcome{stage, code, fnsqlca()->sqlerrd[4]};
}

bool KnownCode(int code) {
    char text[512];
    mint length = 0;
    return rgetlmsg(code, text, sizeof text, &length) == 0;
}

// Runs an opened cursor to its end or `maxRows`; a failure of the fetch.
Outcome FetchAll(ifx_cursor_t* cursor, ifx_sqlda_t* da, int maxRows) {
    stmt_test::OutputBuffers out(da);
    _FetchSpec next{0, FETCH_NEXT, 0};
    for (int i = 0; i < maxRows; ++i) {
        const int rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, da, nullptr, &next);
        if (rc == SQLNOTFOUND) break;
        if (rc != 0) return Failed("fetch", rc);
        (void)out.row();  // every value through the conversion routines
        out.releaseLocators();
    }
    return {};
}

}  // namespace

std::string OutcomeProblem(const std::string& sql, const Outcome& outcome) {
    if (outcome.stage.empty()) return {};
    const int length = static_cast<int>(std::strlen(sql.c_str()));  // what the library saw
    if (outcome.code >= 0)
        return outcome.stage + " failed with the non-negative code " + std::to_string(outcome.code);
    if (!KnownCode(outcome.code))
        return outcome.stage + " failed with " + std::to_string(outcome.code) + ", a code without a message";
    if (outcome.offset < 0 || outcome.offset > length)
        return outcome.stage + " failed with " + std::to_string(outcome.code) + " at offset " +
               std::to_string(outcome.offset) + ", outside the statement of " + std::to_string(length) + " bytes";
    return {};
}

Outcome RunStatement(const std::string& sql, bool immediate, int maxRows) {
    if (immediate) {
        const int rc = sqli_exec_immed(sql.c_str());
        return rc < 0 ? Failed("immediate", rc) : Outcome{};
    }
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, nullptr, sql.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return Failed("prepare", *fnsqlcode());
    ifx_sqlda_t* da = nullptr;
    Outcome outcome;
    if (sqli_describe_stmt(ESQLINTVERSION, stmt, &da, nullptr) < 0) {
        outcome = Failed("describe", *fnsqlcode());
        da = nullptr;
    } else if (stmt->_SQCstmttype == SQ_SELECT && da && da->sqld > 0) {
        static int counter = 0;
        const std::string name = "fuzz_c" + std::to_string(++counter);
        ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, name.c_str(), CURS_LOCATE_NEWNAME);
        if (!cursor) {
            outcome = Failed("declare", *fnsqlcode());
        } else {
            if (sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, stmt, 0, 0) < 0)
                outcome = Failed("declare", *fnsqlcode());
            else if (sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0) < 0)
                outcome = Failed("open", *fnsqlcode());
            else
                outcome = FetchAll(cursor, da, maxRows);
            sqli_curs_close(ESQLINTVERSION, cursor);
            sqli_curs_free(ESQLINTVERSION, cursor);
        }
    } else {
        const int rc = sqli_exec(ESQLINTVERSION, stmt, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
        if (rc < 0) outcome = Failed("exec", rc);
    }
    if (da) SqlFreeMem(da, SQLDA_FREE);
    sqli_curs_free(ESQLINTVERSION, stmt);
    return outcome;
}

Watchdog::Watchdog(std::chrono::milliseconds soft, std::chrono::milliseconds hard)
    : soft_(soft), hard_(hard), thread_([this] { watch(); }) {}

Watchdog::~Watchdog() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Watchdog::begin(const std::string& sql) {
    std::lock_guard lock(mutex_);
    sql_ = sql;
    running_ = true;
    broken_ = false;
    started_ = std::chrono::steady_clock::now();
    wake_.notify_all();
}

bool Watchdog::end() {
    std::lock_guard lock(mutex_);
    running_ = false;
    return broken_;
}

void Watchdog::watch() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        if (!running_) {
            wake_.wait(lock);
            continue;
        }
        const auto started = started_;
        wake_.wait_for(lock, std::chrono::milliseconds(50));
        if (!running_ || started != started_) continue;
        const auto elapsed = std::chrono::steady_clock::now() - started_;
        if (elapsed > hard_) {
            std::fprintf(stderr, "HANG: the statement did not stop within %lld ms after a break:\n%.2000s\n",
                         static_cast<long long>(hard_.count()), sql_.c_str());
            std::fflush(stderr);
            std::abort();
        }
        if (elapsed > soft_ && !broken_) {
            broken_ = true;
            sqlbreak();
        }
    }
}

}  // namespace fuzz_test
