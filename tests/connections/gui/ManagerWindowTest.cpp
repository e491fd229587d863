// The "Quick Connections" window over its registry, offscreen.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QThread>
#include <QTreeView>
#include <gtest/gtest.h>

#include "connections/ui/ConnectionListModel.h"
#include "connections/ui/ConnectionPictures.h"
#include "connections/ui/TfmAdvConnect.h"
#include "connections/ui/TfmConParams.h"
#include "tests/connections/gui/GuiTestSupport.h"

namespace varnok {
namespace {

using testing::TRecordingSink;
using testing::WhenShown;

TConnectionsParam Record(const std::string& name, const std::string& server, const std::string& database,
                         const std::string& user, const std::string& script = {}, int ico = 0) {
    TConnectionsParam record;
    record.Name = name;
    record.Server = server;
    record.DataBase = database;
    record.User = user;
    record.Script = script;
    record.Ico = ico;
    return record;
}

std::vector<std::string> Names(const TConnectionRegistry& registry) {
    std::vector<std::string> out;
    for (const auto& record : registry.Records()) out.push_back(record.Name);
    return out;
}

class ManagerWindow : public ::testing::Test {
protected:
    ManagerWindow() : scoped_(sink_), manager_(conParams_) {
        manager_.Registry().AddConnection(Record("alpha", "ol_demo", "stores", "informix", "set lock mode to wait;\r\n"));
        manager_.Registry().AddConnection(Record("beta", "ol_test", "", "scott", {}, 1));
        manager_.Registry().AddConnection(Record("gamma", "ol_prod", "sales", "dba"));
        manager_.RefreshList();
    }

    QString Cell(int row, int column) const {
        return manager_.Model()->data(manager_.Model()->index(row, column), Qt::DisplayRole).toString();
    }

    TRecordingSink sink_;
    TScopedMessageSink scoped_;
    TfmConParams conParams_;
    TfmAdvConnect manager_;
};

TEST_F(ManagerWindow, ListShowsTheRegistryInOrder) {
    const auto* model = manager_.Model();
    ASSERT_EQ(model->rowCount(), 3);
    ASSERT_EQ(model->columnCount(), 5);
    const char* headers[] = {"Name", "Server", "DataBase", "User", "Params"};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), headers[c]);
    EXPECT_EQ(Cell(0, 0), "alpha");
    EXPECT_EQ(Cell(0, 1), "ol_demo");
    EXPECT_EQ(Cell(0, 2), "stores");
    EXPECT_EQ(Cell(0, 3), "informix");
    EXPECT_EQ(Cell(0, 4), "set lock mode to wait;");
    EXPECT_EQ(Cell(1, 0), "beta");
    EXPECT_EQ(Cell(2, 0), "gamma");
    EXPECT_EQ(Cell(2, 2), "sales");
    EXPECT_FALSE(model->flags(model->index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_EQ(manager_.windowTitle(), "Quick Connections");
}

TEST_F(ManagerWindow, MoveCommandsFollowTheFocusedRow) {
    manager_.FocusRow(2);
    EXPECT_FALSE(manager_.acMoveDown()->isEnabled());
    EXPECT_TRUE(manager_.acMoveUp()->isEnabled());
    manager_.FocusRow(0);
    EXPECT_FALSE(manager_.acMoveUp()->isEnabled());
    EXPECT_TRUE(manager_.acMoveDown()->isEnabled());
    manager_.FocusRow(1);
    EXPECT_TRUE(manager_.acMoveUp()->isEnabled());
    EXPECT_TRUE(manager_.acMoveDown()->isEnabled());
    EXPECT_TRUE(manager_.acEdit()->isEnabled());
    EXPECT_TRUE(manager_.btConnect()->isEnabled());
}

TEST_F(ManagerWindow, NothingSelectedDisablesEditDeleteConnect) {
    manager_.lvConnections()->selectionModel()->clear();
    EXPECT_FALSE(manager_.acEdit()->isEnabled());
    EXPECT_FALSE(manager_.acDelete()->isEnabled());
    EXPECT_FALSE(manager_.acConnect()->isEnabled());
    EXPECT_FALSE(manager_.btConnect()->isEnabled());
    EXPECT_FALSE(manager_.acMoveUp()->isEnabled());
    EXPECT_FALSE(manager_.acMoveDown()->isEnabled());
}

TEST_F(ManagerWindow, MovingTheFirstRowDownKeepsItFocusedAndSelected) {
    manager_.FocusRow(0);
    manager_.acMoveDown()->trigger();
    EXPECT_EQ(Names(manager_.Registry()), (std::vector<std::string>{"beta", "alpha", "gamma"}));
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(1));
    EXPECT_TRUE(manager_.lvConnections()->selectionModel()->isRowSelected(1, {}));
    EXPECT_EQ(Cell(1, 0), "alpha");
    manager_.acMoveUp()->trigger();
    EXPECT_EQ(Names(manager_.Registry()), (std::vector<std::string>{"alpha", "beta", "gamma"}));
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(0));
}

