#include "PagePainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <string_view>

#include "CParagraph.h"
#include "GlossTextCache.h"
#include "PageGeometry.h"
#include "TextLayout.h"

namespace {

const QColor kWindowBackground(239, 239, 252);
const QColor kShadow(50, 50, 50);
const QColor kPageBreak(192, 192, 255);
const QColor kTextBackground(Qt::white);
// Tokens this far outside the window are still drawn, so that a partly visible
// line is complete.
constexpr int kTokenMargin = 50;

// Draws `text` from the top-left of `box` on an opaque white box the size of the
// text, both clipped to `box`, so that each gloss covers the one drawn before it.
void DrawTextInBox(QPainter& painter, const QFontMetrics& metrics, const QRect& box, const QString& text) {
    const QRect cell(box.left(), box.top(), metrics.horizontalAdvance(text), metrics.height());
    painter.fillRect(cell.intersected(box), kTextBackground);
    const QPoint baseline(box.left(), box.top() + metrics.ascent());
    if (box.contains(cell)) {
        painter.drawText(baseline, text);
        return;
    }
    painter.save();
    painter.setClipRect(box, Qt::IntersectClip);
    painter.drawText(baseline, text);
    painter.restore();
}

// QRect from edges, the way the layout states them (right and bottom exclusive).
QRect Edges(int left, int top, int right, int bottom) { return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)); }

void DrawPageBand(QPainter& painter, const PageGeometry& geometry, const PageScene& scene) {
    const int left = geometry.BandLeft();
    painter.fillRect(left + geometry.P, 0, 2, geometry.H, kShadow);
    painter.fillRect(left, 0, geometry.P, geometry.H, scene.pageColor);
}

void DrawPageBreak(QPainter& painter, const PageGeometry& geometry) {
    const int y = kPageHeight - geometry.pos % kPageHeight;
    QPen pen(kPageBreak, 1);
    pen.setDashPattern({3, 3});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    // The line's last point is left out, as a line-to always does.
    painter.drawLine(geometry.ColumnLeft() - geometry.P / 20, y,
                     geometry.ColumnRight() + geometry.P / 20 - 1, y);
}

// Which double lines are drawn: those whose box lies within top … bottom.
struct LineLimits {
    int tokenTop;
    int tokenBottom;
    int glossTop;
    int glossBottom;
};

// The window: a partly visible line is drawn whole, but a gloss only when its
// token's whole double line is inside the window.
LineLimits WindowLimits(const PageGeometry& geometry) {
    return {-kTokenMargin, geometry.H + kTokenMargin, 0, geometry.H};
}

