#include "results/ui/TfmResult.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <array>

#include "dbaccess/DataSet.h"
#include "dbaccess/DataSetField.h"
#include "results/ColumnSortRule.h"
#include "results/DataSetCommandRules.h"
#include "results/GridFontHeight.h"
#include "results/ResultCommandTable.h"
#include "results/RowsText.h"
#include "results/TableDataSetAccess.h"
#include "results/ui/ResultCellDelegate.h"
#include "results/ui/ResultPictures.h"
#include "results/ui/ResultTableModel.h"
#include "shell/kit/Command.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/kit/MessageSink.h"
#include "shell/kit/StandardErrorBox.h"

namespace varnok {

namespace {

// The commands whose windows come with later work. Until that work provides
// them (ProvideCommand, SetFilterEditor, SetValueViewer) they stay disabled
// rather than doing something else.
constexpr std::array<const char*, 6> kAwaitingWindows{
    "acExportToHtml",    // HTML report (exporter)
    "acExportToExcel",   // spreadsheet automation (exporter)
    "acExportToXLSFile", // export window for delimited text files
    "acShowViewer",      // value viewer
    "acGenerateSIUD",    // statement generator, shown in the value viewer
    "acFilter",          // row filter window
};

constexpr int kFitSampleRows = 50;
constexpr int kMaxFittedColumnWidth = 300;

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

bool IsEditableOnly(const QString& name) {
    for (std::string_view n : kEditableOnlyCommands)
        if (Q(n) == name) return true;
    return false;
}

}  // namespace

TfmResult::TfmResult(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmResult"));
    for (const char* name : kAwaitingWindows) awaiting_.insert(QLatin1String(name));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolBar11_ = new QWidget(this);
    toolBar11_->setObjectName(QStringLiteral("ToolBar11"));
    auto* rows = new QVBoxLayout(toolBar11_);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    row1_ = new QToolBar(toolBar11_);
    row2_ = new QToolBar(toolBar11_);
    for (QToolBar* bar : {row1_, row2_}) {
        bar->setIconSize(QSize(32, 32));
        bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
        bar->setFloatable(false);
        bar->setMovable(false);
        rows->addWidget(bar);
    }
    row1_->setObjectName(QStringLiteral("ToolBar11Row1"));
    row2_->setObjectName(QStringLiteral("ToolBar11Row2"));
    layout->addWidget(toolBar11_);

    model_ = new TResultTableModel(this);
    dbgResult_ = new QTableView(this);
    dbgResult_->setObjectName(QStringLiteral("dbgResult"));
    dbgResult_->setModel(model_);
    dbgResult_->setItemDelegate(new TResultCellDelegate(dbgResult_));
    dbgResult_->setSelectionMode(QAbstractItemView::SingleSelection);
    dbgResult_->setSelectionBehavior(QAbstractItemView::SelectItems);
    dbgResult_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    dbgResult_->horizontalHeader()->setSectionsClickable(true);
    dbgResult_->horizontalHeader()->setHighlightSections(false);
    layout->addWidget(dbgResult_, 1);

    connect(dbgResult_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) {
                try {
                    ColumnTitleClicked(column);
                } catch (...) {
                    ShowCurrentException();
                }
            });
    connect(dbgResult_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex&) { ShowSelectedValue(); });
    connect(dbgResult_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now, const QModelIndex& before) {
                GridCurrentChanged(now.row(), now.column(), before.row(), before.column());
            });
    connect(model_, &TResultTableModel::currentRowMoved, this, &TfmResult::DataSetRowMoved);
    connect(model_, &QAbstractItemModel::modelReset, this, &TfmResult::FitColumns);
    connect(dbgResult_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int width) {
        const QString name = model_->FieldNameOf(column);
        if (!name.isEmpty() && fittedColumns_.contains(name)) columnWidths_.insert(name, width);
    });

    BuildCommands();
    SetGridFontHeight(kGridFontHeightAtCreation);
    SetReadOnly(true);
    UpdateCommands();
}

TfmResult::~TfmResult() {
    // The grid goes before the model's link: no paint may read a row afterwards.
    dbgResult_->setModel(nullptr);
}

void TfmResult::SetDataSource(TDataSource* source) {
    model_->SetDataSource(source);
    UpdateCommands();
}

TDataSource* TfmResult::DataSource() const { return model_->DataSource(); }
TDataSet* TfmResult::DataSet() const { return model_->DataSet(); }

TCommand* TfmResult::Command(const QString& name) const { return alDataResult_->Find(name); }

// ---- commands ----

