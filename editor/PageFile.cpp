#include "editor/PageFile.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>

namespace varnok {

namespace {

const std::string kUtf8Bom = "\xEF\xBB\xBF";

bool StartsWith(const std::string& s, const char* prefix, size_t n) {
    return s.compare(0, n, prefix, n) == 0;
}

std::string ToUtf8(const QString& s) {
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), size_t(b.size()));
}

QString FromUtf8(const std::string& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QString DecodeUtf16(const std::string& body, bool littleEndian) {
    QString out;
    out.reserve(qsizetype(body.size() / 2));
    for (size_t i = 0; i + 1 < body.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(body[littleEndian ? i : i + 1]);
        const auto hi = static_cast<unsigned char>(body[littleEndian ? i + 1 : i]);
        out.append(QChar(char16_t(lo | (hi << 8))));
    }
    return out;
}

std::string EncodeUtf16LE(const QString& text) {
    std::string out = "\xFF\xFE";
    out.reserve(2 + size_t(text.size()) * 2);
    for (QChar c : text) {
        out.push_back(char(c.unicode() & 0xFF));
        out.push_back(char(c.unicode() >> 8));
    }
    return out;
}

QString QFileName(const std::string& path) {
    return QString::fromStdString(path);
}

} // namespace

std::string PageFileName(const std::string& settingsFolder, int pageNumber) {
    return settingsFolder + "sql" + std::to_string(pageNumber) + "____.$$$";
}

TPageText DecodeTextBytes(const std::string& bytes) {
    if (StartsWith(bytes, "\xFF\xFE", 2))
        return {ToUtf8(DecodeUtf16(bytes.substr(2), true)), TTextEncoding::Utf16LE};
    if (StartsWith(bytes, "\xFE\xFF", 2))
        return {ToUtf8(DecodeUtf16(bytes.substr(2), false)), TTextEncoding::Utf16LE};
    const bool bom = StartsWith(bytes, kUtf8Bom.data(), kUtf8Bom.size());
    const std::string body = bom ? bytes.substr(kUtf8Bom.size()) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(QByteArrayView(body.data(), qsizetype(body.size())));
    if (utf8.hasError()) {
        // Not UTF-8: keep every byte as one character so nothing is replaced.
        return {ToUtf8(QString::fromLatin1(bytes.data(), qsizetype(bytes.size()))), TTextEncoding::Latin1};
    }
    return {ToUtf8(text), bom ? TTextEncoding::Utf8Bom : TTextEncoding::Utf8};
}

std::string NormalizeLineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::string EncodeTextBytes(const std::string& utf8Text, TTextEncoding encoding) {
    const std::string text = NormalizeLineBreaks(utf8Text);
    switch (encoding) {
    case TTextEncoding::Utf16LE:
        return EncodeUtf16LE(FromUtf8(text));
    case TTextEncoding::Utf8Bom:
        return kUtf8Bom + text;
    case TTextEncoding::Latin1: {
        const QString q = FromUtf8(text);
        for (QChar c : q)
            if (c.unicode() > 0xFF) return text; // typed text Latin-1 cannot hold: keep it as UTF-8
        const QByteArray b = q.toLatin1();
        return std::string(b.constData(), size_t(b.size()));
    }
    case TTextEncoding::Utf8:
        break;
    }
    return text;
}

TPageText ReadTextFile(const std::string& path) {
    QFile file(QFileName(path));
    if (!file.open(QIODevice::ReadOnly))
        throw ETextFileError("Cannot open file \"" + path + "\". " + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw ETextFileError("Cannot read file \"" + path + "\". " + file.errorString().toStdString());
    return DecodeTextBytes(std::string(bytes.constData(), size_t(bytes.size())));
}

void WriteTextFile(const std::string& path, const std::string& utf8Text, TTextEncoding encoding) {
    const std::string bytes = EncodeTextBytes(utf8Text, encoding);
    QSaveFile file(QFileName(path));
    if (!file.open(QIODevice::WriteOnly))
        throw ETextFileError("Cannot create file \"" + path + "\". " + file.errorString().toStdString());
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit())
        throw ETextFileError("Cannot write file \"" + path + "\". " + file.errorString().toStdString());
}

} // namespace varnok
