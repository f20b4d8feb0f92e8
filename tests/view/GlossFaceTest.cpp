// Which faces draw the words and the glosses. Run once under each of C, en_US and
// zh_CN (see CMakeLists.txt): fontconfig ranks faces by the locale, the program must not.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>
#include <QTemporaryDir>
#include <QTextLayout>
#include <cstdio>
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

const QString kChinese = QStringLiteral("骨憎恨");  // 骨 differs between Chinese and Japanese forms
const std::string kGbkBone = "\xb9\xc7";            // 骨

// The faces that actually draw `text` in `font`, fallbacks included.
QStringList FacesDrawing(const QFont& font, const QString& text) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        faces << run.rawFont().familyName();
    }
    faces.removeDuplicates();
    return faces;
}

ReadingFont Record(int height, const char* face = "MS Serif", std::uint8_t family = 0) {
    ReadingFont record;
    record.lfHeight = height;
    record.lfFaceName = face;
    record.lfPitchAndFamily = family;
    return record;
}

std::string Locale() {
    const char* all = std::getenv("LC_ALL");
    return all != nullptr ? all : "(unset)";
}

TEST(GlossFace, IsSimplifiedChineseWhateverTheLocale) {
    const QString family = GlossFamily();
    const QStringList simplified = {
        QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
        QStringLiteral("Source Han Sans CN"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei")};
    ASSERT_TRUE(simplified.contains(family)) << family.toStdString() << " under " << Locale();
    for (const ReadingFont& record :
         {Record(20), Record(-18, "DejaVu Serif"), Record(-16, "C059")}) {
        for (const int percent : {60, 70, 80, 100}) {
            EXPECT_EQ(FacesDrawing(ToGlossQFont(record, percent), kChinese), QStringList{family})
                << record.lfFaceName << " " << percent << "% under " << Locale();
        }
    }
}

TEST(GlossFace, TheGlossHeightIsTheCharactersSize) {
    struct Case {
        int height;
        int percent;
        int pixels;
    };
    // A cell height or a character height alike: a Chinese face's cell is its em.
    for (const Case& c : {Case{20, 60, 12}, Case{20, 80, 16}, Case{20, 100, 20}, Case{-18, 60, 10},
                          Case{-16, 70, 11}}) {
        const QFont gloss = ToGlossQFont(Record(c.height), c.percent);
        EXPECT_EQ(gloss.pixelSize(), c.pixels) << c.height << " " << c.percent;
        EXPECT_EQ(gloss.hintingPreference(), QFont::PreferVerticalHinting);
    }
    // The default gloss still fits in the default half line of 20.
    EXPECT_LE(QFontMetrics(ToGlossQFont(ReadingFont{})).height(), 20);
}

TEST(ReadingFace, AMissingFaceBecomesALatinFaceOfItsKindNeverACjkOne) {
    struct Case {
        ReadingFont record;
        const char* kind;  // in the substitute's name
    };
    const Case cases[] = {
        {Record(20), "Serif"},                    // the default: "MS Serif", family "don't care"
        {Record(20, "MS Serif", 0x10), "Serif"},  // FF_ROMAN
        {Record(-16, "MS Sans Serif", 0x20), "Sans"},  // FF_SWISS
    };
    for (const Case& c : cases) {
        const QFont font = ToQFont(c.record);
        const QString drawn = QFontInfo(font).family();
        EXPECT_FALSE(drawn.contains(QLatin1String("CJK")))
            << drawn.toStdString() << " under " << Locale();
        EXPECT_TRUE(drawn.contains(QLatin1String(c.kind)))
            << drawn.toStdString() << " under " << Locale();
        EXPECT_EQ(FacesDrawing(font, QStringLiteral("doorway stupid")), QStringList{drawn})
            << Locale();
        // Chinese in an English text takes the gloss face, not the locale's fallback.
        EXPECT_EQ(FacesDrawing(font, kChinese), QStringList{GlossFamily()}) << Locale();
    }
}

TEST(ReadingFace, AnInstalledFaceIsKeptEvenWhenItIsACjkFace) {
    const QFont font = ToQFont(Record(-16, "Noto Serif CJK JP"));
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Noto Serif CJK JP"));
}

TEST(PrintedGlosses, EmbedTheSimplifiedChineseFace) {
    if (std::system("command -v pdffonts >/dev/null") != 0) {
        GTEST_SKIP() << "poppler-utils (pdffonts) not installed";
    }
    CParagraphList text;
    SetLines(text, {"bone"});
    GlossFirstParagraph(text, {kGbkBone});
    PageScene scene;
    scene.paragraphs = &text.m_arrParagraphs;
    scene.textFont = ToQFont(ReadingFont{});
    scene.glossFont = ToGlossQFont(ReadingFont{});
    scene.pageColor = Qt::white;
    QtTextMeasurer measurer(scene.textFont, 20);
    LayoutText(text, measurer, 800, PageLayout::Original);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("glosses.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    {
        QPainter painter(&printer);
        GlossTextCache glosses;
        PaintPrintedPage(painter, printer.pageLayout().paintRectPixels(printer.resolution()).size(),
                         scene, 0, glosses);
    }
    std::string fonts;
    if (FILE* pipe = popen(("pdffonts '" + pdf.toStdString() + "'").c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
            fonts += buffer;
        }
        pclose(pipe);
    }
    const QString listed = QString::fromStdString(fonts);
    if (GlossFamily().startsWith(QLatin1String("Noto"))) {
        EXPECT_TRUE(listed.contains(QLatin1String("CJKsc"))) << fonts << " under " << Locale();
    }
    for (const char* other : {"CJKjp", "CJKtc", "CJKkr", "CJKhk"}) {
        EXPECT_FALSE(listed.contains(QLatin1String(other))) << fonts << " under " << Locale();
    }
}

}  // namespace