void TfmResult::BuildCommands() {
    alDataResult_ = new TCommandRegistry(this);
    alDataResult_->setObjectName(QStringLiteral("alDataResult"));
    auto step = [this](void (TDataSet::*move)()) {
        return [this, move] { RunDataSetStep([move](TDataSet& ds) { (ds.*move)(); }); };
    };
    const std::array<std::function<void()>, kResultCommands.size()> operations{
        step(&TDataSet::First),
        step(&TDataSet::Prior),
        step(&TDataSet::Next),
        step(&TDataSet::Last),
        step(&TDataSet::Insert),
        step(&TDataSet::Delete),
        step(&TDataSet::Edit),
        step(&TDataSet::Post),
        step(&TDataSet::Cancel),
        [this] { if (OnRefresh) OnRefresh(*this); },
        [this] { CopyRows(); },
        {},   // acExportToHtml: provided by the exporter
        {},   // acExportToExcel: provided by the exporter
        {},   // acExportToXLSFile: provided by the export window
        [this] { if (OnRecordCount) OnRecordCount(*this); },
        [this] { FontBigger(); },
        [this] { FontSmaller(); },
        [this] { ShowSelectedValue(); },
        [this] { if (OnGenerateSIUD) OnGenerateSIUD(*this); },
        [this] { EditFilter(); },
    };
    for (std::size_t i = 0; i < kResultCommands.size(); ++i) {
        const TResultCommandInfo& info = kResultCommands[i];
        TCommandSpec spec;
        spec.name = Q(info.name);
        spec.category = Q(info.category);
        spec.caption = Q(info.caption);
        spec.hint = Q(info.hint);
        TCommand* command = alDataResult_->Add(spec, operations[i]);
        command->setIcon(ResultPicture(info.picture));
        if (info.hint.empty()) command->setToolTip(QString());
        (info.toolbarRow == 0 ? row1_ : row2_)->addAction(command);
    }
    alDataResult_->AddUpdateHook([this] { UpdateCommands(); });
    alDataResult_->StartIdleUpdates();
}

void TfmResult::UpdateCommands() {
    TDataSet* ds = DataSet();
    const bool open = DataSetOpen(ds) && model_->Rows().Active();
    const TDataSetCommandStates s = DataSetCommandStates(open ? ds : nullptr, readOnly_);
    const std::array<bool, 9> dataSetStates{s.first, s.prior, s.next, s.last, s.insert,
                                            s.remove, s.edit, s.post, s.cancel};
    for (std::size_t i = 0; i < kResultCommands.size(); ++i) {
        TCommand* command = alDataResult_->Commands()[i];
        bool enabled;
        if (i < dataSetStates.size())
            enabled = dataSetStates[i];
        else
            enabled = open && !awaiting_.contains(command->Name());
        command->setEnabled(enabled);
    }
    const bool filtered = open && ds->Filtered();
    if (filtered != filterPictureOn_) {
        filterPictureOn_ = filtered;
        Command(QStringLiteral("acFilter"))->setIcon(ResultPicture(filtered ? kFilterOnPicture : kFilterOffPicture));
    }
}

void TfmResult::RunDataSetStep(const std::function<void(TDataSet&)>& step) {
    TDataSet* ds = DataSet();
    if (!ds) return;
    step(*ds);
    UpdateCommands();
}

void TfmResult::CopyRows() {
    TDataSet* ds = DataSet();
    if (!ds) return;
    QGuiApplication::clipboard()->setText(QString::fromStdString(RowsAsTabText(*ds)));
}

void TfmResult::ProvideCommand(const QString& name, std::function<void()> operation) {
    TCommand* command = Command(name);
    if (!command) return;
    awaiting_.remove(name);
    if (operation) command->SetOperation(std::move(operation));
    UpdateCommands();
}

void TfmResult::SetFilterEditor(TFilterEditor editor) {
    filterEditor_ = std::move(editor);
    if (filterEditor_) ProvideCommand(QStringLiteral("acFilter"));
}

void TfmResult::SetValueViewer(std::function<void(const QString&)> show, std::function<bool()> visible) {
    showValue_ = std::move(show);
    viewerVisible_ = std::move(visible);
    if (showValue_) ProvideCommand(QStringLiteral("acShowViewer"));
}

void TfmResult::ShowSpreadsheetWarnings(bool datesClamped, bool rowLimitReached) {
    if (datesClamped) Messages().Information(QLatin1String(kSpreadsheetCaption), QLatin1String(kDatesClampedWarning));
    if (rowLimitReached) Messages().Information(QLatin1String(kSpreadsheetCaption), QLatin1String(kRowLimitWarning));
}

// ---- mode and filter ----

void TfmResult::SetReadOnly(bool readOnly) {
    if (readOnly == readOnly_) return;
    readOnly_ = readOnly;
    model_->SetReadOnly(readOnly);
    dbgResult_->setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                                         : QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                               QAbstractItemView::SelectedClicked);
    for (TCommand* command : alDataResult_->Commands())
        if (IsEditableOnly(command->Name())) command->setVisible(!readOnly);
    UpdateCommands();
}

void TfmResult::ApplyFilter(bool on, const std::string& text) {
    TDataSet* ds = DataSet();
    if (!ds) return;
    const TTableDataSetKind* kind = FindTableDataSetKind(ds);
    if (kind && kind->setFilter) kind->setFilter(*ds, text);
    if (kind && kind->setFiltered)
        kind->setFiltered(*ds, on);   // a table reads its rows again
    else
        ds->SetFiltered(on);
    UpdateCommands();
}

