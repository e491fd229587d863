#include "editor/ui/FmEditor.h"

#include "editor/ui/PageLogList.h"
#include "editor/ui/SqlEditor.h"

#include <QSplitter>
#include <QVBoxLayout>

namespace varnok {

namespace {
constexpr int kPageMargin = 3; // inner margin of a page on every side
}

TfmEditor::TfmEditor(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("fmEditor"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    layout->setSpacing(0);

    splitter_ = new QSplitter(Qt::Vertical, this);
    editor_ = new TSqlEditor(splitter_);
    editor_->setObjectName(QStringLiteral("edSQL"));
    pageLog_ = new TPageLogList(splitter_);
    splitter_->addWidget(editor_);
    splitter_->addWidget(pageLog_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setCollapsible(0, false);
    splitter_->setSizes({400, TPageLogList::kDefaultHeight});
    layout->addWidget(splitter_);
    setFocusProxy(editor_);
}

void TfmEditor::SetRunMark(TRunMark mark) {
    if (mark == runMark_) return;
    runMark_ = mark;
    emit RunMarkChanged(mark);
}

} // namespace varnok
