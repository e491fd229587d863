#pragma once
// Dragging names from the schema lists into an editor page.
//
// The table, procedure and detail lists put the captions of their selected
// rows into the drag data under kSchemaNamesMimeType (MakeSchemaNamesMimeData
// in their mimeData()); an editor page accepts a drag only when that format is
// present, so text, files or anything dragged from another program is refused.
// Header-only, so the lists can use it without linking the editor library.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace varnok {

inline constexpr const char* kSchemaNamesMimeType = "application/x-varnok-schema-names";

// The payload: a JSON array of the captions in row order.
inline QByteArray EncodeSchemaNames(const QStringList& captions) {
    return QJsonDocument(QJsonArray::fromStringList(captions)).toJson(QJsonDocument::Compact);
}

// None when the payload is not a JSON array of strings.
inline std::optional<QStringList> DecodeSchemaNames(const QByteArray& payload) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(payload, &error);
    if (error.error != QJsonParseError::NoError || !doc.isArray()) return std::nullopt;
    QStringList out;
    for (const QJsonValue& v : doc.array()) {
        if (!v.isString()) return std::nullopt;
        out.append(v.toString());
    }
    return out;
}

// Drag data for a schema list (the caller owns it until QDrag takes it).
inline QMimeData* MakeSchemaNamesMimeData(const QStringList& captions) {
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kSchemaNamesMimeType), EncodeSchemaNames(captions));
    return data;
}

// The captions when the data came from a schema list, else none.
inline std::optional<QStringList> SchemaNamesOf(const QMimeData* data) {
    const QString type = QString::fromLatin1(kSchemaNamesMimeType);
    if (data == nullptr || !data->hasFormat(type)) return std::nullopt;
    return DecodeSchemaNames(data->data(type));
}

// The text a drop inserts: a blank, then the captions joined with ", "
// ({"a", "b"} gives " a, b"). No captions: empty (nothing to insert).
inline std::string SchemaDropText(const std::vector<std::string>& captions) {
    if (captions.empty()) return {};
    std::string text = " ";
    for (size_t i = 0; i < captions.size(); ++i) {
        if (i > 0) text += ", ";
        text += captions[i];
    }
    return text;
}

} // namespace varnok
