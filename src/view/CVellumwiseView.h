#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <memory>

#include "GlossTextCache.h"
#include "IDocumentView.h"
#include "ReadingFont.h"

class CVellumwiseDoc;
class QtTextMeasurer;
struct PageScene;

// The reading view: the document's text as one long strip of double-height lines on
// a centred page band, scrolled by the document's m_nScrollPos. All reading state is
// the document's; the view keeps only what is derived from the font (the real fonts
// and the width cache) and the decoded glosses.
class CVellumwiseView : public QAbstractScrollArea, public IDocumentView {
    Q_OBJECT

public:
    explicit CVellumwiseView(CVellumwiseDoc& doc, QWidget* parent = nullptr);
    ~CVellumwiseView() override;

    CVellumwiseDoc& GetDocument() const { return m_doc; }

    // Text or glosses changed: lay out again, then repaint. Colours or the scroll
    // position changed: repaint only.
    void OnUpdate(UpdateHint hint) override;

    // Positions every token from the document's text and font and sets the text
    // height. Called after a text, gloss or font change only.
    void LayoutText();
    // Brings the scroll bar and the page text up to date and repaints the whole
    // window at once. Called after every change.
    void RedrawView();

    // The window's outer size (scroll bar included), the W and H of the layout.
    QSize WindowSize() const { return size(); }
    // What a painting of the window needs, for the view itself, images and printing.
    PageScene Scene() const;
    GlossTextCache& Glosses() { return m_glosses; }

public slots:
    // Commands routed to the view. The navigation and display commands, the print
    // command and automatic scrolling are connected here and filled in with the
    // reading interaction.
    void OnLineDown() {}
    void OnLineUp() {}
    void OnHalfPageDown() {}
    void OnHalfPageUp() {}
    void OnTextEnd() {}
    void OnTextHome() {}
    void OnGotoPage() {}
    void OnTextColor() {}
    void OnGlossColor() {}
    void OnPageColor() {}
    void OnTextFont() {}
    void OnAutoScroll() {}
    void OnFilePrint() {}

signals:
    // "第%d页/共%d页" after each redraw, for the frame's status bar.
    void pageTextChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Rebuilds the fonts and drops the width cache when the document's font changed.
    void SyncFonts();

    CVellumwiseDoc& m_doc;
    ReadingFont m_fontRecord;  // the record the fonts below were made from
    bool m_bFontsMade = false;
    QFont m_fontText;
    QFont m_fontGloss;
    int m_nLineUnit = 20;
    std::unique_ptr<QtTextMeasurer> m_pMeasurer;
    GlossTextCache m_glosses;
};
