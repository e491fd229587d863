// TIfxEvents: every registered instance hears of components created and
// destroyed; an instance that is gone hears nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dbaccess/IfxEvents.h"
#include "dbaccess/SQLProcessor.h"

using namespace varnok;

namespace {

struct Recorder {
    std::vector<std::string> log;
    void Attach(TIfxEvents& events, const std::string& tag) {
        events.SetOnObjectCreate([this, tag](TIfxComponent& c) { log.push_back(tag + "+" + c.ClassName()); });
        events.SetOnObjectDestroy([this, tag](TIfxComponent& c) { log.push_back(tag + "-" + c.ClassName()); });
    }
};

}  // namespace

TEST(IfxEvents, AllInstancesHearCreateAndDestroy) {
    Recorder r;
    TIfxEvents first;
    TIfxEvents second;
    r.Attach(first, "1");
    r.Attach(second, "2");
    { TIfxSQLProcessor processor; }
    EXPECT_EQ(r.log, (std::vector<std::string>{"1+TIfxSQLProcessor", "2+TIfxSQLProcessor", "1-TIfxSQLProcessor",
                                               "2-TIfxSQLProcessor"}));
}

TEST(IfxEvents, DestroyedInstanceIsRemovedFromTheList) {
    const int before = TIfxEvents::InstanceCount();
    Recorder r;
    {
        TIfxEvents events;
        r.Attach(events, "x");
        EXPECT_EQ(TIfxEvents::InstanceCount(), before + 1);
    }
    EXPECT_EQ(TIfxEvents::InstanceCount(), before);
    { TSQLProcessor processor; }
    EXPECT_TRUE(r.log.empty());
}

TEST(IfxEvents, HandlerMayCreateComponentsItself) {
    TIfxEvents events;
    int created = 0;
    std::unique_ptr<TSQLProcessor> inner;
    events.SetOnObjectCreate([&](TIfxComponent& c) {
        ++created;
        if (c.ClassName() == "TIfxSQLProcessor" && !inner) inner = std::make_unique<TSQLProcessor>();
    });
    { TIfxSQLProcessor outer; }
    EXPECT_EQ(created, 2);
    ASSERT_NE(inner, nullptr);
    inner.reset();
}