TEST_F(ManagerWindow, NewThenCancelLeavesTheRegistryUnchanged) {
    const auto before = manager_.Registry().Records();
    WhenShown(&conParams_, [this] {
        EXPECT_EQ(conParams_.edName()->text(), "New");
        conParams_.edName()->setText("not kept");
        conParams_.btCancel()->click();
    });
    manager_.acNew()->trigger();
    EXPECT_EQ(manager_.Registry().Records(), before);
    EXPECT_EQ(manager_.Model()->rowCount(), 3);
}

TEST_F(ManagerWindow, NewThenOkAppends) {
    WhenShown(&conParams_, [this] {
        conParams_.edName()->setText("delta");
        conParams_.cbServerName()->setEditText("ol_new");
        conParams_.cbDataBase()->setEditText("db1");
        conParams_.cbUser()->setEditText("joe");
        conParams_.edPassword()->setText("pw");
        conParams_.btOk()->click();
    });
    manager_.acNew()->trigger();
    ASSERT_EQ(manager_.Registry().ConnectionCount(), 4u);
    const TConnectionsParam& added = manager_.Registry().ConnectionAt(3);
    EXPECT_EQ(added.Name, "delta");
    EXPECT_EQ(added.Server, "ol_new");
    EXPECT_EQ(added.DataBase, "db1");
    EXPECT_EQ(added.User, "joe");
    EXPECT_EQ(added.Password, "pw");
    EXPECT_TRUE(added.AskPassword);
    EXPECT_EQ(added.Ico, 0);
    EXPECT_EQ(manager_.Model()->rowCount(), 4);
    EXPECT_EQ(Cell(3, 0), "delta");
    // The new connection is the focused row, ready to be connected with.
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(3));
    EXPECT_TRUE(manager_.btConnect()->isEnabled());
}

TEST_F(ManagerWindow, EditThenCancelChangesNothing) {
    manager_.FocusRow(1);
    const TConnectionsParam before = manager_.Registry().ConnectionAt(1);
    WhenShown(&conParams_, [this] {
        EXPECT_EQ(conParams_.edName()->text(), "beta");
        conParams_.edName()->setText("renamed");
        conParams_.cbServerName()->setEditText("elsewhere");
        conParams_.btCancel()->click();
    });
    manager_.acEdit()->trigger();
    EXPECT_EQ(manager_.Registry().ConnectionAt(1), before);
    EXPECT_EQ(Cell(1, 0), "beta");
}

TEST_F(ManagerWindow, EditThenOkShowsTheChangeInTheList) {
    manager_.FocusRow(2);
    WhenShown(&conParams_, [this] {
        conParams_.edName()->setText("gamma2");
        conParams_.btOk()->click();
    });
    manager_.acEdit()->trigger();
    EXPECT_EQ(manager_.Registry().ConnectionAt(2).Name, "gamma2");
    EXPECT_EQ(Cell(2, 0), "gamma2");
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(2));
}

