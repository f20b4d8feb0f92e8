// The tagger's and the senses' compiled files as a damaged install may leave them, and
// their TSV sources as a hand edit may: each is refused with a reason or read whole, and
// what is read tags and looks up without going out of bounds; a file read back from its
// own compile says the same.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "PosTagger.h"
#include "SenseTable.h"
#include "TaggerData.h"

namespace {

std::vector<std::string_view> Words(std::string_view bytes) {
    std::vector<std::string_view> words;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= bytes.size() && words.size() < 64; ++i) {
        if (i == bytes.size() || bytes[i] == ' ' || bytes[i] == '\n' || bytes[i] == '\t') {
            if (i > start) {
                words.push_back(bytes.substr(start, i - start));
            }
            start = i + 1;
        }
    }
    return words;
}

void TryTagger(const TaggerData& data, std::string_view bytes) {
    const PosTagger tagger(data);
    const std::vector<std::string_view> words = Words(bytes);
    std::vector<PosTag> tags;
    tagger.TagSentence(words, tags);
    FUZZ_CHECK(tags.size() == words.size());
}

void TrySenses(const SenseTable& table, std::string_view bytes) {
    for (const std::string_view word : Words(bytes)) {
        for (const WordClass wordClass :
             {WordClass::Noun, WordClass::Verb, WordClass::Adjective, WordClass::Adverb}) {
            table.Gloss(word, wordClass);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string error;

    if (const std::optional<TaggerData> tagger = TaggerData::FromCompiled(bytes, error)) {
        TryTagger(*tagger, bytes);
        FUZZ_CHECK(TaggerData::FromCompiled(tagger->Compile(), error).has_value());
    } else {
        FUZZ_CHECK(!error.empty());
    }
    // The lexicon, then the rules after a NUL byte.
    const std::size_t nul = bytes.find('\0');
    const std::string_view lexicon = bytes.substr(0, nul);
    const std::string_view rules = nul == std::string_view::npos ? "" : bytes.substr(nul + 1);
    error.clear();
    if (const std::optional<TaggerData> tagger = TaggerData::FromTsv(lexicon, rules, error)) {
        TryTagger(*tagger, bytes);
        const std::optional<TaggerData> again = TaggerData::FromCompiled(tagger->Compile(), error);
        FUZZ_CHECK(again.has_value() && again->LexiconSize() == tagger->LexiconSize() &&
                   again->Rules().size() == tagger->Rules().size());
    } else {
        FUZZ_CHECK(!error.empty());
    }

    error.clear();
    if (const std::optional<SenseTable> table = SenseTable::FromCompiled(bytes, error)) {
        TrySenses(*table, bytes);
    } else {
        FUZZ_CHECK(!error.empty());
    }
    error.clear();
    if (const std::optional<SenseTable> table = SenseTable::FromTsv(bytes, error)) {
        TrySenses(*table, bytes);
        const std::optional<SenseTable> again = SenseTable::FromCompiled(table->Compile(), error);
        FUZZ_CHECK(again.has_value() && again->Size() == table->Size());
    } else {
        FUZZ_CHECK(!error.empty());
    }
    return 0;
}
