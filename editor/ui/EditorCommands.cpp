#include "editor/ui/EditorCommands.h"

#include "editor/ui/EditorPages.h"
#include "editor/ui/SqlEditor.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QPointer>

namespace varnok {

namespace {

const QString kFileFilter = QStringLiteral("SQL files (*.sql);;All files (*)");

QString RunFileDialog(QWidget* parent, const QString& start, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, QString(), start, kFileFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("sql"));
    if (!start.isEmpty()) dialog.selectFile(start);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

TCommandSpec Spec(const char* name, const char* category, const char* caption, const char* hint,
                  int picture = -1, TShortcut shortcut = 0, bool hotkey = false) {
    TCommandSpec s;
    s.name = QString::fromLatin1(name);
    s.category = QString::fromLatin1(category);
    s.caption = QString::fromLatin1(caption);
    s.hint = QString::fromLatin1(hint);
    s.picture = picture;
    s.shortcut = shortcut;
    s.hotkey = hotkey;
    return s;
}

} // namespace

TEditorDialogs StandardEditorDialogs() {
    TEditorDialogs d;
    d.openFile = [](QWidget* parent, const QString& start) {
        return RunFileDialog(parent, start, QFileDialog::AcceptOpen);
    };
    d.saveFile = [](QWidget* parent, const QString& start) {
        return RunFileDialog(parent, start, QFileDialog::AcceptSave);
    };
    d.renamePage = [](QWidget* parent, const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString text =
            QInputDialog::getText(parent, QStringLiteral("Pages"), QStringLiteral("Input new name"),
                                  QLineEdit::Normal, current, &ok);
        if (!ok) return std::nullopt;
        return text;
    };
    return d;
}

const QStringList& TEditorCommands::EditorPopupItems() {
    static const QStringList items = {"acUndo",
                                      "acRedo",
                                      "-",
                                      "acCutToClipboard",
                                      "acCopyToClipboard",
                                      "acPasteFromClipboard",
                                      "acDeleteSelected",
                                      "-",
                                      "acSelectAll",
                                      "-",
                                      "acErase",
                                      "-",
                                      "acOpenFile",
                                      "acSaveFile",
                                      "-",
                                      "acAddQuot",
                                      "acDeleteQuot",
                                      "-",
                                      "acUseTab",
                                      "-",
                                      "acSearch",
                                      "acSearchReplace",
                                      "acSearchNext",
                                      "acSearchPrev"};
    return items;
}

TEditorCommands::TEditorCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent)
    : QObject(parent), pages_(pages), registry_(registry), dialogs_(StandardEditorDialogs()) {
    // The registry may outlive the pages (commands are looked up by name for
    // the whole run): every operation checks that the pages are still there.
    const auto op = [guard = QPointer<TEditorCommands>(this)](void (*fn)(TEditorCommands&)) {
        return [guard, fn] {
            if (guard) fn(*guard);
        };
    };
    const TShortcut ctrl = kShortcutCtrl;
    registry_.Add(Spec("acAddPage", "SQLEditor", "Add Page", "Add Editor Page", 0, 0, true),
                  op([](TEditorCommands& c) { c.AddPage(); }));
    registry_.Add(Spec("acOpenFile", "SQLEditor", "Open", "Open File", 1, MakeShortcut('O', ctrl), true),
                  op([](TEditorCommands& c) { c.OpenFile(); }));
    registry_.Add(
        Spec("acSaveFile", "SQLEditor", "Save As ...", "Save As ...", 2, MakeShortcut('S', ctrl), true),
        op([](TEditorCommands& c) { c.SaveFileAs(); }));
    registry_.Add(Spec("acErase", "SQLEditor", "Erase", "Erase", 3),
                  op([](TEditorCommands& c) { c.pages_.EraseActiveEditor(); }));
    registry_.Add(Spec("acDeletePage", "SQLEditor", "Delete Active Page", "Delete Active Page", 10, 0, true),
                  op([](TEditorCommands& c) { c.pages_.ClosePage(); }));
    registry_.Add(Spec("acRenamePage", "Pages", "Rename Active Page", "Rename Active Page"),
                  op([](TEditorCommands& c) { c.RenamePage(); }));
    registry_.Add(Spec("acPageAtLeft", "Pages", "Left", ""),
                  op([](TEditorCommands& c) { c.pages_.SetTabPlacement(1); }));
    registry_.Add(Spec("acPageAtRight", "Pages", "Right", ""),
                  op([](TEditorCommands& c) { c.pages_.SetTabPlacement(3); }));
    registry_.Add(Spec("acPageAtTop", "Pages", "Top", ""),
                  op([](TEditorCommands& c) { c.pages_.SetTabPlacement(0); }));
    registry_.Add(Spec("acPageAtBottom", "Pages", "Bottom", ""),
                  op([](TEditorCommands& c) { c.pages_.SetTabPlacement(2); }));
    registry_.Add(Spec("acEditorFontBigger", "SQLEditor", "Font Bigger", "Font Bigger", 8, 0, true),
                  op([](TEditorCommands& c) { c.pages_.ActiveFontBigger(); }));
    registry_.Add(Spec("acEditorFontSmaller", "SQLEditor", "Font Smaller", "Font Smaller", 9, 0, true),
                  op([](TEditorCommands& c) { c.pages_.ActiveFontSmaller(); }));

    TCommandSpec useTab = Spec("acUseTab", "", "I Use TabKey", "");
    useTab.checkable = true;
    useTab.checked = pages_.WantTab();
    // The toolkit flips the check mark before the operation runs.
    TCommand* acUseTab = registry_.Add(useTab);
    acUseTab->SetOperation(
        op([](TEditorCommands& c) { c.pages_.SetWantTab(c.Cmd("acUseTab")->isChecked()); }));
    connect(&pages_, &TEditorPages::WantTabChanged, acUseTab, &QAction::setChecked);

    registry_.AddUpdateHook(op([](TEditorCommands& c) { c.UpdateCommands(); }));

    BuildTabsMenu();
    editorPopup_ = new QMenu(&pages_);
    editorPopup_->setObjectName(QStringLiteral("pmEditor"));
    connect(editorPopup_, &QMenu::aboutToShow, this, &TEditorCommands::RebuildEditorPopupMenu);
    RebuildEditorPopupMenu();
    pages_.SetEditorPopupMenu(editorPopup_);
    pages_.SetKeyReservation([registry = QPointer<TCommandRegistry>(&registry_)](QKeyCombination key) {
        if (!registry) return false;
        for (const TCommand* cmd : registry->Commands())
            if (!cmd->shortcut().isEmpty() && cmd->shortcut()[0] == key) return true;
        return false;
    });
}

