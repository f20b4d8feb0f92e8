#pragma once

#include <QColor>
#include <QFont>
#include <functional>
#include <optional>

#include "GotoEntry.h"
#include "OwnSenseDlg.h"

class QPrinter;
class QWidget;

// How the reading view asks the reader for a page, a colour, a font or a printer.
// The program runs the real modal dialogs; a test puts its answers in their place.
// Each returns nullopt (or false) when the reader cancels.
struct ReadingDialogs {
    // A page or a percentage, asked with the page the reader is on and the page count.
    std::function<std::optional<GotoEntry>(QWidget* parent, int currentPage, int pageCount)>
        gotoPage;
    std::function<std::optional<QColor>(QWidget* parent, const QColor& current)> color;
    std::function<std::optional<QFont>(QWidget* parent, const QFont& current)> font;
    // Lets the reader pick and set up the printer and the pages (1 … pageCount).
    std::function<bool(QWidget* parent, QPrinter& printer, int pageCount)> print;
    // The word's own sense: a line of its entry, or the reader's own gloss (OwnSenseDlg).
    std::function<std::optional<OwnSenseAnswer>(QWidget* parent, const OwnSenseQuestion&)> ownSense;

    static ReadingDialogs Standard();
};
