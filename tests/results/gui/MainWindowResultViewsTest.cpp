// The three result views inside the main window: their regions, their grid
// fonts from the settings file and back, and the record count in the status bar.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include "dbaccess/DataSource.h"
#include "results/GeneratedRows.h"
#include "results/ui/InstallResultViews.h"
#include "results/ui/TfmResult.h"
#include "shell/IniFile.h"
#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"

namespace varnok {
namespace {

class MainWindowResultViewsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    testing::TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    TResultViews installed;

    std::string Folder() const { return dir.path().toStdString() + "/"; }
    std::string IniPath() const { return Folder() + "varnok.ini"; }

    std::unique_ptr<TfmMain> Start() {
        TMainWindowStartup s;
        s.arguments = {"/i", dir.path().toStdString()};
        s.programFolder = Folder() + "program/";
        s.programBaseName = "varnok";
        s.getLocalAppData = [this] { return Folder() + "local/"; };
        s.parts.push_back([this](TfmMain& w) { installed = InstallResultViews(w); });
        auto w = std::make_unique<TfmMain>(s);
        w->Commands().SetFatalHandler([](const QString& m) { FAIL() << "fatal: " << m.toStdString(); });
        return w;
    }

    void WriteIni(const std::string& text) const {
        QFile f(QString::fromStdString(IniPath()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.c_str());
    }
};

TEST_F(MainWindowResultViewsTest, ViewsFillTheirRegionsWithTheFontsOfTheSettings) {
    WriteIni("[Grid1]\r\nFontHeight=-14\r\n[Grid2]\r\nFontHeight=-16\r\n[Grid3]\r\nFontHeight=-9\r\n");
    auto w = Start();
    const TResultViews views = ResultViewsOf(w.get());
    ASSERT_TRUE(views.result && views.table && views.inPlace);
    EXPECT_EQ(views.result, installed.result);
    EXPECT_EQ(views.result->parentWidget(), w->tsResult());
    EXPECT_EQ(views.table->parentWidget(), w->tsData());
    EXPECT_EQ(views.inPlace->parentWidget(), w->QueryTab().pnInPlResult);
    EXPECT_EQ(views.result->GridFontHeight(), -14);
    EXPECT_EQ(views.table->GridFontHeight(), -16);
    EXPECT_EQ(views.inPlace->GridFontHeight(), -9);
    EXPECT_FALSE(views.table->ReadOnly());

    views.table->Command("acFontBigger")->Execute();   // no data set: the command is disabled
    EXPECT_EQ(views.table->GridFontHeight(), -16);
    views.table->FontBigger();
    views.inPlace->FontSmaller();
    w->SaveParams();
    const TIniFile ini(IniPath());
    EXPECT_EQ(ini.ReadInteger("Grid1", "FontHeight", 0), -14);
    EXPECT_EQ(ini.ReadInteger("Grid2", "FontHeight", 0), -17);
    EXPECT_EQ(ini.ReadInteger("Grid3", "FontHeight", 0), -8);
}

TEST_F(MainWindowResultViewsTest, RecordCountOfAResultViewGoesToTheStatusBar) {
    auto w = Start();
    auto ds = testing::StandardRows(2345, 50);
    ds->Open();
    TDataSource source(ds.get());
    installed.inPlace->SetDataSource(&source);
    installed.inPlace->Command("acGetRecordCount")->Execute();
    EXPECT_EQ(w->Status().pnMessage()->text(), "Rows : 2345");
    EXPECT_EQ(ds->fetchedRows, 2345);
    installed.inPlace->SetDataSource(nullptr);
}

}  // namespace
}  // namespace varnok
