#include "editor/SchemaDrag.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMimeData>

namespace varnok {

QByteArray EncodeSchemaNames(const QStringList& captions) {
    return QJsonDocument(QJsonArray::fromStringList(captions)).toJson(QJsonDocument::Compact);
}

std::optional<QStringList> DecodeSchemaNames(const QByteArray& payload) {
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

QMimeData* MakeSchemaNamesMimeData(const QStringList& captions) {
    auto* data = new QMimeData;
    data->setData(kSchemaNamesMimeType, EncodeSchemaNames(captions));
    return data;
}

std::optional<QStringList> SchemaNamesOf(const QMimeData* data) {
    if (data == nullptr || !data->hasFormat(kSchemaNamesMimeType)) return std::nullopt;
    return DecodeSchemaNames(data->data(kSchemaNamesMimeType));
}

std::string SchemaDropText(const std::vector<std::string>& captions) {
    if (captions.empty()) return {};
    std::string text = " ";
    for (size_t i = 0; i < captions.size(); ++i) {
        if (i > 0) text += ", ";
        text += captions[i];
    }
    return text;
}

}  // namespace varnok
