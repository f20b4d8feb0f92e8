#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QPointer>
#include <QTimer>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "CVellumwiseDoc.h"
#include "GlossTextCache.h"
#include "IDocumentView.h"
#include "ParagraphFlow.h"
#include "ReadingDialogs.h"
#include "ReadingFont.h"
#include "ScrollCommands.h"
#include "TextSearch.h"
#include "WordCardContent.h"
#include "WordHitTest.h"

class CGlossPopupDlg;
class MarkedScrollBar;
class WordCardDlg;
class WordSpeaker;
class QMenu;
class QPrinter;
class QtTextMeasurer;
struct PageScene;

// The reading view: the document's text as one long strip of double-height lines on
// a centred page band, scrolled by the document's m_nScrollPos. All reading state is
// the document's; the view keeps only what is derived from the font (the real fonts
// and the width cache), the decoded glosses, the word popup and the auto-scroll timer.
class CVellumwiseView : public QAbstractScrollArea, public IDocumentView, public ITextLayouter {
    Q_OBJECT

public:
    static constexpr int kAutoScrollMilliseconds = 120;

    explicit CVellumwiseView(CVellumwiseDoc& doc, QWidget* parent = nullptr);
    ~CVellumwiseView() override;

    CVellumwiseDoc& GetDocument() const { return m_doc; }

    // The document has laid the text out already when the change moved tokens; a
    // gloss change drops the decoded glosses; every change repaints.
    void OnUpdate(UpdateHint hint) override;
    // Positions every token of `text` over the view's fonts and finds the position
    // that keeps the first word on top (a new text: the place it opens at, or the
    // position the document set). Asked by the document only (see ITextLayouter).
    LayoutOutcome LayOut(CParagraphList& text) override;

    // Asks the document to lay its text out again now, as after a font change.
    void LayoutText();
    // The first word the window shows whole, in the text it last laid out; none
    // before the text's first layout or past its last line.
    std::optional<WordPlace> TopWord() const;
    // Brings the scroll bar and the page text up to date and repaints the whole
    // window at once. Called after every change.
    void RedrawView();

    // The window's outer size (scroll bar included), the W and H of the layout.
    QSize WindowSize() const { return size(); }
    // What a painting of the window needs, for the view itself, images and printing.
    PageScene Scene() const;
    GlossTextCache& Glosses() { return m_glosses; }

    // "token:gloss" for the token under a window point, or an empty string when no
    // whole token is there. A word the vocabulary step leaves unglossed shows its
    // dictionary gloss all the same, or "（词典中没有这个词）" when it has none;
    // tokens without letters and one-letter words show nothing after the colon.
    QString HitTestWord(QPoint point);

    // What the reader can do with one word of the page (WordActions.cpp).
    enum class WordAction { MarkKnown, MarkNew, Unmark, ChooseSense, AddToWordBook, OpenWordBook };
    // The command for each, made once by the view: "认识这个词" (Y), "标为生词" (N),
    // "取消标记" (U), "选择释义…" (E), "加入单词本" (B), "单词本…" (W). The window shows them in
    // its menus; they act on the word a context menu showed while it is open, and on the word under
    // the pointer otherwise.
    QAction* WordCommand(WordAction action) const;
    // The word's context menu at a viewport point, with those commands; null when no
    // whole word is there.
    std::unique_ptr<QMenu> MakeWordMenu(QPoint point);
    // Applies the action to the word at a viewport point; false when none is there.
    bool ApplyToWordAt(QPoint point, WordAction action);

    // Prints the pages of the strip the printer's range names (all when it names
    // none), one sheet each, on a printer already set up. False when the printer
    // could not be started.
    bool PrintText(QPrinter& printer);

    // The heading lines of the text last laid out (HeadingsOf): a plain text's
    // chapters. Empty before its first layout.
    const std::vector<std::size_t>& TextHeadings() const;

    // Scrolls so that the paragraph's top is at the window's top (a chapter's
    // start); an index past the text changes nothing.
    void ScrollToParagraph(std::size_t index);

