// The search dialogs' histories and proposed text.
#include "editor/SearchState.h"

#include <gtest/gtest.h>

using namespace varnok;

namespace {

TEST(SearchHistory, NewTextGoesToTheTopOnceWhateverItsCase) {
    QStringList h;
    h = PushSearchHistory(h, "tabname");
    h = PushSearchHistory(h, "tabid");
    h = PushSearchHistory(h, "TabName"); // the same text in other letters: one entry, as last typed
    EXPECT_EQ(h, (QStringList{"TabName", "tabid"}));
    EXPECT_EQ(PushSearchHistory(h, ""), h); // an empty text changes nothing
}

TEST(SearchHistory, KeepsTheTenMostRecent) {
    QStringList h;
    for (int i = 0; i < 12; ++i)
        h = PushSearchHistory(h, QString::number(i));
    ASSERT_EQ(h.size(), kMaxSearchHistory);
    EXPECT_EQ(h.first(), "11");
    EXPECT_EQ(h.last(), "2");
}

TEST(SearchHistory, ProposedTextIsAOneLineSelectionOrTheWordAtTheCaret) {
    EXPECT_EQ(ProposedSearchText("tab name", "word"), "tab name");
    EXPECT_EQ(ProposedSearchText("select\r\nfrom", "word"), "word");
    EXPECT_EQ(ProposedSearchText("a\nb", ""), "");
    EXPECT_EQ(ProposedSearchText("", "word"), "word");
}

TEST(ReplaceConfirmation, PlacedNearTheMatchInsideTheEditor) {
    const QRect editor(100, 50, 600, 300); // x 100..699, y 50..349
    const QSize box(200, 80);
    struct Row {
        QRect line;
        int matchX;
        QPoint at;
    };
    for (const Row& r : {
             Row{QRect(100, 60, 600, 16), 150, QPoint(150, 80)},   // below the line
             Row{QRect(100, 60, 600, 16), 650, QPoint(500, 80)},   // kept inside the right edge
             Row{QRect(100, 300, 600, 16), 150, QPoint(150, 216)}, // line in the lowest third: above it
             Row{QRect(100, 250, 600, 16), 150, QPoint(150, 270)}, // exactly at two thirds: still below
         }) {
        EXPECT_EQ(ConfirmBoxPosition(editor, r.line, r.matchX, box), r.at) << r.matchX << "," << r.line.top();
    }
    // A box as wide as the editor is centred over it.
    EXPECT_EQ(ConfirmBoxPosition(editor, QRect(100, 60, 600, 16), 400, QSize(600, 80)).x(), 100);
    EXPECT_EQ(ConfirmBoxPosition(editor, QRect(100, 60, 600, 16), 400, QSize(700, 80)).x(), 50);
}

} // namespace
