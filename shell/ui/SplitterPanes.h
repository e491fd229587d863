#pragma once
// Pane sizes of a splitter as the settings keep them.
//
// A splitter reports 0 for a hidden pane and squeezes panes while the window
// is small, so the stored size of a pane is remembered on the pane itself:
// set by SetPaneSize (start-up, showing a region again) and by the user
// dragging a handle. That remembered size is what the settings write back.
class QSplitter;
class QWidget;

namespace varnok {

// Records sizes whenever the user drags one of splitter's handles.
void TrackPaneSizes(QSplitter* splitter);

// Remembers size for pane (a child of splitter) and applies it.
void SetPaneSize(QSplitter* splitter, QWidget* pane, int size);

// Applies the remembered size again (after the pane was shown).
void RestorePaneSize(QSplitter* splitter, QWidget* pane);

// The remembered size; def when none was ever set.
int PaneSize(const QWidget* pane, int def);

} // namespace varnok
