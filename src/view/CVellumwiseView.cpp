#include "CVellumwiseView.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWheelEvent>
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <limits>

#include "CGlossPopupDlg.h"
#include "CParagraph.h"
#include "CVellumwiseDoc.h"
#include "LowerCaseWord.h"
#include "MarkedScrollBar.h"
#include "PagePainter.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "ScrollCommands.h"
#include "StripGeometry.h"
#include "TextLayout.h"
#include "TopWord.h"
#include "WordCardDlg.h"
#include "WordHitTest.h"

using namespace ScrollCommands;

CVellumwiseView::CVellumwiseView(CVellumwiseDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc), m_pMarkedBar(new MarkedScrollBar(this)) {
    setVerticalScrollBar(m_pMarkedBar);
    // The painting covers the whole window; no frame, so the viewport starts at the
    // window's own top-left corner like the strip's window coordinates.
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    // The bar's own arithmetic would clamp at both ends and could not leave the
    // position outside the range; each of its actions is ours instead.
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            &CVellumwiseView::OnScrollBarAction);
    // Letting go of the thumb moves nothing but repaints.
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            &CVellumwiseView::RedrawView);
    connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this,
            [] { QToolTip::hideText(); });
    // The wheel over the bar scrolls like the wheel over the page.
    verticalScrollBar()->installEventFilter(this);
    m_timerAutoScroll.setInterval(kAutoScrollMilliseconds);
    connect(&m_timerAutoScroll, &QTimer::timeout, this, &CVellumwiseView::OnTimer);
    CreateWordCommands();
    m_doc.AddView(this);
    m_doc.SetLayouter(this);
}

CVellumwiseView::~CVellumwiseView() {
    // A popup still open (the window closed with the button held) goes with the view.
    delete m_pPopup.data();
    delete m_pCard.data();
    m_doc.RemoveView(this);
    m_doc.DropLayouter(this);
}

void CVellumwiseView::OnUpdate(UpdateHint hint) {
    if (hint == UpdateHint::Glosses) {
        m_glosses.Clear();
    }
    if (hint == UpdateHint::Text) {
        m_menuWord.reset();  // its paragraph and token numbers were of the old text
        ClearSelection();
    }
    SyncAutoScrollTimer();
    UpdateFinding(hint);
    RedrawView();
}

void CVellumwiseView::SyncAutoScrollTimer() {
    if (m_timerAutoScroll.interval() != m_doc.AutoScrollInterval()) {
        m_timerAutoScroll.setInterval(m_doc.AutoScrollInterval());
    }
    if (m_doc.m_bAutoScroll == m_timerAutoScroll.isActive()) {
        return;
    }
    if (m_doc.m_bAutoScroll) {
        m_timerAutoScroll.start();
    } else {
        m_timerAutoScroll.stop();
    }
    emit autoScrollChanged(m_doc.m_bAutoScroll);
}

void CVellumwiseView::SyncFonts() {
    if (m_bFontsMade && m_fontRecord == m_doc.m_fontText &&
        m_nGlossPercent == m_doc.m_nGlossPercent) {
        return;
    }
    m_fontRecord = m_doc.m_fontText;
    m_nGlossPercent = m_doc.m_nGlossPercent;
    m_fontText = ToQFont(m_fontRecord);
    m_fontGloss = ToGlossQFont(m_fontRecord, m_nGlossPercent);
    m_nLineUnit = LineUnitOf(m_fontRecord, m_fontText, m_fontGloss);
    m_pMeasurer = std::make_unique<QtTextMeasurer>(m_fontText, m_nLineUnit);
    m_bFontsMade = true;
}

std::optional<WordPlace> CVellumwiseView::TopWord() const {
    if (m_nLaidOutText != m_doc.TextSerial()) {
        return std::nullopt;
    }
    if (m_keptTop && m_keptTop->text == m_nLaidOutText &&
        m_keptTop->scrollPos == m_doc.m_nScrollPos) {
        return m_keptTop->word;
    }
    return FirstWordFrom(m_doc.m_paragraphs.m_arrParagraphs, m_doc.m_nScrollPos, m_nLineUnit);
}

