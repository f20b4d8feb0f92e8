#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QSizeF>
#include <cstdint>
#include <optional>
#include <vector>

#include "TextPlace.h"
#include "TextSearch.h"

class CParagraph;
class GlossTextCache;
class QPainter;

// Everything a painting of the strip needs; the painter itself keeps nothing.
struct PageScene {
    const std::vector<CParagraph>* paragraphs = nullptr;  // laid out
    int pageWidth = 800;
    std::int64_t scrollPos = 0;
    QColor pageColor;
    QColor textColor;
    QColor glossColor;
    QColor boxColor = Qt::white;                 // behind each token and gloss
    QColor windowColor = QColor(239, 239, 252);  // around the page band
    QFont textFont;                              // tokens and the page label
    QFont glossFont;                             // derived from the text font once per layout
    // The paragraphs set as titles, in order, drawn in `headingFont` (the layout
    // measured them in it); nullptr for none.
    const std::vector<std::size_t>* headings = nullptr;
    QFont headingFont;
    int lineUnit = 20;
    // The page-break line keeps to the margins where it would cross a line of text.
    bool breakAroundText = false;
    // Glosses start right under their word's descenders rather than half a line down.
    bool glossUnderWord = false;
    // Shown on the page while there is no text: how to start.
    QString emptyPageText;
    // A word underlined in the gloss colour: the one just put in the word book.
    std::optional<WordPlace> markedWord;
    // The find bar's matches, painted behind their letters (the current one in its own
    // colour); nullptr for none. Only for the text they were found in.
    const std::vector<SearchHit>* findHits = nullptr;
    std::size_t currentHit = SIZE_MAX;
    QColor hitColor = QColor(255, 226, 110);
    QColor currentHitColor = QColor(255, 160, 70);
};

// What the page says while no text is open: how to bring one in, what the glosses and
// the vocabulary slider are, and where help is.
QString EmptyPageText();

// 0x00BBGGRR as a colour.
inline QColor ToQColor(std::uint32_t colorRef) {
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                  static_cast<int>((colorRef >> 16) & 0xFF));
}

// Paints a window of outer size `window` onto any painter (the view, an image, a
// printer): background, page band with its shadow, the visible tokens and glosses,
// the next page-break line and its page label. Nothing is measured but the drawn
// strings' boxes; positions come from the layout.
void PaintPage(QPainter& painter, QSize window, const PageScene& scene, GlossTextCache& glosses);

// One sheet of a printout: page `page` (0-based) of the strip, the page band with
// its tokens, glosses, shadow and page label as the window shows them, scaled to fill
// `printable` (in the painter's units) across. Lines that straddle the page's edges
// are cut there, as the strip would be with scissors, glosses included. The outside
// of the band stays unprinted.
void PaintPrintedPage(QPainter& painter, QSizeF printable, const PageScene& scene,
                      std::int64_t page, GlossTextCache& glosses);
