// Commands on QAction, the registry and the UpdateCommands rule.
#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

#include "shell/gui/RecordingMessageSink.h"
#include "shell/kit/ApplicationTitle.h"
#include "shell/kit/CommandPictures.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {
namespace {

using testing::TRecordingMessageSink;

class CommandRegistryTest : public ::testing::Test {
protected:
    TCommandRegistry registry;
    TRecordingMessageSink sink;
    TScopedMessageSink scope{sink};
    std::vector<QString> fatal;

    void SetUp() override {
        registry.SetFatalHandler([this](const QString& message) { fatal.push_back(message); });
    }
};

TEST_F(CommandRegistryTest, CommandCarriesItsFields) {
    TCommand* c = registry.Add(
        {"acExecute", "SQLEditor", "Execute", "Execute Script", 16, MakeShortcut('E', kShortcutCtrl), true});
    EXPECT_EQ(c->Name(), "acExecute");
    EXPECT_EQ(c->objectName(), "acExecute");
    EXPECT_EQ(c->Category(), "SQLEditor");
    EXPECT_EQ(c->Caption(), "Execute");
    EXPECT_EQ(c->Hint(), "Execute Script");
    EXPECT_EQ(c->PictureIndex(), 16);
    EXPECT_FALSE(c->icon().isNull());
    EXPECT_TRUE(c->IsHotkey());
    EXPECT_EQ(c->ShortcutText(), "Ctrl+E");
    EXPECT_EQ(c->shortcut(), QKeySequence(QStringLiteral("Ctrl+E")));
    EXPECT_EQ(registry.Find("acExecute"), c);
    EXPECT_EQ(registry.Find("acexecute"), nullptr);
}

TEST_F(CommandRegistryTest, StoredShortcutTextReplacesOrClearsTheShortcut) {
    TCommand* c = registry.Add(
        {"acExecute", "SQLEditor", "Execute", "Execute Script", 16, MakeShortcut('E', kShortcutCtrl), true});
    c->SetShortcutText("F5");
    EXPECT_EQ(c->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(c->DefaultShortcut(), MakeShortcut('E', kShortcutCtrl));
    c->SetShortcutText("no such key");
    EXPECT_EQ(c->Shortcut(), 0);
    EXPECT_TRUE(c->shortcut().isEmpty());
}

TEST_F(CommandRegistryTest, NamesAreUnique) {
    registry.Add({"acUndo", "SQLEditor", "Undo", "UnDo", 15});
    EXPECT_THROW(registry.Add({"acUndo", "SQLEditor", "Undo", "UnDo", 15}), std::invalid_argument);
    EXPECT_EQ(registry.Commands().size(), 1u);
}

TEST_F(CommandRegistryTest, RuleRunsBeforeTheOperationAndCanStopIt) {
    std::vector<std::string> order;
    bool connectionOpen = false;
    TCommand* c = registry.Add({"acExecute", "SQLEditor", "Execute", "Execute Script", 16},
                               [&] { order.push_back("run"); });
    registry.AddUpdateHook([&] {
        order.push_back("update");
        c->setEnabled(connectionOpen);
    });
    c->Execute();
    EXPECT_EQ(order, (std::vector<std::string>{"update"})); // disabled by the rule: nothing runs
    connectionOpen = true;
    order.clear();
    c->Execute();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front(), "update");
    EXPECT_EQ(order.back(), "run");
    EXPECT_EQ(std::count(order.begin(), order.end(), "run"), 1);
}

TEST_F(CommandRegistryTest, CheckCommandFlipsItsMarkWhenRun) {
    TCommand* c = registry.Add({"acUseTab", "", "I Use TabKey", "", -1, 0, false, true, true});
    EXPECT_TRUE(c->isChecked());
    c->Execute();
    EXPECT_FALSE(c->isChecked());
}

TEST_F(CommandRegistryTest, HooksRunInRegistrationOrder) {
    std::vector<int> order;
    registry.AddUpdateHook([&] { order.push_back(1); });
    registry.AddUpdateHook([&] { order.push_back(2); });
    registry.UpdateCommands();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(CommandRegistryTest, FailingRuleShowsItsMessageAndEndsTheProgram) {
    bool laterHookRan = false;
    registry.AddUpdateHook([] { throw std::runtime_error("no editor"); });
    registry.AddUpdateHook([&] { laterHookRan = true; });
    registry.UpdateCommands();
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "Error in ActionList1Update. [no editor]");
    EXPECT_EQ(fatal, (std::vector<QString>{"no editor"}));
    EXPECT_FALSE(laterHookRan);
    // Once failed, idle time brings no second box while the program ends.
    registry.UpdateCommands();
    EXPECT_EQ(sink.boxes.size(), 1u);
}

TEST_F(CommandRegistryTest, FailingOperationEndsInTheStandardErrorBox) {
    TCommand* c = registry.Add({"acOpenFile", "SQLEditor", "Open", "Open File", 1},
                               [] { throw std::runtime_error("Cannot open file x"); });
    c->Execute();
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].kind, "error");
    EXPECT_EQ(sink.boxes[0].caption, ApplicationTitle());
    EXPECT_EQ(sink.boxes[0].text, "Cannot open file x.");
    EXPECT_TRUE(fatal.empty());
}

TEST_F(CommandRegistryTest, CancelUnwindsSilently) {
    TCommand* c =
        registry.Add({"acSaveFile", "SQLEditor", "Save As ...", "Save As ...", 2}, [] { throw EAbort(); });
    c->Execute();
    EXPECT_TRUE(sink.boxes.empty());
}

struct TErrorTextCase {
    const char* message;
    const char* shown;
};

void PrintTo(const TErrorTextCase& c, std::ostream* out) {
    *out << '"' << c.message << '"';
}

class StandardErrorTextTest : public ::testing::TestWithParam<TErrorTextCase> {};

TEST_P(StandardErrorTextTest, PeriodOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(StandardErrorText(QString::fromUtf8(GetParam().message)), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(LastCharacter, StandardErrorTextTest,
                         ::testing::Values(TErrorTextCase{"Table not found", "Table not found."},
                                           TErrorTextCase{"code 42", "code 42."},
                                           TErrorTextCase{"Done.", "Done."},
                                           TErrorTextCase{"Really?", "Really?."}, // '?' sorts after '.'
                                           TErrorTextCase{"list,", "list,"},      // ',' sorts before '.'
                                           TErrorTextCase{"a -", "a -"}, TErrorTextCase{"(x)", "(x)"},
                                           TErrorTextCase{"", ""}));

TEST(CommandPictures, EverySetEntryHasBothSizes) {
    for (int i = 0; i < CommandPictureCount(); ++i) {
        const QIcon icon = CommandPicture(i);
        ASSERT_FALSE(icon.isNull()) << i;
        EXPECT_FALSE(icon.pixmap(kSmallPictureSize, kSmallPictureSize).isNull()) << i;
        EXPECT_FALSE(icon.pixmap(kLargePictureSize, kLargePictureSize).isNull()) << i;
    }
    EXPECT_TRUE(CommandPicture(-1).isNull());
    EXPECT_TRUE(CommandPicture(CommandPictureCount()).isNull());
}

} // namespace
} // namespace varnok
