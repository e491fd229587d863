#include "editor/CaseConversions.h"

#include <QLocale>

namespace varnok {

namespace {

QString Upper(const QString& s) {
    return QLocale::system().toUpper(s);
}
QString Lower(const QString& s) {
    return QLocale::system().toLower(s);
}

// One character, with a surrogate pair kept together.
qsizetype CharLength(const QString& text, qsizetype i) {
    return (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ? 2 : 1;
}

bool IsLetter(const QString& ch) {
    return ch.size() == 2 ? QChar::isLetter(QChar::surrogateToUcs4(ch.at(0), ch.at(1))) : ch.at(0).isLetter();
}

bool IsUpper(const QString& ch) {
    return ch.size() == 2 ? QChar::isUpper(QChar::surrogateToUcs4(ch.at(0), ch.at(1))) : ch.at(0).isUpper();
}

} // namespace

QString UpperCaseText(const QString& text) {
    return Upper(text);
}

QString LowerCaseText(const QString& text) {
    return Lower(text);
}

QString CapitalCaseText(const QString& text) {
    QString out;
    out.reserve(text.size());
    bool wordStart = true;
    for (qsizetype i = 0; i < text.size();) {
        const QString ch = text.mid(i, CharLength(text, i));
        i += ch.size();
        if (!IsLetter(ch)) {
            out += ch;
            wordStart = true;
        } else {
            out += wordStart ? Upper(ch) : Lower(ch);
            wordStart = false;
        }
    }
    return out;
}

QString InverseCaseText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const QString ch = text.mid(i, CharLength(text, i));
        i += ch.size();
        out += IsUpper(ch) ? Lower(ch) : Upper(ch);
    }
    return out;
}

} // namespace varnok
