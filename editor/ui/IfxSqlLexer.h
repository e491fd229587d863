#pragma once
// The SQL highlighter of the editor pages and the SQL text boxes: Informix
// keywords and functions, numbers blue, strings green, Courier New.
#include <Qsci/qscilexersql.h>

namespace varnok {

class TIfxSqlLexer : public QsciLexerSQL {
    Q_OBJECT
public:
    explicit TIfxSqlLexer(QObject* parent = nullptr);

    const char* keywords(int set) const override;
    QColor defaultColor(int style) const override;
    QFont defaultFont(int style) const override;

    // The font of every style: Courier New at the given pixel size (given to
    // the component as the point size that gives those pixels on the screen).
    void SetPixelSize(int pixelSize);
    int PixelSize() const { return pixelSize_; }

private:
    int pixelSize_ = 15;
};

} // namespace varnok
