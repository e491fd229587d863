#pragma once
// The stand-in server of the connection tests, opened on the logged
// database, with helpers to run set-up SQL and fill the table t (id integer).
#include <string>

#include "ConnectionTestFixture.h"
#include "dbaccess/IfxExceptions.h"

namespace query_test {

using namespace connection_test;

class StandInQuery : public StandInConnection {
protected:
    void SetUp() override {
        StandInConnection::SetUp();
        db.Open();
    }

    void Exec(const std::string& sql) { db.ExecuteDirect(sql); }

    // Rows 1..n in t.
    void FillT(int n) {
        for (int i = 1; i <= n; ++i) Exec("insert into t values (" + std::to_string(i) + ")");
    }

    // The message of what run throws (empty when it throws nothing).
    template <typename TFn>
    static std::string ErrorOf(TFn run) {
        try {
            run();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }
};

}  // namespace query_test