LayoutOutcome CVellumwiseView::LayOut(CParagraphList& text) {
    const auto& paragraphs = text.m_arrParagraphs;
    const std::int64_t oldPos = m_doc.m_nScrollPos;
    const bool sameText = m_nLaidOutText == m_doc.TextSerial();
    const bool pastEnd = sameText && oldPos >= m_doc.m_nTextHeight;
    // The word to keep on top comes from the layout being replaced; a new text brings
    // its own place, or none.
    const std::optional<WordPlace> kept = sameText ? TopWord() : m_doc.PlaceToShow();
    const std::int64_t oldWordTop = kept && sameText ? WordTop(paragraphs, *kept, m_nLineUnit) : 0;

    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SyncFonts();
    // The glosses may have changed with the text; the decoded ones go with them.
    m_glosses.Clear();
    // How the lines flow depends on the text alone: found once per text.
    if (m_nFlowText != m_doc.TextSerial()) {
        m_flow = BookFlow::Of(text);
        m_nFlowText = m_doc.TextSerial();
    }
    LayoutOutcome outcome;
    outcome.textHeight =
        ::LayoutText(text, *m_pMeasurer, m_doc.m_nPageWidth, m_doc.PageLayoutChoice(), &m_flow);
    outcome.scrollPos = oldPos;
    QGuiApplication::restoreOverrideCursor();

    m_nLaidOutText = m_doc.TextSerial();
    m_keptTop.reset();
    if (pastEnd) {
        outcome.scrollPos = outcome.textHeight;
    } else if (kept) {
        const WordPlace word = ClampPlace(paragraphs, *kept);
        outcome.scrollPos =
            sameText ? ScrollPosKeeping(paragraphs, word, oldPos, oldWordTop, m_nLineUnit)
            : word == WordPlace{} ? 0  // a text kept at its start opens as it first did
                                  : WordTop(paragraphs, word, m_nLineUnit);
        m_keptTop = KeptTop{word, outcome.scrollPos, m_nLaidOutText};
    }
    return outcome;
}

void CVellumwiseView::LayoutText() { m_doc.UpdateAllViews(UpdateHint::Font); }

PageScene CVellumwiseView::Scene() const {
    PageScene scene;
    scene.paragraphs = &m_doc.m_paragraphs.m_arrParagraphs;
    scene.pageWidth = m_doc.m_nPageWidth;
    scene.scrollPos = m_doc.m_nScrollPos;
    scene.pageColor = ToQColor(m_doc.m_crPage);
    scene.textColor = ToQColor(m_doc.m_crText);
    scene.glossColor = ToQColor(m_doc.m_crGloss);
    scene.boxColor = ToQColor(BoxColor(m_doc.m_colorScheme, m_doc.m_crPage));
    scene.windowColor = ToQColor(ColorsOf(m_doc.m_colorScheme).window);
    scene.textFont = m_fontText;
    scene.glossFont = m_fontGloss;
    scene.lineUnit = m_nLineUnit;
    scene.emptyPageText = EmptyPageText();
    // The book page's rhythm; the original page keeps its fixed places.
    scene.breakAroundText = m_doc.PageLayoutChoice() == PageLayout::Book;
    scene.glossUnderWord = scene.breakAroundText;
    if (scene.breakAroundText) {
        scene.headings = &TextHeadings();
        scene.headingFont = HeadingFontOf(m_fontText);
    }
    scene.markedWord = CollectedWordShown();
    if (m_nFoundText == m_doc.TextSerial() && !m_found.hits.empty()) {
        scene.findHits = &m_found.hits;
        scene.currentHit = m_nCurrentHit;
        const FindColors colors = FindColorsFor(m_doc.m_crText);
        scene.hitColor = ToQColor(colors.hit);
        scene.currentHitColor = ToQColor(colors.current);
    }
    return scene;
}

