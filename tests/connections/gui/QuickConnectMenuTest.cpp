// The quick-connect drop-down menu over the registry.
#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

#include "connections/ui/ConnectionPictures.h"
#include "connections/ui/QuickConnectMenu.h"

namespace varnok {
namespace {

TEST(QuickConnectMenu, ListsTheRegistryInOrderAndConnectsByPosition) {
    TConnectionRegistry registry;
    const std::vector<std::pair<std::string, int>> records{{"prod", 1}, {"R&D", -1}, {"prod", 99}};
    for (const auto& [name, ico] : records) {
        TConnectionsParam record;
        record.Name = name;
        record.Ico = ico;
        registry.AddConnection(record);
    }
    const std::vector<QPixmap> pictures = MakeConnectionPictures();
    QMenu menu;
    std::vector<std::size_t> chosen;
    const auto connectSaved = [&](std::size_t index) { chosen.push_back(index); };
    RebuildQuickConnectMenu(menu, registry, pictures, connectSaved);

    const QList<QAction*> items = menu.actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->text(), "prod");
    EXPECT_EQ(items[1]->text(), "R&&D");  // shows "R&D"
    EXPECT_FALSE(items[0]->icon().isNull());
    EXPECT_TRUE(items[1]->icon().isNull());
    EXPECT_TRUE(items[2]->icon().isNull());  // picture number past the list
    items[2]->trigger();                      // same name as item 0: the position decides
    items[0]->trigger();
    EXPECT_EQ(chosen, (std::vector<std::size_t>{2, 0}));

    // Rebuilt on the next opening: a connection added meanwhile is there too.
    TConnectionsParam added;
    added.Name = "new one";
    registry.AddConnection(added);
    RebuildQuickConnectMenu(menu, registry, pictures, connectSaved);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[3]->text(), "new one");
}

}  // namespace
}  // namespace varnok
