#pragma once
// TfmResult: the reusable view of a row set — the toolbar ToolBar11 (two rows
// of 32x32 buttons) over the data grid dbgResult, with the command list
// alDataResult. The view shows whatever its data source's data set holds and
// knows nothing of where it is used: the main window gives each instance its
// mode (SetReadOnly) and its three callbacks.
//
// Commands whose windows belong to later work (the exporters, the value
// viewer, the statement generator, the row filter window) stay disabled until
// that work provides them: see kAwaitingWindows in TfmResult.cpp, the one
// place that lists them, and ProvideCommand / SetFilterEditor / SetValueViewer.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QTableView;
class QToolBar;

namespace varnok {

class TCommand;
class TCommandRegistry;
class TDataSet;
class TDataSource;
class TResultTableModel;

class TfmResult : public QWidget {
    Q_OBJECT
public:
    using TViewCallback = std::function<void(TfmResult&)>;
    // Edits a filter: given the current filter text and the selected field's
    // name, returns the new text when confirmed, nothing when cancelled.
    using TFilterEditor = std::function<std::optional<std::string>(const std::string& filter, const std::string& field)>;

    explicit TfmResult(QWidget* parent = nullptr);
    ~TfmResult() override;

    // ---- the data ----
    void SetDataSource(TDataSource* source);
    TDataSource* DataSource() const;
    TDataSet* DataSet() const;

    // ---- components ----
    QTableView* dbgResult() const { return dbgResult_; }
    QWidget* ToolBar11() const { return toolBar11_; }
    QToolBar* ToolBarRow(int row) const { return row == 0 ? row1_ : row2_; }
    TCommandRegistry& alDataResult() const { return *alDataResult_; }
    TCommand* Command(const QString& name) const;
    TResultTableModel& Model() const { return *model_; }

    // ---- callbacks, unset at creation; each gets this view ----
    TViewCallback OnRefresh;
    TViewCallback OnRecordCount;
    TViewCallback OnGenerateSIUD;

    // ---- mode ----
    bool ReadOnly() const { return readOnly_; }
    // Editable views show the row-changing commands and Filter; read-only views hide them.
    void SetReadOnly(bool readOnly);

    // Sets the data set's filter text, then switches its filtering on or off.
    void ApplyFilter(bool on, const std::string& text);

    // ---- grid font ----
    int GridFontHeight() const { return fontHeight_; }
    void SetGridFontHeight(int height);
    void FontBigger();
    void FontSmaller();

    // A click on a column title: sorts a table data set by that column (server side).
    void ColumnTitleClicked(int column);
    // The selected field's name ("" without one).
    std::string SelectedFieldName() const;

    // ---- later work plugs in here ----
    // Makes an awaiting command available; an operation replaces the command's own.
    void ProvideCommand(const QString& name, std::function<void()> operation = {});
    bool Awaiting(const QString& name) const { return awaiting_.contains(name); }
    void SetFilterEditor(TFilterEditor editor);
    // show: put a text into the value viewer and show it; visible: whether it is showing.
    void SetValueViewer(std::function<void(const QString&)> show, std::function<bool()> visible);
    // The two warnings after a spreadsheet export, in their order.
    static void ShowSpreadsheetWarnings(bool datesClamped, bool rowLimitReached);

signals:
    void gridFontHeightChanged(int height);

private:
    void BuildCommands();
    void UpdateCommands();
    void RunDataSetStep(const std::function<void(TDataSet&)>& step);
    void CopyRows();
    void EditFilter();
    void ShowSelectedValue();
    void GridCurrentChanged(int row, int column, int previousRow, int previousColumn);
    void DataSetRowMoved(int row);
    void FitColumns();

    TCommandRegistry* alDataResult_ = nullptr;
    QWidget* toolBar11_ = nullptr;
    QToolBar* row1_ = nullptr;
    QToolBar* row2_ = nullptr;
    QTableView* dbgResult_ = nullptr;
    TResultTableModel* model_ = nullptr;
    bool readOnly_ = false;
    int fontHeight_ = 0;
    bool filterPictureOn_ = false;
    bool followingDataSet_ = false;
    QSet<QString> awaiting_;
    QStringList fittedColumns_;
    QHash<QString, int> columnWidths_;   // of fittedColumns_, as last seen
    TFilterEditor filterEditor_;
    std::function<void(const QString&)> showValue_;
    std::function<bool()> viewerVisible_;
};

}  // namespace varnok
