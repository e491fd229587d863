#pragma once
// Dragging names from the schema lists into an editor page.
//
// The table, procedure and detail lists put the captions of their selected
// rows into the drag data under kSchemaNamesMimeType; an editor page accepts a
// drag only when that format is present, so text, files or anything dragged
// from another program is refused.
#include <QByteArray>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

class QMimeData;

namespace varnok {

inline constexpr const char* kSchemaNamesMimeType = "application/x-varnok-schema-names";

// The payload: a JSON array of the captions in row order.
QByteArray EncodeSchemaNames(const QStringList& captions);
// None when the payload is not a JSON array of strings.
std::optional<QStringList> DecodeSchemaNames(const QByteArray& payload);

// Drag data for a schema list (caller owns it until QDrag takes it).
QMimeData* MakeSchemaNamesMimeData(const QStringList& captions);
// The captions when the data came from a schema list, else none.
std::optional<QStringList> SchemaNamesOf(const QMimeData* data);

// The text a drop inserts: a blank, then the captions joined with ", "
// ({"a", "b"} gives " a, b"). No captions: empty (nothing to insert).
std::string SchemaDropText(const std::vector<std::string>& captions);

}  // namespace varnok
