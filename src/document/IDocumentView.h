#pragma once

// What changed, so that a view re-lays out only when positions can change.
enum class UpdateHint {
    Relayout,  // the text or the glosses changed: lay out again, then repaint
    Repaint,   // only colours, the scroll position or the auto-scroll switch changed
};

// A view registered with the document.
class IDocumentView {
public:
    virtual ~IDocumentView() = default;
    virtual void OnUpdate(UpdateHint hint) = 0;
    // The document's title changed (the window caption shows it).
    virtual void OnTitleChanged() {}
};
