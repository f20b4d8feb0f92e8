// Finding in War and Peace as the find bar does at each key: a word the first time
// after the text came (the text folded too), the same again, a word that is
// everywhere, a query of 10,000 characters, and the glosses at step 3.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "DictionaryFile.h"
#include "ReadFileBytes.h"
#include "TextDecoder.h"
#include "TextSearch.h"
#include "VocabularyTable.h"

namespace {

const CParagraphList& Novel() {
    static const CParagraphList* text = [] {
        const auto bytes = ReadFileBytes(VELLUMWISE_BENCH_CORPUS);
        if (!bytes) {
            std::fprintf(stderr, "cannot read %s\n", VELLUMWISE_BENCH_CORPUS);
            std::exit(1);
        }
        auto* made = new CParagraphList;
        made->SetText(TextDecoder::Decode(*bytes));
        return made;
    }();
    return *text;
}

// The novel glossed at step 3 with the build's main.dic.
const CParagraphList& GlossedNovel() {
    static const CParagraphList* text = [] {
        static CDicMain dic;
        const DicFileResult result = LoadDictionaryFile(dic, VELLUMWISE_MAIN_DIC);
        if (!result.Ok()) {
            std::fprintf(stderr, "cannot load %s\n", VELLUMWISE_MAIN_DIC);
            std::exit(1);
        }
        auto* made = new CParagraphList;
        made->SetText(TextDecoder::Decode(*ReadFileBytes(VELLUMWISE_BENCH_CORPUS)));
        made->Annotate(&dic, ThresholdForLevel(3), false, false);
        return made;
    }();
    return *text;
}

void Report(benchmark::State& state, const SearchResult& result) {
    state.counters["hits"] = static_cast<double>(result.hits.size());
}

// Arg 0: a new text each time (folded first); 1: the text folded already.
void FindWord(benchmark::State& state) {
    const CParagraphList& text = Novel();
    TextSearch search;
    std::uint64_t serial = 0;
    SearchResult result;
    for (auto _ : state) {
        result = search.Find(text, state.range(0) == 0 ? ++serial : 0, {"window"});
    }
    Report(state, result);
}
BENCHMARK(FindWord)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void FindWholeWord(benchmark::State& state) {
    const CParagraphList& text = Novel();
    TextSearch search;
    SearchResult result;
    for (auto _ : state) {
        result = search.Find(text, 0, {"the", SearchField::Words, true});
    }
    Report(state, result);
}
BENCHMARK(FindWholeWord)->Unit(benchmark::kMillisecond);

void FindHugeQuery(benchmark::State& state) {
    const CParagraphList& text = Novel();
    TextSearch search;
    const std::string query(10000, 'e');
    SearchResult result;
    for (auto _ : state) {
        result = search.Find(text, 0, {query});
    }
    Report(state, result);
}
BENCHMARK(FindHugeQuery)->Unit(benchmark::kMillisecond);

void FindGloss(benchmark::State& state) {
    const CParagraphList& text = GlossedNovel();
    TextSearch search;
    SearchResult result;
    for (auto _ : state) {
        result = search.Find(text, 0, {"属", SearchField::Glosses});
    }
    Report(state, result);
}
BENCHMARK(FindGloss)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
