#pragma once

#include "ColorScheme.h"

// The whole application's palette for a reading scheme: the night scheme darkens the
// menus, bars, dialogs and the word popup as well as the page; the others use the
// style's own light palette. Changes the palette only when the scheme's wants differ
// from what it set last.
void ApplyWindowPalette(ColorScheme scheme);