void TfmResult::EditFilter() {
    TDataSet* ds = DataSet();
    if (!ds || !filterEditor_) return;
    const TTableDataSetKind* kind = FindTableDataSetKind(ds);
    const std::string current = kind && kind->filter ? kind->filter(*ds) : std::string();
    const std::optional<std::string> text = filterEditor_(current, SelectedFieldName());
    if (!text) return;
    const bool blank = text->find_first_not_of(" \t\r\n") == std::string::npos;
    ApplyFilter(!blank, *text);
}

// ---- font ----

void TfmResult::SetGridFontHeight(int height) {
    fontHeight_ = height;
    QFont font{QString::fromLatin1(kGridFontFamily)};
    font.setPixelSize(GridFontPixelSize(height));
    dbgResult_->setFont(font);
    // The title font always follows the cell font.
    dbgResult_->horizontalHeader()->setFont(font);
    dbgResult_->verticalHeader()->setFont(font);
    dbgResult_->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + 4);
    emit gridFontHeightChanged(height);
}

void TfmResult::FitColumns() {
    QStringList columns;
    for (int c = 0; c < model_->columnCount(); ++c) columns << model_->FieldNameOf(c);
    if (columns.isEmpty()) return;   // closed or detached: the widths wait for the columns
    QHeaderView* header = dbgResult_->horizontalHeader();
    if (columns == fittedColumns_) {
        // The same columns again (a table re-read in another order, a refresh):
        // they keep the widths they had.
        const QHash<QString, int> widths = columnWidths_;
        for (int c = 0; c < columns.size(); ++c)
            if (widths.contains(columns[c])) header->resizeSection(c, widths.value(columns[c]));
        return;
    }
    // New columns take the width of their title and of the first rows'
    // texts, within bounds: a long text must not push the others out of sight.
    fittedColumns_ = columns;
    header->setResizeContentsPrecision(kFitSampleRows);
    dbgResult_->resizeColumnsToContents();
    for (int c = 0; c < columns.size(); ++c)
        if (header->sectionSize(c) > kMaxFittedColumnWidth) header->resizeSection(c, kMaxFittedColumnWidth);
    columnWidths_.clear();
    for (int c = 0; c < columns.size(); ++c) columnWidths_.insert(columns[c], header->sectionSize(c));
}

void TfmResult::FontBigger() { SetGridFontHeight(GridFontBigger(fontHeight_)); }
void TfmResult::FontSmaller() { SetGridFontHeight(GridFontSmaller(fontHeight_)); }

// ---- grid ----

std::string TfmResult::SelectedFieldName() const {
    const TField* field = model_->Rows().Column(dbgResult_->currentIndex().column());
    return field ? field->FieldName() : std::string();
}

void TfmResult::ColumnTitleClicked(int column) {
    TDataSet* ds = DataSet();
    const TTableDataSetKind* kind = FindTableDataSetKind(ds);
    const TField* field = model_->Rows().Column(column);
    // Only a table data set sorts: it reads its rows again in the new order.
    if (!kind || !field || !kind->indexFieldNames || !kind->setIndexFieldNames) return;
    const TColumnSortStep next = NextColumnSort(kind->indexFieldNames(*ds), field->FieldName());
    const QString name = QString::fromStdString(field->FieldName());
    kind->setIndexFieldNames(*ds, next.indexFieldNames);
    // The mark moves to the clicked column; the others show their plain names again.
    model_->ClearColumnCaptions();
    model_->SetColumnCaption(name, QString::fromStdString(next.caption));
}

void TfmResult::ShowSelectedValue() {
    if (!showValue_) return;
    const QModelIndex current = dbgResult_->currentIndex();
    const TField* field = model_->Rows().Column(current.column());
    if (!field || !DataSet()) return;
    QString text;
    model_->Rows().ReadRow(current.row(), [&] { text = QString::fromStdString(field->IsNull() ? std::string() : field->AsString()); });
    showValue_(text);
}

void TfmResult::GridCurrentChanged(int row, int column, int previousRow, int previousColumn) {
    if (followingDataSet_) return;
    if (row >= 0 && row != previousRow) {
        try {
            model_->Rows().MoveTo(row);
        } catch (...) {
            // A refused post keeps the data set on its row; the grid follows it back.
            ShowCurrentException();
            DataSetRowMoved(model_->Rows().CurrentRow());
            return;
        }
    }
    if (column >= 0 && column != previousColumn && viewerVisible_ && viewerVisible_()) ShowSelectedValue();
    UpdateCommands();
}

void TfmResult::DataSetRowMoved(int row) {
    QItemSelectionModel* selection = dbgResult_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (row < 0 || row >= model_->rowCount() || model_->columnCount() == 0) return;
    if (current.isValid() && current.row() == row) return;
    const int column = current.isValid() && current.column() < model_->columnCount() ? current.column() : 0;
    followingDataSet_ = true;
    selection->setCurrentIndex(model_->index(row, column), QItemSelectionModel::ClearAndSelect);
    followingDataSet_ = false;
}

}  // namespace varnok
