#pragma once
// "Quick Connections": the connection manager. Owns the connection registry
// and the picture list; lists the saved connections (view styles 0 large
// icons, 1 small icons, 2 list, 3 details), creates, edits, deletes and
// reorders them, and closes with "Connect" to choose one.
#include <QDialog>
#include <QPixmap>
#include <optional>
#include <vector>

#include "connections/ConnectionManagerRules.h"
#include "connections/ConnectionRegistry.h"
#include "connections/ConnectionsSettings.h"

class QAction;
class QListView;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolBar;
class QToolButton;
class QTreeView;
class QItemSelectionModel;

namespace varnok {

class TConnectionListModel;
class TfmConParams;
class TIniFile;

inline constexpr const char* kAdvConnectFormSection = "AdvConnectForm";
inline constexpr int kAdvConnectDefaultWidth = 700;
inline constexpr int kAdvConnectDefaultHeight = 450;

class TfmAdvConnect : public QDialog {
    Q_OBJECT
public:
    // Hands its picture list to the parameters window, which must outlive it
    // (the manager's "New" and "Edit" show it).
    explicit TfmAdvConnect(TfmConParams& conParams, QWidget* parent = nullptr);
    ~TfmAdvConnect() override;

    TConnectionRegistry& Registry() { return registry_; }
    const TConnectionRegistry& Registry() const { return registry_; }
    const std::vector<QPixmap>& Pictures() const { return pictures_; }

    // Shows the window modally; the focused record when it was closed with
    // "Connect", nothing otherwise (also when no row is focused).
    std::optional<TConnectionsParam> ShowConnectionManager();

    // Sets the number of rows to the registry's length and redraws; the
    // focused row stays focused while it exists.
    void RefreshList();

    // 0 large icons, 1 small icons, 2 list, 3 details; others change nothing.
    void SetViewStyle(int style);
    int ViewStyle() const { return registry_.ViewStyle(); }

    // The points where loading and saving the saved connections reach the
    // list: its layout (QuickConnectionsView), its view style, its rows.
    TConnectionsViewHooks ViewHooks();
    // Size in AdvConnectForm (700 x 450 by default).
    void LoadFormSize(const TIniFile& ini);
    void SaveFormSize(TIniFile& ini) const;

    // The focused row, and focusing and selecting one.
    std::optional<std::size_t> FocusedRow() const;
    void FocusRow(std::size_t row);
    // The enabling rule applied to the commands (run whenever the list changes).
    void UpdateActions();

    // The commands.
    void NewClick();
    void EditClick();
    void DeleteClick();
    void MoveUpClick() { MoveFocused(TMoveDirection::Up); }
    void MoveDownClick() { MoveFocused(TMoveDirection::Down); }
    void ConnectClick() { accept(); }

    QAction* acNew() const { return acNew_; }
    QAction* acEdit() const { return acEdit_; }
    QAction* acDelete() const { return acDelete_; }
    QAction* acDetails() const { return acDetails_; }
    QAction* acMoveUp() const { return acMoveUp_; }
    QAction* acMoveDown() const { return acMoveDown_; }
    QAction* acConnect() const { return acConnect_; }
    QAction* acViewStyle(int style) const;  // "Large Icons" .. "Details" of the drop-down menu
    QMenu* pmConnections() const { return pmConnections_; }
    QToolBar* tbManager() const { return tbManager_; }
    QTreeView* lvConnections() const { return lvConnections_; }  // details style
    QListView* lvIcons() const { return lvIcons_; }              // icon and list styles
    QPushButton* btConnect() const { return btConnect_; }
    QPushButton* btCancel() const { return btCancel_; }
    TConnectionListModel* Model() const { return model_; }

private:
    void BuildActions();
    void BuildViews();
    void MoveFocused(TMoveDirection direction);
    void ShowContextMenu(const QPoint& position);
    bool EditRecord(TConnectionsParam& record);

    TfmConParams& conParams_;
    TConnectionRegistry registry_;
    std::vector<QPixmap> pictures_;
    TConnectionListModel* model_ = nullptr;
    QItemSelectionModel* selection_ = nullptr;

    QToolBar* tbManager_ = nullptr;
    QToolButton* tbDetails_ = nullptr;
    QStackedWidget* views_ = nullptr;
    QTreeView* lvConnections_ = nullptr;
    QListView* lvIcons_ = nullptr;
    QMenu* pmConnections_ = nullptr;
    QMenu* pmViewStyle_ = nullptr;
    QAction* acNew_ = nullptr;
    QAction* acEdit_ = nullptr;
    QAction* acDelete_ = nullptr;
    QAction* acDetails_ = nullptr;
    QAction* acMoveUp_ = nullptr;
    QAction* acMoveDown_ = nullptr;
    QAction* acConnect_ = nullptr;
    QAction* acStyles_[4] = {};
    QPushButton* btConnect_ = nullptr;
    QPushButton* btCancel_ = nullptr;
};

}  // namespace varnok
