// The strip painted into an image and read back pixel by pixel.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "GlossTextCache.h"
#include "GlossedLines.h"
#include "PagePainter.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "TextLayout.h"

namespace {

const QRgb kBackground = qRgb(239, 239, 252);
const QRgb kShadow = qRgb(50, 50, 50);
const QRgb kBreak = qRgb(192, 192, 255);
const QRgb kPage = qRgb(239, 239, 239);
const QRgb kText = qRgb(39, 39, 20);
const QRgb kGloss = qRgb(128, 128, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const std::string kGbkGloss = "\xc6\xbb\xb9\xfb";  // 苹果 in GBK

// A laid-out text painted at P = 800 into a W x H image.
class Painted : public testing::Test {
protected:
    void SetUp() override {
        m_scene.pageWidth = 800;
        m_scene.pageColor = QColor(kPage);
        m_scene.textColor = QColor(kText);
        m_scene.glossColor = QColor(kGloss);
        m_scene.textFont = ToQFont(ReadingFont{});
        m_scene.glossFont = ToQFont(GlossFontOf(ReadingFont{}));
        m_scene.lineUnit = 20;
        m_scene.paragraphs = &m_text.m_arrParagraphs;
    }

    // Paragraph lines; glosses[i] glosses token i of the first paragraph (and every
    // other token of its word).
    void SetText(const std::vector<std::string>& lines,
                 const std::vector<std::string>& firstGlosses = {}) {
        SetLines(m_text, lines);
        if (!lines.empty()) {
            GlossFirstParagraph(m_text, firstGlosses);
        }
        QtTextMeasurer measurer(m_scene.textFont, 20);
        m_nTextHeight = LayoutText(m_text, measurer, 800, PageLayout::Original);
    }

    QImage Paint(int scrollPos, int width = 1000, int height = 1200) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        m_scene.scrollPos = scrollPos;
        QPainter painter(&image);
        PaintPage(painter, image.size(), m_scene, m_glosses);
        return image;
    }

    // How many pixels of `color` the rectangle holds.
    static int Count(const QImage& image, const QRect& rect, QRgb color) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                count += image.pixel(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }
    // Pixels that are none of the flat colours: text ink, antialiased or not.
    static int Ink(const QImage& image, const QRect& rect) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                count += pixel != kPage && pixel != kWhite && pixel != kBackground ? 1 : 0;
            }
        }
        return count;
    }

    CParagraphList m_text;
    const std::vector<CParagraph>& m_paragraphs = m_text.m_arrParagraphs;
    int m_nTextHeight = 0;
    PageScene m_scene;
    GlossTextCache m_glosses;
};

TEST_F(Painted, BandShadowAndBackgroundAtWidth1000) {
    SetText({});
    const QImage image = Paint(0);
    for (int y : {0, 500, 1199}) {
        EXPECT_EQ(image.pixel(99, y), kBackground) << y;
        EXPECT_EQ(image.pixel(100, y), kPage) << y;
        EXPECT_EQ(image.pixel(899, y), kPage) << y;
        EXPECT_EQ(image.pixel(900, y), kShadow) << y;
        EXPECT_EQ(image.pixel(901, y), kShadow) << y;
        EXPECT_EQ(image.pixel(902, y), kBackground) << y;
        EXPECT_EQ(image.pixel(0, y), kBackground) << y;
        EXPECT_EQ(image.pixel(999, y), kBackground) << y;
    }
}

TEST_F(Painted, NarrowWindowCutsTheBandAtBothSides) {
    SetText({});
    const QImage image = Paint(0, 600, 300);
    // L0 = -100: the band covers 0..699 of which 0..599 is visible; the shadow is off.
    EXPECT_EQ(Count(image, QRect(0, 0, 600, 300), kPage), 600 * 300);
}