std::optional<WordPlace> CVellumwiseView::CollectedWordShown() const {
    if (!m_collectedMark || m_collectedMark->text != m_doc.TextSerial() ||
        std::abs(m_doc.m_nScrollPos - m_collectedMark->scrollPos) >=
            std::max(1, viewport()->height())) {
        return std::nullopt;
    }
    return m_collectedMark->word;
}

void CVellumwiseView::RedrawView() {
    SyncFonts();
    if (!CollectedWordShown()) {
        m_collectedMark.reset();  // the page has turned: the mark does not come back
    }
    {
        // Setting the bar is not a scroll of the reader's.
        const QSignalBlocker blocker(verticalScrollBar());
        const ScrollBarScale scale = BarScale();
        verticalScrollBar()->setRange(0, scale.ToBar(m_doc.m_nTextHeight));
        verticalScrollBar()->setPageStep(std::max(1, scale.ToBar(HalfWindow(height()))));
        verticalScrollBar()->setSingleStep(std::max(1, scale.ToBar(kLineStep)));
        verticalScrollBar()->setValue(scale.ToBar(m_doc.m_nScrollPos));
    }
    emit pageTextChanged(
        QString::fromStdString(PageStatusText(m_doc.m_nScrollPos, m_doc.m_nTextHeight)));
    viewport()->repaint();
}

void CVellumwiseView::paintEvent(QPaintEvent*) {
    SyncFonts();
    QPainter painter(viewport());
    PaintPage(painter, WindowSize(), Scene(), m_glosses);
    PaintSelection(painter);
}

void CVellumwiseView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    RedrawView();
}

void CVellumwiseView::scrollContentsBy(int, int) {
    // Only a program setting the bar's value arrives here; the reader's moves of the
    // bar go through OnScrollBarAction.
    m_doc.ScrollTo(BarScale().FromBar(verticalScrollBar()->value()));
}

ScrollBarScale CVellumwiseView::BarScale() const {
    return ScrollBarScale::ForTextHeight(m_doc.m_nTextHeight);
}

void CVellumwiseView::ScrollTo(std::int64_t pos) { m_doc.ScrollTo(pos); }

const std::vector<std::size_t>& CVellumwiseView::TextHeadings() const {
    static const std::vector<std::size_t> none;
    return m_nFlowText == m_doc.TextSerial() ? m_flow.headings : none;
}

void CVellumwiseView::ScrollToParagraph(std::size_t index) {
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    if (index < paragraphs.size()) {
        ScrollTo(paragraphs[index].m_nTop);
    }
}

void CVellumwiseView::OnLineDown() {
    ScrollTo(StepDown(m_doc.m_nScrollPos, kLineStep, m_doc.m_nTextHeight));
}
void CVellumwiseView::OnLineUp() { ScrollTo(StepUp(m_doc.m_nScrollPos, kLineStep)); }
void CVellumwiseView::OnHalfPageDown() {
    ScrollTo(StepDown(m_doc.m_nScrollPos, HalfWindow(height()), m_doc.m_nTextHeight));
}
void CVellumwiseView::OnHalfPageUp() { ScrollTo(StepUp(m_doc.m_nScrollPos, HalfWindow(height()))); }
void CVellumwiseView::OnTextEnd() { ScrollTo(m_doc.m_nTextHeight); }
void CVellumwiseView::OnTextHome() { ScrollTo(0); }

bool CVellumwiseView::GotoPage() {
    const std::int64_t pages = PageCount(m_doc.m_nTextHeight);
    const int count = static_cast<int>(std::min<std::int64_t>(pages, INT_MAX));
    const int current =
        static_cast<int>(std::clamp<std::int64_t>(CurrentPage(m_doc.m_nScrollPos), 1, count));
    const std::optional<GotoEntry> entry = m_dialogs.gotoPage(this, current, count);
    if (!entry) {
        return false;
    }
    ScrollTo(entry->percent ? ScrollCommands::AtPercent(*entry->percent, m_doc.m_nTextHeight)
                            : ScrollCommands::GotoPage(entry->page, m_doc.m_nTextHeight));
    return true;
}