TCommand* TEditorCommands::Cmd(const char* name) const {
    return registry_.Find(QString::fromLatin1(name));
}

void TEditorCommands::BuildTabsMenu() {
    tabsMenu_ = new QMenu(&pages_);
    tabsMenu_->setObjectName(QStringLiteral("pmPages"));
    tabsMenu_->addAction(Cmd("acAddPage"));
    tabsMenu_->addAction(Cmd("acRenamePage"));
    tabsMenu_->addAction(Cmd("acDeletePage"));
    tabsMenu_->addSeparator();
    QMenu* position = tabsMenu_->addMenu(QStringLiteral("Position"));
    for (const char* name : {"acPageAtLeft", "acPageAtRight", "acPageAtTop", "acPageAtBottom"})
        position->addAction(Cmd(name));
    pages_.SetTabsMenu(tabsMenu_);
}

void TEditorCommands::RebuildEditorPopupMenu() {
    editorPopup_->clear();
    for (const QString& name : EditorPopupItems()) {
        if (name == QLatin1String("-")) {
            editorPopup_->addSeparator(); // runs of separators collapse in a menu
        } else if (TCommand* cmd = registry_.Find(name)) {
            editorPopup_->addAction(cmd);
        }
    }
}

void TEditorCommands::UpdateCommands() {
    const TSqlEditor* editor = pages_.ActiveEditor();
    const bool hasPages = pages_.PageCount() > 0;
    const bool hasText = editor && editor->length() > 0; // no copy of the text at every idle update
    Cmd("acSaveFile")->setEnabled(hasText);
    Cmd("acErase")->setEnabled(hasText);
    Cmd("acDeletePage")->setEnabled(hasPages);
    Cmd("acRenamePage")->setEnabled(hasPages);
    Cmd("acEditorFontBigger")->setEnabled(editor != nullptr);
    Cmd("acEditorFontSmaller")->setEnabled(editor != nullptr);
}

void TEditorCommands::AddPage() {
    TfmEditor* page = pages_.NewPage();
    pages_.setCurrentWidget(page);
}

void TEditorCommands::OpenFile() {
    const QString file = dialogs_.openFile(&pages_, lastOpen_);
    if (file.isEmpty()) return;
    lastOpen_ = file;
    pages_.OpenFile(file);
}

void TEditorCommands::SaveFileAs() {
    const QString start = lastSave_.isEmpty() ? lastOpen_ : lastSave_;
    const QString file = dialogs_.saveFile(&pages_, start);
    if (file.isEmpty()) return;
    lastSave_ = file;
    pages_.SaveActiveEditorAs(file);
}

void TEditorCommands::RenamePage() {
    if (pages_.PageCount() == 0) return;
    const auto caption = dialogs_.renamePage(&pages_, pages_.PageCaption(pages_.currentIndex()));
    if (caption) pages_.RenameActivePage(*caption);
}

} // namespace varnok