TEST_F(Painted, BreakLineAtTheNextPageBoundaryOnly) {
    SetText({});
    for (int pos : {0, 1000, 250}) {
        const QImage image = Paint(pos);
        const int y = 1000 - pos % 1000;
        const int dots = Count(image, QRect(0, y, 1000, 1), kBreak);
        // Dotted across the band, from XL - P/20 = 100 to XR + P/20 = 900.
        EXPECT_GT(dots, 100) << pos;
        EXPECT_LT(dots, 800) << pos;
        EXPECT_EQ(image.pixel(100, y), kBreak) << pos;
        EXPECT_EQ(
            Count(image, QRect(0, y, 100, 1), kBreak) + Count(image, QRect(900, y, 100, 1), kBreak),
            0)
            << pos;
        EXPECT_EQ(Count(image, QRect(0, 0, 1000, 1200), kBreak), dots) << pos;
    }
}

TEST_F(Painted, PageLabelBesideTheBreakLineNamesTheEndingPage) {
    SetText({});
    for (int pos : {0, 1000}) {
        const QImage image = Paint(pos);
        const QFontMetrics metrics(m_scene.textFont);
        const QString label = pos == 0 ? QStringLiteral("第1页") : QStringLiteral("第2页");
        const QRect where(905, 980, metrics.horizontalAdvance(label), metrics.height());
        EXPECT_GT(Ink(image, where), 20) << pos;
        // Nothing of it left of x 905 or below the line.
        EXPECT_EQ(Ink(image, QRect(902, 960, 3, 60)), 0) << pos;
        // Drawn on the window background, the same as a reference drawing of that label.
        QImage reference(image.size(), QImage::Format_RGB32);
        reference.fill(kBackground);
        QPainter painter(&reference);
        painter.setFont(m_scene.textFont);
        painter.setPen(QColor(kText));
        painter.drawText(QPoint(905, 980 + metrics.ascent()), label);
        painter.end();
        EXPECT_EQ(image.copy(where), reference.copy(where)) << pos;
    }
}

TEST_F(Painted, ALargeFontsPageLabelStaysInTheWindowAndAboveItsLine) {
    SetText({});
    m_scene.textFont.setPixelSize(40);
    // 1024 wide: the label starts at 917, the scroll bar covers the last 20 or so.
    const QImage image = Paint(139000, 1024, 1200);
    EXPECT_GT(Ink(image, QRect(917, 980, 1004 - 917, 20)), 20);
    EXPECT_EQ(Ink(image, QRect(1004, 900, 20, 200)), 0);
    EXPECT_EQ(Ink(image, QRect(917, 1001, 107, 100)), 0);  // nothing below the line
}

TEST_F(Painted, TheBookPagesBreakLineKeepsToTheMarginsBesideALineOfText) {
    // Lines at 20 + 40 n: the one from 980 to 1020 straddles the break at 1000.
    SetText(std::vector<std::string>(40, "word"));
    const QRgb rule = qRgb(192, 192, 255);
    for (const bool around : {false, true}) {
        m_scene.breakAroundText = around;
        const QImage image = Paint(0);
        EXPECT_EQ(Count(image, QRect(140, 1000, 720, 1), rule) == 0, around) << around;
        EXPECT_GT(Count(image, QRect(100, 1000, 40, 1), rule), 0) << around;
        EXPECT_GT(Count(image, QRect(860, 1000, 40, 1), rule), 0) << around;
    }
    // Where no line of text is, the whole line is drawn.
    SetText(std::vector<std::string>(10, "word"));
    m_scene.breakAroundText = true;
    EXPECT_GT(Count(Paint(0), QRect(140, 1000, 720, 1), rule), 0);
}

TEST_F(Painted, ABookPagesGlossStandsRightUnderItsWord) {
    SetText({"apple"}, {kGbkGloss});
    // A half line taller than the word, as a large gloss makes it.
    m_scene.lineUnit = 40;
    const int wordHeight = QFontMetrics(m_scene.textFont).height();
    ASSERT_LT(wordHeight + 10, 40);
    auto glossTop = [&](bool underWord) {
        m_scene.glossUnderWord = underWord;
        const QImage image = Paint(0);
        for (int y = 20; y < 140; ++y) {
            if (Count(image, QRect(140, y, 100, 1), kGloss) > 0) {
                return y;
            }
        }
        return -1;
    };
    const int halfLineDown = glossTop(false);
    const int underWord = glossTop(true);
    ASSERT_GT(halfLineDown, 0);
    EXPECT_EQ(halfLineDown - underWord, 40 - wordHeight);
}