void CVellumwiseView::OnGotoPage() { GotoPage(); }

void CVellumwiseView::ChooseColor(ColorRef ReadingColors::*which) {
    ReadingColors colors = m_doc.Colors();
    if (const std::optional<QColor> chosen = m_dialogs.color(this, ToQColor(colors.*which))) {
        colors.*which = Rgb(chosen->red(), chosen->green(), chosen->blue());
        m_doc.SetColors(colors);
        return;
    }
    // Cancelled: nothing changed, but the command repaints all the same.
    RedrawView();
}

void CVellumwiseView::OnTextColor() { ChooseColor(&ReadingColors::text); }
void CVellumwiseView::OnGlossColor() { ChooseColor(&ReadingColors::gloss); }
void CVellumwiseView::OnPageColor() { ChooseColor(&ReadingColors::page); }

void CVellumwiseView::OnTextFont() {
    const int dpi = logicalDpiY();
    if (const std::optional<QFont> chosen =
            m_dialogs.font(this, ToDialogFont(m_doc.m_fontText, dpi))) {
        m_doc.ChooseReadingFont(ToReadingFont(*chosen, dpi));
        return;
    }
    // Cancelled: the command lays out and repaints all the same.
    LayoutText();
}

void CVellumwiseView::keyPressEvent(QKeyEvent* event) {
    // A card the card key opened stays until the next key, which also closes it.
    if (m_pCard) {
        CloseWordCard();
        if (event->key() == Qt::Key_Escape) {
            event->accept();
            return;
        }
    }
    switch (event->key()) {
        case Qt::Key_Up:
            OnLineUp();
            break;
        case Qt::Key_Down:
            OnLineDown();
            break;
        case Qt::Key_PageUp:
            OnHalfPageUp();
            break;
        case Qt::Key_PageDown:
            OnHalfPageDown();
            break;
        case Qt::Key_Home:
            OnTextHome();
            break;
        case Qt::Key_End:
            OnTextEnd();
            break;
        case Qt::Key_K:
            GotoPage();
            RedrawView();
            break;
        default:
            // The scroll area's own handling would scroll a second time for the keys
            // above; the others are its to handle.
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

void CVellumwiseView::OnScrollBarAction(int action) {
    QScrollBar* bar = verticalScrollBar();
    const std::int64_t pos = m_doc.m_nScrollPos;
    const std::int64_t textHeight = m_doc.m_nTextHeight;
    const ScrollBarScale scale = BarScale();
    std::int64_t moved = pos;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            moved = StepDown(pos, kLineStep, textHeight);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            moved = StepUp(pos, kLineStep);
            break;
        case QAbstractSlider::SliderPageStepAdd:
            moved = StepDown(pos, HalfWindow(height()), textHeight);
            break;
        case QAbstractSlider::SliderPageStepSub:
            moved = StepUp(pos, HalfWindow(height()));
            break;
        case QAbstractSlider::SliderToMinimum:
            moved = 0;
            break;
        case QAbstractSlider::SliderToMaximum:
            moved = textHeight;
            break;
        // The range is 0 … text height, so the position follows the thumb pixel for
        // pixel; Qt's positions are full ints, so a text taller than 65535 drags too.
        // Beyond 2^31 the bar counts in larger units; its end is the text's end.
        case QAbstractSlider::SliderMove:
            moved = bar->sliderPosition() >= bar->maximum() ? textHeight
                                                            : scale.FromBar(bar->sliderPosition());
            break;
        default:
            break;
    }
    // The bar takes its value from the slider position after this returns: make it
    // ours, or the bar would apply its own step a second time.
    bar->setSliderPosition(std::clamp(scale.ToBar(moved), bar->minimum(), bar->maximum()));
    m_doc.ScrollTo(moved);
    // While the thumb is dragged, where it will land: the page and the chapter.
    if (action == QAbstractSlider::SliderMove && bar->isSliderDown()) {
        ShowDragTip();
    }
}

void CVellumwiseView::OnMouseWheel(const QWheelEvent& event) {
    const bool shiftAlone =
        event.modifiers() == Qt::ShiftModifier && event.buttons() == Qt::NoButton;
    int delta = event.angleDelta().y();
    // Some desktops turn a Shift-wheel into a horizontal one.
    if (delta == 0 && (event.modifiers() & Qt::ShiftModifier)) {
        delta = event.angleDelta().x();
    }
    if (delta == 0) {
        return;
    }
    ScrollTo(Wheel(m_doc.m_nScrollPos, delta, shiftAlone, m_doc.m_nTextHeight));
}

void CVellumwiseView::wheelEvent(QWheelEvent* event) {
    OnMouseWheel(*event);
    event->accept();
}

bool CVellumwiseView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == verticalScrollBar() && event->type() == QEvent::Wheel) {
        OnMouseWheel(*static_cast<QWheelEvent*>(event));
        return true;
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

std::optional<WordHit> CVellumwiseView::HitWord(QPoint point) {
    SyncFonts();
    const StripGeometry geometry = StripGeometry::ForWindow(
        WindowSize().width(), WindowSize().height(), m_doc.m_nPageWidth, m_doc.m_nScrollPos);
    return FindWordAt(m_doc.m_paragraphs.m_arrParagraphs, geometry, m_nLineUnit, point.x(),
                      point.y());
}

QString CVellumwiseView::HitTestWord(QPoint point) {
    const std::optional<WordHit> hit = HitWord(point);
    if (!hit) {
        return {};
    }
    const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph];
    const std::string_view word = paragraph.Word(hit->token);
    QString text = QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
    if (m_doc.m_paragraphs.IsSkippedName(paragraph, hit->token)) {
        return text + QStringLiteral("（人名）");
    }
    text += QLatin1Char(':');
    // A piece of a phrase: the phrase and its gloss first, then the word's own.
    if (const auto phrase = m_doc.m_paragraphs.PhraseAt(paragraph, hit->token)) {
        text += QStringLiteral("【") +
                QString::fromUtf8(phrase->headword.data(),
                                  static_cast<qsizetype>(phrase->headword.size())) +
                QStringLiteral("】") + m_glosses.Text(phrase->gloss);
        LowerCaseWord lower;
        const std::string_view own =
            m_doc.m_dicMain.TranslateView(lower.Of(word), std::numeric_limits<double>::infinity(),
                                          m_doc.m_bShowMedical, m_doc.m_bShowScience);
        return own.empty() ? text : text + QStringLiteral("；") + m_glosses.Text(own);
    }
    std::string_view gloss = paragraph.Gloss(hit->token);
    if (!gloss.empty()) {
        text += m_glosses.Text(gloss);
        // The sense this use chose first, then the entry's own gloss after it.
        if (paragraph.GlossChosenByContext(hit->token)) {
            LowerCaseWord lower;
            if (const auto entry = m_doc.m_dicMain.FindReachedEntry(lower.Of(word))) {
                text += QStringLiteral("；") +
                        m_glosses.Text(m_doc.m_dicMain.m_arrItems[*entry].m_strGloss);
            }
        }
        return text;
    }
    // The reader asked about a word the vocabulary step hides: the dictionary's
    // gloss all the same, whatever the step.
    if (std::none_of(word.begin(), word.end(),
                     [](char c) { return std::isalpha(static_cast<unsigned char>(c)); }) ||
        word.size() < 2) {
        return text;
    }
    LowerCaseWord lower;
    gloss = m_doc.m_dicMain.TranslateView(lower.Of(word), std::numeric_limits<double>::infinity(),
                                          m_doc.m_bShowMedical, m_doc.m_bShowScience);
    return text + (gloss.empty() ? QStringLiteral("（词典中没有这个词）") : m_glosses.Text(gloss));
}

