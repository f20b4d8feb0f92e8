// Nanoseconds per Translate on a 20,000-entry dictionary with full-size word lists.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "CDicMain.h"

namespace {

std::string RandomWord(std::mt19937& random, int minLength, int maxLength) {
    std::uniform_int_distribution<int> length(minLength, maxLength);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string word(length(random), 'a');
    for (char& c : word) {
        c = static_cast<char>(letter(random));
    }
    return word;
}

struct Fixture {
    std::vector<std::string> strings;  // owns the texts the word lists point to
    std::vector<IrregularVerbRow> verbs;
    std::vector<GlossaryRow> medical;
    std::vector<GlossaryRow> science;
    std::unique_ptr<CDicMain> dic;
    std::vector<std::string> found, inflected, unknown;

    Fixture() {
        std::mt19937 random(7);
        strings.reserve(10000);
        auto keep = [&](std::string text) -> std::string_view {
            return strings.emplace_back(std::move(text));
        };
        for (int i = 0; i < 447; ++i) {
            verbs.push_back({keep(RandomWord(random, 3, 8)), keep(RandomWord(random, 3, 8)),
                             keep(RandomWord(random, 3, 9))});
        }
        for (int i = 0; i < 1660; ++i) {
            medical.push_back({keep(RandomWord(random, 5, 14)), keep("\xD2\xBD\xD1\xA7")});
        }
        for (int i = 0; i < 1037; ++i) {
            science.push_back({keep(RandomWord(random, 4, 12)), keep("\xBF\xC6\xD1\xA7")});
        }
        dic = std::make_unique<CDicMain>(WordLists{verbs, medical, science});
        std::vector<CDicItem> items;
        for (int i = 0; i < 20000; ++i) {
            CDicItem item;
            item.m_strWord = RandomWord(random, 3, 10);
            item.m_strGloss = "\xB2\xE2\xCA\xD4";
            item.m_dFrequency = 20000.0 / (i + 1);
            items.push_back(std::move(item));
        }
        dic->ReplaceItems(std::move(items));
        for (int i = 0; i < 1024; ++i) {
            const std::string& word = dic->m_arrItems[(i * 19) % 20000].m_strWord;
            found.push_back(word);
            inflected.push_back(word + (i % 2 ? "ing" : "ed"));
            unknown.push_back(RandomWord(random, 6, 9) + "ies");  // tries every rule that fits
        }
    }
};

const Fixture& SharedFixture() {
    static const Fixture fixture;
    return fixture;
}

void Run(benchmark::State& state, const std::vector<std::string>& words) {
    const CDicMain& dic = *SharedFixture().dic;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dic.TranslateView(words[i++ & 1023], 1e9, true, true));
    }
}

void BM_TranslateFoundWord(benchmark::State& state) { Run(state, SharedFixture().found); }
void BM_TranslateInflectedForm(benchmark::State& state) { Run(state, SharedFixture().inflected); }
void BM_TranslateUnknownWord(benchmark::State& state) { Run(state, SharedFixture().unknown); }

BENCHMARK(BM_TranslateFoundWord);
BENCHMARK(BM_TranslateInflectedForm);
BENCHMARK(BM_TranslateUnknownWord);

}  // namespace

BENCHMARK_MAIN();
