#include "editor/ui/EditorPages.h"

#include "editor/PageFile.h"
#include "editor/ui/PageLogList.h"
#include "editor/ui/RunMarkPictures.h"
#include "editor/ui/SqlEditor.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/ApplicationTitle.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"
#include "shell/kit/TabPlacement.h"

#include <QFileInfo>
#include <QMenu>
#include <QResizeEvent>
#include <QTabBar>
#include <QToolButton>

#include <algorithm>

namespace varnok {

namespace {

// A tab caption is free text: "&" must not turn into a mnemonic.
QString TabText(const QString& caption) {
    QString t = caption;
    return t.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

TEditorPages::TEditorPages(QWidget* parent) : QTabWidget(parent) {
    setObjectName(QStringLiteral("pcEditor"));
    setDocumentMode(true);
    closeButton_ = new QToolButton(this);
    closeButton_->setObjectName(QStringLiteral("tbClosePage"));
    closeButton_->setIcon(QIcon::fromTheme(QStringLiteral("window-close")));
    if (closeButton_->icon().isNull()) closeButton_->setText(QStringLiteral("x"));
    closeButton_->setToolTip(QStringLiteral("Delete Active Page"));
    closeButton_->setAutoRaise(true);
    connect(closeButton_, &QToolButton::clicked, this, [this] { ClosePage(); });
    SetTabPlacement(kDefaultPageSheetPos);

    tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        if (tabsMenu_) tabsMenu_->exec(tabBar()->mapToGlobal(pos));
    });
}

TfmEditor* TEditorPages::PageAt(int index) const {
    return qobject_cast<TfmEditor*>(widget(index));
}
TfmEditor* TEditorPages::ActivePage() const {
    return qobject_cast<TfmEditor*>(currentWidget());
}
int TEditorPages::IndexOfPage(const TfmEditor* page) const {
    return indexOf(const_cast<TfmEditor*>(page));
}

TSqlEditor* TEditorPages::ActiveEditor() const {
    const TfmEditor* page = ActivePage();
    return page ? page->Editor() : nullptr;
}

TSqlEditor* TEditorPages::EditorOfPage(int index) const {
    const TfmEditor* page = PageAt(index);
    return page ? page->Editor() : nullptr;
}

void TEditorPages::ApplyPage(TfmEditor* page) {
    TSqlEditor* editor = page->Editor();
    editor->SetWantTab(wantTab_);
    editor->SetPopupMenu(editorPopup_);
    editor->SetKeyReservation(reserved_);
}

TfmEditor* TEditorPages::NewPage() {
    auto* page = new TfmEditor(this);
    const QString caption = QString::number(count() + 1);
    page->SetCaption(caption);
    ApplyPage(page);
    connect(page, &TfmEditor::RunMarkChanged, this, [this, page] { UpdateRunMarkIcon(page); });
    connect(page->Editor(), &TSqlEditor::PageSwitchRequested, this, &TEditorPages::ShowNextPage);
    // Adding must not activate: QTabWidget activates the first page it gets.
    const int active = currentIndex();
    {
        const QSignalBlocker block(this);
        addTab(page, TabText(caption));
        if (active >= 0) setCurrentIndex(active);
    }
    if (active < 0) emit currentChanged(currentIndex());
    emit PageCountChanged(count());
    return page;
}

void TEditorPages::ActivatePage(int index) {
    if (index >= 0 && index < count()) setCurrentIndex(index);
}

void TEditorPages::ShowNextPage(bool forward) {
    if (count() == 0) return;
    const int step = forward ? 1 : count() - 1;
    setCurrentIndex((currentIndex() + step) % count());
    if (TSqlEditor* editor = ActiveEditor()) editor->setFocus();
}

bool TEditorPages::ClosePage() {
    TfmEditor* page = ActivePage();
    if (!page) return false;
    if (page->RunMark() == TRunMark::Running) {
        Messages().Error(ApplicationTitle(), QString::fromLatin1(kCloseRefusedText));
        return false;
    }
    const int index = currentIndex();
    removeTab(index);
    page->hide();
    page->deleteLater();
    if (count() > 0) setCurrentIndex(index < count() ? index : count() - 1);
    emit PageCountChanged(count());
    return true;
}

QString TEditorPages::PageCaption(int index) const {
    const TfmEditor* page = PageAt(index);
    return page ? page->Caption() : QString();
}

void TEditorPages::SetPageCaption(int index, const QString& text) {
    TfmEditor* page = PageAt(index);
    if (!page) return;
    // A caption is one line (it is stored as one settings value): a pasted
    // line break becomes a blank instead of breaking the settings file.
    QString caption = text;
    caption.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    caption.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    page->SetCaption(caption);
    setTabText(index, TabText(caption));
}

void TEditorPages::RenameActivePage(const QString& caption) {
    SetPageCaption(currentIndex(), caption);
}

void TEditorPages::SetRunMark(TfmEditor* page, TRunMark mark) {
    if (page) page->SetRunMark(mark);
}

void TEditorPages::UpdateRunMarkIcon(TfmEditor* page) {
    const int index = indexOf(page);
    if (index >= 0) setTabIcon(index, RunMarkPicture(page->RunMark()));
}

void TEditorPages::InsertIntoEditor(const QString& text) {
    TSqlEditor* editor = ActiveEditor();
    if (!editor) return;
    editor->setFocus();
    editor->ReplaceSelection(text);
}

TfmEditor* TEditorPages::OpenFile(const QString& path) {
    TfmEditor* page = NewPage();
    page->Editor()->LoadFromFile(path); // on failure the page stays, empty and not active
    setCurrentWidget(page);
    return page;
}

void TEditorPages::SaveActiveEditorAs(const QString& path) const {
    if (const TSqlEditor* editor = ActiveEditor()) editor->SaveToFile(path);
}

void TEditorPages::EraseActiveEditor() {
    if (TSqlEditor* editor = ActiveEditor()) editor->Erase();
}

void TEditorPages::ActiveFontBigger() {
    if (TSqlEditor* editor = ActiveEditor()) editor->SetFontHeight(editor->FontHeight() - 1);
}

void TEditorPages::ActiveFontSmaller() {
    if (TSqlEditor* editor = ActiveEditor()) editor->SetFontHeight(editor->FontHeight() + 1);
}

void TEditorPages::SetWantTab(bool want) {
    wantTab_ = want;
    for (int i = 0; i < count(); ++i)
        EditorOfPage(i)->SetWantTab(want);
    emit WantTabChanged(want);
}

void TEditorPages::SetTabPlacement(int code) {
    ApplyTabPlacement(this, code);
    PlaceCloseButton();
}

int TEditorPages::TabPlacement() const {
    return TabPlacementCodeOf(this);
}

namespace {
bool SideTabs(const QTabWidget* tabs) {
    return tabs->tabPosition() == QTabWidget::West || tabs->tabPosition() == QTabWidget::East;
}
} // namespace

void TEditorPages::PlaceCloseButton() {
    // Above or below the pages the button sits in the corner beside the tabs.
    // The tab control has no corners when its tabs stand at a side, so there
    // the tab column is kept short of the foot of the control and the button
    // is placed below it by hand.
    LimitSideTabBar(height());
    setCornerWidget(nullptr, Qt::TopRightCorner); // (also lays the control out anew)
    setCornerWidget(nullptr, Qt::BottomRightCorner);
    if (SideTabs(this)) {
        closeButton_->setParent(this);
        MoveSideCloseButton();
    } else {
        const bool bottom = tabPosition() == QTabWidget::South;
        setCornerWidget(closeButton_, bottom ? Qt::BottomRightCorner : Qt::TopRightCorner);
    }
    closeButton_->show();
}

void TEditorPages::LimitSideTabBar(int controlHeight) {
    const int limit =
        SideTabs(this) ? std::max(0, controlHeight - closeButton_->sizeHint().height()) : QWIDGETSIZE_MAX;
    tabBar()->setMaximumHeight(limit);
}

void TEditorPages::MoveSideCloseButton() {
    if (!SideTabs(this) || closeButton_->parentWidget() != this) return;
    const QSize size = closeButton_->sizeHint();
    const QRect bar = tabBar()->geometry();
    const bool west = tabPosition() == QTabWidget::West;
    int x = west ? 0 : width() - size.width();
    if (tabBar()->isVisible() && bar.width() >= size.width()) x = bar.left() + (bar.width() - size.width()) / 2;
    closeButton_->setGeometry(x, height() - size.height(), size.width(), size.height());
    closeButton_->raise();
}

void TEditorPages::resizeEvent(QResizeEvent* e) {
    LimitSideTabBar(e->size().height());
    QTabWidget::resizeEvent(e);
    MoveSideCloseButton();
}

void TEditorPages::showEvent(QShowEvent* e) {
    QTabWidget::showEvent(e);
    MoveSideCloseButton();
}

void TEditorPages::tabInserted(int index) {
    QTabWidget::tabInserted(index);
    MoveSideCloseButton();
}

void TEditorPages::tabRemoved(int index) {
    QTabWidget::tabRemoved(index);
    MoveSideCloseButton();
}

void TEditorPages::SetEditorPopupMenu(QMenu* menu) {
    editorPopup_ = menu;
    for (int i = 0; i < count(); ++i)
        EditorOfPage(i)->SetPopupMenu(menu);
}

void TEditorPages::SetKeyReservation(TSqlEditor::TKeyReservation reserved) {
    reserved_ = std::move(reserved);
    for (int i = 0; i < count(); ++i)
        EditorOfPage(i)->SetKeyReservation(reserved_);
}

TPageSetSettings TEditorPages::CurrentSettings() const {
    TPageSetSettings s;
    s.sheetPos = TabPlacement();
    s.wantTab = wantTab_;
    for (int i = 0; i < count(); ++i)
        s.pages.push_back({PageCaption(i).toStdString(), EditorOfPage(i)->FontHeight()});
    return s;
}

void TEditorPages::LoadPages(const TIniFile& ini, const std::string& settingsFolder) {
    const TPageSetSettings s = ReadPageSetSettings(ini);
    SetTabPlacement(s.sheetPos);
    std::string failures;
    if (const int stored = StoredPageCount(ini); stored > kMaxPageCount)
        failures = "The settings file asks for " + std::to_string(stored) + " editor pages; the first " +
                   std::to_string(kMaxPageCount) + " are opened.";
    int n = 0;
    for (const TPageSettings& stored : s.pages) {
        ++n;
        TfmEditor* page = NewPage();
        page->Editor()->SetFontHeight(stored.fontHeight);
        SetPageCaption(IndexOfPage(page), QString::fromStdString(stored.name));
        const std::string file = PageFileName(settingsFolder, n);
        if (!QFileInfo::exists(QString::fromStdString(file))) continue;
        try {
            page->Editor()->LoadFromFile(QString::fromStdString(file));
        } catch (const ETextFileError& e) {
            page->SetUnreadFile(QString::fromStdString(file));
            failures += (failures.empty() ? "" : "\n") + std::string(e.what());
        }
    }
    if (count() > 0) setCurrentIndex(0);
    SetWantTab(s.wantTab);
    if (!failures.empty()) throw ETextFileError(failures);
}

void TEditorPages::SavePages(TIniFile& ini, const std::string& settingsFolder) const {
    WritePageSetSettings(ini, CurrentSettings());
    std::string failures;
    for (int i = 0; i < count(); ++i) {
        const TfmEditor* page = PageAt(i);
        const QString file = QString::fromStdString(PageFileName(settingsFolder, i + 1));
        if (file == page->UnreadFile() && page->Editor()->text().isEmpty()) continue;
        try {
            page->Editor()->SaveToFile(file);
        } catch (const ETextFileError& e) {
            failures += (failures.empty() ? "" : "\n") + std::string(e.what());
        }
    }
    if (!failures.empty()) throw ETextFileError(failures);
}

void TEditorPages::RegisterSettings(TSettingsRegistry& registry,
                                    std::function<std::string()> settingsFolder) {
    registry.AddLoadStep(SettingsLoadOrder::EditorPages, "SQL", [this, settingsFolder](const TIniFile& ini) {
        try {
            LoadPages(ini, settingsFolder());
        } catch (const ETextFileError& e) {
            ShowStandardError(QString::fromUtf8(e.what()));
        }
    });
    registry.AddSaveStep(SettingsSaveOrder::EditorPages, "SQL", [this, settingsFolder](TIniFile& ini) {
        try {
            SavePages(ini, settingsFolder());
        } catch (const ETextFileError& e) {
            ShowStandardError(QString::fromUtf8(e.what()));
        }
    });
}

} // namespace varnok
