#include "CVellumwiseView.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <cstdlib>

#include "CVellumwiseDoc.h"
#include "PageGeometry.h"
#include "PagePainter.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "TextLayout.h"

CVellumwiseView::CVellumwiseView(CVellumwiseDoc& doc, QWidget* parent)
    : QAbstractScrollArea(parent), m_doc(doc) {
    // The painting covers the whole window; no frame, so the viewport starts at the
    // window's own top-left corner like the strip's window coordinates.
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
    m_doc.AddView(this);
}

CVellumwiseView::~CVellumwiseView() { m_doc.RemoveView(this); }

void CVellumwiseView::OnUpdate(UpdateHint hint) {
    if (hint == UpdateHint::Relayout) {
        LayoutText();
    }
    RedrawView();
}

void CVellumwiseView::SyncFonts() {
    if (m_bFontsMade && m_fontRecord == m_doc.m_fontText) {
        return;
    }
    m_fontRecord = m_doc.m_fontText;
    m_fontText = ToQFont(m_fontRecord);
    m_fontGloss = ToQFont(GlossFontOf(m_fontRecord));
    m_nLineUnit = std::abs(m_fontRecord.lfHeight);
    m_pMeasurer = std::make_unique<QtTextMeasurer>(m_fontText, m_nLineUnit);
    m_bFontsMade = true;
}

void CVellumwiseView::LayoutText() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    SyncFonts();
    // The glosses may have changed with the text; the decoded ones go with them.
    m_glosses.Clear();
    m_doc.m_nTextHeight = ::LayoutText(m_doc.m_paragraphs.m_arrParagraphs, *m_pMeasurer, m_doc.m_nPageWidth);
    QGuiApplication::restoreOverrideCursor();
}

PageScene CVellumwiseView::Scene() const {
    PageScene scene;
    scene.paragraphs = &m_doc.m_paragraphs.m_arrParagraphs;
    scene.pageWidth = m_doc.m_nPageWidth;
    scene.scrollPos = m_doc.m_nScrollPos;
    scene.pageColor = ToQColor(m_doc.m_crPage);
    scene.textColor = ToQColor(m_doc.m_crText);
    scene.glossColor = ToQColor(m_doc.m_crGloss);
    scene.textFont = m_fontText;
    scene.glossFont = m_fontGloss;
    scene.lineUnit = m_nLineUnit;
    return scene;
}

void CVellumwiseView::RedrawView() {
    SyncFonts();
    {
        // Setting the bar is not a scroll of the reader's.
        const QSignalBlocker blocker(verticalScrollBar());
        verticalScrollBar()->setRange(0, m_doc.m_nTextHeight);
        verticalScrollBar()->setPageStep(std::max(1, height() / 2));
        verticalScrollBar()->setSingleStep(10);
        verticalScrollBar()->setValue(m_doc.m_nScrollPos);
    }
    emit pageTextChanged(QString::fromStdString(PageStatusText(m_doc.m_nScrollPos, m_doc.m_nTextHeight)));
    viewport()->repaint();
}

void CVellumwiseView::paintEvent(QPaintEvent*) {
    SyncFonts();
    QPainter painter(viewport());
    PaintPage(painter, WindowSize(), Scene(), m_glosses);
}

void CVellumwiseView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    RedrawView();
}

void CVellumwiseView::scrollContentsBy(int, int) {
    m_doc.m_nScrollPos = verticalScrollBar()->value();
    RedrawView();
}