TEST_F(Painted, EmptyTextDrawsOnlyBackgroundBandLineAndLabel) {
    SetText({});
    const QImage image = Paint(0);
    EXPECT_EQ(Count(image, QRect(100, 0, 800, 1000), kPage), 800 * 1000);
    EXPECT_EQ(Count(image, QRect(100, 1001, 800, 199), kPage), 800 * 199);
    EXPECT_EQ(Count(image, QRect(0, 0, 1000, 1200), kWhite), 0);
}

TEST_F(Painted, TokensStartAtColumnLeftOnWhiteWithGlossesBelow) {
    SetText({"Illumination apple plain"}, {"", kGbkGloss, ""});
    const QImage image = Paint(0);
    const int top = 20;
    // Tokens from x 140 on white boxes; nothing of the text before it.
    EXPECT_EQ(Count(image, QRect(100, top, 40, 40), kPage), 40 * 40);
    EXPECT_EQ(image.pixel(140, top), kWhite);
    EXPECT_GT(Ink(image, QRect(140, top, 100, 20)), 30);
    // The gloss of "apple" starts at its left edge, U below its top, in the gloss colour.
    const int appleLeft = 140 + m_paragraphs[0].X(1);
    EXPECT_EQ(image.pixel(appleLeft, top + 20), kWhite);
    EXPECT_GT(Count(image, QRect(appleLeft, top + 20, 30, 20), kGloss) +
                  Ink(image, QRect(appleLeft, top + 20, 30, 20)),
              10);
    // No gloss, no white box below the token.
    EXPECT_EQ(Count(image, QRect(140, top + 20, 5, 20), kWhite), 0);
    const int plainLeft = 140 + m_paragraphs[0].X(2);
    EXPECT_EQ(Count(image, QRect(plainLeft + 30, top + 20, 20, 20), kWhite), 0);
}

// A device that draws nothing and records the length of every string it is given.
class TextRecorder : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &m_engine; }
    std::vector<qsizetype> Lengths() const { return m_engine.m_lengths; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
            case PdmWidth:
                return 1000;
            case PdmHeight:
                return 1200;
            case PdmDpiX:
            case PdmDpiY:
            case PdmPhysicalDpiX:
            case PdmPhysicalDpiY:
                return 96;
            case PdmDepth:
                return 32;
            case PdmDevicePixelRatio:
                return 1;
            case PdmDevicePixelRatioScaled:
                return static_cast<int>(devicePixelRatioFScale());
            default:
                return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF&, const QTextItem& item) override {
            m_lengths.push_back(item.text().size());
        }
        Type type() const override { return QPaintEngine::User; }
        std::vector<qsizetype> m_lengths;
    };
    mutable Engine m_engine;
};

TEST_F(Painted, AHugeUnbrokenWordIsDrawnOnlyAsFarAsItShows) {
    SetText({"apple " + std::string(300000, 'w') + " pear"});
    // Its start fills the line to the page's edge on white.
    const QImage image = Paint(0);
    const int line1 = 20 + 40;
    EXPECT_GT(Ink(image, QRect(140, line1, 60, 20)), 30);
    EXPECT_GT(Ink(image, QRect(840, line1, 60, 20)), 30);
    EXPECT_EQ(image.pixel(899, line1 + 1), kWhite);
    // Only a few thousand characters of it ever reach the device (in runs).
    TextRecorder device;
    QPainter painter(&device);
    m_scene.scrollPos = 0;
    PaintPage(painter, QSize(1000, 1200), m_scene, m_glosses);
    painter.end();
    const std::vector<qsizetype> lengths = device.Lengths();
    ASSERT_FALSE(lengths.empty());
    EXPECT_LT(std::accumulate(lengths.begin(), lengths.end(), qsizetype{0}), 20000);
}

