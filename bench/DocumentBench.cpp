// The whole of War and Peace read, split and glossed as the open-text command
// does it, glossed again after a settings change, and the memory the text model
// takes per token; each beside the literal algorithms on the same input.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "ContextSenses.h"
#include "DictionaryFile.h"
#include "ForeignRuns.h"
#include "LiteralGlosser.h"
#include "PersonalWords.h"
#include "ReadFileBytes.h"
#include "TextDecoder.h"
#include "VocabularyTable.h"

namespace {

const std::string kNovel = VELLUMWISE_BENCH_CORPUS;

// The build's main.dic unless VELLUMWISE_BENCH_DIC names another.
std::string DictionaryPath() {
    const char* chosen = std::getenv("VELLUMWISE_BENCH_DIC");
    return chosen != nullptr ? chosen : VELLUMWISE_MAIN_DIC;
}

const CDicMain& Dictionary() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain;
        const DicFileResult result = LoadDictionaryFile(*loaded, DictionaryPath());
        if (!result.Ok()) {
            std::fprintf(stderr, "cannot load %s: %s\n", result.path.c_str(),
                         result.detail.c_str());
            std::exit(1);
        }
        return loaded;
    }();
    return *dic;
}

// tagger.dat and senses.dat beside the build's main.dic.
const ContextSenses& Context() {
    static const ContextSenses* context = [] {
        std::string problem;
        auto loaded = ContextSenses::Load(
            std::filesystem::path(VELLUMWISE_MAIN_DIC).parent_path().string(), problem);
        if (!loaded) {
            std::fprintf(stderr, "cannot load the context data: %s\n", problem.c_str());
            std::exit(1);
        }
        return loaded.release();
    }();
    return *context;
}

std::string Novel() {
    const auto bytes = ReadFileBytes(kNovel);
    if (!bytes) {
        std::fprintf(stderr, "cannot read %s\n", kNovel.c_str());
        std::exit(1);
    }
    return *bytes;
}

std::size_t TokenCount(const CParagraphList& text) {
    std::size_t count = 0;
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        count += paragraph.TokenCount();
    }
    return count;
}

// Everything the model holds but the text's own bytes; with the layout's three
// numbers per token when `laidOut`.
std::size_t ModelBytesBeyondText(const CParagraphList& text, bool laidOut) {
    const TextStore& store = text.Store();
    std::size_t bytes = text.m_arrParagraphs.capacity() * sizeof(CParagraph);
    bytes += store.tokenOffsets.capacity() * sizeof(std::uint32_t);
    bytes += store.tokenWords.capacity() * sizeof(std::uint32_t);
    bytes += store.glossOfWord.capacity() * sizeof(std::uint32_t);
    bytes += store.senseOfToken.capacity() +
             store.senseGlossOfWord.capacity() * sizeof(store.senseGlossOfWord[0]) +
             store.senseGlosses.MemoryBytes() + store.phrases.capacity() * sizeof(PhraseMatch) +
             store.foreignTokens.capacity() / 8;
    if (laidOut) {
        bytes += 3 * store.tokenOffsets.size() * sizeof(std::int32_t);
    }
    return bytes + text.Glosses().MemoryBytes() + text.Words().MemoryBytes();
}

std::size_t GlossedCount(const CParagraphList& text) {
    std::size_t count = 0;
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            count += paragraph.Gloss(j).empty() ? 0 : 1;
        }
    }
    return count;
}

const double kLevel3 = ThresholdForLevel(3);
const double kLevel4 = ThresholdForLevel(4);