void CVellumwiseView::ClosePopup() {
    CloseWordCard();
    if (m_pPopup) {
        m_pPopup->hide();
        delete m_pPopup.data();
    }
    m_pPopup = nullptr;
}

void CVellumwiseView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ClosePopup();
        const QPoint point = event->position().toPoint();
        StartSelection(point);
        const QString text =
            m_doc.WordCardOn() && OpenWordCard(point) ? QString() : HitTestWord(point);
        if (!text.isEmpty()) {
            const std::optional<WordHit> hit = HitWord(point);
            const StripGeometry geometry =
                StripGeometry::ForWindow(WindowSize().width(), WindowSize().height(),
                                         m_doc.m_nPageWidth, m_doc.m_nScrollPos);
            // A hit word's double line lies wholly inside the window: int is enough.
            const WordBox box = WordBoxOf(m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph],
                                          hit->token, geometry, m_nLineUnit);
            const QRect line(viewport()->mapToGlobal(QPoint(0, static_cast<int>(box.top))),
                             viewport()->mapToGlobal(QPoint(viewport()->width() - 1,
                                                            static_cast<int>(box.bottom) - 1)));
            m_pPopup = new CGlossPopupDlg(this);
            m_pPopup->m_strText = text;
            m_pPopup->ShowByLine(viewport()->mapToGlobal(point), line);
            // The panel shows the whole entry of a word the one-line popup glosses.
            if (hit && isSignalConnected(QMetaMethod::fromSignal(&CVellumwiseView::wordLookedUp)) &&
                m_doc.m_paragraphs.m_arrParagraphs[hit->paragraph].WordId(hit->token) !=
                    WordTable::kNoWord) {
                emit wordLookedUp(CardContentAt(*hit));
            }
        }
    }
    QAbstractScrollArea::mousePressEvent(event);
}

