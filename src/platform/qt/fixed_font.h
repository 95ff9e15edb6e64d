// The fixed-pitch screen font for windows that line text up in columns.
#pragma once

#include <QFont>

namespace sw {

// The first installed font of a short list of true fixed-pitch families,
// else the system's fixed font. fontconfig's "monospace" alias can resolve to
// a font Qt does not treat as fixed pitch, so the alias alone is not enough.
QFont FixedPitchFont();

}  // namespace sw
