#pragma once

#include <QFont>

#include "ReadingFont.h"

// The document's font record as a real font. A positive height asks for that cell
// height (ascent + descent): the largest pixel size whose metrics fit it is chosen.
// A negative height is the character height, used as the pixel size. A face the
// system lacks ("MS Serif") is substituted through fontconfig, serif for serif, by a
// face that is not a CJK one whatever the locale. Chinese characters in the text are
// drawn in the gloss face.
QFont ToQFont(const ReadingFont& font);

// A font chosen in the font dialog as the document records it: the character
// height in pixels at `dpi` (negative, as the dialog's fonts always are), weight,
// italic, underline, strike-out and face. Its colour is not part of the record.
ReadingFont ToReadingFont(const QFont& font, int dpi);

// The reading font for the font dialog, which thinks in points: the same face and
// pixel size, stated in points at `dpi`, so that OK without a change keeps the size.
QFont ToDialogFont(const ReadingFont& font, int dpi);

// Glosses use the reading font with its height scaled by `percent` (60 by
// default), truncated toward zero (at 60: 20 gives 12, -16 gives -9).
ReadingFont GlossFontOf(const ReadingFont& font, int percent = 60);

// The Simplified Chinese face glosses are drawn in, whatever the locale: Noto Sans
// CJK SC, else WenQuanYi, else what fontconfig ranks first for zh-cn.
QString GlossFamily();

// The gloss font: the reading font's style in GlossFamily(), with GlossFontOf's
// height (positive or negative) as its pixel size.
QFont ToGlossQFont(const ReadingFont& font, int percent = 60);

// U, the height of each half of a double line: the record's height, or the real
// cell height of the text or gloss font when that is taller (a character height
// asks for a taller cell, and so does a larger gloss), so that a descender never
// runs into the gloss half and a gloss never into the next line. The default font
// and its gloss fit in the record's height.
int LineUnitOf(const ReadingFont& record, const QFont& text, const QFont& gloss);

// The face the book layout sets titles in: the reading font in bold, or heavier still
// when the reading font is bold already. Its height is the reading font's, so a title
// keeps the line's rhythm.
QFont HeadingFontOf(const QFont& text);