void CVellumwiseView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ClosePopup();
        FinishSelection();
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void CVellumwiseView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        ExtendSelection(event->position().toPoint());
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CVellumwiseView::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt delivers the second press of a double click as this event alone, so it
    // opens no popup.
    if (event->button() == Qt::LeftButton) {
        OnAutoScroll();
    }
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void CVellumwiseView::OnAutoScroll() { m_doc.SetAutoScroll(!m_doc.m_bAutoScroll); }

void CVellumwiseView::OnTimer() {
    // Paused while a menu or a dialog is open: the page must not move from under a
    // word the reader is choosing something for. It goes on when they close.
    if (QApplication::activePopupWidget() != nullptr ||
        QApplication::activeModalWidget() != nullptr) {
        return;
    }
    // At the end of the text the timer keeps running but nothing moves or repaints,
    // until the reader switches it off.
    if (m_doc.m_bAutoScroll && m_doc.m_nScrollPos < m_doc.m_nTextHeight) {
        ScrollTo(m_doc.m_nScrollPos + 1);
    }
}

void CVellumwiseView::OnFilePrint() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(m_doc.GetTitle()));
    // The dialog counts pages in ints.
    const int pages = static_cast<int>(
        std::min<std::int64_t>(PageCount(m_doc.m_nTextHeight), std::numeric_limits<int>::max()));
    if (m_dialogs.print(this, printer, pages)) {
        PrintText(printer);
    }
}

bool CVellumwiseView::PrintText(QPrinter& printer) {
    SyncFonts();
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const QSizeF printable = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    PageScene scene = Scene();
    scene.findHits = nullptr;  // the marks of a search are the window's, not the paper's
    // The pages the reader chose in the print dialog (0 … 0: all of them).
    const std::int64_t pages = PageCount(m_doc.m_nTextHeight);
    const std::int64_t first =
        printer.fromPage() > 0 ? std::min<std::int64_t>(printer.fromPage(), pages) - 1 : 0;
    const std::int64_t last =
        printer.toPage() > 0 ? std::min<std::int64_t>(printer.toPage(), pages) - 1 : pages - 1;
    for (std::int64_t page = first; page <= last; ++page) {
        if (page > first) {
            printer.newPage();
        }
        PaintPrintedPage(painter, printable, scene, page, m_glosses);
    }
    return painter.end();
}
