// Opening a text to its first painted screen, whatever its size: War and Peace, a
// 20 MB and a 200 MB text made from it. Each text is opened in a child process of
// its own, so that the peak memory is the whole program's (main.dic included) and
// nothing an earlier run left behind counts. Prints, per text: the open command to
// the first full-HD image, to the complete book, the slowest answer to a scroll
// while work went on after the first image, and the peak resident memory.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "PagePainter.h"

namespace {

const QSize kFullHd(1920, 1080);
const std::string kNovel = VELLUMWISE_BENCH_CORPUS;

// What one child measured, handed back through a pipe.
struct Figures {
    double firstImageMs = 0;     // wall clock, open command to first image painted
    double firstImageCpuMs = 0;  // this process's CPU time meanwhile (every thread)
    double completeMs = 0;       // wall clock, open command to the whole book ready
    double slowestScrollMs = 0;  // slowest scroll answered after the first image
    long scrolls = 0;            // scrolls answered before the book was complete
    long paragraphs = 0;
};

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double CpuMs() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The novel's paragraphs (blocks between blank lines), to be mixed into longer texts.
std::vector<std::string> NovelBlocks() {
    std::ifstream in(kNovel, std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    std::vector<std::string> blocks;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find("\r\n\r\n", from);
        end = end == std::string::npos ? text.size() : end + 4;
        blocks.push_back(text.substr(from, end - from));
        from = end;
    }
    return blocks;
}

// A text of about `megabytes` MB: the novel's blocks again and again, each copy
// starting at another block, so that no two stretches of the text repeat in step.
std::string MixedText(int megabytes) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vellumwise-first-screen-" + std::to_string(megabytes) + "mb.txt"))
                                 .string();
    const std::uintmax_t size = static_cast<std::uintmax_t>(megabytes) << 20;
    if (std::filesystem::exists(path) && std::filesystem::file_size(path) >= size) {
        return path;
    }
    const std::vector<std::string> blocks = NovelBlocks();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::uintmax_t written = 0;
    for (std::size_t copy = 0; written < size; ++copy) {
        const std::size_t start = (copy * 7919) % blocks.size();
        for (std::size_t i = 0; i < blocks.size() && written < size; ++i) {
            const std::string& block = blocks[(start + i) % blocks.size()];
            out << block;
            written += block.size();
        }
    }
    return path;
}

// In the child: the program's document and view, the text opened, the first image
// painted; then scrolls answered, one every few milliseconds, until the book is complete.
Figures OpenInThisProcess(const std::string& path) {
    int argc = 1;
    char name[] = "first_screen_bench";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(std::filesystem::path(VELLUMWISE_MAIN_DIC).parent_path().string());
    doc.OnNewDocument();
    CVellumwiseView view(doc);
    view.resize(kFullHd);
    QImage image(kFullHd, QImage::Format_ARGB32_Premultiplied);

    Figures figures;
    const double cpuBefore = CpuMs();
    const auto start = std::chrono::steady_clock::now();
    doc.OpenTextFile(path);
    {
        QPainter painter(&image);
        PaintPage(painter, kFullHd, view.Scene(), view.Glosses());
    }
    figures.firstImageMs = MsSince(start);
    figures.firstImageCpuMs = CpuMs() - cpuBefore;
    std::int64_t pos = 0;
    while (doc.FinishingInBackground()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const auto asked = std::chrono::steady_clock::now();
        pos = (pos + 40 * 30) % std::max<std::int64_t>(doc.m_nTextHeight, 1);
        doc.ScrollTo(pos);
        QPainter painter(&image);
        PaintPage(painter, kFullHd, view.Scene(), view.Glosses());
        figures.slowestScrollMs = std::max(figures.slowestScrollMs, MsSince(asked));
        ++figures.scrolls;
    }
    figures.completeMs = MsSince(start);
    figures.paragraphs = static_cast<long>(doc.m_paragraphs.m_arrParagraphs.size());
    return figures;
}

struct Run {
    Figures figures;
    double peakMiB = 0;
    bool ok = false;
};

Run OpenInChild(const std::string& path) {
    Run run;
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return run;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const Figures figures = OpenInThisProcess(path);
        const bool written = ::write(pipe[1], &figures, sizeof figures) == sizeof figures;
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    run.ok = ::read(pipe[0], &run.figures, sizeof run.figures) == sizeof run.figures;
    ::close(pipe[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    run.ok = run.ok && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

}  // namespace

int main() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    struct Text {
        const char* label;
        std::string path;
        double targetMs;
    };
    const Text texts[] = {
        {"War and Peace", kNovel, 30},
        {"20 MB", MixedText(20), 100},
        {"200 MB", MixedText(200), 100},
    };
    std::printf(
        "open -> first painted full-HD screen, and -> the complete book (ms, wall clock)\n");
    std::printf("%-14s %10s %10s %8s %10s %11s %8s %9s %10s\n", "text", "MB", "first", "target",
                "first CPU", "complete", "scrolls", "slowest", "peak MiB");
    for (const Text& text : texts) {
        const double megabytes =
            static_cast<double>(std::filesystem::file_size(text.path)) / (1 << 20);
        const Run run = OpenInChild(text.path);
        if (!run.ok) {
            std::printf("%-14s %10.1f  (the child failed)\n", text.label, megabytes);
            continue;
        }
        const Figures& f = run.figures;
        std::printf("%-14s %10.1f %10.1f %8.0f %10.1f %11.1f %8ld %9.1f %10.1f\n", text.label,
                    megabytes, f.firstImageMs, text.targetMs, f.firstImageCpuMs, f.completeMs,
                    f.scrolls, f.slowestScrollMs, run.peakMiB);
    }
    std::printf("peak memory target for the 200 MB text: 1024 MiB; answers to input: 50 ms\n");
    return 0;
}