TEST_F(Painted, GlossOnlyWhenTheWholeDoubleLineIsInTheWindow) {
    SetText({"apple"}, {kGbkGloss});
    struct Case {
        int pos;
        bool tokenDrawn;
        bool glossDrawn;
    };
    // The token's box starts at layout y 20; pos 21 puts its top at -1.
    for (const Case& c : {Case{0, true, true}, Case{20, true, true}, Case{21, true, false},
                          Case{30, true, false}}) {
        const QImage image = Paint(c.pos);
        const int top = 20 - c.pos;
        const QRect tokenRow(140, std::max(0, top), 60, top + 15 - std::max(0, top));
        const QRect glossRow(140, top + 21, 60, 14);
        EXPECT_EQ(Count(image, tokenRow, kWhite) > 0, c.tokenDrawn) << c.pos;
        EXPECT_EQ(Count(image, glossRow, kWhite) > 0, c.glossDrawn) << c.pos;
    }
}

TEST_F(Painted, LaterGlossCoversTheLongGlossBeforeIt) {
    // "ab" and "cd" are short; the first gloss is long enough to run under "cd".
    const std::string longGloss = kGbkGloss + kGbkGloss + kGbkGloss + kGbkGloss;
    SetText({"ab cd"}, {"", kGbkGloss});
    const QImage alone = Paint(0);
    SetText({"ab cd"}, {longGloss, kGbkGloss});
    const QImage image = Paint(0);
    const int bLeft = 140 + m_paragraphs[0].X(1);
    const QFontMetrics glossMetrics(m_scene.glossFont);
    const QRect secondGloss(bLeft, 40, glossMetrics.horizontalAdvance(QStringLiteral("苹果")),
                            glossMetrics.height());
    EXPECT_EQ(image.copy(secondGloss), alone.copy(secondGloss));
}

TEST(ReadingFontToQFont, HeightsAndFace) {
    // A positive height is the cell height: the largest pixel size that fits.
    const QFont cell = ToQFont(ReadingFont{});
    EXPECT_LE(QFontMetrics(cell).height(), 20);
    QFont larger = cell;
    larger.setPixelSize(cell.pixelSize() + 1);
    EXPECT_GT(QFontMetrics(larger).height(), 20);

    ReadingFont negative;
    negative.lfHeight = -16;
    negative.lfUnderline = true;
    negative.lfStrikeOut = true;
    negative.lfItalic = true;
    negative.lfWeight = 700;
    const QFont character = ToQFont(negative);
    EXPECT_EQ(character.pixelSize(), 16);
    EXPECT_TRUE(character.underline());
    EXPECT_TRUE(character.strikeOut());
    EXPECT_TRUE(character.italic());
    EXPECT_EQ(character.weight(), QFont::Bold);

    // The missing "MS Serif" is replaced by a serif face.
    EXPECT_TRUE(QFontInfo(cell).family().contains(QLatin1String("Serif")))
        << QFontInfo(cell).family().toStdString();
}

TEST(ReadingFontToQFont, GlossFontIsSixTenthsTruncated) {
    struct Case {
        int height;
        int gloss;
    };
    for (const Case& c : {Case{20, 12}, Case{-16, -9}, Case{16, 9}, Case{1, 0}, Case{-25, -15}}) {
        ReadingFont font;
        font.lfHeight = c.height;
        EXPECT_EQ(GlossFontOf(font).lfHeight, c.gloss) << c.height;
    }
}

}  // namespace

