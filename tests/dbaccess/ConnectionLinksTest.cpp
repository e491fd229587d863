// The connection's links to its monitor, SQL processor and field types: a
// linked component that is destroyed first clears the link, so the
// connection never reaches a component that is gone.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dbaccess/IfxConnection.h"
#include "dbaccess/IfxFieldTypes.h"
#include "dbaccess/IfxMonitor.h"
#include "dbaccess/SQLProcessor.h"

using namespace varnok;

namespace {

class SilentMonitor : public TIfxCustomMonitor {
protected:
    void HandleEvent(TIfxMonitorEventType, const std::string&) override {}
};

}  // namespace

TEST(ConnectionLinks, ComponentsDestroyedFirstClearTheirLinks) {
    TIfxConnection connection;
    {
        SilentMonitor monitor;
        TIfxSQLProcessor processor;
        TIfxFieldTypes fieldTypes;
        connection.SetMonitor(&monitor);
        connection.SetSQLProcessor(&processor);
        connection.SetFieldTypes(&fieldTypes);
        ASSERT_EQ(connection.Monitor(), &monitor);
        ASSERT_EQ(connection.SQLProcessor(), &processor);
        ASSERT_EQ(connection.FieldTypes(), &fieldTypes);
    }
    EXPECT_EQ(connection.Monitor(), nullptr);
    EXPECT_EQ(connection.SQLProcessor(), nullptr);
    EXPECT_EQ(connection.FieldTypes(), nullptr);
}

TEST(ConnectionLinks, OnlyTheCurrentLinkIsCleared) {
    TIfxConnection connection;
    SilentMonitor kept;
    {
        SilentMonitor replaced;
        connection.SetMonitor(&replaced);
        connection.SetMonitor(&kept);
    }
    EXPECT_EQ(connection.Monitor(), &kept) << "a monitor no longer linked does not touch the link";

    // One monitor serving two connections tells both.
    TIfxConnection second;
    {
        SilentMonitor shared;
        connection.SetMonitor(&shared);
        second.SetMonitor(&shared);
        connection.SetMonitor(&shared);  // linking again asks only once
    }
    EXPECT_EQ(connection.Monitor(), nullptr);
    EXPECT_EQ(second.Monitor(), nullptr);
}

// The mechanism underneath, with a holder that counts what it is told.
class CountingHolder : public TIfxComponent {
public:
    CountingHolder() : TIfxComponent("CountingHolder") {}
    int told = 0;
    const TIfxComponent* last = nullptr;

protected:
    void Notification(TIfxComponent& destroyed) override {
        ++told;
        last = &destroyed;
    }
};

TEST(ComponentFreeNotification, HoldersAreToldOnceAndOnlyWhileTheyAsk) {
    CountingHolder asking, stopped;
    const TIfxComponent* address = nullptr;
    {
        TIfxSQLProcessor watched;
        address = &watched;
        watched.FreeNotification(&asking);
        watched.FreeNotification(&asking);
        watched.FreeNotification(&stopped);
        watched.RemoveFreeNotification(&stopped);
    }
    EXPECT_EQ(asking.told, 1);
    EXPECT_EQ(asking.last, address);
    EXPECT_EQ(stopped.told, 0);
}

TEST(ComponentFreeNotification, AHolderDestroyedFirstIsForgotten) {
    // Without the holder leaving the list, the watched component's destructor
    // would call into the destroyed holder (a use after free under ASan).
    CountingHolder survivor;
    {
        TIfxSQLProcessor watched;
        {
            auto connection = std::make_unique<TIfxConnection>();
            connection->SetSQLProcessor(&watched);
            auto gone = std::make_unique<CountingHolder>();
            watched.FreeNotification(gone.get());
        }
        watched.FreeNotification(&survivor);
    }
    EXPECT_EQ(survivor.told, 1);
}
