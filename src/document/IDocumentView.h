#pragma once

#include <cstdint>

class CParagraphList;

// What changed, so that each view does only what the change needs.
enum class UpdateHint {
    Text,      // a new text (or none): everything is laid out and drawn anew
    Glosses,   // the glosses changed; positions stay, the decoded glosses go
    Font,      // the font, the gloss size or the page width: positions change
    Look,      // colours, the scheme or the auto-scroll switch: repaint only
    Position,  // the scroll position: repaint only
};

// True for the changes after which the text is laid out again.
constexpr bool MovesTokens(UpdateHint hint) {
    return hint == UpdateHint::Text || hint == UpdateHint::Font;
}

// A view registered with the document.
class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(UpdateHint hint) = 0;
    // The document's title changed (the window caption shows it).
    virtual void OnTitleChanged() {}
};

// What a layout leaves for the document to keep.
struct LayoutOutcome {
    std::int64_t textHeight = 0;  // the scroll range, in layout pixels
    std::int64_t scrollPos = 0;   // the position that keeps the reader's place
};

// Lays the document's text out over the window's fonts. The document asks for it
// after every change that moves tokens, before any view is told, and keeps the
// outcome: the layout's results (the token positions and paragraph tops written
// into `text`, the text height, the kept position) are the document's and are
// written only then.
class ITextLayouter {
public:
    virtual ~ITextLayouter() = default;
    virtual LayoutOutcome LayOut(CParagraphList& text) = 0;
};
