#include "shell/ui/EditorToolBars.h"

#include <QLayout>
#include <QMenu>
#include <QPainter>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>

#include "shell/CommandNameList.h"
#include "shell/IniFile.h"
#include "shell/SettingsRegistry.h"
#include "shell/kit/CommandPictures.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/QueryTabRegions.h"
#include "shell/ui/TfmMain.h"

namespace varnok {

namespace {

constexpr int kSeparatorWidth = 8;
constexpr int kButtonSpacing = 1;
constexpr int kToolBarMargin = 1;
const QString kSeparatorCaption = QStringLiteral("Separator");

// The gap a separator button leaves: 8 pixels along the toolbar, with the
// style's divider line across it.
class TToolBarGap : public QWidget {
public:
    TToolBarGap(Qt::Orientation orientation, int pictureSize, QWidget* parent)
        : QWidget(parent), orientation_(orientation) {
        if (orientation == Qt::Horizontal)
            setFixedSize(kSeparatorWidth, pictureSize);
        else
            setFixedSize(pictureSize, kSeparatorWidth);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOption option;
        option.initFrom(this);
        // The style draws a divider for a toolbar of the flagged orientation.
        if (orientation_ == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &option, &painter, this);
    }

private:
    Qt::Orientation orientation_;
};

QToolButton* CommandButton(TCommand* command, int pictureSize, QWidget* parent) {
    auto* button = new QToolButton(parent);
    // The button takes the command's picture, hint (shown on hover) and
    // enabled state, and a click runs the command.
    button->setDefaultAction(command);
    button->setObjectName(QStringLiteral("tb_") + command->Name());
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // the caret stays in the editor
    button->setIconSize(QSize(pictureSize, pictureSize));
    button->setFixedSize(pictureSize, pictureSize);
    return button;
}

} // namespace

TEditorToolBar::TEditorToolBar(QToolBar* toolbar, TCommandRegistry& commands, std::function<void()> hide,
                               QObject* parent)
    : QObject(parent), toolbar_(toolbar), commands_(commands) {
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    // Buttons packed closely, as the picture sizes are meant: the default
    // vertical toolbar's seven large buttons fit the default window.
    toolbar_->layout()->setSpacing(kButtonSpacing);
    toolbar_->layout()->setContentsMargins(kToolBarMargin, kToolBarMargin, kToolBarMargin, kToolBarMargin);
    BuildMenu(std::move(hide));
}

void TEditorToolBar::BuildMenu(std::function<void()> hide) {
    menu_ = new QMenu(toolbar_);
    menu_->setObjectName(toolbar_->objectName() + QStringLiteral("Menu"));
    miCustomize_ = menu_->addAction(QStringLiteral("Customize"));
    // The customisation window "Customize Toolbar" is not built yet: the item
    // stays disabled until it is. When it comes, it rebuilds the toolbar with
    // SetButtons (same separator and column rules) on "Ok".
    miCustomize_->setEnabled(false);
    miHide_ = menu_->addAction(QStringLiteral("Hide"));
    connect(miHide_, &QAction::triggered, this, [hide = std::move(hide)] {
        if (hide) hide();
    });
    toolbar_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(toolbar_, &QWidget::customContextMenuRequested, menu_,
            [this](const QPoint& at) { menu_->popup(toolbar_->mapToGlobal(at)); });
}

int TEditorToolBar::PictureSize() const {
    return largeIcons_ ? kLargePictureSize : kSmallPictureSize;
}

void TEditorToolBar::RemoveButtons() {
    for (const TButton& button : buttons_) {
        toolbar_->removeAction(button.item);
        delete button.item; // and its widget with it
    }
    buttons_.clear();
}

void TEditorToolBar::SetButtons(const std::vector<std::string>& names, bool largeIcons) {
    RemoveButtons();
    largeIcons_ = largeIcons;
    const int size = PictureSize();
    toolbar_->setIconSize(QSize(size, size));
    for (const std::string& entry : names) {
        const std::optional<std::string> name = FindMainCommandName(entry);
        TCommand* command = name ? commands_.Find(QString::fromStdString(*name)) : nullptr;
        if (!command) continue; // a name of no command (yet): no button
        QWidget* widget = command->Caption() == kSeparatorCaption
                              ? static_cast<QWidget*>(new TToolBarGap(toolbar_->orientation(), size, toolbar_))
                              : CommandButton(command, size, toolbar_);
        // A vertical toolbar lays its entries out one under the other: one column.
        QAction* item = toolbar_->addWidget(widget);
        buttons_.push_back({*name, item, widget});
    }
}

std::vector<std::string> TEditorToolBar::CommandNames() const {
    std::vector<std::string> names;
    names.reserve(buttons_.size());
    for (const TButton& button : buttons_)
        names.push_back(button.name);
    return names;
}

QWidget* TEditorToolBar::ButtonWidget(int index) const {
    if (index < 0 || index >= ButtonCount()) return nullptr;
    return buttons_[static_cast<size_t>(index)].widget;
}

void LoadToolBar(const TIniFile& ini, const std::string& section, TEditorToolBar& toolbar,
                 const std::string& defaultList, bool defaultLarge) {
    const std::string list = ini.ReadString(section, kToolBarButtonsKey, defaultList);
    toolbar.SetButtons(ParseToolBarButtons(list), ini.ReadBool(section, kToolBarLargeIconsKey, defaultLarge));
}

void SaveToolBar(TIniFile& ini, const std::string& section, const TEditorToolBar& toolbar) {
    ini.WriteString(section, kToolBarButtonsKey, WriteCommandNameList(toolbar.CommandNames()));
    ini.WriteBool(section, kToolBarLargeIconsKey, toolbar.LargeIcons());
}

void RegisterSeparatorCommand(TCommandRegistry& commands) {
    if (commands.Find(QLatin1String(kSeparatorCommand))) return;
    TCommandSpec spec;
    spec.name = QLatin1String(kSeparatorCommand);
    spec.caption = kSeparatorCaption;
    commands.Add(spec); // no operation: it only marks a toolbar gap
}

void InstallEditorToolBars(TfmMain& window) {
    if (EditorToolBarsOf(window).horizontal) return;
    RegisterSeparatorCommand(window.Commands());
    const TQueryTabRegions& q = window.QueryTab();
    auto* horizontal = new TEditorToolBar(q.tbHorizontal, window.Commands(),
                                          [&window] { window.SetHToolBarVisible(false); }, &window);
    horizontal->setObjectName(QStringLiteral("HorizontalEditorToolBar"));
    auto* vertical = new TEditorToolBar(q.tbVertical, window.Commands(),
                                        [&window] { window.SetVToolBarVisible(false); }, &window);
    vertical->setObjectName(QStringLiteral("VerticalEditorToolBar"));

    TSettingsRegistry& settings = window.Settings();
    settings.AddLoadStep(SettingsLoadOrder::ToolBars, kHToolBarSection, [horizontal](const TIniFile& ini) {
        LoadToolBar(ini, kHToolBarSection, *horizontal, kHToolBarDefaultButtons, kHToolBarDefaultLargeIcons);
    });
    settings.AddLoadStep(SettingsLoadOrder::ToolBars, kVToolBarSection, [vertical](const TIniFile& ini) {
        LoadToolBar(ini, kVToolBarSection, *vertical, kVToolBarDefaultButtons, kVToolBarDefaultLargeIcons);
    });
    settings.AddSaveStep(SettingsSaveOrder::ToolBars, kHToolBarSection,
                         [horizontal](TIniFile& ini) { SaveToolBar(ini, kHToolBarSection, *horizontal); });
    settings.AddSaveStep(SettingsSaveOrder::ToolBars, kVToolBarSection,
                         [vertical](TIniFile& ini) { SaveToolBar(ini, kVToolBarSection, *vertical); });
}

TEditorToolBars EditorToolBarsOf(const TfmMain& window) {
    TEditorToolBars bars;
    bars.horizontal = window.findChild<TEditorToolBar*>(QStringLiteral("HorizontalEditorToolBar"),
                                                        Qt::FindDirectChildrenOnly);
    bars.vertical =
        window.findChild<TEditorToolBar*>(QStringLiteral("VerticalEditorToolBar"), Qt::FindDirectChildrenOnly);
    return bars;
}

} // namespace varnok
