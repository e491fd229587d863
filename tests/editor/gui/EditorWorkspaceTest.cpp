#include "editor/PageFile.h"
#include "editor/ui/EditorCommands.h"
#include "editor/ui/EditorPages.h"
#include "editor/ui/EditorWorkspace.h"
#include "editor/ui/SqlEditor.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/CommandRegistry.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

using namespace varnok;

namespace {

// The whole road through the main window's registries: start, edit, close, start again.
TEST(EditorWorkspace, PagesComeBackThroughTheSettingsFile) {
    QTemporaryDir dir;
    const std::string folder = (dir.path() + "/").toStdString();
    const std::string iniPath = folder + "varnok.ini";
    {
        QWidget host;
        TCommandRegistry commands;
        TSettingsRegistry settings;
        const TEditorWorkspace w = InstallEditorPages(&host, commands, settings, [folder] { return folder; });
        ASSERT_EQ(w.pages->parentWidget(), &host);
        settings.LoadSettings(iniPath);
        EXPECT_EQ(w.pages->PageCount(), 3);
        commands.Find("acAddPage")->Execute();
        w.pages->ActiveEditor()->setText("select * from systables");
        w.pages->RenameActivePage("catalog");
        settings.SaveSettings(iniPath);
    }
    QFile page4(QString::fromStdString(PageFileName(folder, 4)));
    ASSERT_TRUE(page4.open(QIODevice::ReadOnly));
    EXPECT_EQ(page4.readAll(), "select * from systables");

    QWidget host;
    TCommandRegistry commands;
    TSettingsRegistry settings;
    const TEditorWorkspace w = InstallEditorPages(&host, commands, settings, [folder] { return folder; });
    settings.LoadSettings(iniPath);
    ASSERT_EQ(w.pages->PageCount(), 4);
    EXPECT_EQ(w.pages->PageCaption(3), "catalog");
    EXPECT_EQ(w.pages->EditorOfPage(3)->text(), "select * from systables");
    EXPECT_EQ(w.pages->currentIndex(), 0);
}

} // namespace