void ReadSplitGloss(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    std::size_t tokens = 0, glossed = 0, model = 0, laidOut = 0;
    for (auto _ : state) {
        CParagraphList text;
        text.SetText(TextDecoder::Decode(*ReadFileBytes(kNovel)));
        text.Annotate(&dic, kLevel3, false, false);
        state.PauseTiming();
        tokens = TokenCount(text);
        glossed = GlossedCount(text);
        model = ModelBytesBeyondText(text, false);
        laidOut = ModelBytesBeyondText(text, true);
        state.ResumeTiming();
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["glossed"] = static_cast<double>(glossed);
    state.counters["B/token"] = static_cast<double>(model) / static_cast<double>(tokens);
    state.counters["B/token+layout"] = static_cast<double>(laidOut) / static_cast<double>(tokens);
}

void ReadSplitGlossLiteral(benchmark::State& state) {
    LiteralGlosser literal(Dictionary());
    std::size_t tokens = 0, model = 0;
    for (auto _ : state) {
        literal.SetText(*ReadFileBytes(kNovel));
        literal.Annotate(kLevel3, false, false);
        state.PauseTiming();
        tokens = literal.TokenCount();
        model = literal.ModelBytesBeyondText();
        state.ResumeTiming();
    }
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["B/token"] = static_cast<double>(model) / static_cast<double>(tokens);
}

// The tagger and senses of Context() without any phrase, to weigh what phrases add.
const ContextSenses& ContextWithoutPhrases() {
    static const ContextSenses* context = [] {
        const std::string folder =
            std::filesystem::path(VELLUMWISE_MAIN_DIC).parent_path().string();
        std::string problem;
        auto tagger = TaggerData::FromCompiled(
            ReadFileBytes(folder + "/" + std::string(kTaggerFileName)).value_or(""), problem);
        auto senses = SenseTable::FromCompiled(
            ReadFileBytes(folder + "/" + std::string(kSensesFileName)).value_or(""), problem);
        if (!tagger || !senses) {
            std::fprintf(stderr, "cannot load the context data: %s\n", problem.c_str());
            std::exit(1);
        }
        return new ContextSenses(std::move(*tagger), std::move(*senses));
    }();
    return *context;
}

// Tagging the whole novel and choosing each token's sense, once per text: Arg 0 by part
// of speech alone, Arg 1 with the phrases and the profile of the subject too. The
// counters are the tokens given a sense other than their word's, those given their
// subject's, the phrases found and glossed at step 3, and the bytes a token the choice
// adds to the model.
void TagAndChooseSenses(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    const ContextSenses& context = state.range(0) != 0 ? Context() : ContextWithoutPhrases();
    CParagraphList text;
    text.SetText(TextDecoder::Decode(Novel()));
    text.SetSubjectChoice(state.range(0) != 0);
    const std::size_t before = ModelBytesBeyondText(text, false);
    for (auto _ : state) {
        text.SetContext(nullptr);
        text.SetContext(&context);
        text.Annotate(&dic, kLevel3, false, false);
    }
    std::size_t chosen = 0;
    std::size_t bySubject = 0;
    const TextStore& store = text.Store();
    for (const std::uint8_t sense : store.senseOfToken) {
        chosen += (sense & TextStore::kSenseSlot) != 0 ? 1 : 0;
        bySubject += (sense & TextStore::kSenseSlot) == TextStore::kSubjectSlot + 1 ? 1 : 0;
    }
    std::size_t shown = 0;
    for (const PhraseMatch& phrase : store.phrases) {
        shown += phrase.head != PhraseMatch::kNotShown ? 1 : 0;
    }
    const std::size_t tokens = TokenCount(text);
    state.counters["tokens"] = static_cast<double>(tokens);
    state.counters["chosen"] = static_cast<double>(chosen);
    state.counters["phrases"] = static_cast<double>(store.phrases.size());
    state.counters["phrases shown"] = static_cast<double>(shown);
    state.counters["subject"] = static_cast<double>(bySubject);
    state.counters["subjects found"] = static_cast<double>(text.SubjectsFound().size());
    state.counters["B/token added"] =
        static_cast<double>(ModelBytesBeyondText(text, false) - before) /
        static_cast<double>(tokens);
}

// The pass that finds runs of another language over the whole novel, once per text
// and dictionary; the counter is the tokens it leaves bare.
void FindForeignRunsOnNovel(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    CParagraphList text;
    text.SetText(TextDecoder::Decode(Novel()));
    std::vector<bool> foreign;
    for (auto _ : state) {
        foreign = FindForeignRuns(text.Store(), dic,
                                  [&text](std::uint32_t id) { return text.IsName(id); });
        benchmark::DoNotOptimize(foreign);
    }
    state.counters["foreign tokens"] =
        static_cast<double>(std::count(foreign.begin(), foreign.end(), true));
}

// A slider move on a text whose senses are chosen: only the step's glosses change.
void ReglossWithContext(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    CParagraphList text;
    text.SetText(TextDecoder::Decode(Novel()));
    text.SetContext(&Context());
    text.Annotate(&dic, kLevel3, false, false);
    bool flip = false;
    for (auto _ : state) {
        text.Annotate(&dic, flip ? kLevel4 : kLevel3, flip, flip);
        flip = !flip;
    }
    state.counters["glossed"] = static_cast<double>(GlossedCount(text));
}

// A slider move: with the names rule (the default) and without it, as before
// the rule existed; the counters are the glosses at step 3 either way.
void Regloss(benchmark::State& state) {
    const bool skipNames = state.range(0) != 0;
    const CDicMain& dic = Dictionary();
    CParagraphList text;
    text.SetText(TextDecoder::Decode(Novel()));
    bool flip = false;
    for (auto _ : state) {
        text.Annotate(&dic, flip ? kLevel4 : kLevel3, flip, flip, skipNames);
        flip = !flip;
    }
    text.Annotate(&dic, kLevel3, false, false, skipNames);
    std::size_t names = 0;
    for (std::uint32_t id = 0; id < text.Words().Size(); ++id) {
        names += text.IsName(id) ? 1 : 0;
    }
    state.counters["glossed"] = static_cast<double>(GlossedCount(text));
    state.counters["names"] = static_cast<double>(names);
}

void ReglossLiteral(benchmark::State& state) {
    LiteralGlosser literal(Dictionary());
    literal.SetText(Novel());
    bool flip = false;
    for (auto _ : state) {
        literal.Annotate(flip ? kLevel4 : kLevel3, flip, flip);
        flip = !flip;
    }
}

// One mark from the page on an open novel, as the document does it: the lists
// change, both are resolved to entries again, and every token takes its gloss from
// the per-word glosses of the last full glossing. The reader already knows
// `state.range(0)` words by list (the dictionary's first entries).
void ReglossAfterMark(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    PersonalWords words;  // in memory: the benchmark measures glossing, not the disk
    std::string list;
    for (std::int64_t i = 0;
         i < state.range(0) && i < static_cast<std::int64_t>(dic.m_arrItems.size()); ++i) {
        list += dic.m_arrItems[static_cast<std::size_t>(i)].m_strWord + "\n";
    }
    words.ImportKnown(dic, list);
    MarkIndex marks(dic, words);
    CParagraphList text;
    text.SetText(TextDecoder::Decode(Novel()));
    text.SetMarks(&marks);
    text.Annotate(&dic, kLevel3, false, false);
    bool known = false;
    for (auto _ : state) {
        known = !known;
        words.SetMark(dic, "house", known ? WordMark::Known : WordMark::None);
        marks = MarkIndex(dic, words);
        text.ReapplyMarks(&dic);
    }
    state.counters["listed"] = static_cast<double>(words.Known().words.size());
}

// A known list of a million lines in a folder of its own, as a reader who imported a
// frequency list has it: made-up words of five letters.
std::string MillionWordFolder() {
    static const std::string folder = [] {
        const std::string made =
            (std::filesystem::temp_directory_path() / "vellumwise-bench-million").string();
        std::filesystem::create_directories(made);
        std::filesystem::permissions(made, std::filesystem::perms::owner_all);
        std::string list;
        char word[6] = {};
        for (int i = 0; i < 1'000'000; ++i) {
            int n = i;
            for (int k = 4; k >= 0; --k) {
                word[k] = static_cast<char>('a' + n % 26);
                n /= 26;
            }
            list.append(word, 5).push_back('\n');
        }
        std::ofstream(made + "/known-words.txt", std::ios::binary) << list;
        std::filesystem::remove(made + "/new-words.txt");
        return made;
    }();
    return folder;
}

// The lists read at start, and the marks resolved to entries.
void LoadMillionWordList(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    const std::string folder = MillionWordFolder();
    for (auto _ : state) {
        PersonalWords words(folder);
        benchmark::DoNotOptimize(words.Load());
        MarkIndex marks(dic, words);
        benchmark::DoNotOptimize(marks.Empty());
    }
}

// One mark with that list: re-read only when another program saved, written whole,
// and the window's index brought up to date.
void MarkWithMillionWordList(benchmark::State& state) {
    const CDicMain& dic = Dictionary();
    PersonalWords words(MillionWordFolder());
    words.Load();
    MarkIndex marks(dic, words);
    bool known = false;
    for (auto _ : state) {
        known = !known;
        const std::uint64_t before = words.Generation();
        words.SetMark(dic, "house", known ? WordMark::Known : WordMark::None);
        if (words.Generation() != before) {
            marks = MarkIndex(dic, words);
        } else {
            marks.Apply(dic, "house", known ? WordMark::Known : WordMark::None);
        }
    }
}

// A 200 MB text of short paragraphs, made as the fault test makes it: 60-byte lines
// of 15 tokens, where whatever a paragraph or a token costs shows most.
std::string HugeText() {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vellumwise-bench-200mb.txt").string();
    const std::string block = "It was a dark and stormy night; the rain fell in torrents.\r\n";
    std::string chunk;
    while (chunk.size() < (1u << 20)) {
        chunk += block;
    }
    if (!std::filesystem::exists(path) || std::filesystem::file_size(path) != 200 * chunk.size()) {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 200; ++i) {
            out << chunk;
        }
    }
    return path;
}

