#include "shell/kit/ColorRoles.h"

#include <QMetaEnum>

namespace varnok {

QColor ToQColor(const TColorText& color, const QPalette& palette) {
    if (!color.IsSystem()) return QColor(color.Red(), color.Green(), color.Blue());
    const std::string role = color.PaletteRole();
    bool ok = false;
    const int value = QMetaEnum::fromType<QPalette::ColorRole>().keyToValue(role.c_str(), &ok);
    if (!ok || role.empty()) return palette.color(QPalette::WindowText);
    return palette.color(static_cast<QPalette::ColorRole>(value));
}

TColorText FromQColor(const QColor& color, const QPalette& palette,
                      std::initializer_list<TColorText> systemCandidates) {
    for (const TColorText& candidate : systemCandidates)
        if (ToQColor(candidate, palette).rgb() == color.rgb()) return candidate;
    const QColor rgb = color.toRgb();
    return TColorText::Rgb(static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
                           static_cast<uint8_t>(rgb.blue()));
}

} // namespace varnok
