// The word card and the whole entries: a card from the hold to its laid-out window
// (database question and layout), a Chinese and an English search over every entry,
// the dictionary panel's searches and cards, the database's size, and what start-up
// pays for it (nothing is opened before a card or a search).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLayout>
#include <QTextDocument>
#include <filesystem>
#include <string>

#include "CDicMain.h"
#include "CVellumwiseDoc.h"
#include "DictionaryFile.h"
#include "DictionaryPanel.h"
#include "EntryDatabase.h"
#include "EntrySearch.h"
#include "FakePlatformServices.h"
#include "WordCardContent.h"
#include "WordCardDlg.h"

namespace {

const std::string kDatabase = VELLUMWISE_ENTRY_DATABASE;
const char* const kWords[] = {"go",         "restrictions", "wound", "happier",
                              "whatsoever", "book",         "went",  "ran"};

// The first card of a run: the file opened, the entry read, the card laid out.
void BM_FirstCardFromHoldToLayout(benchmark::State& state) {
    for (auto _ : state) {
        EntryDatabase entries(kDatabase);
        WordCardDlg card(nullptr, QFont(QStringLiteral("Noto Serif"), 14));
        card.SetContent(ComposeWordCard("go", "去，走", entries.Find("go")));
        benchmark::DoNotOptimize(card.layout()->totalHeightForWidth(500));
    }
}
BENCHMARK(BM_FirstCardFromHoldToLayout)->Unit(benchmark::kMillisecond);

// Every later card: the database already open.
void BM_CardFromHoldToLayout(benchmark::State& state) {
    EntryDatabase entries(kDatabase);
    entries.Available();
    std::size_t i = 0;
    for (auto _ : state) {
        const char* word = kWords[i++ % std::size(kWords)];
        WordCardDlg card(nullptr, QFont(QStringLiteral("Noto Serif"), 14));
        card.SetContent(ComposeWordCard(word, "", entries.Find(word)));
        benchmark::DoNotOptimize(card.layout()->totalHeightForWidth(500));
    }
}
BENCHMARK(BM_CardFromHoldToLayout)->Unit(benchmark::kMillisecond);

void SearchSenses(benchmark::State& state, const char* text) {
    EntryDatabase entries(kDatabase);
    entries.Available();
    for (auto _ : state) {
        benchmark::DoNotOptimize(entries.SearchSenses(text, 50));
    }
}
// One character is looked for row by row over every entry; three or more use the index.
void BM_SearchOneChineseCharacter(benchmark::State& state) { SearchSenses(state, "书"); }
void BM_SearchChinesePhrase(benchmark::State& state) { SearchSenses(state, "工作簿"); }
void BM_SearchTenThousandCharacters(benchmark::State& state) {
    SearchSenses(state, std::string(30000, 'a').c_str());
}
BENCHMARK(BM_SearchOneChineseCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchChinesePhrase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchTenThousandCharacters)->Unit(benchmark::kMillisecond);

void BM_SearchEnglishPrefix(benchmark::State& state) {
    EntryDatabase entries(kDatabase);
    entries.Available();
    for (auto _ : state) {
        benchmark::DoNotOptimize(entries.WordsStartingWith("re", 50));
        benchmark::DoNotOptimize(entries.Find("restrictions"));
    }
}
BENCHMARK(BM_SearchEnglishPrefix)->Unit(benchmark::kMillisecond);

const CDicMain& Dictionary() {
    static const CDicMain* dic = [] {
        auto* loaded = new CDicMain;
        LoadMainAndSupplement(*loaded, VELLUMWISE_MAIN_DIC);
        return loaded;
    }();
    return *dic;
}

// The panel's search as the reader types it: an English word (a form, a headword, the
// start of one) or Chinese text of one, two and three characters; the worst, a long run
// that no sense holds.
void PanelSearch(benchmark::State& state, const std::string& query) {
    EntryDatabase entries(kDatabase);
    entries.Available();
    std::size_t found = 0;
    for (auto _ : state) {
        found =
            SearchEntries(Dictionary(), entries, query, DictionaryPanel::kMostFound).words.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
}
BENCHMARK_CAPTURE(PanelSearch, english_form_went, std::string("went"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, english_reduced_restrictions, std::string("restrictions"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, english_prefix_re, std::string("re"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, chinese_one_character, std::string("书"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, chinese_two_characters, std::string("斑马"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, chinese_three_characters, std::string("银行家"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, fts_syntax, std::string("\"书\" OR NEAR(的 *)"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PanelSearch, ten_thousand_characters, std::string(10000, 'q') + "%")
    ->Unit(benchmark::kMillisecond);

// A headword picked in the panel: its entry read, the card's text laid out at the
// panel's width.
void BM_PanelCardFromPickToLayout(benchmark::State& state) {
    EntryDatabase entries(kDatabase);
    entries.Available();
    std::size_t i = 0;
    for (auto _ : state) {
        const char* word = kWords[i++ % std::size(kWords)];
        const WordCardContent card = CardForWord(Dictionary(), entries, word);
        QTextDocument text;
        text.setHtml(WordCardHtml(card, {}, Qt::blue));
        text.setTextWidth(320);
        benchmark::DoNotOptimize(text.size());
    }
}
BENCHMARK(BM_PanelCardFromPickToLayout)->Unit(benchmark::kMillisecond);

// What the window pays at start-up for the panel: made, hidden, nothing opened.
void BM_DictionaryPanelMade(benchmark::State& state) {
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    for (auto _ : state) {
        DictionaryPanel panel(doc, nullptr);
        benchmark::DoNotOptimize(&panel);
    }
}
BENCHMARK(BM_DictionaryPanelMade)->Unit(benchmark::kMillisecond);

// What start-up pays: the owner made, nothing opened.
void BM_StartUpCost(benchmark::State& state) {
    for (auto _ : state) {
        EntryDatabase entries(kDatabase);
        benchmark::DoNotOptimize(entries.Opened());
    }
    state.counters["database_MB"] =
        static_cast<double>(std::filesystem::file_size(kDatabase)) / (1024.0 * 1024.0);
}
BENCHMARK(BM_StartUpCost);

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