namespace {

TEST(QtTextMeasurer, WidthsAreTheFontsForEveryDistinctTokenAndItsSpace) {
    const QFont font = ToQFont(ReadingFont{});
    const QFontMetrics metrics(font);
    QtTextMeasurer measurer(font, 20);
    // Enough distinct tokens to make the table grow, each asked twice.
    std::vector<std::string> tokens = {"", "a", "A", "word", "words", "Natásha", "苹果", ",", "-"};
    for (int i = 0; i < 40000; ++i) {
        tokens.push_back("w" + std::to_string(i));
    }
    for (int round = 0; round < 2; ++round) {
        for (const std::string& token : tokens) {
            ASSERT_EQ(measurer.TokenWidth(token),
                      metrics.horizontalAdvance(QString::fromStdString(token + " ")))
                << token << " round " << round;
        }
    }
    EXPECT_EQ(measurer.DistinctTokens(), tokens.size());
    EXPECT_EQ(measurer.LineUnit(), 20);
    // A word of megabytes is measured from its start, in proportion.
    const int huge = measurer.TokenWidth(std::string(5 << 20, 'w'));
    const double perCharacter = metrics.horizontalAdvance(QString(1000, QLatin1Char('w'))) / 1000.0;
    EXPECT_NEAR(huge, 5.0 * (1 << 20) * perCharacter, huge / 100.0);
}

}  // namespace

namespace {

// A word's letters are the same whether or not glosses are drawn under the line:
// no gloss box may cover a descender. Fonts chosen in the font dialog have a
// negative height and a cell taller than it.
TEST(CutLetters, GlossBoxesLeaveTheWordsDescendersAlone) {
    struct Case {
        ReadingFont record;
        bool cutByTheRecordsHeight;  // the fault this guards against shows at U = |height|
    };
    ReadingFont dejaVu;
    dejaVu.lfHeight = -18;
    dejaVu.lfFaceName = "DejaVu Serif";
    ReadingFont c059;
    c059.lfHeight = -16;
    c059.lfFaceName = "C059";
    const Case cases[] = {{ReadingFont{}, false}, {dejaVu, true}, {c059, true}};
    const std::string bones = "\xb9\xc7\xb9\xc7\xb9\xc7\xb9\xc7";  // 骨骨骨骨
    for (const Case& c : cases) {
        if (!QFontDatabase::hasFamily(QString::fromStdString(c.record.lfFaceName)) &&
            c.record.lfHeight < 0) {
            ADD_FAILURE() << c.record.lfFaceName << " is not installed (tools/install-deps.sh)";
            continue;
        }
        PageScene scene;
        scene.pageColor = QColor(kPage);
        scene.textColor = QColor(kText);
        scene.glossColor = QColor(kGloss);
        scene.textFont = ToQFont(c.record);
        scene.glossFont = ToGlossQFont(c.record);
        CParagraphList text;
        SetLines(text, {"doorway stupid gypsy"});
        const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
        scene.paragraphs = &paragraphs;
        const QFontMetrics metrics(scene.textFont);
        auto paint = [&](int unit, bool glossed) {
            GlossFirstParagraph(
                text, glossed ? std::vector<std::string>(3, bones) : std::vector<std::string>());
            QtTextMeasurer measurer(scene.textFont, unit);
            LayoutText(text, measurer, 800, PageLayout::Original);
            scene.lineUnit = unit;
            QImage image(1000, 200, QImage::Format_RGB32);
            QPainter painter(&image);
            GlossTextCache glosses;
            PaintPage(painter, image.size(), scene, glosses);
            painter.end();
            // The words' cells: from the line's top down over the font's whole height.
            return image.copy(140, 20, paragraphs[0].X(2) + paragraphs[0].Width(2),
                              metrics.height());
        };
        const int unit = LineUnitOf(c.record, scene.textFont, scene.glossFont);
        EXPECT_EQ(paint(unit, true), paint(unit, false)) << c.record.lfFaceName;
        const int recorded = std::abs(c.record.lfHeight);
        EXPECT_EQ(paint(recorded, true) != paint(recorded, false), c.cutByTheRecordsHeight)
            << c.record.lfFaceName;
        // The default font keeps its layout exactly.
        EXPECT_EQ(unit == recorded, !c.cutByTheRecordsHeight) << c.record.lfFaceName;
    }
}

}  // namespace