    // Finding one's way (WayFinding.cpp).
    // The text's chapters: the book's table of contents, else the heading lines the
    // layout found (a plain text's), titled as written. Empty before the first layout.
    const std::vector<BookChapter>& Chapters() const;
    // The paragraph of the window's top word; past the last line, the paragraph count.
    std::size_t TopParagraph() const;
    // The chapter the window's top is in; none before the first chapter or without any.
    std::optional<std::size_t> ChapterAtTop() const;
    // Scrolls the word's line to the top; a place past the end of a text that changed
    // since lands on its last word.
    void ScrollToWord(WordPlace place);
    // The token number of the word at the window's top in the whole text, and the
    // text's token count: how far the reader is, in the reading pace's units.
    std::size_t TopToken() const;
    std::size_t TextTokenCount() const;
    // The token number at which a paragraph starts (the count past the last one).
    std::size_t FirstTokenOf(std::size_t paragraph) const;
    // "第N页/共M页 · 37% · CHAPTER III": where a position of the strip is, as the scroll
    // bar's tip shows it while the thumb is dragged.
    QString PlaceText(std::int64_t pos) const;

    // The dialogs the commands run; tests replace them.
    ReadingDialogs m_dialogs = ReadingDialogs::Standard();
    // The open word popup, or null; owned by the view.
    QPointer<CGlossPopupDlg> m_pPopup;
    // The open word card, or null; owned by the view (WordCardView.cpp).
    QPointer<WordCardDlg> m_pCard;
    std::optional<WordHit> m_cardWord;  // the word the open card is for
    std::uint64_t m_nCardText = 0;      // in the document's text of this TextSerial()
    // "查看词条" (D): the card of the word under the pointer, from the keyboard; made on
    // first use, a child of the view.
    QAction* CardCommand();
    // Opens the card of the word at a viewport point; false when no word is there.
    bool OpenWordCard(QPoint point);
    void CloseWordCard();
    // "朗读" (S): says the selection, or the word under the pointer, without waiting;
    // disabled, its tooltip saying why, when no speech engine works.
    QAction* SpeakCommand();
    void UpdateSpeakCommand();
    // What says words aloud, for the commands, the cards and the panel; made on first use.
    WordSpeaker* Speaker();

    // The words selected with the mouse (TextSelection.cpp), as the text writes them,
    // paragraphs on lines of their own; empty when none.
    QString SelectedText() const;
    // Puts the selection on the clipboard (复制, Ctrl+C); false when nothing is selected.
    bool CopySelection();
    void ClearSelection();

    // Finding in the text (FindInView.cpp). The matches belong to the view, found in
    // the text it shows; a new text, or new glosses for a search of glosses, is
    // searched again for the same query. Each change is told by findChanged.
    struct FindStatus {
        std::size_t current = 0;  // 1-based; 0: none
        std::size_t total = 0;
        bool capped = false;  // more matches than TextSearch keeps
    };
    // Finds the query and stands on its first match at or after the match stood on
    // (or, when finding starts, the word at the top of the window); the window moves
    // only when that match is not in it. An empty query finds nothing.
    void Find(const SearchQuery& query);
    // The next or the previous match, round the end of the text; the first from the
    // top of the window when none is stood on.
    void FindNext();
    void FindPrevious();
    // The marks go; the window stays where the last match put it.
    void StopFinding();
    FindStatus FindState() const;
    const std::vector<SearchHit>& FindHits() const { return m_found.hits; }
    // The ticks of the matches on the scroll bar.
    MarkedScrollBar* MarkedBar() const { return m_pMarkedBar; }

public slots:
    // Commands routed to the view.
    void OnLineDown();
    void OnLineUp();
    void OnHalfPageDown();
    void OnHalfPageUp();
    void OnTextEnd();
    void OnTextHome();
    void OnGotoPage();
    void OnTextColor();
    void OnGlossColor();
    void OnPageColor();
    void OnTextFont();
    void OnAutoScroll();
    void OnFilePrint();
    // To the start of the next chapter; to the start of this one, or from there the one
    // before. False when there is none that way (the window stays).
    bool OnNextChapter();
    bool OnPreviousChapter();
    // One automatic-scrolling step (the timer's tick).
    void OnTimer();
    // The reader's keys for the word under the mouse pointer.

signals:
    // "第%d页/共%d页" after each redraw, for the frame's status bar.
    void pageTextChanged(const QString& text);
    // The view's auto-scroll timer started or stopped with the document's switch.
    void autoScrollChanged(bool on);
    // The reader asked for the word book dialog from a word's menu.
    void wordBookRequested();
    // A short report for the status bar: what a word command did.
    void statusMessage(const QString& text);
    // The matches or the one stood on changed.
    void findChanged();
    // The reader held, clicked or opened the card of a word: its card's content, for
    // the dictionary panel.
    void wordLookedUp(const WordCardContent& content);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Rebuilds the fonts and drops the width cache when the document's font changed.
    void SyncFonts();
    void ScrollTo(std::int64_t pos);
    // How the document's positions map onto the int-based scroll bar.
    ScrollCommands::ScrollBarScale BarScale() const;
    // Runs the go-to-page dialog and jumps; false when the reader cancelled.
    bool GotoPage();
    void ChooseColor(ColorRef ReadingColors::*which);
    // The timer runs while the document's auto-scroll switch is on.
    void SyncAutoScrollTimer();
    void OnScrollBarAction(int action);
    void OnMouseWheel(const QWheelEvent& event);
    void ClosePopup();
    WordCardContent CardContentAt(const WordHit& hit);
    // The words of a phrase one of whose pieces the paragraph holds, in order.
    std::vector<std::string> PhraseWords(std::size_t paragraph,
                                         const CParagraphList::PhraseSpan& phrase) const;
    // Asks the reader for the word's own sense (m_dialogs.ownSense) and gives it to
    // every occurrence; false when no word is there or the reader cancelled.
    bool ChooseOwnSense(const WordHit& hit);
    std::optional<std::pair<WordHit, WordHit>> SelectionRange() const;
    void StartSelection(QPoint point);
    void ExtendSelection(QPoint point);
    void FinishSelection();
    void PaintSelection(QPainter& painter);
    std::optional<WordHit> HitWord(QPoint point);
    std::optional<WordHit> WordAt(QPoint point);
    void CreateWordCommands();
    bool ApplyToWord(const WordHit& hit, WordAction action);
    bool CollectWord(const WordHit& hit);
    void ApplyToCommandWord(WordAction action);