TEST_F(ManagerWindow, DeleteAsksAndNoKeepsTheRecord) {
    manager_.FocusRow(1);
    sink_.answerYes = false;
    manager_.acDelete()->trigger();
    ASSERT_EQ(sink_.boxes.size(), 1u);
    EXPECT_EQ(sink_.boxes[0].kind, "question");
    EXPECT_EQ(sink_.boxes[0].caption, "Confirm Delete");
    EXPECT_EQ(sink_.boxes[0].text, "Are you sure you want to delete the connection: beta");
    EXPECT_FALSE(sink_.questionDefaultYes[0]);  // No is the default
    EXPECT_EQ(manager_.Registry().ConnectionCount(), 3u);

    sink_.answerYes = true;
    manager_.acDelete()->trigger();
    EXPECT_EQ(Names(manager_.Registry()), (std::vector<std::string>{"alpha", "gamma"}));
    EXPECT_EQ(manager_.Model()->rowCount(), 2);
}

TEST_F(ManagerWindow, TypeAheadJumpsToTheFirstMatchingName) {
    const int interval = QApplication::keyboardInputInterval();
    // Typing after a pause starts a new search rather than extending the last one.
    QApplication::setKeyboardInputInterval(0);
    const auto type = [this](const char* text) {
        QThread::msleep(5);
        manager_.lvConnections()->keyboardSearch(QString::fromLatin1(text));
    };
    manager_.FocusRow(0);
    type("G");
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(2));  // the last connection included
    type("zz");
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(2));  // nothing begins so: focus stays
    type("b");
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(1));  // wraps round past the end

    // Only the letters a-z are compared without regard to case.
    manager_.Registry().AddConnection(Record("\xC3\x89mile", "ol_fr", "", ""));  // "Émile"
    manager_.RefreshList();
    manager_.FocusRow(0);
    QThread::msleep(5);
    manager_.lvConnections()->keyboardSearch(QStringLiteral("\u00E9"));  // "é"
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(0));
    QThread::msleep(5);
    manager_.lvConnections()->keyboardSearch(QStringLiteral("\u00C9m"));  // "Ém" exactly
    EXPECT_EQ(manager_.FocusedRow(), std::optional<std::size_t>(3));
    QApplication::setKeyboardInputInterval(interval);
}

TEST_F(ManagerWindow, ViewStylesSwitchTheListAndShowPicturesOnlyAsLargeIcons) {
    auto* views = qobject_cast<QStackedWidget*>(manager_.lvConnections()->parentWidget());
    ASSERT_NE(views, nullptr);
    EXPECT_EQ(manager_.ViewStyle(), 3);
    EXPECT_EQ(views->currentWidget(), manager_.lvConnections());
    const QModelIndex beta = manager_.Model()->index(1, 0);
    EXPECT_FALSE(manager_.Model()->data(beta, Qt::DecorationRole).isValid());

    manager_.acViewStyle(0)->trigger();
    EXPECT_EQ(manager_.ViewStyle(), 0);
    EXPECT_EQ(views->currentWidget(), manager_.lvIcons());
    EXPECT_EQ(manager_.lvIcons()->viewMode(), QListView::IconMode);
    EXPECT_TRUE(manager_.Model()->data(beta, Qt::DecorationRole).isValid());

    manager_.acViewStyle(2)->trigger();
    EXPECT_EQ(manager_.ViewStyle(), 2);
    EXPECT_EQ(manager_.lvIcons()->viewMode(), QListView::ListMode);
    EXPECT_FALSE(manager_.Model()->data(beta, Qt::DecorationRole).isValid());

    manager_.acDetails()->trigger();
    EXPECT_EQ(manager_.ViewStyle(), 3);
    manager_.SetViewStyle(7);  // outside 0..3: ignored
    EXPECT_EQ(manager_.ViewStyle(), 3);
}

