#include "shell/ui/SplitterPanes.h"

#include <QSplitter>
#include <QVariant>

namespace varnok {

namespace {

constexpr const char* kSizeProperty = "varnokPaneSize";

void Remember(QWidget* pane, int size) {
    pane->setProperty(kSizeProperty, size);
}

} // namespace

void TrackPaneSizes(QSplitter* splitter) {
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter, [splitter](int, int) {
        const QList<int> sizes = splitter->sizes();
        for (int i = 0; i < splitter->count() && i < sizes.size(); ++i) {
            QWidget* pane = splitter->widget(i);
            if (!pane->isHidden()) Remember(pane, sizes[i]);
        }
    });
}

void SetPaneSize(QSplitter* splitter, QWidget* pane, int size) {
    Remember(pane, size);
    RestorePaneSize(splitter, pane);
}

void RestorePaneSize(QSplitter* splitter, QWidget* pane) {
    const int index = splitter->indexOf(pane);
    const QVariant stored = pane->property(kSizeProperty);
    if (index < 0 || !stored.isValid()) return;
    QList<int> sizes = splitter->sizes();
    // The other panes keep their remembered sizes; the stretching pane takes the rest.
    for (int i = 0; i < splitter->count() && i < sizes.size(); ++i) {
        const QVariant other = splitter->widget(i)->property(kSizeProperty);
        if (other.isValid()) sizes[i] = other.toInt();
    }
    sizes[index] = stored.toInt();
    splitter->setSizes(sizes);
}

int PaneSize(const QWidget* pane, int def) {
    const QVariant stored = pane->property(kSizeProperty);
    return stored.isValid() ? stored.toInt() : def;
}

} // namespace varnok
