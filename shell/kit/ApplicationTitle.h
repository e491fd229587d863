#pragma once
// The application title: caption of plain message boxes and of the standard
// error box. Kept here rather than in QGuiApplication's display name, which
// the window system would append to every window caption.
#include <QString>

namespace varnok {

inline constexpr const char* kProgramTitle = "Varnok 5.18b";

QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

} // namespace varnok