TEST_F(ManagerWindow, IconAndListStylesShowWholeNames) {
    // The window is shown while the registry is still empty, as at start-up
    // without saved connections; names of different lengths come later. Each
    // row must get the room its own name needs.
    while (manager_.Registry().ConnectionCount() > 0) manager_.Registry().DeleteConnection(0);
    manager_.RefreshList();
    manager_.show();
    QListView* view = manager_.lvIcons();
    for (int style : {0, 1, 2}) {
        manager_.SetViewStyle(style);
        QApplication::processEvents();
    }
    for (const char* name : {"a considerably longer name", "ab", "Bravo"}) {
        WhenShown(&conParams_, [this, name] {
            conParams_.edName()->setText(QString::fromLatin1(name));
            conParams_.btOk()->click();
        });
        manager_.acNew()->trigger();
    }
    manager_.SetViewStyle(3);
    QApplication::processEvents();
    manager_.FocusRow(1);
    manager_.acMoveUp()->trigger();
    const QFontMetrics metrics(view->font());
    for (int style : {0, 1, 2}) {
        manager_.SetViewStyle(style);
        QApplication::processEvents();
        for (int row = 0; row < manager_.Model()->rowCount(); ++row) {
            const QModelIndex index = manager_.Model()->index(row, TConnectionListModel::ColName);
            const QString name = index.data().toString();
            const QRect rect = view->visualRect(index);
            SCOPED_TRACE("style " + std::to_string(style) + ", " + name.toStdString());
            if (style == 0) {
                // Large icons wrap a long name under the picture, word by word.
                for (const QString& word : name.split(u' '))
                    EXPECT_GE(rect.width(), metrics.horizontalAdvance(word));
                EXPECT_GE(rect.height(), kConnectionPictureSize + metrics.height());
            } else {
                EXPECT_GE(rect.width(), metrics.horizontalAdvance(name));
            }
        }
    }
}

TEST_F(ManagerWindow, StylesShareOneSelection) {
    manager_.FocusRow(2);
    manager_.SetViewStyle(1);
    EXPECT_EQ(manager_.lvIcons()->currentIndex().row(), 2);
    EXPECT_TRUE(manager_.acMoveUp()->isEnabled());
    EXPECT_FALSE(manager_.acMoveDown()->isEnabled());
}

TEST_F(ManagerWindow, ContextMenuHasConnectAsDefaultItem) {
    QStringList captions;
    for (QAction* action : manager_.pmConnections()->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(captions, (QStringList{"Connect", "-", "New", "Edit", "Delete", "-", "Move Up", "Move Down"}));
    EXPECT_EQ(manager_.pmConnections()->defaultAction(), manager_.acConnect());
    EXPECT_EQ(manager_.acNew()->toolTip(), "Create New Connection");
    EXPECT_EQ(manager_.acEdit()->toolTip(), "Edit Connection");
    EXPECT_EQ(manager_.acDelete()->toolTip(), "Delete Connection");
}

TEST_F(ManagerWindow, ConnectReturnsTheFocusedRecord) {
    WhenShown(&manager_, [this] {
        manager_.FocusRow(1);
        manager_.btConnect()->click();
    });
    const auto chosen = manager_.ShowConnectionManager();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->Name, "beta");

    WhenShown(&manager_, [this] { manager_.btCancel()->click(); });
    EXPECT_EQ(manager_.ShowConnectionManager(), std::nullopt);

    WhenShown(&manager_, [this] {
        manager_.lvConnections()->selectionModel()->clear();  // no row focused
        manager_.ConnectClick();
    });
    EXPECT_EQ(manager_.ShowConnectionManager(), std::nullopt);
}

}  // namespace
}  // namespace varnok
