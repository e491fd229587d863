#include "editor/ui/IfxSqlLexer.h"

#include "editor/IfxSqlKeywords.h"

#include <QColor>
#include <QFont>
#include <QGuiApplication>
#include <QScreen>

namespace varnok {

namespace {
// The keyword sets of the SQL highlighting engine are numbered from 1; set 5
// is the first of the user sets and is shown in style KeywordSet5.
constexpr int kKeywordSet = 1;
constexpr int kFunctionSet = 5;

// The editing component sizes its fonts in points only, so a pixel height is
// turned into the point size that gives those pixels on this screen.
qreal PointSizeOfPixels(int pixels) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return pixels * 72.0 / (dpi > 0 ? dpi : 96.0);
}
} // namespace

TIfxSqlLexer::TIfxSqlLexer(QObject* parent) : QsciLexerSQL(parent) {
    setFoldComments(true);
    SetPixelSize(pixelSize_);
}

const char* TIfxSqlLexer::keywords(int set) const {
    if (set == kKeywordSet) return IfxSqlKeywords();
    if (set == kFunctionSet) return IfxSqlFunctions();
    return nullptr;
}

QColor TIfxSqlLexer::defaultColor(int style) const {
    switch (style) {
    case Number:
        return QColor(Qt::blue);
    case SingleQuotedString:
    case DoubleQuotedString:
        return QColor(0x00, 0x80, 0x00); // green
    case Keyword:
        return QColor(0x00, 0x00, 0x80); // navy
    case KeywordSet5:
        return QColor(0x80, 0x00, 0x80); // purple
    case Comment:
    case CommentLine:
    case CommentDoc:
    case CommentLineHash:
        return QColor(0x80, 0x80, 0x80);
    default:
        return QColor(Qt::black);
    }
}

QFont TIfxSqlLexer::defaultFont(int style) const {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setPointSizeF(PointSizeOfPixels(pixelSize_));
    if (style == Keyword) f.setBold(true);
    if (style == Comment || style == CommentLine || style == CommentDoc) f.setItalic(true);
    return f;
}

void TIfxSqlLexer::SetPixelSize(int pixelSize) {
    pixelSize_ = pixelSize;
    // Each style keeps its own weight and slant; only the size changes.
    for (int style = 0; style <= QuotedOperator; ++style)
        setFont(defaultFont(style), style);
}

} // namespace varnok
