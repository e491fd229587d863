// Widget helpers: tab placement, list layouts on views, history boxes.
#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QTreeView>

#include "shell/IniFile.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/ColorRoles.h"
#include "shell/kit/HistoryBox.h"
#include "shell/kit/ListLayoutView.h"
#include "shell/kit/TabPlacement.h"

namespace varnok {
namespace {

struct TPlacementCase {
    int code;
    QTabWidget::TabPosition position;
};

void PrintTo(const TPlacementCase& c, std::ostream* out) {
    *out << "code " << c.code;
}

class TabPlacementTest : public ::testing::TestWithParam<TPlacementCase> {};

TEST_P(TabPlacementTest, CodePutsTabsOnItsSideAndReadsBack) {
    QTabWidget tabs;
    tabs.setTabPosition(GetParam().code == 0 ? QTabWidget::South : QTabWidget::North);
    ApplyTabPlacement(&tabs, GetParam().code);
    EXPECT_EQ(tabs.tabPosition(), GetParam().position);
    EXPECT_EQ(TabPlacementCodeOf(&tabs), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(Codes, TabPlacementTest,
                         ::testing::Values(TPlacementCase{0, QTabWidget::North},
                                           TPlacementCase{1, QTabWidget::West},
                                           TPlacementCase{2, QTabWidget::South},
                                           TPlacementCase{3, QTabWidget::East}));

TEST(TabPlacement, CodeOutsideTheTableChangesNothing) {
    for (int code : {-1, 4, 100}) {
        QTabWidget tabs;
        tabs.setTabPosition(QTabWidget::East);
        ApplyTabPlacement(&tabs, code);
        EXPECT_EQ(tabs.tabPosition(), QTabWidget::East) << code;
    }
    ApplyTabPlacement(nullptr, 1); // no control: nothing to do
}

class ListLayoutViewTest : public ::testing::Test {
protected:
    QStandardItemModel model{0, 4};
    QTreeView tree;
    TIniFile ini;
    void SetUp() override { tree.setModel(&model); }
};

TEST_F(ListLayoutViewTest, StoredLayoutIsAppliedWithNegativeWidthAsDefault) {
    ini.LoadFromText("[LogView]\nfnName=Courier New\nfnColor=$000000FF\nfnSize=11\nColor=clWindow\n"
                     "ColWide0=40\nColWide1=250\nColWide2=-5\n");
    ReadListLayout(ini, "LogView", &tree);
    EXPECT_EQ(tree.font().family(), "Courier New");
    EXPECT_EQ(tree.font().pointSize(), 11);
    EXPECT_EQ(tree.palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(tree.palette().color(QPalette::Base), QApplication::palette(&tree).color(QPalette::Base));
    EXPECT_EQ(tree.header()->sectionSize(0), 40);
    EXPECT_EQ(tree.header()->sectionSize(1), 250);
    EXPECT_EQ(tree.header()->sectionSize(2), 100); // ColWide2=-5
    EXPECT_EQ(tree.header()->sectionSize(3), 100); // missing key
}

TEST_F(ListLayoutViewTest, WrittenLayoutKeepsNamesAndReadsBackEqual) {
    ini.LoadFromText("[LogView]\nfnName=Verdana\nfnColor=$00123456\nfnSize=9\nColWide0=70\nColWide3=33\n");
    ReadListLayout(ini, "LogView", &tree);
    TIniFile out;
    WriteListLayout(out, "LogView", &tree);
    EXPECT_EQ(out.ReadSectionKeys("LogView"),
              (std::vector<std::string>{"fnName", "fnColor", "fnSize", "Color", "ColWide0", "ColWide1",
                                        "ColWide2", "ColWide3"}));
    EXPECT_EQ(out.ReadString("LogView", "fnColor", ""), "$00123456");
    EXPECT_EQ(out.ReadString("LogView", "Color", ""), "clWindow"); // untouched background keeps its name
    EXPECT_EQ(out.ReadInteger("LogView", "fnSize", 0), 9);
    EXPECT_EQ(out.ReadInteger("LogView", "ColWide0", 0), 70);
    EXPECT_EQ(out.ReadInteger("LogView", "ColWide3", 0), 33);
}

TEST_F(ListLayoutViewTest, TableViewUsesItsHorizontalHeader) {
    QTableView table;
    table.setModel(&model);
    ini.LoadFromText("[Grid]\nColWide1=77\n");
    ReadListLayout(ini, "Grid", &table);
    EXPECT_EQ(table.horizontalHeader()->sectionSize(1), 77);
    TIniFile out;
    WriteListLayout(out, "Grid", &table);
    EXPECT_EQ(out.ReadInteger("Grid", "ColWide1", 0), 77);
}

TEST(ColorRoles, SystemColoursFollowThePalette) {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    EXPECT_EQ(ToQColor(TColorText{kClWindow}, palette), QColor(1, 2, 3));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3), palette, {TColorText{kClWindow}}), TColorText{kClWindow});
    EXPECT_EQ(FromQColor(QColor(1, 2, 4), palette, {TColorText{kClWindow}}), TColorText::Rgb(1, 2, 4));
}

class HistoryBoxTest : public ::testing::Test {
protected:
    QComboBox box;
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};

    QStringList Items() const {
        QStringList items;
        for (int i = 0; i < box.count(); ++i)
            items << box.itemText(i);
        return items;
    }
};

TEST_F(HistoryBoxTest, ReadAppendsInFileOrderAndSelectsTheFirst) {
    box.addItem("kept");
    TIniFile ini;
    ini.LoadFromText("[TableWildCards]\nz=sys*\na=cust*\n");
    ReadHistoryList(ini, "TableWildCards", &box);
    EXPECT_EQ(Items(), (QStringList{"kept", "sys*", "cust*"}));
    EXPECT_EQ(box.currentIndex(), 0);
    TIniFile out;
    WriteHistoryList(out, "TableWildCards", &box);
    EXPECT_EQ(out.ReadSectionKeys("TableWildCards"), (std::vector<std::string>{"0", "1", "2"}));
    EXPECT_EQ(out.ReadString("TableWildCards", "1", ""), "sys*");
}

TEST_F(HistoryBoxTest, RuleMovesTheTextToTheTopAndCutsTheList) {
    box.setEditable(true);
    box.addItems({"a", "b", "A", "b"});
    box.setEditText("b");
    EXPECT_EQ(fSortComboItems(&box, 10), "b");
    EXPECT_EQ(Items(), (QStringList{"b", "a", "A"})); // case counts: "A" stays
    EXPECT_EQ(box.currentIndex(), 0);
    EXPECT_EQ(box.currentText(), "b");
    box.setEditText("new");
    EXPECT_EQ(fSortComboItems(&box, 2), "new");
    EXPECT_EQ(Items(), (QStringList{"new", "b"}));
    box.setEditText("x");
    EXPECT_EQ(fSortComboItems(&box, 0), "");
    EXPECT_EQ(box.count(), 0);
    EXPECT_TRUE(sink.boxes.empty());
}

} // namespace
} // namespace varnok
