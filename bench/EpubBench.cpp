// War and Peace opened as an EPUB (made from the plain text with pandoc at build
// time) and as the plain text, each from the open-text command to the first painted
// full-HD image in a fresh view; and the EPUB reader's own share.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "EpubBook.h"
#include "FirstImage.h"

namespace {

const std::string kText = VELLUMWISE_BENCH_CORPUS;
const std::string kEpub = VELLUMWISE_BENCH_EPUB;

void OpenToFirstImageCounted(benchmark::State& state, const std::string& path) {
    OpenToFirstImage(state, path);
    const CVellumwiseDoc& doc = StartedDocument();
    state.counters["paragraphs"] = static_cast<double>(doc.m_paragraphs.m_arrParagraphs.size());
    state.counters["chapters"] = static_cast<double>(doc.m_chapters.size());
}

void BM_OpenTextToFirstImage(benchmark::State& state) { OpenToFirstImageCounted(state, kText); }
void BM_OpenEpubToFirstImage(benchmark::State& state) { OpenToFirstImageCounted(state, kEpub); }

// Unzipping, parsing and collecting the paragraphs and chapters only.
void BM_ReadEpub(benchmark::State& state) {
    std::size_t paragraphs = 0;
    for (auto _ : state) {
        const EpubResult result = ReadEpubFile(kEpub);
        paragraphs = result.Ok() ? result.book->paragraphs.size() : 0;
    }
    state.counters["paragraphs"] = static_cast<double>(paragraphs);
}

BENCHMARK(BM_OpenTextToFirstImage)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_OpenEpubToFirstImage)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ReadEpub)->Unit(benchmark::kMillisecond);

// Prints the runs as usual and keeps their times for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    void PrintRatio() const {
        const auto text = m_times.find("BM_OpenTextToFirstImage");
        const auto epub = m_times.find("BM_OpenEpubToFirstImage");
        if (text != m_times.end() && epub != m_times.end() && text->second > 0) {
            std::printf("open to first screen: text %.1f ms, EPUB %.1f ms, EPUB/text %.2f\n",
                        text->second, epub->second, epub->second / text->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    const EpubResult check = ReadEpubFile(kEpub);
    if (!check.Ok()) {
        std::fprintf(stderr, "%s\n", EpubFailureMessage(kEpub, check).c_str());
        return 1;
    }
    std::printf("text: %s\nEPUB: %s\n", kText.c_str(), kEpub.c_str());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio();
    benchmark::Shutdown();
    return 0;
}