    // After a text, gloss or layout change: the matches found again, their ticks.
    void UpdateFinding(UpdateHint hint);
    void StandOnHit(std::size_t index, bool show);
    void UpdateFindMarks();

    CVellumwiseDoc& m_doc;
    MarkedScrollBar* m_pMarkedBar = nullptr;  // the view's scroll bar, owned by it
    TextSearch m_search;
    SearchQuery m_findQuery;
    SearchResult m_found;
    std::uint64_t m_nFoundText = UINT64_MAX;  // TextSerial() of the text m_found is of
    std::size_t m_nCurrentHit = SIZE_MAX;
    // Where typing on searches from: the match last stood on, or the top word.
    std::optional<WordPlace> m_findFrom;
    ReadingFont m_fontRecord;  // the record the fonts below were made from
    int m_nGlossPercent = 0;   // and the gloss size
    bool m_bFontsMade = false;
    QFont m_fontText;
    QFont m_fontGloss;
    int m_nLineUnit = 20;
    std::unique_ptr<QtTextMeasurer> m_pMeasurer;
    GlossTextCache m_glosses;
    // How the book layout flows the text's lines, found for the document's TextSerial()
    // m_nFlowText.
    BookFlow m_flow;
    std::uint64_t m_nFlowText = UINT64_MAX;
    // The document's TextSerial() when the view last laid it out.
    std::uint64_t m_nLaidOutText = UINT64_MAX;
    // The word a new layout or a restore put at the top, at that scroll position: while
    // the reader does not scroll it stays the top word, though it may not open its
    // line, so a run of changes does not creep back one line each.
    struct KeptTop {
        WordPlace word;
        std::int64_t scrollPos = 0;
        std::uint64_t text = UINT64_MAX;
    };
    std::optional<KeptTop> m_keptTop;
    QTimer m_timerAutoScroll;
    std::array<QAction*, 6> m_wordCommands{};  // by WordAction, owned as children
    std::optional<WordHit> m_menuWord;         // while a word's context menu lives
    QAction* m_pCardCommand = nullptr;
    QAction* m_pSpeakCommand = nullptr;
    WordSpeaker* m_pSpeaker = nullptr;  // a child of the view, made with the command
    bool m_bCardNoteShown = false;      // "完整词条不可用" was said this run
    // The selection runs from the word pressed to the word dragged to.
    std::optional<WordHit> m_selectionAnchor;
    std::optional<WordHit> m_selectionEnd;
    bool m_bSelecting = false;  // a drag is under way
    // The word last put in the word book, marked until the reader turns the page (moves a
    // window's height away) or another text comes.
    struct CollectedMark {
        WordPlace word;
        std::int64_t scrollPos = 0;
        std::uint64_t text = UINT64_MAX;
    };
    std::optional<CollectedMark> m_collectedMark;
    std::optional<WordPlace> CollectedWordShown() const;
    // The paragraph whose line is at layout y `pos`.
    std::size_t ParagraphAt(std::int64_t pos) const;
    void ShowDragTip();
    // Chapters() for the text m_nChaptersText.
    mutable std::vector<BookChapter> m_chapters;
    mutable std::uint64_t m_nChaptersText = UINT64_MAX;
};
