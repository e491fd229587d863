#include "shell/ui/LogCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QTreeView>
#include <algorithm>
#include <stdexcept>

#include "shell/LogModel.h"
#include "shell/kit/CommandRegistry.h"
#include "shell/ui/LogTab.h"

namespace varnok {

namespace {

struct TLogCommandInfo {
    const char* name;
    const char* caption;
    const char* hint;
    int picture; // shared with the editor's commands of the same look
};
constexpr TLogCommandInfo kClear{"acClearLog", "Clear", "Clear Log", 3};
constexpr TLogCommandInfo kCopy{"acCopyLogToClipboard", "Copy", "Copy To Clipboard", 18};
constexpr TLogCommandInfo kSave{"acSaveLogToFile", "Save To ...", "Save Log To File", 2};
constexpr TLogCommandInfo kBigger{"acLogFontBigger", "Font Bigger", "Font Bigger", 8};
constexpr TLogCommandInfo kSmaller{"acLogFontSmaller", "Font Smaller", "Font Smaller", 9};

std::runtime_error FileError(const char* what, const QString& path, const QFile& file) {
    return std::runtime_error(
        QStringLiteral("%1 \"%2\". %3").arg(QLatin1String(what), path, file.errorString()).toStdString());
}

} // namespace

TLogCommands::TLogCommands(TLogTab& tab, TLogModel& model, QObject* parent)
    : QObject(parent), tab_(tab), model_(model), alLog_(new TCommandRegistry(this)) {
    alLog_->setObjectName(QStringLiteral("alLog"));
    BuildCommands();
    BuildMenus();
    alLog_->AddUpdateHook([this] { UpdateCommands(); });
    alLog_->StartIdleUpdates();
    UpdateCommands();
}

TCommand* TLogCommands::Command(const char* name) const {
    return alLog_->Find(QLatin1String(name));
}

void TLogCommands::BuildCommands() {
    const auto add = [this](const TLogCommandInfo& info, void (TLogCommands::*operation)()) {
        TCommandSpec spec;
        spec.name = QLatin1String(info.name);
        spec.category = QStringLiteral("Log");
        spec.caption = QLatin1String(info.caption);
        spec.hint = QLatin1String(info.hint);
        spec.picture = info.picture;
        alLog_->Add(spec, [this, operation] { (this->*operation)(); });
    };
    add(kClear, &TLogCommands::ClearLog);
    add(kCopy, &TLogCommands::CopyToClipboard);
    add(kSave, &TLogCommands::SaveLogToFile);
    add(kBigger, &TLogCommands::FontBigger);
    add(kSmaller, &TLogCommands::FontSmaller);
}

void TLogCommands::BuildMenus() {
    QToolBar* toolbar = tab_.tbLog();
    for (const TLogCommandInfo* info : {&kCopy, &kClear, &kSave, &kBigger, &kSmaller})
        toolbar->addAction(Command(info->name));

    pmLog_ = new QMenu(&tab_);
    pmLog_->setObjectName(QStringLiteral("pmLog"));
    for (const TLogCommandInfo* info : {&kClear, &kCopy, &kSave})
        pmLog_->addAction(Command(info->name));
    QTreeView* list = tab_.lvLog();
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, pmLog_, [this, list](const QPoint& at) {
        UpdateCommands();
        pmLog_->popup(list->viewport()->mapToGlobal(at));
    });
}

void TLogCommands::UpdateCommands() {
    const bool any = model_.EntryCount() > 0;
    const QItemSelectionModel* selection = tab_.lvLog()->selectionModel();
    Command(kClear.name)->setEnabled(any);
    Command(kSave.name)->setEnabled(any);
    Command(kCopy.name)->setEnabled(any && selection && selection->hasSelection());
    Command(kBigger.name)->setEnabled(true);
    Command(kSmaller.name)->setEnabled(true);
}

void TLogCommands::ClearLog() {
    model_.Clear();
    tab_.mmLog()->clear(); // the model's reset clears it too; the command does not rely on that
}

void TLogCommands::CopyToClipboard() {
    std::vector<int> rows;
    for (const QModelIndex& index : tab_.lvLog()->selectionModel()->selectedRows())
        rows.push_back(index.row());
    if (rows.empty()) return;
    auto* data = new QMimeData; // the clipboard takes it over
    data->setText(model_.EntriesText(rows));
    QApplication::clipboard()->setMimeData(data);
}

void TLogCommands::SaveLogToFile() {
    const QString path = saveDialog_ ? saveDialog_(&tab_) : QString();
    if (path.isEmpty()) return;
    SaveToFile(path);
}

void TLogCommands::SaveToFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw FileError("Cannot create file", path, file);
    // Entry by entry, so a failure keeps what was written before it.
    for (int row = 0; row < model_.EntryCount(); ++row) {
        const QByteArray line = model_.EntriesText({row}).toUtf8();
        if (file.write(line) != line.size()) throw FileError("Cannot write to file", path, file);
    }
    if (!file.flush()) throw FileError("Cannot write to file", path, file);
}

QString TLogCommands::AskLogFileName(QWidget* parent) {
    QFileDialog sdLog(parent);
    sdLog.setObjectName(QStringLiteral("sdLog"));
    sdLog.setAcceptMode(QFileDialog::AcceptSave);
    sdLog.setFileMode(QFileDialog::AnyFile);
    sdLog.setDefaultSuffix(QStringLiteral("log"));
    sdLog.setNameFilters({QStringLiteral("Log file (*.log)"), QStringLiteral("Any file (*.*)")});
    sdLog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (sdLog.exec() != QDialog::Accepted || sdLog.selectedFiles().isEmpty()) return {};
    return sdLog.selectedFiles().constFirst();
}

int TLogCommands::FontHeight() const {
    const QFont font = tab_.lvLog()->font();
    return -(font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize());
}

void TLogCommands::SetFontHeight(int height) {
    // Negative: character height in pixels. Stepping smaller past one pixel
    // has nothing left to show; the text stays one pixel high.
    QFont font = tab_.lvLog()->font();
    font.setPixelSize(std::max(1, -height));
    tab_.lvLog()->setFont(font);
}

void TLogCommands::FontBigger() {
    SetFontHeight(FontHeight() - 1);
}

void TLogCommands::FontSmaller() {
    SetFontHeight(FontHeight() + 1);
}

} // namespace varnok
