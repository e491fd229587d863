#pragma once
// Search and replace in the active editor page: the commands acSearch
// ("Search..."), acSearchReplace ("Replace..."), acSearchNext and
// acSearchPrev with their enabling, the dialogs, the search state shared by
// all pages, and the search run itself.
#include "editor/SearchState.h"

#include <QObject>

#include <functional>

namespace varnok {

class TCommandRegistry;
class TEditorPages;
class TSqlEditor;
class TfmSearchDialog;

enum class TReplaceAnswer { Yes, No, Cancel, YesToAll };

struct TSearchRun {
    QString text;
    bool caseSensitive = false;
    bool wholeWords = false;
    bool backward = false;
    bool selectedOnly = false;
    bool fromCaret = false; // false: the whole text
    bool replace = false;   // replace mode: every match in the scope, asking before each
    QString replaceText;
};

// Asks whether to replace the match now selected in the editor.
using TReplaceAsker = std::function<TReplaceAnswer(TSqlEditor& editor, const QString& searchText)>;
// The confirmation box "Confirm replace", placed near the match.
TReplaceAnswer AskReplaceNearMatch(TSqlEditor& editor, const QString& searchText);

// Runs one search on the editor. Search mode selects the next match; replace
// mode visits every match (a replacement equal to the search text is never
// asked for). No match at all: a beep, and the selection collapses to its
// start (backward) or end (forward). Gives the number of matches visited.
int RunSearch(TSqlEditor& editor, const TSearchRun& run, const TReplaceAsker& ask);

class TSearchCommands : public QObject {
    Q_OBJECT
public:
    TSearchCommands(TEditorPages& pages, TCommandRegistry& registry, QObject* parent = nullptr);

    const TSearchState& State() const { return state_; }

    // Replaceable so tests need no modal loop: shows the dialog, true on OK.
    void SetDialogRunner(std::function<bool(TfmSearchDialog&)> run) { runDialog_ = std::move(run); }
    void SetReplaceAsker(TReplaceAsker ask) { ask_ = std::move(ask); }

    void UpdateCommands();

    void OpenDialog(bool replace);
    void SearchAgain(bool backward);

private:
    TEditorPages& pages_;
    TCommandRegistry& registry_;
    TSearchState state_;
    std::function<bool(TfmSearchDialog&)> runDialog_;
    TReplaceAsker ask_ = AskReplaceNearMatch;
};

} // namespace varnok
