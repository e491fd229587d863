#pragma once
// Drives one statement through the library's entry points the way the
// workbench does (prepare, describe, then declare/open/fetch a query or
// execute anything else; sometimes EXECUTE IMMEDIATE) and checks what a
// caller relies on: every failure is a known Informix code whose offset lies
// inside the statement. A watchdog breaks a statement that runs too long and
// aborts the process, naming the statement, when one does not stop.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fuzz_test {

struct Outcome {
    std::string stage;   // "prepare", "describe", "exec", "open", "fetch", "immediate" or "" when it all went through
    int code = 0;        // the SQLCODE of the failing step
    int offset = 0;      // sqlerrd[4]
};

// What is wrong with an outcome of `sql`, empty when nothing.
std::string OutcomeProblem(const std::string& sql, const Outcome& outcome);

// Runs `sql`: prepared and executed, or as a cursor when it is a query;
// EXECUTE IMMEDIATE when `immediate`. At most `maxRows` rows are fetched.
Outcome RunStatement(const std::string& sql, bool immediate, int maxRows = 50);

// Breaks the running request (sqlbreak) after `soft` and aborts the process,
// printing the statement, after `hard`.
class Watchdog {
public:
    Watchdog(std::chrono::milliseconds soft, std::chrono::milliseconds hard);
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;
    void begin(const std::string& sql);
    // Ends the statement; true when it had to be broken.
    bool end();

private:
    void watch();
    std::chrono::milliseconds soft_, hard_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string sql_;
    bool running_ = false, broken_ = false, stop_ = false;
    std::chrono::steady_clock::time_point started_;
    std::thread thread_;
};

}  // namespace fuzz_test