// The peak resident memory of opening the 200 MB text as the open-text command does
// (read, decode, split, gloss), in a child process, so that nothing the benchmarks
// before it left behind counts; the dictionary it inherits is the program's own.
void OpenHugeTextPeak(benchmark::State& state) {
    const std::string path = HugeText();
    const CDicMain& dic = Dictionary();
    long peakKiB = 0;
    std::size_t tokens = 0;
    for (auto _ : state) {
        int pipe[2];
        if (::pipe(pipe) != 0) {
            state.SkipWithError("no pipe");
            break;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipe[0]);
            std::optional<std::string> bytes = ReadFileBytes(path);
            std::string decoded = TextDecoder::Decode(*bytes);
            bytes.reset();
            CParagraphList text;
            text.SetText(std::move(decoded));
            text.Annotate(&dic, kLevel3, false, false);
            const std::size_t count = text.Store().tokenOffsets.size();
            const bool written = ::write(pipe[1], &count, sizeof count) == sizeof count;
            ::_exit(written ? 0 : 1);
        }
        ::close(pipe[1]);
        if (::read(pipe[0], &tokens, sizeof tokens) != sizeof tokens) {
            tokens = 0;
        }
        ::close(pipe[0]);
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        peakKiB = usage.ru_maxrss;
    }
    std::filesystem::remove(path);
    state.counters["peak MiB"] = static_cast<double>(peakKiB) / 1024.0;
    state.counters["tokens"] = static_cast<double>(tokens);
}

