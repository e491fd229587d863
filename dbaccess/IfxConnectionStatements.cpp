// The statement side of a live connection: ExecuteDirect, prepared
// statements and their cache.
#include <algorithm>
#include <exception>

#include "dbaccess/IfxConnectionResource.h"
#include "dbaccess/IfxLibrary.h"
#include "dbaccess/IfxStatementResource.h"
#include "dbaccess/IfxTraceTexts.h"

namespace varnok {

int TIfxConnectionResource::ExecuteDirect(const std::string& sql, ifx_sqlvar_t* inputs, int inputCount) {
    Report(meInformation, trace::kExecuteDirect, {name_, "\r\n", sql});
    const TIfxLibrary& lib = Ifx();
    ifx_statement_t info{};
    const char* pieces[] = {sql.c_str(), nullptr};
    Check(lib.sqli_stmt(ESQLINTVERSION, &info, pieces, inputs ? inputCount : 0, inputs, nullptr, nullptr, nullptr,
                        nullptr, -1, 0, 0));
    const int rows = lib.fnsqlca()->sqlerrd[2];
    AfterExecution(info._SQSstmttype);
    return rows;
}

TIfxStatementResource* TIfxConnectionResource::PrepareStatement(const std::string& sql, bool cacheable) {
    ++cacheRequests_;
    if (cacheable && hasCache_) {
        for (TIfxStatementResource* cached : cache_) {
            const bool usable = !cached->ReturnsCursorRows() || shareCursorStatement_ || cached->RefCount() == 1;
            if (cached->SQL() == sql && cached->HandleValid() && usable) {
                Report(meInformation, trace::kTakeCachedStatement, {name_, cached->Name(), "\r\n", sql, "\r\n"});
                cached->AddRef();
                ++cacheHits_;
                return cached;
            }
        }
    }
    auto* statement = new TIfxStatementResource(this, sql, cacheable);
    live_.push_back(statement);
    try {
        Report(meInformation, trace::kCreateStatement, {name_, statement->Name(), "\r\n", sql, "\r\n"});
        statement->Prepare(Now());
    } catch (...) {
        statement->handle_ = nullptr;
        delete statement;
        throw;
    }
    return statement;
}

void TIfxConnectionResource::AddToCache(TIfxStatementResource* statement) {
    statement->AddRef();
    statement->inCache_ = true;
    cache_.push_back(statement);
    if (static_cast<int>(cache_.size()) <= params_->StatementCacheSize) return;
    std::vector<TStatementUsage> usages;
    usages.reserve(cache_.size());
    for (const TIfxStatementResource* cached : cache_) usages.push_back(cached->Usage());
    const size_t evicted = ChooseEviction(usages, Now());
    TIfxStatementResource* leaving = cache_[evicted];
    cache_.erase(cache_.begin() + static_cast<std::ptrdiff_t>(evicted));
    leaving->inCache_ = false;
    leaving->Release();
}

void TIfxConnectionResource::EmptyCacheWithoutServer() {
    std::vector<TIfxStatementResource*> cached;
    cached.swap(cache_);
    for (TIfxStatementResource* statement : cached) {
        statement->inCache_ = false;
        statement->Drop();
    }
}

void TIfxConnectionResource::FreeCache() {
    std::vector<TIfxStatementResource*> cached;
    cached.swap(cache_);
    std::exception_ptr firstError;
    for (TIfxStatementResource* statement : cached) {
        statement->inCache_ = false;
        // Outright: the server statement goes now, whoever else still counts on it.
        try {
            statement->FreeOnServer();
        } catch (...) {
            if (!firstError) firstError = std::current_exception();
        }
        statement->Release();  // the handle is gone already: no second free
    }
    hasCache_ = false;
    if (firstError) std::rethrow_exception(firstError);
}

void TIfxConnectionResource::ForgetStatement(TIfxStatementResource* statement) {
    live_.erase(std::remove(live_.begin(), live_.end(), statement), live_.end());
    cache_.erase(std::remove(cache_.begin(), cache_.end(), statement), cache_.end());
}

void TIfxConnectionResource::CursorNameTaken(const std::string& cursorName, const TIfxStatementResource* by) {
    for (TIfxStatementResource* statement : live_) {
        if (statement == by || !statement->cursor_ || statement->cursorName_ != cursorName) continue;
        // Not freed: the library hands the same cursor to the new declaration.
        statement->cursor_ = nullptr;
        statement->cursorName_.clear();
    }
}

}  // namespace varnok
