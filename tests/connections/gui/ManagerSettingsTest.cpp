// The connection windows in the settings file: their steps in the load and
// save order, the manager's size, view style and list layout, the saved
// connections and the login history.
#include <QComboBox>
#include <QListView>
#include <QStackedWidget>
#include <QTreeView>
#include <QHeaderView>
#include <gtest/gtest.h>

#include "connections/ui/ConnectionListModel.h"
#include "connections/ui/ConnectionWindowsSettings.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "connections/ui/TfmConnect.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "tests/connections/gui/GuiTestSupport.h"

namespace varnok {
namespace {

class ManagerSettings : public ::testing::Test {
protected:
    ManagerSettings() : scoped_(sink_), manager_(conParams_) {
        AddConnectionWindowsSettingsSteps(settings_, manager_, conParams_, login_,
                                          [this](const std::string& problem) { problems_.push_back(problem); });
    }

    void Load(const std::string& text) {
        TIniFile ini;
        ini.LoadFromText(text);
        settings_.LoadSettings(ini);
    }

    testing::TRecordingSink sink_;
    TScopedMessageSink scoped_;
    TfmConParams conParams_;
    TfmAdvConnect manager_;
    TfmConnect login_;
    TSettingsRegistry settings_;
    std::vector<std::string> problems_;
};

TEST_F(ManagerSettings, StepsSitAtTheirPlacesInTheOrder) {
    EXPECT_EQ(settings_.LoadStepNames(),
              (std::vector<std::string>{"AdvConnectForm", "ConnectParamForm", "Connections", "uLogins"}));
    EXPECT_EQ(settings_.SaveStepNames(),
              (std::vector<std::string>{"AdvConnectForm", "ConnectParamForm", "Connections", "uLogins"}));
}

TEST_F(ManagerSettings, LoadFillsListStyleLayoutSizeAndHistory) {
    Load("[AdvConnectForm]\nWidth=640\nHeight=410\n"
         "[Connections]\nCount=2\nViewStyle=1\n"
         "[QuickConnectionsView]\nColWide0=150\nColWide3=-5\n"
         "[Connection0]\nName=first\nServer=ol_a\n"
         "[Connection1]\nName=second\nServer=ol_b\nPassword=plain\n"
         "[uLogins]\nx=informix\ny=scott\n");
    EXPECT_EQ(manager_.size(), QSize(640, 410));
    ASSERT_EQ(manager_.Model()->rowCount(), 2);
    EXPECT_EQ(manager_.Model()->data(manager_.Model()->index(1, 0), Qt::DisplayRole).toString(), "second");
    EXPECT_EQ(manager_.Registry().ConnectionAt(1).Password, "plain");
    EXPECT_EQ(manager_.ViewStyle(), 1);
    auto* views = qobject_cast<QStackedWidget*>(manager_.lvIcons()->parentWidget());
    EXPECT_EQ(views->currentWidget(), manager_.lvIcons());
    EXPECT_EQ(manager_.lvConnections()->header()->sectionSize(0), 150);
    EXPECT_EQ(manager_.lvConnections()->header()->sectionSize(3), 100);  // a negative width reads as 100
    EXPECT_EQ(login_.cbUserName()->count(), 2);
    EXPECT_EQ(login_.cbUserName()->itemText(0), "informix");
    EXPECT_TRUE(problems_.empty());
}

TEST_F(ManagerSettings, MissingSectionsGiveTheDefaults) {
    Load("");
    EXPECT_EQ(manager_.size(), QSize(700, 450));
    EXPECT_EQ(manager_.ViewStyle(), 3);
    EXPECT_EQ(manager_.Model()->rowCount(), 0);
}

TEST_F(ManagerSettings, MovedFirstRecordIsStoredSecondWithStyleAndSizes) {
    Load("[Connections]\nCount=2\n[Connection0]\nName=first\n[Connection1]\nName=second\n");
    manager_.FocusRow(0);
    manager_.MoveDownClick();
    manager_.SetViewStyle(0);
    manager_.resize(720, 480);
    conParams_.resize(400, 300);

    TIniFile out;
    settings_.WriteSettings(out);
    EXPECT_EQ(out.ReadString("Connection0", "Name", ""), "second");
    EXPECT_EQ(out.ReadString("Connection1", "Name", ""), "first");
    EXPECT_EQ(out.ReadInteger("Connections", "ViewStyle", -1), 0);
    EXPECT_EQ(out.ReadInteger("AdvConnectForm", "Width", 0), 720);
    EXPECT_EQ(out.ReadInteger("AdvConnectForm", "Height", 0), 480);
    EXPECT_EQ(out.ReadInteger("ConnectParamForm", "Width", 0), 400);
    EXPECT_TRUE(out.SectionExists("QuickConnectionsView"));
    EXPECT_TRUE(out.ValueExists("QuickConnectionsView", "ColWide4"));
    EXPECT_EQ(out.ReadSections(),
              (std::vector<std::string>{"AdvConnectForm", "ConnectParamForm", "Connections", "QuickConnectionsView",
                                        "Connection0", "Connection1"}));
}

}  // namespace
}  // namespace varnok