namespace {

// Rows of a painted column that hold ink of one colour (antialiased ink counts by what it
// is nearest to), top to bottom.
std::vector<int> InkRows(const QImage& image, int left, int right, QRgb ink, QRgb other,
                         QRgb background) {
    auto distance = [](QRgb a, QRgb b) {
        return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
               std::abs(qBlue(a) - qBlue(b));
    };
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = left; x < right; ++x) {
            const QRgb pixel = image.pixel(x, y);
            const int toInk = distance(pixel, ink);
            if (toInk < distance(pixel, background) && toInk < distance(pixel, other)) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

// The book page at every reading font and gloss size: a gloss stands nearer its own word
// than the next line's words, and no word loses a descender to it.
TEST(Rhythm, AGlossStandsNearerItsWordThanTheNextLineAtEverySize) {
    const std::string bones = "\xb9\xc7\xb9\xc7";  // 骨骨
    for (const int height : {-11, -13, -16, -21, -27, -37}) {
        for (const int percent : {60, 70, 80, 100}) {
            ReadingFont record;
            record.lfHeight = height;
            PageScene scene;
            scene.pageColor = QColor(kWhite);
            scene.textColor = QColor(qRgb(0, 0, 0));
            scene.glossColor = QColor(qRgb(0, 0, 255));
            scene.boxColor = QColor(kWhite);
            scene.textFont = ToQFont(record);
            scene.glossFont = ToGlossQFont(record, percent);
            scene.breakAroundText = true;
            scene.glossUnderWord = true;
            scene.lineUnit = LineUnitOf(record, scene.textFont, scene.glossFont);
            CParagraphList text;
            // One paragraph over several lines, a descender in every word; only the first
            // word is glossed.
            std::string line = "gypsy";
            for (int i = 0; i < 60; ++i) {
                line += " jumpy";
            }
            SetLines(text, {line});
            scene.paragraphs = &text.m_arrParagraphs;
            auto paint = [&](bool glossed) {
                GlossFirstParagraph(
                    text, glossed ? std::vector<std::string>{bones} : std::vector<std::string>());
                QtTextMeasurer measurer(scene.textFont, scene.lineUnit);
                LayoutText(text, measurer, 800, PageLayout::Book);
                QImage image(1000, 600, QImage::Format_RGB32);
                QPainter painter(&image);
                GlossTextCache glosses;
                PaintPage(painter, image.size(), scene, glosses);
                return image;
            };
            const QImage glossed = paint(true);
            const int left = 140;
            const int right = 140 + text.m_arrParagraphs[0].Width(0);
            const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255);
            const std::vector<int> words = InkRows(glossed, left, right, black, blue, kWhite);
            const std::vector<int> gloss = InkRows(glossed, left, right, blue, black, kWhite);
            ASSERT_FALSE(words.empty());
            ASSERT_FALSE(gloss.empty()) << height << " " << percent;
            // The first line's letters end above the gloss, the second's begin below it.
            int firstBottom = -1, nextTop = -1;
            for (const int row : words) {
                if (row < gloss.front()) {
                    firstBottom = row;
                } else if (row > gloss.back() && nextTop < 0) {
                    nextTop = row;
                }
            }
            ASSERT_GE(firstBottom, 0) << height << " " << percent;
            ASSERT_GE(nextTop, 0) << height << " " << percent;
            EXPECT_LT(gloss.front() - firstBottom, nextTop - gloss.back())
                << "font " << height << ", gloss " << percent << "%";
            // The words' ink is the same with the gloss drawn as without it.
            const QImage bare = paint(false);
            // "gypsy" has no dot or ascender: its rows of ink run unbroken to its descenders.
            const std::vector<int> bareWords = InkRows(bare, left, right, black, blue, kWhite);
            std::size_t run = 1;
            while (run < bareWords.size() && bareWords[run] == bareWords[run - 1] + 1) {
                ++run;
            }
            const int wordsEnd = bareWords[run - 1] + 1;
            EXPECT_LT(wordsEnd - 1, gloss.front()) << "font " << height << ", gloss " << percent;
            const QRect cells(left, 0, right - left, wordsEnd);
            EXPECT_EQ(glossed.copy(cells), bare.copy(cells))
                << "font " << height << ", gloss " << percent << "%";
        }
    }
}

}  // namespace
