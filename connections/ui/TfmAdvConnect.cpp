#include "connections/ui/TfmAdvConnect.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QIcon>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "connections/ui/ConnectionListModel.h"
#include "connections/ui/ConnectionPictures.h"
#include "connections/ui/TfmConParams.h"
#include "shell/IniFile.h"
#include "shell/kit/ListLayoutView.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {

enum TViewStyle { StyleLargeIcons = 0, StyleSmallIcons = 1, StyleList = 2, StyleDetails = 3 };

QAction* MakeAction(QObject* parent, const char* caption, const char* hint, const char* themeIcon) {
    auto* action = new QAction(QString::fromLatin1(caption), parent);
    action->setToolTip(QString::fromLatin1(hint));
    action->setStatusTip(QString::fromLatin1(hint));
    if (themeIcon) action->setIcon(QIcon::fromTheme(QLatin1String(themeIcon)));
    return action;
}

// Runs a command; an error it raises goes to the standard error box instead
// of leaving the event handler.
template <class Fn>
void Guarded(Fn&& command) {
    try {
        command();
    } catch (...) {
        ShowCurrentException();
    }
}

}  // namespace

TfmAdvConnect::TfmAdvConnect(TfmConParams& conParams, QWidget* parent)
    : QDialog(parent), conParams_(conParams), pictures_(MakeConnectionPictures()) {
    setObjectName(QStringLiteral("fmAdvConnect"));
    setWindowTitle(QStringLiteral("Quick Connections"));
    setModal(true);
    conParams_.SetPictures(pictures_);

    model_ = new TConnectionListModel(registry_, pictures_, this);
    BuildActions();
    BuildViews();

    btConnect_ = new QPushButton(QStringLiteral("Connect"), this);
    btConnect_->setDefault(true);
    btCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    connect(btConnect_, &QPushButton::clicked, this, &TfmAdvConnect::ConnectClick);
    connect(btCancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btConnect_);
    buttons->addWidget(btCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tbManager_);
    layout->addWidget(views_, 1);
    layout->addLayout(buttons);

    SetViewStyle(registry_.ViewStyle());
    resize(kAdvConnectDefaultWidth, kAdvConnectDefaultHeight);
    UpdateActions();
}

TfmAdvConnect::~TfmAdvConnect() {
    // The views and the model refer to the registry and to this window's
    // handlers: take them down while both still exist.
    selection_->disconnect(this);
    model_->disconnect(this);
    delete views_;
    delete model_;
}

void TfmAdvConnect::BuildActions() {
    acNew_ = MakeAction(this, "New", "Create New Connection", "document-new");
    acEdit_ = MakeAction(this, "Edit", "Edit Connection", "document-edit");
    acDelete_ = MakeAction(this, "Delete", "Delete Connection", "edit-delete");
    acDetails_ = MakeAction(this, "Details", "Details", "view-list-details");
    acMoveUp_ = MakeAction(this, "Move Up", "Move Up", "go-up");
    acMoveDown_ = MakeAction(this, "Move Down", "Move Down", "go-down");
    acConnect_ = MakeAction(this, "Connect", "Connect", "network-connect");
    connect(acNew_, &QAction::triggered, this, [this] { Guarded([this] { NewClick(); }); });
    connect(acEdit_, &QAction::triggered, this, [this] { Guarded([this] { EditClick(); }); });
    connect(acDelete_, &QAction::triggered, this, [this] { Guarded([this] { DeleteClick(); }); });
    connect(acMoveUp_, &QAction::triggered, this, [this] { Guarded([this] { MoveUpClick(); }); });
    connect(acMoveDown_, &QAction::triggered, this, [this] { Guarded([this] { MoveDownClick(); }); });
    connect(acConnect_, &QAction::triggered, this, &TfmAdvConnect::ConnectClick);

    pmViewStyle_ = new QMenu(this);
    auto* styleGroup = new QActionGroup(this);
    static const char* const styleCaptions[4] = {"Large Icons", "Small Icons", "List", "Details"};
    for (int style = 0; style < 4; ++style) {
        acStyles_[style] = pmViewStyle_->addAction(QString::fromLatin1(styleCaptions[style]));
        acStyles_[style]->setCheckable(true);
        styleGroup->addAction(acStyles_[style]);
        connect(acStyles_[style], &QAction::triggered, this, [this, style] { SetViewStyle(style); });
    }
    connect(acDetails_, &QAction::triggered, this, [this] { SetViewStyle(StyleDetails); });

    tbManager_ = new QToolBar(this);
    tbManager_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbManager_->addAction(acNew_);
    tbManager_->addAction(acEdit_);
    tbManager_->addAction(acDelete_);
    tbManager_->addSeparator();
    tbDetails_ = new QToolButton(tbManager_);
    tbDetails_->setDefaultAction(acDetails_);
    tbDetails_->setMenu(pmViewStyle_);
    tbDetails_->setPopupMode(QToolButton::MenuButtonPopup);
    tbDetails_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    tbManager_->addWidget(tbDetails_);
    tbManager_->addSeparator();
    tbManager_->addAction(acMoveUp_);
    tbManager_->addAction(acMoveDown_);

    pmConnections_ = new QMenu(this);
    pmConnections_->addAction(acConnect_);
    pmConnections_->setDefaultAction(acConnect_);
    pmConnections_->addSeparator();
    pmConnections_->addAction(acNew_);
    pmConnections_->addAction(acEdit_);
    pmConnections_->addAction(acDelete_);
    pmConnections_->addSeparator();
    pmConnections_->addAction(acMoveUp_);
    pmConnections_->addAction(acMoveDown_);
}