// Wall-clock time: the splitting and the look-ups are shared between processors.
BENCHMARK(ReadSplitGloss)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();
BENCHMARK(ReadSplitGlossLiteral)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Regloss)
    ->ArgName("skipNames")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime();
// The tagging runs on several threads: the CPU column is the whole process's, what
// one core would take.
BENCHMARK(TagAndChooseSenses)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK(FindForeignRunsOnNovel)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(ReglossWithContext)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(ReglossLiteral)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(ReglossAfterMark)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(LoadMillionWordList)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(MarkWithMillionWordList)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
BENCHMARK(OpenHugeTextPeak)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// Prints the runs as usual and keeps their times for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
        }
    }
    // `other` is the literal algorithm's run unless `versus` names something else.
    void PrintRatio(const char* what, const std::string& ours, const std::string& other,
                    const char* versus = "literal") const {
        const auto a = m_times.find(ours);
        const auto b = m_times.find(other);
        if (a != m_times.end() && b != m_times.end() && a->second > 0) {
            std::printf("%-22s %10.2f ms  %s %10.2f ms  ratio %.2fx\n", what, a->second, versus,
                        b->second, b->second / a->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    std::printf("dictionary: %s (%zu entries)\ntext: %s\n", DictionaryPath().c_str(),
                Dictionary().m_arrItems.size(), kNovel.c_str());
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("read+split+gloss", "ReadSplitGloss/min_time:1.000/real_time",
                        "ReadSplitGlossLiteral/iterations:2");
    reporter.PrintRatio("re-gloss", "Regloss/skipNames:1/min_time:1.000/real_time",
                        "ReglossLiteral/iterations:2");
    reporter.PrintRatio("re-gloss, names rule", "Regloss/skipNames:1/min_time:1.000/real_time",
                        "Regloss/skipNames:0/min_time:1.000/real_time", "names glossed");
    benchmark::Shutdown();
    return 0;
}
