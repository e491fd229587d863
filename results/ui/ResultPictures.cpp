#include "results/ui/ResultPictures.h"

#include <QString>
#include <array>

#include "results/ResultCommandTable.h"
#include "shell/kit/CommandPictures.h"

namespace varnok {

namespace {
struct TPicture {
    const char* themeName;
    const char* glyph;
};
constexpr std::array<TPicture, kResultPictureCount> kPictures{{
    {"go-first", "|\u25c0"},           // 0 first
    {"go-previous", "\u25c0"},         // 1 prior
    {"go-next", "\u25b6"},             // 2 next
    {"go-last", "\u25b6|"},            // 3 last
    {"list-add", "+"},                 // 4 insert
    {"list-remove", "\u2212"},         // 5 delete
    {"document-edit", "\u270e"},       // 6 edit
    {"dialog-ok-apply", "\u2713"},     // 7 post
    {"dialog-cancel", "\u2717"},       // 8 cancel
    {"view-refresh", "\u21bb"},        // 9 refresh
    {"edit-copy", "Cp"},               // 10 copy
    {"text-html", "<>"},               // 11 html
    {"x-office-spreadsheet", "XL"},    // 12 spreadsheet
    {"document-save-as", "Txt"},       // 13 text file
    {"", "#"},                         // 14 record count
    {"zoom-in", "A+"},                 // 15 font bigger
    {"zoom-out", "A-"},                // 16 font smaller
    {"document-preview", "\u2026"},    // 17 viewer
    {"", "SIUD"},                      // 18 statements
    {"view-filter", "F"},              // 19 filter off
    {"", "F\u2713"},                   // 20 filter on
}};
}  // namespace

QIcon ResultPicture(int index) {
    if (index < 0 || index >= kResultPictureCount) return {};
    const TPicture& p = kPictures[static_cast<std::size_t>(index)];
    return ThemedPicture(QString::fromLatin1(p.themeName), QString::fromUtf8(p.glyph));
}

}  // namespace varnok
