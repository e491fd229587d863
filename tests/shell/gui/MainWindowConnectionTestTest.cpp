// "Test" in the main window's connection parameters window opens a real
// temporary connection to the stand-in server.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "connections/ui/TfmConParams.h"
#include "shell/gui/ExecutionTestFixture.h"

namespace varnok::testing {
namespace {

using MainWindowConnectionTestTest = ExecutionTest;

TEST_F(MainWindowConnectionTestTest, TestButtonConnectsWithTheWindowsValues) {
    TfmConParams* conParams = window_->fmConParams();
    conParams->cbServerName()->setEditText("simsrv");
    conParams->cbDataBase()->setEditText("vk_run");
    conParams->cbUser()->setEditText("alice");
    conParams->edPassword()->clear();
    conParams->btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "information");
    EXPECT_EQ(sink_.boxes[0].text, "Test connection was successful.");

    conParams->cbDataBase()->setEditText("nosuch");
    conParams->btTest()->click();
    ASSERT_EQ(sink_.boxes.size(), 2u);
    EXPECT_EQ(sink_.boxes[1].kind, "error");
    EXPECT_TRUE(sink_.boxes[1].text.startsWith("-329")) << sink_.boxes[1].text.toStdString();
    // The main connection stays where it was.
    EXPECT_TRUE(window_->ConnectFlow()->Database().Connected());
}

}  // namespace
}  // namespace varnok::testing
