// TIfxCustomMonitor: the gate, the handlers with their "handled" flag, the
// default exception handling, and reports from several threads.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "dbaccess/IfxCheck.h"
#include "dbaccess/IfxMonitor.h"

using namespace varnok;

namespace {

class RecordingMonitor : public TIfxCustomMonitor {
public:
    std::vector<std::pair<TIfxMonitorEventType, std::string>> events;

protected:
    void HandleEvent(TIfxMonitorEventType type, const std::string& message) override {
        events.emplace_back(type, message);
    }
};

}  // namespace

TEST(MonitorGate, DefaultsAreRuntimeAndAllTypes) {
    RecordingMonitor m;
    EXPECT_EQ(m.HandleMode(), hmRuntime);
    EXPECT_EQ(m.Filter(), TIfxMonitorEventTypes::All());
}

TEST(MonitorGate, ModeFilterAndMomentDecide) {
    struct Case {
        TIfxMonitorHandleMode mode;
        bool designing;
        bool passes;
    };
    const Case cases[] = {
        {hmNone, false, false},   {hmNone, true, false},    {hmRuntime, false, true}, {hmRuntime, true, false},
        {hmDesign, false, false}, {hmDesign, true, true},   {hmBoth, false, true},    {hmBoth, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " designing " << c.designing);
        RecordingMonitor m;
        m.SetHandleMode(c.mode);
        m.SetDesigning(c.designing);
        for (TIfxMonitorEventType t : {meInformation, meWarning, meError}) EXPECT_EQ(m.Passes(t), c.passes);
        // A type outside the filter never passes.
        m.SetFilter({meInformation});
        EXPECT_FALSE(m.Passes(meWarning));
        EXPECT_EQ(m.Passes(meInformation), c.passes);
    }
}

TEST(MonitorGate, NoneReceivesNothingErrorsIncluded) {
    RecordingMonitor m;
    m.SetHandleMode(hmNone);
    int handlerCalls = 0;
    m.SetOnHandleEvent([&](TIfxCustomMonitor&, TIfxMonitorEventType, const std::string&, bool&) { ++handlerCalls; });
    m.SetOnHandleException([&](TIfxCustomMonitor&, const std::exception&, bool&) { ++handlerCalls; });
    m.ReportEvent(meInformation, "%s: Begin Transaction", {"Database"});
    m.ReportEvent(meError, "failure");
    m.ReportException(EIfxError("-201 SQL error: x", -201, 0));
    EXPECT_EQ(handlerCalls, 0);
    EXPECT_TRUE(m.events.empty());
}

TEST(MonitorGate, FilterWithoutErrorDropsExceptionsButKeepsOtherEvents) {
    RecordingMonitor m;
    m.SetFilter({meInformation, meWarning});
    m.ReportException(EIfxAccessError("Database: boom"));
    EXPECT_TRUE(m.events.empty());
    m.ReportEvent(meWarning, "%s: Database has been changed", {"ifxcon$00000001"});
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].second, "ifxcon$00000001: Database has been changed");
}

TEST(MonitorGate, BuilderRunsOnlyWhenTheGatePasses) {
    RecordingMonitor m;
    int built = 0;
    auto builder = [&] {
        ++built;
        return std::string("stmt: Execute");
    };
    m.SetFilter({meError});
    m.ReportEvent(meInformation, builder);
    EXPECT_EQ(built, 0);
    m.SetFilter(TIfxMonitorEventTypes::All());
    m.ReportEvent(meInformation, builder);
    EXPECT_EQ(built, 1);
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].second, "stmt: Execute");
}

TEST(MonitorHandlers, HandledEventSkipsHandleEvent) {
    RecordingMonitor m;
    std::vector<std::string> seen;
    m.SetOnHandleEvent([&](TIfxCustomMonitor& sender, TIfxMonitorEventType, const std::string& msg, bool& handled) {
        EXPECT_EQ(&sender, &m);
        seen.push_back(msg);
        handled = msg.find("skip") != std::string::npos;
    });
    m.ReportEvent(meInformation, "keep %d", {1});
    m.ReportEvent(meInformation, "skip %d", {2});
    EXPECT_EQ(seen, (std::vector<std::string>{"keep 1", "skip 2"}));
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].second, "keep 1");
}

TEST(MonitorHandlers, ExceptionDefaultsToAnErrorEventWithItsMessage) {
    RecordingMonitor m;
    m.ReportException(EIfxError("-206 SQL error: t", -206, -111));
    ASSERT_EQ(m.events.size(), 1u);
    EXPECT_EQ(m.events[0].first, meError);
    EXPECT_EQ(m.events[0].second, "-206 SQL error: t");

    m.events.clear();
    int sqlCodeSeen = 0;
    m.SetOnHandleException([&](TIfxCustomMonitor&, const std::exception& e, bool& handled) {
        if (auto ifx = dynamic_cast<const EIfxError*>(&e)) sqlCodeSeen = ifx->SqlCode();
        handled = true;
    });
    m.ReportException(EIfxError("-206 SQL error: t", -206, -111));
    EXPECT_EQ(sqlCodeSeen, -206);
    EXPECT_TRUE(m.events.empty());
}

TEST(MonitorHandlers, ReportAndThrowPropagatesTheErrorEvenWhenTheHandlerFails) {
    RecordingMonitor m;
    m.SetOnHandleException([](TIfxCustomMonitor&, const std::exception&, bool&) {
        throw std::runtime_error("handler broke");
    });
    try {
        ReportAndThrow(&m, EIfxError("-239 SQL error: dup", -239, -100));
        FAIL() << "nothing thrown";
    } catch (const EIfxError& e) {
        EXPECT_EQ(e.SqlCode(), -239);
        EXPECT_EQ(e.IsamCode(), -100);
    }
    // Without a monitor the error propagates just the same.
    EXPECT_THROW(ReportAndThrow(nullptr, EIfxAccessError("x")), EIfxAccessError);
}

TEST(MonitorHandlers, HandlersAreSerializedAcrossThreads) {
    RecordingMonitor m;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    m.SetOnHandleEvent([&](TIfxCustomMonitor&, TIfxMonitorEventType, const std::string&, bool&) {
        if (inside.fetch_add(1) != 0) overlapped = true;
        std::this_thread::yield();
        inside.fetch_sub(1);
    });
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 500; ++i) m.ReportEvent(meInformation, "step %d", {i});
        });
    for (std::thread& t : threads) t.join();
    EXPECT_FALSE(overlapped.load());
    EXPECT_EQ(m.events.size(), 2000u);  // HandleEvent itself ran under the same lock
}

TEST(MonitorHandlers, AHandlerMayReportAgainFromTheSameThread) {
    RecordingMonitor m;
    m.SetOnHandleEvent([](TIfxCustomMonitor& sender, TIfxMonitorEventType, const std::string& msg, bool&) {
        if (msg == "outer") sender.ReportEvent(meInformation, "inner");
    });
    m.ReportEvent(meInformation, "outer");
    ASSERT_EQ(m.events.size(), 2u);
    EXPECT_EQ(m.events[0].second, "inner");
    EXPECT_EQ(m.events[1].second, "outer");
}
