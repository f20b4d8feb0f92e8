// The reading window's costs on the whole of War and Peace: laying the novel out
// with real font metrics, repainting a full-HD window in the middle of it, and the
// way from the open-text command to the first painted image.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FirstImage.h"
#include "GlossTextCache.h"
#include "PagePainter.h"
#include "ParagraphFlow.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "SettingsStore.h"
#include "TextFileLoad.h"
#include "TextLayout.h"
#include "TextPlaces.h"
#include "VocabularyTable.h"

namespace {

const std::string kNovel = VELLUMWISE_BENCH_CORPUS;

// The started document with the novel opened and glossed.
CVellumwiseDoc& Novel() {
    static CVellumwiseDoc* doc = [] {
        CVellumwiseDoc* started = &StartedDocument();
        started->OpenTextFile(kNovel);
        return started;
    }();
    return *doc;
}

QFont ReadingQFont() { return ToQFont(Novel().m_fontText); }

// The novel read and glossed apart from the document, for the layout alone to place.
CParagraphList& NovelText() {
    static CParagraphList* text = [] {
        CVellumwiseDoc& doc = Novel();
        TextFileLoad load = TextFileLoad::Run(
            kNovel, doc.m_dicMain, GlossChoice{doc.m_dThreshold, false, false, doc.m_bSkipNames});
        return new CParagraphList(std::move(*load.paragraphs));
    }();
    return *text;
}

// The layout a benchmark's argument names, which its label repeats.
PageLayout LayoutOf(benchmark::State& state) {
    const auto layout = static_cast<PageLayout>(state.range(0));
    state.SetLabel(std::string(PageLayoutName(layout)));
    return layout;
}

// The first layout after opening: every distinct token measured afresh (and, in the
// book layout, the lines' flow found).
void BM_LayoutNovelFirstTime(benchmark::State& state) {
    CParagraphList& text = NovelText();
    const QFont font = ReadingQFont();
    const PageLayout layout = LayoutOf(state);
    for (auto _ : state) {
        QtTextMeasurer measurer(font, 20);
        benchmark::DoNotOptimize(LayoutText(text, measurer, Novel().m_nPageWidth, layout));
    }
    state.counters["paragraphs"] = static_cast<double>(text.m_arrParagraphs.size());
}
// Wall-clock time where the measuring is shared between processors.
BENCHMARK(BM_LayoutNovelFirstTime)
    ->Arg(static_cast<int>(PageLayout::Original))
    ->Arg(static_cast<int>(PageLayout::Book))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A later layout in the same font (after a vocabulary change): widths from the cache.
void BM_LayoutNovelAgain(benchmark::State& state) {
    CParagraphList& text = NovelText();
    QtTextMeasurer measurer(ReadingQFont(), 20);
    const PageLayout layout = LayoutOf(state);
    // The window finds how the lines flow once per text.
    const BookFlow flow = BookFlow::Of(text);
    LayoutText(text, measurer, Novel().m_nPageWidth, layout, &flow);
    for (auto _ : state) {
        benchmark::DoNotOptimize(LayoutText(text, measurer, Novel().m_nPageWidth, layout, &flow));
    }
}
BENCHMARK(BM_LayoutNovelAgain)
    ->Arg(static_cast<int>(PageLayout::Original))
    ->Arg(static_cast<int>(PageLayout::Book))
    ->Unit(benchmark::kMillisecond);

// Finding how the book layout flows the novel's lines and joins its tokens: once per
// text opened.
void BM_FlowOfNovel(benchmark::State& state) {
    CVellumwiseDoc& doc = Novel();
    for (auto _ : state) {
        benchmark::DoNotOptimize(BookFlow::Of(doc.m_paragraphs));
    }
}
BENCHMARK(BM_FlowOfNovel)->Unit(benchmark::kMillisecond);

// One repaint of a 1920 x 1080 window halfway through the novel.
void BM_RepaintFullHdMiddle(benchmark::State& state) {
    CVellumwiseDoc& doc = Novel();
    doc.SetPageLayout(LayoutOf(state));
    CVellumwiseView view(doc);
    view.resize(kFullHd);
    view.LayoutText();
    doc.ScrollTo(doc.m_nTextHeight / 2);
    QImage image(kFullHd, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPage(painter, kFullHd, view.Scene(), view.Glosses());
    }
    doc.ScrollTo(0);
}
BENCHMARK(BM_RepaintFullHdMiddle)
    ->Arg(static_cast<int>(PageLayout::Original))
    ->Arg(static_cast<int>(PageLayout::Book))
    ->Unit(benchmark::kMillisecond);

// A move of the vocabulary slider with the window open: the re-gloss and everything
// the window then does (its update of the page, the scroll bar and the page text),
// between two steps in turn.
void BM_SliderMoveWithWindowUpdate(benchmark::State& state) {
    CVellumwiseDoc& doc = Novel();
    CVellumwiseView view(doc);
    view.resize(kFullHd);
    view.LayoutText();
    const int level = doc.m_nVocabLevel;
    int step = 0;
    for (auto _ : state) {
        const int next = (step++ % 2 == 0) ? level % 11 + 1 : level;
        doc.ApplyVocabulary(next, ThresholdForLevel(next), doc.m_bShowMedical, doc.m_bShowScience);
    }
    doc.ApplyVocabulary(level, ThresholdForLevel(level), doc.m_bShowMedical, doc.m_bShowScience);
}
BENCHMARK(BM_SliderMoveWithWindowUpdate)->Unit(benchmark::kMillisecond);

// The open-text command (read, decode, split, gloss, lay out) up to the first image,
// in a fresh view so that no width is cached yet.
void BM_OpenTextToFirstImage(benchmark::State& state) { OpenToFirstImage(state, kNovel); }
BENCHMARK(BM_OpenTextToFirstImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// One repaint over a single unbroken word of 5 MB, the first layout included once.
void BM_RepaintOverAFiveMegabyteWord(benchmark::State& state) {
    CParagraphList text;
    text.SetText("Before " + std::string(5 << 20, 'w') + " after");
    PageScene scene;
    scene.paragraphs = &text.m_arrParagraphs;
    scene.textFont = ReadingQFont();
    scene.glossFont = ToQFont(GlossFontOf(Novel().m_fontText));
    QtTextMeasurer measurer(scene.textFont, 20);
    LayoutText(text, measurer, scene.pageWidth, PageLayout::Book);
    GlossTextCache glosses;
    QImage image(kFullHd, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintPage(painter, kFullHd, scene, glosses);
    }
}
BENCHMARK(BM_RepaintOverAFiveMegabyteWord)->Unit(benchmark::kMillisecond);

// The same, reopening the novel at a remembered word halfway through: what a start
// with a remembered place adds is finding that word's line.
void BM_OpenTextAtRememberedPlaceToFirstImage(benchmark::State& state) {
    const ReadingPlace place{{Novel().m_paragraphs.m_arrParagraphs.size() / 2, 0},
                             Novel().m_nVocabLevel};
    OpenToFirstImage(state, kNovel, place);
}
BENCHMARK(BM_OpenTextAtRememberedPlaceToFirstImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// Start-up's reading of the settings file with 200 remembered texts, and the look-up
// of the text being opened.
void BM_ReadSettingsAndPlaceAmong200(benchmark::State& state) {
    QTemporaryDir config;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    {
        SettingsStore store;
        store.SaveReading(ReadingSettings{});
        TextPlaces places(&store);
        for (int i = 0; i < TextPlaces::kMaxTexts - 1; ++i) {
            const QString path = config.filePath(QStringLiteral("book%1.txt").arg(i));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            places.Remember(path.toStdString(), {{static_cast<std::size_t>(i), 0}, 3});
        }
        places.Remember(kNovel, {{1000, 0}, 3});
    }
    for (auto _ : state) {
        SettingsStore store;
        benchmark::DoNotOptimize(store.Reading());
        benchmark::DoNotOptimize(TextPlaces(&store).Recall(kNovel));
    }
    qputenv("XDG_CONFIG_HOME", before);
}
BENCHMARK(BM_ReadSettingsAndPlaceAmong200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
