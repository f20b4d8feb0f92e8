#include "ContextSenses.h"

#include <cerrno>
#include <cstring>

#include "CDicMain.h"
#include "ReadFileBytes.h"

ContextSenses::ContextSenses(TaggerData taggerData, SenseTable senses, PhraseTable phrases)
    : m_taggerData(std::move(taggerData)),
      m_senses(std::move(senses)),
      m_phrases(std::move(phrases)),
      m_tagger(m_taggerData) {}

std::unique_ptr<ContextSenses> ContextSenses::Load(const std::string& folder, std::string& error) {
    const std::string taggerPath = folder + "/" + std::string(kTaggerFileName);
    const std::string sensesPath = folder + "/" + std::string(kSensesFileName);
    const std::optional<std::string> taggerBytes = ReadFileBytes(taggerPath);
    if (!taggerBytes) {
        error = taggerPath + ": " + std::strerror(errno);
        return nullptr;
    }
    std::optional<TaggerData> tagger = TaggerData::FromCompiled(*taggerBytes, error);
    if (!tagger) {
        error = taggerPath + ": " + error;
        return nullptr;
    }
    const std::optional<std::string> sensesBytes = ReadFileBytes(sensesPath);
    if (!sensesBytes) {
        error = sensesPath + ": " + std::strerror(errno);
        return nullptr;
    }
    std::optional<SenseTable> senses = SenseTable::FromCompiled(*sensesBytes, error);
    if (!senses) {
        error = sensesPath + ": " + error;
        return nullptr;
    }
    // The phrases are an addition: without them each word keeps its chosen sense.
    const std::string phrasesPath = folder + "/" + std::string(kPhrasesFileName);
    const std::optional<std::string> phraseBytes = ReadFileBytes(phrasesPath);
    std::optional<PhraseTable> phrases;
    std::string phraseProblem;
    if (!phraseBytes) {
        phraseProblem = phrasesPath + ": " + std::strerror(errno);
    } else if (phrases = PhraseTable::FromCompiled(*phraseBytes, phraseProblem); !phrases) {
        phraseProblem = phrasesPath + ": " + phraseProblem;
    }
    auto context = std::make_unique<ContextSenses>(std::move(*tagger), std::move(*senses),
                                                   phrases ? std::move(*phrases) : PhraseTable());
    context->m_phraseProblem = std::move(phraseProblem);
    const std::string subjectPath = folder + "/" + std::string(kSubjectFileName);
    if (const std::optional<std::string> subjectBytes = ReadFileBytes(subjectPath)) {
        std::string problem;
        if (std::optional<SubjectTable> subjects =
                SubjectTable::FromCompiled(*subjectBytes, problem)) {
            context->m_subjects = std::move(*subjects);
        } else {
            context->m_subjectProblem = subjectPath + ": " + problem;
        }
    } else {
        context->m_subjectProblem = subjectPath + ": " + std::strerror(errno);
    }
    return context;
}

std::string_view ContextSenses::Choose(const CDicMain& dic, std::string_view word,
                                       std::uint32_t entry, WordClass wordClass) const {
    if (entry >= dic.m_arrItems.size() || SenseTable::SlotOf(wordClass) == SenseTable::kClasses) {
        return {};
    }
    const std::string& reached = dic.m_arrItems[entry].m_strWord;
    if (reached == word) {
        return m_senses.Gloss(word, wordClass);
    }
    if (wordClass == WordClass::Verb) {
        return m_senses.Gloss(reached, wordClass);
    }
    if (const std::string_view own = m_senses.Gloss(word, wordClass); !own.empty()) {
        return own;
    }
    // A plural is its base's noun. An adjective or adverb made with -ed or -ing is a
    // word of its own ("liveried" is no "livery" adjective): the entry's gloss stands.
    if (wordClass == WordClass::Noun && word.ends_with('s')) {
        return m_senses.Gloss(reached, wordClass);
    }
    return {};
}

namespace {

// Calls `take` with each sense of a GBK gloss, the senses being joined with the
// full-width comma (A3 AC); stops when it answers true, and answers so.
template <typename Take>
bool AnySense(std::string_view gloss, Take take) {
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < gloss.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gloss[i]);
        if (lead < 0x81) {
            continue;
        }
        if (lead == 0xA3 && static_cast<unsigned char>(gloss[i + 1]) == 0xAC) {
            if (take(gloss.substr(start, i - start))) {
                return true;
            }
            start = i + 2;
        }
        ++i;  // the second byte of a double-byte character
    }
    return take(gloss.substr(start));
}

}  // namespace

bool ContextSenses::DescribesEntry(std::string_view reached, std::string_view gloss) const {
    std::string_view first;
    AnySense(gloss, [&](std::string_view sense) {
        first = sense;
        return true;
    });
    if (first.empty()) {
        return false;
    }
    for (const WordClass wordClass :
         {WordClass::Noun, WordClass::Verb, WordClass::Adjective, WordClass::Adverb}) {
        if (AnySense(m_senses.Gloss(reached, wordClass),
                     [&](std::string_view sense) { return sense == first; })) {
            return true;
        }
    }
    return false;
}
