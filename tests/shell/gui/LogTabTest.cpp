// The "Log" tab's list as the user sees it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTreeView>

#include "shell/LogModel.h"
#include "shell/ui/LogTab.h"

namespace varnok {
namespace {

TEST(LogTab, ListShowsGridLinesBetweenCells) {
    TLogModel model;
    model.AddLogEntryAt("10:00:00", 0, "Program start", "", -1);
    model.AddLogEntryAt("10:00:01", 0, "LoadSettings", "", -1);
    TLogTab tab(model, nullptr);
    tab.resize(700, 300);
    tab.show();
    QApplication::processEvents();
    QTreeView* list = tab.lvLog();
    const QImage image = list->viewport()->grab().toImage();
    // The empty Cost cell of the first entry: plain background inside, a line at its edges.
    const QRect cell = list->visualRect(model.index(0, TLogModel::ColCost));
    ASSERT_TRUE(cell.isValid());
    const QColor inside = image.pixelColor(cell.center());
    EXPECT_NE(image.pixelColor(cell.center().x(), cell.bottom()), inside);
    EXPECT_NE(image.pixelColor(cell.right(), cell.center().y()), inside);
}

} // namespace
} // namespace varnok
