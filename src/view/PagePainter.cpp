#include "PagePainter.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <string_view>

#include "CParagraph.h"
#include "GlossFit.h"
#include "GlossTextCache.h"
#include "StripGeometry.h"

namespace {

const QColor kShadow(50, 50, 50);
const QColor kPageBreak(192, 192, 255);
// The band's shadow along its right edge.
constexpr int kShadowWidth = 2;

// A stretch of a token's line painted behind its letters: a find bar's match.
struct Marker {
    int left;   // from the token's left edge
    int right;  // exclusive
    QColor color;
};

// Draws `text` from the top-left of `box` on an opaque box of `background` the size
// of the text, both clipped to `box`, so that each gloss covers the one drawn before it.
// Text that was cut to what the box can show reaches past it. The markers go between the
// box and the text.
void DrawTextInBox(QPainter& painter, const QFontMetrics& metrics, const QRect& box,
                   const QString& text, const QColor& background, bool cut = false,
                   const std::vector<Marker>& markers = {}) {
    const QRect cell(box.left(), box.top(), cut ? box.width() : metrics.horizontalAdvance(text),
                     metrics.height());
    painter.fillRect(cell.intersected(box), background);
    for (const Marker& marker : markers) {
        painter.fillRect(
            QRect(box.left() + marker.left, box.top(), marker.right - marker.left, metrics.height())
                .intersected(box),
            marker.color);
    }
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

// The start of a token that shows in a box `width` units wide. One unbroken word
// of megabytes would otherwise be converted, shaped and measured whole at every
// repaint, though the box clips all but its start: no visible character is
// narrower than a quarter unit, and none takes more than four bytes.
QString VisibleStart(std::string_view word, int width, bool* cut) {
    const std::size_t most = 4 * (4 * static_cast<std::size_t>(std::max(width, 0)) + 16);
    *cut = word.size() > most;
    if (*cut) {
        std::size_t end = most;
        while (end > 0 && (static_cast<unsigned char>(word[end]) & 0xC0) == 0x80) {
            --end;  // not inside a character
        }
        word = word.substr(0, end);
    }
    return QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
}

// QRect from edges, the way the layout states them (right and bottom exclusive). Only
// boxes within the window's limits are drawn, so each edge fits an int.
QRect Edges(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    return QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                 QPoint(static_cast<int>(right - 1), static_cast<int>(bottom - 1)));
}

// The band with its shadow, down the whole height of the window.
void DrawPageBand(QPainter& painter, const StripGeometry& geometry, const PageScene& scene) {
    painter.fillRect(geometry.BandRight(), 0, kShadowWidth, geometry.windowHeight, kShadow);
    painter.fillRect(geometry.BandLeft(), 0, geometry.pageWidth, geometry.windowHeight,
                     scene.pageColor);
}

// Whether the page-break line at window y would run through a line of text: inside a
// paragraph's box and not on the boundary between two of its lines.
bool CrossesText(const std::vector<CParagraph>* paragraphs, const StripGeometry& geometry, int y,
                 int lineUnit) {
    if (paragraphs == nullptr || lineUnit <= 0) {
        return false;
    }
    const std::int64_t at = geometry.scrollPos + y;
    const ParagraphRange range = geometry.VisibleParagraphs(*paragraphs, kDrawMargin);
    for (std::size_t i = range.first; i < range.last; ++i) {
        const CParagraph& paragraph = (*paragraphs)[i];
        if (LaidOutTokenCount(paragraph) > 0 && at > paragraph.m_nTop &&
            at < paragraph.m_nTop + paragraph.m_nHeight &&
            (at - paragraph.m_nTop) % (2 * std::int64_t{lineUnit}) != 0) {
            return true;
        }
    }
    return false;
}

// Across the column and its margins; where it would cross a line of text, in the
// margins alone, so that no word is struck through.
void DrawPageBreak(QPainter& painter, const StripGeometry& geometry, bool crossesText) {
    const int y = geometry.PageBreakY();
    QPen pen(kPageBreak, 1);
    pen.setDashPattern({3, 3});
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    // The line's last point is left out, as a line-to always does.
    if (!crossesText) {
        painter.drawLine(geometry.BreakLineLeft(), y, geometry.BreakLineEnd() - 1, y);
        return;
    }
    painter.drawLine(geometry.BreakLineLeft(), y, geometry.ColumnLeft() - 1, y);
    painter.drawLine(geometry.ColumnRight(), y, geometry.BreakLineEnd() - 1, y);
}

// The window's right edge is under the scroll bar: a label keeps this far from it.
constexpr int kScrollBarRoom = 20;

// The text font, or a smaller size of it when the label would not fit above the break
// line or in `room` pixels: a large reading font otherwise cut the label at the
// window's edge and ran it over the line.
QFont LabelFont(const QFont& textFont, const QString& label, int room, QPaintDevice* device) {
    QFont font = textFont;
    auto fits = [&] {
        const QFontMetrics metrics(font, device);
        return metrics.height() <= kLabelAbovePageBreak && metrics.horizontalAdvance(label) <= room;
    };
    for (int pixels = QFontInfo(textFont).pixelSize(); pixels > 6 && !fits(); --pixels) {
        font.setPixelSize(pixels - 1);
    }
    return font;
}

// The label naming the page that ends at the break line.
void DrawPageLabel(QPainter& painter, const StripGeometry& geometry, const QString& label,
                   const QFont& font, const PageScene& scene) {
    painter.setFont(font);
    painter.setPen(scene.textColor);
    painter.drawText(QPoint(geometry.LabelLeft(),
                            geometry.LabelTop() + QFontMetrics(font, painter.device()).ascent()),
                     label);
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
LineLimits WindowLimits(const StripGeometry& geometry) {
    return {-kDrawMargin, geometry.windowHeight + kDrawMargin, 0, geometry.windowHeight};
}

// The find bar's hits that touch paragraph `index`: first … last - 1 of scene.findHits.
std::pair<std::size_t, std::size_t> HitsIn(const PageScene& scene, std::size_t index) {
    if (scene.findHits == nullptr) {
        return {0, 0};
    }
    const std::vector<SearchHit>& hits = *scene.findHits;
    // Hits never overlap, so their ends are in order too.
    const auto first = std::lower_bound(
        hits.begin(), hits.end(), index,
        [](const SearchHit& hit, std::size_t wanted) { return hit.last.paragraph < wanted; });
    auto last = first;
    while (last != hits.end() && last->first.paragraph <= index) {
        ++last;
    }
    return {static_cast<std::size_t>(first - hits.begin()),
            static_cast<std::size_t>(last - hits.begin())};
}

// Where the hits of `range` lie on token j of the paragraph: from the match's first
// byte in its first token, over the space after each token it runs on from, to its
// last byte in its last token.
std::vector<Marker> MarkersOf(const PageScene& scene, std::pair<std::size_t, std::size_t> range,
                              std::size_t index, const CParagraph& paragraph, std::size_t j,
                              const QFontMetrics& metrics) {
    std::vector<Marker> markers;
    auto advance = [&](std::size_t bytes) {
        const std::string_view word = paragraph.Word(j).substr(0, bytes);
        return metrics.horizontalAdvance(
            QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    };
    for (std::size_t h = range.first; h < range.second; ++h) {
        const SearchHit& hit = (*scene.findHits)[h];
        const WordPlace here{index, j};
        auto before = [](const WordPlace& a, const WordPlace& b) {
            return a.paragraph != b.paragraph ? a.paragraph < b.paragraph : a.token < b.token;
        };
        if (before(here, hit.first) || before(hit.last, here)) {
            continue;
        }
        const int left = here == hit.first ? advance(hit.firstByte) : 0;
        const int right = here == hit.last ? advance(hit.lastEnd) : paragraph.Width(j);
        markers.push_back({left, std::max(left + 1, right),
                           h == scene.currentHit ? scene.currentHitColor : scene.hitColor});
    }
    return markers;
}

// A paragraph's words are drawn in `font`, measured by `textMetrics`.
void DrawParagraph(QPainter& painter, std::size_t index, const CParagraph& paragraph,
                   const CParagraph* flowedOn, const StripGeometry& geometry,
                   const LineLimits& limits, const PageScene& scene, const QFont& font,
                   const QFontMetrics& textMetrics, const QFontMetrics& glossMetrics,
                   GlossTextCache& glosses) {
    const int unit = scene.lineUnit;
    const std::size_t count = paragraph.TokenCount();
    const std::pair<std::size_t, std::size_t> hits = HitsIn(scene, index);
    painter.setFont(font);
    painter.setPen(scene.textColor);
    for (std::size_t j = 0; j < count; ++j) {
        const WordBox box = WordBoxOf(paragraph, j, geometry, unit);
        if (box.top < limits.tokenTop || box.bottom > limits.tokenBottom) {
            continue;
        }
        const QRect edges = Edges(box.left, box.top, box.left + geometry.pageWidth, box.bottom);
        bool cut = false;
        QString text = VisibleStart(paragraph.Word(j), edges.width(), &cut);
        if (scene.breakAroundText && text == QLatin1String("-")) {
            // The book layout sets "--" as one em dash: the first hyphen's room holds
            // the dash, the second has none.
            if (paragraph.Width(j) == 0) {
                continue;
            }
            std::size_t next = j + 1;
            while (next < count && paragraph.Word(next).empty()) {
                ++next;
            }
            if (next < count && paragraph.Word(next) == "-" && paragraph.Width(next) == 0) {
                text = QStringLiteral("\u2014");
            }
        }
        DrawTextInBox(painter, textMetrics, edges, text, scene.boxColor, cut,
                      hits.first == hits.second
                          ? std::vector<Marker>()
                          : MarkersOf(scene, hits, index, paragraph, j, textMetrics));
    }
    painter.setFont(scene.glossFont);
    painter.setPen(scene.glossColor);
    // A gloss starts where its word's descenders end, so that it stands nearer its word
    // than the next line's, when the half line is taller than the word (a large gloss).
    const int glossDrop = scene.glossUnderWord ? std::min(unit, textMetrics.height()) : unit;
    for (std::size_t j = 0; j < count; ++j) {
        const WordBox box = WordBoxOf(paragraph, j, geometry, unit);
        if (box.top < limits.glossTop || box.bottom > limits.glossBottom ||
            paragraph.Gloss(j).empty()) {
            continue;
        }
        // A gloss the next one would cover shows the senses that fit before it.
        const std::string_view gloss = FittedGloss(
            paragraph.Gloss(j), GlossRoom(paragraph, j, flowedOn), [&](std::string_view text) {
                return glossMetrics.horizontalAdvance(glosses.Text(text));
            });
        DrawTextInBox(painter, glossMetrics,
                      Edges(box.left, box.top + glossDrop, box.left + geometry.pageWidth,
                            box.bottom + glossDrop),
                      glosses.Text(gloss), scene.boxColor);
    }
}

// A line under the marked word's letters, between the word and its gloss, as wide as
// the word.
void DrawWordMark(QPainter& painter, const StripGeometry& geometry, const LineLimits& limits,
                  const PageScene& scene, const ParagraphRange& range,
                  const QFontMetrics& textMetrics) {
    if (!scene.markedWord || scene.markedWord->paragraph < range.first ||
        scene.markedWord->paragraph >= range.last) {
        return;
    }
    const CParagraph& paragraph = (*scene.paragraphs)[scene.markedWord->paragraph];
    const std::size_t token = scene.markedWord->token;
    if (token >= LaidOutTokenCount(paragraph)) {
        return;
    }
    const WordBox box = WordBoxOf(paragraph, token, geometry, scene.lineUnit);
    if (box.top < limits.tokenTop || box.bottom > limits.tokenBottom) {
        return;
    }
    const std::string_view word = paragraph.Word(token);
    const int width = textMetrics.horizontalAdvance(
        QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
    const int y = static_cast<int>(box.top) + textMetrics.ascent() + textMetrics.descent() / 2 + 1;
    painter.fillRect(static_cast<int>(box.left), y, std::min(width, geometry.pageWidth), 2,
                     scene.glossColor);
}

void DrawVisibleParagraphs(QPainter& painter, const StripGeometry& geometry,
                           const LineLimits& limits, const PageScene& scene,
                           GlossTextCache& glosses) {
    if (scene.paragraphs == nullptr) {
        return;
    }
    const std::vector<CParagraph>& paragraphs = *scene.paragraphs;
    const QFontMetrics textMetrics(scene.textFont, painter.device());
    const QFontMetrics glossMetrics(scene.glossFont, painter.device());
    const QFontMetrics headingMetrics(scene.headingFont, painter.device());
    const ParagraphRange range = geometry.VisibleParagraphs(paragraphs, kDrawMargin);
    static const std::vector<std::size_t> kNoHeadings;
    const std::vector<std::size_t>& headings =
        scene.headings != nullptr ? *scene.headings : kNoHeadings;
    auto heading = std::lower_bound(headings.begin(), headings.end(), range.first);
    for (std::size_t i = range.first; i < range.last; ++i) {
        const CParagraph& paragraph = paragraphs[i];
        while (heading != headings.end() && *heading < i) {
            ++heading;
        }
        const bool isHeading = heading != headings.end() && *heading == i;
        // The book layout may continue the next paragraph on this one's last line.
        const CParagraph* flowedOn =
            i + 1 < paragraphs.size() &&
                    paragraphs[i + 1].m_nTop ==
                        paragraph.m_nTop + paragraph.m_nHeight - 2 * std::int64_t{scene.lineUnit}
                ? &paragraphs[i + 1]
                : nullptr;
        DrawParagraph(painter, i, paragraph, flowedOn, geometry, limits, scene,
                      isHeading ? scene.headingFont : scene.textFont,
                      isHeading ? headingMetrics : textMetrics, glossMetrics, glosses);
    }
    DrawWordMark(painter, geometry, limits, scene, range, textMetrics);
}

// The help of an empty page, in the text's colour and the gloss face (it is Chinese)
// at the reading size, wrapped to the column below the first line.
void DrawEmptyPageText(QPainter& painter, const StripGeometry& geometry, const PageScene& scene) {
    QFont font = scene.glossFont;
    font.setPixelSize(std::max(12, QFontInfo(scene.textFont).pixelSize() * 4 / 5));
    painter.setFont(font);
    painter.setPen(scene.textColor);
    const QRect column(geometry.ColumnLeft(), kFirstParagraphTop + 2 * scene.lineUnit,
                       StripGeometry::TextWidth(geometry.pageWidth),
                       std::max(0, geometry.windowHeight - 4 * scene.lineUnit));
    painter.drawText(column, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, scene.emptyPageText);
}

void DrawPageText(QPainter& painter, const StripGeometry& geometry, const PageScene& scene,
                  GlossTextCache& glosses) {
    if (!scene.emptyPageText.isEmpty() &&
        (scene.paragraphs == nullptr || scene.paragraphs->empty())) {
        DrawEmptyPageText(painter, geometry, scene);
    }
    // The original layout's line strikes through the text as it always did.
    DrawPageBreak(painter, geometry,
                  scene.breakAroundText && CrossesText(scene.paragraphs, geometry,
                                                       geometry.PageBreakY(), scene.lineUnit));
    DrawVisibleParagraphs(painter, geometry, WindowLimits(geometry), scene, glosses);
    const QString label = QString::fromStdString(PageLabelText(geometry.scrollPos));
    DrawPageLabel(
        painter, geometry, label,
        LabelFont(scene.textFont, label,
                  geometry.windowWidth - geometry.LabelLeft() - kScrollBarRoom, painter.device()),
        scene);
}

}  // namespace

QString EmptyPageText() {
    return QStringLiteral(
        "还没有打开文本。开始阅读：\n"
        "· 文件 › 打开文本文件：打开英文的 .txt 文本或 .epub 电子书\n"
        "· 把文件拖到这个窗口里\n"
        "· Ctrl+V：粘贴剪贴板里的英文\n\n"
        "你可能不认识的词下面会显示简短的中文释义。工具栏上的“词汇量”按钮打开一个滑块："
        "它表示你大约认识多少英文单词，往右调，注释的词就少；往左调，注释的词就多。\n\n"
        "右键单击一个词，可以标为认识、标为生词或加入单词本。按 F1 查看帮助。");
}

void PaintPrintedPage(QPainter& painter, QSizeF printable, const PageScene& scene,
                      std::int64_t page, GlossTextCache& glosses) {
    const StripGeometry geometry = StripGeometry::ForPrintedPage(page, scene.pageWidth);
    const QFontMetrics labelMetrics(scene.textFont);
    const QString label = QString::fromStdString(PageLabelText(geometry.scrollPos));
    // The band, its shadow and the label with as much room after it as before it.
    const double stripWidth =
        geometry.LabelLeft() + labelMetrics.horizontalAdvance(label) + kLabelGap;
    const double scale = std::min(printable.width() / stripWidth, printable.height() / kPageHeight);
    // Every line that reaches into the sheet, gloss and all, and none that does not:
    // hidden text would still be found and copied from the printed file.
    const int pitch = 2 * scene.lineUnit;
    const LineLimits limits{1 - pitch, kPageHeight + pitch - 1, 1 - pitch, kPageHeight + pitch - 1};

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, stripWidth, kPageHeight));
    DrawPageBand(painter, geometry, scene);
    DrawVisibleParagraphs(painter, geometry, limits, scene, glosses);
    // A sheet is as wide as its label needs.
    DrawPageLabel(painter, geometry, label, scene.textFont, scene);
    painter.restore();
}

void PaintPage(QPainter& painter, QSize window, const PageScene& scene, GlossTextCache& glosses) {
    const StripGeometry geometry =
        StripGeometry::ForWindow(window.width(), window.height(), scene.pageWidth, scene.scrollPos);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.fillRect(0, 0, geometry.windowWidth, geometry.windowHeight, scene.windowColor);
    DrawPageBand(painter, geometry, scene);
    DrawPageText(painter, geometry, scene, glosses);
    painter.restore();
}
