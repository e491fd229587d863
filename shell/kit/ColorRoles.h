#pragma once
// Colour text <-> toolkit colours. A system colour ("clWindow") stands for a
// role of the current palette, a fixed colour for itself.
#include <QColor>
#include <QPalette>
#include <initializer_list>

#include "shell/ColorText.h"

namespace varnok {

// The colour the text stands for in palette; a system colour without a role
// gives the palette's window text colour.
QColor ToQColor(const TColorText& color, const QPalette& palette);

// The colour text to store for colour: the first of systemCandidates whose
// palette colour it equals (so an untouched list keeps "clWindow"), else the
// fixed "$00BBGGRR" form.
TColorText FromQColor(const QColor& color, const QPalette& palette,
                      std::initializer_list<TColorText> systemCandidates = {});

} // namespace varnok