void TfmAdvConnect::BuildViews() {
    views_ = new QStackedWidget(this);

    lvConnections_ = new QTreeView(views_);
    lvConnections_->setModel(model_);
    lvConnections_->setRootIsDecorated(false);
    lvConnections_->setItemsExpandable(false);
    lvConnections_->setUniformRowHeights(true);
    lvConnections_->setAllColumnsShowFocus(true);
    lvConnections_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvConnections_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvConnections_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    selection_ = lvConnections_->selectionModel();

    // The icon and list styles show the same rows with the same selection.
    lvIcons_ = new QListView(views_);
    lvIcons_->setModel(model_);
    QItemSelectionModel* own = lvIcons_->selectionModel();
    lvIcons_->setSelectionModel(selection_);
    delete own;
    lvIcons_->setModelColumn(TConnectionListModel::ColName);
    lvIcons_->setSelectionMode(QAbstractItemView::SingleSelection);
    lvIcons_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvIcons_->setMovement(QListView::Static);
    lvIcons_->setResizeMode(QListView::Adjust);
    // Each row gets the room its own name needs: a size taken from one row
    // for all would cut longer names short.
    lvIcons_->setUniformItemSizes(false);

    views_->addWidget(lvConnections_);
    views_->addWidget(lvIcons_);

    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(lvConnections_),
                                    static_cast<QAbstractItemView*>(lvIcons_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, &TfmAdvConnect::ShowContextMenu);
        connect(view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
            if (index.isValid()) ConnectClick();
        });
    }
    connect(selection_, &QItemSelectionModel::selectionChanged, this, [this] { UpdateActions(); });
    connect(selection_, &QItemSelectionModel::currentChanged, this, [this] { UpdateActions(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { UpdateActions(); });
}

QAction* TfmAdvConnect::acViewStyle(int style) const {
    return (style >= 0 && style < 4) ? acStyles_[style] : nullptr;
}

std::optional<TConnectionsParam> TfmAdvConnect::ShowConnectionManager() {
    RefreshList();
    if (exec() != QDialog::Accepted) return std::nullopt;
    const auto row = FocusedRow();
    if (!row) return std::nullopt;
    return registry_.ConnectionAt(*row);
}

void TfmAdvConnect::RefreshList() {
    const auto focused = FocusedRow();
    model_->Refresh();
    if (focused && *focused < registry_.ConnectionCount()) FocusRow(*focused);
    UpdateActions();
}

void TfmAdvConnect::SetViewStyle(int style) {
    if (style < StyleLargeIcons || style > StyleDetails) return;
    registry_.SetViewStyle(style);
    acStyles_[style]->setChecked(true);
    model_->SetShowPictures(style == StyleLargeIcons);
    if (style == StyleDetails) {
        views_->setCurrentWidget(lvConnections_);
        return;
    }
    if (style == StyleLargeIcons) {
        lvIcons_->setViewMode(QListView::IconMode);
        lvIcons_->setIconSize(QSize(kConnectionPictureSize, kConnectionPictureSize));
        lvIcons_->setGridSize(QSize(110, kConnectionPictureSize + 36));
        lvIcons_->setWordWrap(true);
    } else {
        lvIcons_->setViewMode(QListView::ListMode);
        lvIcons_->setGridSize(QSize());
        lvIcons_->setWordWrap(false);
        lvIcons_->setFlow(style == StyleSmallIcons ? QListView::LeftToRight : QListView::TopToBottom);
        lvIcons_->setWrapping(true);
    }
    lvIcons_->setMovement(QListView::Static);
    views_->setCurrentWidget(lvIcons_);
}

TConnectionsViewHooks TfmAdvConnect::ViewHooks() {
    TConnectionsViewHooks hooks;
    hooks.ReadListLayout = [this](const TIniFile& ini) {
        ReadListLayout(ini, kQuickConnectionsViewSection, lvConnections_);
        lvIcons_->setFont(lvConnections_->font());
        lvIcons_->setPalette(lvConnections_->palette());
        SetViewStyle(registry_.ViewStyle());  // read with Count just before
    };
    hooks.WriteListLayout = [this](TIniFile& ini) {
        WriteListLayout(ini, kQuickConnectionsViewSection, lvConnections_);
    };
    hooks.RecordAdded = [this](std::size_t) { RefreshList(); };
    return hooks;
}

void TfmAdvConnect::LoadFormSize(const TIniFile& ini) {
    resize(ini.ReadInteger(kAdvConnectFormSection, "Width", kAdvConnectDefaultWidth),
           ini.ReadInteger(kAdvConnectFormSection, "Height", kAdvConnectDefaultHeight));
}

void TfmAdvConnect::SaveFormSize(TIniFile& ini) const {
    ini.WriteInteger(kAdvConnectFormSection, "Width", width());
    ini.WriteInteger(kAdvConnectFormSection, "Height", height());
}

std::optional<std::size_t> TfmAdvConnect::FocusedRow() const {
    const QModelIndex current = selection_->currentIndex();
    if (!current.isValid() || static_cast<std::size_t>(current.row()) >= registry_.ConnectionCount())
        return std::nullopt;
    return static_cast<std::size_t>(current.row());
}

void TfmAdvConnect::FocusRow(std::size_t row) {
    const QModelIndex index = model_->index(static_cast<int>(row), TConnectionListModel::ColName);
    selection_->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TfmAdvConnect::UpdateActions() {
    TManagerListState state;
    state.focused = FocusedRow();
    state.anySelected = selection_->hasSelection();
    state.rowCount = registry_.ConnectionCount();
    const TManagerEnabling enabling = ManagerEnabling(state);
    acMoveUp_->setEnabled(enabling.moveUp);
    acMoveDown_->setEnabled(enabling.moveDown);
    acEdit_->setEnabled(enabling.edit);
    acDelete_->setEnabled(enabling.remove);
    acConnect_->setEnabled(enabling.connect);
    if (btConnect_) btConnect_->setEnabled(enabling.connect);
}

bool TfmAdvConnect::EditRecord(TConnectionsParam& record) { return conParams_.EditConnection(record); }

void TfmAdvConnect::NewClick() {
    const auto added = CreateConnection(registry_, [this](TConnectionsParam& record) { return EditRecord(record); });
    if (!added) return;
    RefreshList();
    FocusRow(*added);  // the new connection is ready to be connected with
    UpdateActions();
}

void TfmAdvConnect::EditClick() {
    if (EditFocusedConnection(registry_, FocusedRow(),
                              [this](TConnectionsParam& record) { return EditRecord(record); }))
        RefreshList();
}

void TfmAdvConnect::DeleteClick() {
    const auto ask = [](const std::string& question) {
        return Messages().AskYesNoWarning(QString::fromLatin1(kConfirmDeleteCaption), QString::fromStdString(question),
                                   /*defaultYes=*/false);
    };
    if (DeleteFocusedConnection(registry_, FocusedRow(), ask)) RefreshList();
}

void TfmAdvConnect::MoveFocused(TMoveDirection direction) {
    const auto target = MoveFocusedConnection(registry_, FocusedRow(), direction);
    if (!target) return;
    model_->Refresh();
    FocusRow(*target);
    UpdateActions();
}

void TfmAdvConnect::ShowContextMenu(const QPoint& position) {
    auto* view = qobject_cast<QAbstractItemView*>(sender());
    if (!view) return;
    UpdateActions();
    pmConnections_->popup(view->viewport()->mapToGlobal(position));
}

}  // namespace varnok