void DrawParagraph(QPainter& painter, const CParagraph& paragraph, const PageGeometry& geometry,
                   const LineLimits& limits,
                   const PageScene& scene, const QFontMetrics& textMetrics,
                   const QFontMetrics& glossMetrics, GlossTextCache& glosses) {
    const int unit = scene.lineUnit;
    const std::size_t count = paragraph.TokenCount();
    painter.setFont(scene.textFont);
    painter.setPen(scene.textColor);
    for (std::size_t j = 0; j < count; ++j) {
        const WordBox box = WordBoxOf(paragraph, j, geometry, unit);
        if (box.top < limits.tokenTop || box.bottom > limits.tokenBottom) {
            continue;
        }
        const std::string_view word = paragraph.Word(j);
        DrawTextInBox(painter, textMetrics, Edges(box.left, box.top, box.left + geometry.P, box.bottom),
                      QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    }
    painter.setFont(scene.glossFont);
    painter.setPen(scene.glossColor);
    for (std::size_t j = 0; j < count; ++j) {
        const WordBox box = WordBoxOf(paragraph, j, geometry, unit);
        if (box.top < limits.glossTop || box.bottom > limits.glossBottom || j >= paragraph.m_arrGlosses.size() ||
            paragraph.Gloss(j).empty()) {
            continue;
        }
        DrawTextInBox(painter, glossMetrics,
                      Edges(box.left, box.top + unit, box.left + geometry.P, box.bottom + unit),
                      glosses.Text(paragraph.Gloss(j)));
    }
}

// Paragraphs wholly above the window are skipped by a binary search on their tops;
// the loop stops at the first one below it.
void DrawVisibleParagraphs(QPainter& painter, const PageGeometry& geometry, const LineLimits& limits,
                           const PageScene& scene, GlossTextCache& glosses) {
    if (scene.paragraphs == nullptr) {
        return;
    }
    const std::vector<CParagraph>& paragraphs = *scene.paragraphs;
    const QFontMetrics textMetrics(scene.textFont, painter.device());
    const QFontMetrics glossMetrics(scene.glossFont, painter.device());
    const int lower = geometry.pos + geometry.H + 50;
    for (std::size_t i = FirstParagraphToDraw(paragraphs, geometry.pos, geometry.H);
         i < paragraphs.size() && paragraphs[i].m_nTop <= lower; ++i) {
        DrawParagraph(painter, paragraphs[i], geometry, limits, scene, textMetrics, glossMetrics, glosses);
    }
}

void DrawPageText(QPainter& painter, const PageGeometry& geometry, const PageScene& scene,
                  GlossTextCache& glosses) {
    DrawPageBreak(painter, geometry);
    DrawVisibleParagraphs(painter, geometry, WindowLimits(geometry), scene, glosses);
    // The label names the page that ends at the break line, 20 pixels above it.
    painter.setFont(scene.textFont);
    painter.setPen(scene.textColor);
    const QFontMetrics labelMetrics(scene.textFont, painter.device());
    painter.drawText(QPoint(geometry.ColumnRight() + geometry.P / 20 + 5,
                            980 - geometry.pos % kPageHeight + labelMetrics.ascent()),
                     QString::fromStdString(PageLabelText(geometry.pos)));
}

}  // namespace

void PaintPrintedPage(QPainter& painter, QSizeF printable, const PageScene& scene, int page,
                      GlossTextCache& glosses) {
    // The window with its band at the left edge: L0 = 0, the label at P + 5.
    PageGeometry geometry;
    geometry.W = scene.pageWidth;
    geometry.P = scene.pageWidth;
    const QFontMetrics labelMetrics(scene.textFont);
    const QString label = QString::fromStdString(PageLabelText(page * kPageHeight));
    const int labelLeft = geometry.ColumnRight() + geometry.P / 20 + 5;
    const double stripWidth = labelLeft + labelMetrics.horizontalAdvance(label) + 5;
    const double scale = std::min(printable.width() / stripWidth, printable.height() / kPageHeight);
    geometry.pos = page * kPageHeight;
    geometry.H = kPageHeight;
    // Every line that reaches into the sheet, gloss and all, and none that does not:
    // hidden text would still be found and copied from the printed file.
    const int pitch = 2 * scene.lineUnit;
    const LineLimits limits{1 - pitch, kPageHeight + pitch - 1, 1 - pitch, kPageHeight + pitch - 1};

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, stripWidth, kPageHeight));
    painter.fillRect(geometry.P, 0, 2, kPageHeight, kShadow);
    painter.fillRect(0, 0, geometry.P, kPageHeight, scene.pageColor);
    DrawVisibleParagraphs(painter, geometry, limits, scene, glosses);
    painter.setFont(scene.textFont);
    painter.setPen(scene.textColor);
    painter.drawText(QPoint(labelLeft, kPageHeight - 20 + labelMetrics.ascent()), label);
    painter.restore();
}

void PaintPage(QPainter& painter, QSize window, const PageScene& scene, GlossTextCache& glosses) {
    PageGeometry geometry;
    geometry.W = window.width();
    geometry.H = window.height();
    geometry.P = scene.pageWidth;
    geometry.pos = scene.scrollPos;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.fillRect(0, 0, geometry.W, geometry.H, kWindowBackground);
    DrawPageBand(painter, geometry, scene);
    DrawPageText(painter, geometry, scene, glosses);
    painter.restore();
}
