#pragma once

#include <QFont>

#include "ReadingFont.h"

// The document's font record as a real font. A positive height asks for that cell
// height (ascent + descent): the largest pixel size whose metrics fit it is chosen.
// A negative height is the character height, used as the pixel size. A face the
// system lacks ("MS Serif") is substituted through fontconfig, serif for serif.
QFont ToQFont(const ReadingFont& font);

// Glosses use the reading font with its height scaled by 0.6, truncated toward zero
// (20 gives 12, -16 gives -9).
ReadingFont GlossFontOf(const ReadingFont& font);
