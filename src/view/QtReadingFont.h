#pragma once

#include <QFont>

#include "ReadingFont.h"

// The document's font record as a real font. A positive height asks for that cell
// height (ascent + descent): the largest pixel size whose metrics fit it is chosen.
// A negative height is the character height, used as the pixel size. A face the
// system lacks ("MS Serif") is substituted through fontconfig, serif for serif.
QFont ToQFont(const ReadingFont& font);

// A font chosen in the font dialog as the document records it: the character
// height in pixels at `dpi` (negative, as the dialog's fonts always are), weight,
// italic, underline, strike-out and face. Its colour is not part of the record.
ReadingFont ToReadingFont(const QFont& font, int dpi);

// The reading font for the font dialog, which thinks in points: the same face and
// pixel size, stated in points at `dpi`, so that OK without a change keeps the size.
QFont ToDialogFont(const ReadingFont& font, int dpi);

// Glosses use the reading font with its height scaled by 0.6, truncated toward zero
// (20 gives 12, -16 gives -9).
ReadingFont GlossFontOf(const ReadingFont& font);
