#include "CParagraphList.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

#include "BinomialNames.h"
#include "CDicMain.h"
#include "ContextSenses.h"
#include "ForeignRuns.h"
#include "FurtherReductions.h"
#include "OwnSenses.h"
#include "Parallel.h"
#include "PersonalWords.h"
#include "PhraseMatching.h"
#include "SubjectProfile.h"
#include "TextSplitter.h"
#include "TextTagging.h"

CParagraphList::CParagraphList() : m_pStore(std::make_unique<TextStore>()) {}

CParagraphList::~CParagraphList() = default;
CParagraphList::CParagraphList(CParagraphList&&) noexcept = default;
CParagraphList& CParagraphList::operator=(CParagraphList&&) noexcept = default;

void CParagraphList::RemoveAll() {
    m_arrParagraphs.clear();
    m_arrParagraphs.shrink_to_fit();
    // Replaced rather than cleared, so that a long text's memory goes back at once.
    m_pStore = std::make_unique<TextStore>();
    m_evidence.Clear();
    m_headings.clear();
    m_arrIsName.clear();
    m_noWordToGloss.clear();
    m_bNamesSkipped = false;
    m_stepGlossOfWord.clear();
    m_entryOfWord.clear();
    ForgetAnyStep();
    ForgetSenses();
    m_pForeignDic = nullptr;
    m_nForeignDicEntries = 0;
    m_binomialNames.clear();
}

void CParagraphList::SetContext(const ContextSenses* pContext) {
    if (pContext != m_pContext) {
        m_pContext = pContext;
        ForgetSenses();
    }
}

void CParagraphList::SetSubjectChoice(bool on) {
    if (on != m_subjectChoice) {
        m_subjectChoice = on;
        ForgetSenses();
    }
}

void CParagraphList::ForgetSenses() {
    TextStore& store = *m_pStore;
    store.senseOfToken = {};
    store.senseGlossOfWord = {};
    store.senseGlosses.Clear();
    store.phrases = {};
    m_phraseEntryFrequency.clear();
    m_bSensesChosen = false;
    m_subjectsFound.clear();
    m_pSensesDic = nullptr;
    m_nSensesDicEntries = 0;
}

namespace {

// A gloss's first sense: up to the first full-width comma (A3 AC in GBK).
std::string_view FirstSense(std::string_view gloss) {
    for (std::size_t i = 0; i + 1 < gloss.size(); ++i) {
        const auto lead = static_cast<unsigned char>(gloss[i]);
        if (lead >= 0x81) {
            if (lead == 0xA3 && static_cast<unsigned char>(gloss[i + 1]) == 0xAC) {
                return gloss.substr(0, i);
            }
            ++i;  // the second byte of a double-byte character
        }
    }
    return gloss;
}

}  // namespace

void CParagraphList::ChooseSenses(const CDicMain* pDic) {
    ForgetSenses();
    if (m_pContext == nullptr || pDic == nullptr) {
        return;
    }
    TextStore& store = *m_pStore;
    const std::vector<PosTag> tags = TagText(store, m_arrParagraphs, m_pContext->Tagger());
    // Which sense each part of speech gives a word depends on the word alone: found
    // once per distinct word, then each token takes its tag's.
    const std::size_t words = store.words.Size();
    store.senseGlossOfWord.assign(words, {});
    for (std::uint32_t id = 0; id < words; ++id) {
        const std::string_view word = store.words.Word(id);
        const std::optional<std::uint32_t> entry = pDic->FindReachedEntry(word);
        if (!entry) {
            continue;
        }
        const std::string_view own = pDic->m_arrItems[*entry].m_strGloss;
        if (!m_pContext->DescribesEntry(pDic->m_arrItems[*entry].m_strWord, own)) {
            continue;
        }
        for (const WordClass wordClass :
             {WordClass::Noun, WordClass::Verb, WordClass::Adjective, WordClass::Adverb}) {
            // A line that leads with the sense the entry's gloss leads with changes
            // nothing a reader looks at first: the reviewed gloss stays.
            const std::string_view chosen = m_pContext->Choose(*pDic, word, *entry, wordClass);
            if (!chosen.empty() && FirstSense(chosen) != FirstSense(own)) {
                store.senseGlossOfWord[id][SenseTable::SlotOf(wordClass)] =
                    store.senseGlosses.Intern(chosen);
            }
        }
    }
    // The tag is evidence of the use only where the tagger's lexicon knows the word
    // in two classes or more and allows it the tag: a word it does not know, or
    // knows in one class, got its tag from the lexicon or a guess, not from its
    // sentence, and the word's own gloss (whose order was weighed) stands.
    std::vector<const LexiconTags*> known(words);
    for (std::uint32_t id = 0; id < words; ++id) {
        const LexiconTags* tags = m_pContext->Tagger().Lexicon().Find(store.words.Word(id));
        bool ambiguous = false;
        for (std::size_t t = 1; tags != nullptr && t < tags->count; ++t) {
            ambiguous = ambiguous || ClassOf(tags->tags[t]) != ClassOf(tags->tags[0]);
        }
        known[id] = ambiguous ? tags : nullptr;
    }
    store.senseOfToken.assign(store.tokenWords.size(), 0);
    for (std::size_t k = 0; k < store.tokenWords.size(); ++k) {
        const std::uint32_t word = store.tokenWords[k];
        if (word >= SplitText::kOneByteToken || known[word] == nullptr ||
            !known[word]->Allows(tags[k]) || IsForeignToken(k)) {
            continue;
        }
        const std::size_t slot = SenseTable::SlotOf(ClassOf(tags[k]));
        if (slot < SenseTable::kClasses &&
            store.senseGlossOfWord[word][slot] != GlossPool::kNoGloss) {
            store.senseOfToken[k] = static_cast<std::uint8_t>(slot + 1);
        }
    }
    if (m_subjectChoice) {
        ChooseSubjectSenses(*pDic, tags);
    }
    ChoosePhrases(pDic, tags);
    m_bSensesChosen = true;
    m_pSensesDic = pDic;
    m_nSensesDicEntries = pDic->m_arrItems.size();
}

void CParagraphList::ChoosePhrases(const CDicMain* pDic, const std::vector<PosTag>& tags) {
    TextStore& store = *m_pStore;
    const PhraseTable& table = m_pContext->Phrases();
    std::vector<std::uint32_t> pieces;
    store.phrases = FindPhrases(store, m_arrParagraphs, tags, table, *pDic, m_arrIsName, pieces);
    // A run of another language is no English phrase, whatever its words spell.
    if (!store.foreignTokens.empty()) {
        std::erase_if(store.phrases, [this](const PhraseMatch& phrase) {
            for (std::size_t k = phrase.firstToken; k < phrase.firstToken + phrase.tokenCount;
                 ++k) {
                if (IsForeignToken(k)) {
                    return true;
                }
            }
            return false;
        });
        std::erase_if(pieces, [&store](std::uint32_t k) { return store.PhraseOf(k) == nullptr; });
    }
    for (const std::uint32_t k : pieces) {
        store.senseOfToken[k] |= TextStore::kPhrasePiece;
    }
    for (PhraseMatch& phrase : store.phrases) {
        phrase.gloss = store.senseGlosses.Intern(table.At(phrase.row).gloss);
    }
}

void CParagraphList::ChooseSubjectSenses(const CDicMain& dic, const std::vector<PosTag>& tags) {
    const SubjectTable& table = m_pContext->Subjects();
    TextStore& store = *m_pStore;
    m_subjectsFound = ProfileText(store.words, dic, table, [this](std::uint32_t id) {
                          return IsName(id);
                      }).Passing();
    if (m_subjectsFound.empty()) {
        return;
    }
    // A word of the subject leads with its sense there where it is used as the sense
    // is (the noun "cell", not the verb); a plural takes its singular's.
    std::vector<WordClass> classOfWord(store.words.Size(), WordClass::Other);
    for (std::uint32_t id = 0; id < classOfWord.size(); ++id) {
        const std::string_view word = store.words.Word(id);
        const std::optional<std::uint32_t> entry = dic.FindReachedEntry(word);
        if (!entry) {
            continue;
        }
        const std::string_view own = FirstSense(dic.m_arrItems[*entry].m_strGloss);
        const SubjectTable::Sense* found = nullptr;
        for (const std::uint8_t subject : m_subjectsFound) {
            found = table.SenseOf(word, subject);
            if (found == nullptr && word.ends_with('s')) {
                const SubjectTable::Sense* base =
                    table.SenseOf(dic.m_arrItems[*entry].m_strWord, subject);
                found = base != nullptr && base->wordClass == WordClass::Noun ? base : nullptr;
            }
            if (found != nullptr) {
                break;
            }
        }
        // The subject's sense goes before the entry's own: an entry whose gloss is
        // not among it (an imported dictionary's, a test's) keeps its gloss.
        if (found != nullptr && !own.empty() && found->gloss.find(own) != std::string::npos) {
            classOfWord[id] = found->wordClass;
            store.senseGlossOfWord[id][TextStore::kSubjectSlot] =
                store.senseGlosses.Intern(found->gloss);
        }
    }
    for (std::size_t k = 0; k < store.tokenWords.size(); ++k) {
        const std::uint32_t word = store.tokenWords[k];
        if (word < classOfWord.size() && classOfWord[word] != WordClass::Other &&
            ClassOf(tags[k]) == classOfWord[word] && !IsForeignToken(k)) {
            store.senseOfToken[k] = static_cast<std::uint8_t>(
                (store.senseOfToken[k] & TextStore::kPhrasePiece) | (TextStore::kSubjectSlot + 1));
        }
    }
}

namespace {

// Asked once every this many words: often enough for a progress bar, too seldom to
// cost anything.
constexpr std::size_t kProgressEvery = 4096;
// Texts with fewer distinct words are glossed on one thread: starting threads would
// cost more than they save.
constexpr std::size_t kShareOutFrom = 4096;
// The frequencies of m_anyStepFrequency that no threshold passes, and that every
// one does.
constexpr double kNeverShown = std::numeric_limits<double>::infinity();
constexpr double kAlwaysShown = -std::numeric_limits<double>::infinity();
constexpr std::uint32_t kNotPooled = UINT32_MAX;
// Bits of m_phraseByGlossary: the science glossary has the chain (and answers for it
// while on), with a gloss; the medical glossary has a gloss for it.
constexpr std::uint8_t kPhraseScienceKnows = 1;
constexpr std::uint8_t kPhraseByScience = 2;
constexpr std::uint8_t kPhraseByMedical = 4;

}  // namespace

void CParagraphList::SetHeadings(std::vector<std::size_t> headings) {
    // Whatever the source says, only paragraphs of this text, each once.
    std::sort(headings.begin(), headings.end());
    headings.erase(std::unique(headings.begin(), headings.end()), headings.end());
    const auto outside = std::lower_bound(headings.begin(), headings.end(), m_arrParagraphs.size());
    headings.erase(outside, headings.end());
    m_headings = std::move(headings);
}

bool CParagraphList::SetText(std::string text, const Progress& progress) {
    RemoveAll();
    TextStore& store = *m_pStore;
    store.text = std::move(text);
    SplitText split;
    if (!SplitLines(store.text, ProcessorCount(), progress, split)) {
        return false;
    }
    store.tokenOffsets = std::move(split.tokenOffsets);
    store.tokenWords = std::move(split.tokenWords);
    store.words = std::move(split.words);
    m_evidence = std::move(split.evidence);
    m_arrParagraphs.reserve(split.lines.size());
    for (const SplitLine& line : split.lines) {
        m_arrParagraphs.emplace_back(store, line.text, line.firstToken, line.tokenCount);
    }
    // Decided once per text: a word is a name or not in all of it.
    m_arrIsName.resize(store.words.Size());
    m_noWordToGloss.resize(store.words.Size());
    for (std::uint32_t id = 0; id < m_arrIsName.size(); ++id) {
        m_arrIsName[id] = IsUsedAsName(store.words.Word(id), m_evidence.Uses(id)) ? 1 : 0;
        m_noWordToGloss[id] = IsNoWordToGloss(store.words.Word(id), m_evidence.Uses(id)) ? 1 : 0;
    }
    // A plural of a name is a name too ("the Smiths", "the Joneses"); a possessive is
    // split at its apostrophe and is the name itself.
    for (std::uint32_t id = 0; id < m_arrIsName.size(); ++id) {
        const std::string_view word = store.words.Word(id);
        if (m_arrIsName[id] != 0 || !word.ends_with('s') || !InheritsName(m_evidence.Uses(id))) {
            continue;
        }
        for (const std::size_t cut : {1, 2}) {
            if (word.size() <= cut + 1 || (cut == 2 && !word.ends_with("es"))) {
                continue;
            }
            const std::uint32_t stem = store.words.Find(word.substr(0, word.size() - cut));
            if (stem != WordTable::kNoWord &&
                IsUsedAsName(store.words.Word(stem), m_evidence.Uses(stem))) {
                m_arrIsName[id] = 1;
                break;
            }
        }
    }
    return true;
}

bool CParagraphList::IsName(std::string_view word) const {
    const std::uint32_t id = m_pStore->words.Find(word);
    return id != WordTable::kNoWord && IsName(id);
}

int CParagraphList::Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                             bool bSkipNames, const Progress& progress) {
    // A novel repeats a few tens of thousands of words hundreds of thousands of
    // times: each distinct lower-case word is translated once per call, never
    // remembered between calls, so a changed dictionary is always asked afresh. A
    // token finds its gloss through its word's number.
    TextStore& store = *m_pStore;
    m_bNamesSkipped = bSkipNames;
    m_dThreshold = dThreshold;
    m_bMedical = bMedical;
    m_bScience = bScience;
    m_entryOfWord.clear();
    FindForeign(pDic);
    const std::size_t words = store.words.Size();
    if (m_anyStepRevision != pDic->Revision() || m_anyStepAdditions != m_additions ||
        m_anyStepGloss.size() != words) {
        // The numbers of the glosses shown so far go with the pool.
        store.glosses.Clear();
        ForgetAnyStep();
        m_phraseEntryFrequency.clear();
        m_furtherGlosses.clear();
        m_glossaryWords.clear();
        m_anyStepGloss.assign(words, {});
        m_anyStepFrequency.assign(words, kNeverShown);
        m_anyStepNumber.assign(words, kNotPooled);
        // The look-ups are shared between the processors (the dictionary is only
        // read); what each part found beyond the entries is kept afterwards, on this
        // thread.
        std::vector<std::string> further(words);
        const std::size_t parts = words < kShareOutFrom ? 1 : ProcessorCount();
        std::vector<std::vector<GlossaryWord>> glossaryWords(parts);
        const bool finished = RunInParts(parts, [&](std::size_t part, const GoOn& goOn) {
            for (std::size_t id = part, done = 0; id < words; id += parts, ++done) {
                if (done % kProgressEvery == kProgressEvery - 1 &&
                    (!goOn() ||
                     (part == 0 && progress &&
                      !progress(static_cast<double>(id) / static_cast<double>(words))))) {
                    return false;
                }
                const auto number = static_cast<std::uint32_t>(id);
                if (m_additions && m_noWordToGloss[id] != 0) {
                    continue;
                }
                const std::string_view word = store.words.Word(number);
                const CDicMain::StepGloss found = pDic->GlossAtAnyStep(word, false, false);
                if (found.entry) {
                    m_anyStepGloss[id] = found.gloss;
                    m_anyStepFrequency[id] = found.frequency;
                    continue;
                }
                if (!found.decided) {
                    GlossaryWord known{number, pDic->m_scienceGlossary.LookupView(word),
                                       pDic->m_medicalGlossary.LookupView(word), kNotPooled,
                                       kNotPooled};
                    if (known.science || known.medical) {
                        glossaryWords[part].push_back(known);
                    }
                }
                if (m_additions && MayReduceFurther(number)) {
                    if (auto answer = FurtherAtAnyStep(*pDic, word)) {
                        further[id] = std::move(answer->gloss);
                        m_anyStepFrequency[id] = answer->frequency;
                    }
                }
            }
            return true;
        });
        if (!finished) {
            // Numbers kept from before would point into the emptied pool.
            m_stepGlossOfWord.clear();
            store.glossOfWord.clear();
            for (PhraseMatch& phrase : store.phrases) {
                phrase.head = PhraseMatch::kNotShown;
            }
            return -1;
        }
        for (std::size_t id = 0; id < words; ++id) {
            if (!further[id].empty()) {
                m_anyStepGloss[id] = m_furtherGlosses.emplace_back(std::move(further[id]));
            }
        }
        for (const std::vector<GlossaryWord>& found : glossaryWords) {
            m_glossaryWords.insert(m_glossaryWords.end(), found.begin(), found.end());
        }
        std::sort(m_glossaryWords.begin(), m_glossaryWords.end(),
                  [](const GlossaryWord& a, const GlossaryWord& b) { return a.id < b.id; });
        m_anyStepRevision = pDic->Revision();
        m_anyStepAdditions = m_additions;
    }
    // A slider move: which of the words' glosses pass the threshold, each pooled the
    // first time it shows.
    auto pooled = [&store](std::string_view gloss, std::uint32_t& number) {
        if (number == kNotPooled) {
            number = store.glosses.Intern(gloss);
        }
        return number;
    };
    m_stepGlossOfWord.resize(words);
    auto glossary = m_glossaryWords.begin();
    for (std::uint32_t id = 0; id < words; ++id) {
        GlossaryWord* known = nullptr;
        if (glossary != m_glossaryWords.end() && glossary->id == id) {
            known = &*glossary++;
        }
        std::uint32_t shown = GlossPool::kNoGloss;
        if (!(bSkipNames && IsName(id)) && !(m_additions && m_noWordToGloss[id] != 0)) {
            // The science glossary first, then the medical one: the first that knows
            // the word answers, and only an empty answer leaves it to the reductions.
            if (known != nullptr && bScience && known->science) {
                shown = pooled(*known->science, known->scienceNumber);
            } else if (known != nullptr && bMedical && known->medical) {
                shown = pooled(*known->medical, known->medicalNumber);
            }
            if (shown == GlossPool::kNoGloss && dThreshold > m_anyStepFrequency[id]) {
                shown = pooled(m_anyStepGloss[id], m_anyStepNumber[id]);
            }
        }
        m_stepGlossOfWord[id] = shown;
    }
    // Chosen once per text and dictionary: a step change only decides which of the
    // chosen senses show.
    if (m_pContext != nullptr && (!m_bSensesChosen || m_pSensesDic != pDic ||
                                  m_nSensesDicEntries != pDic->m_arrItems.size())) {
        ChooseSenses(pDic);
    }
    ComposeGlosses(pDic);
    return static_cast<int>(m_arrParagraphs.size());
}

void CParagraphList::FindForeign(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    if (!m_additions || pDic == nullptr) {
        store.foreignTokens = {};
        m_binomialNames.clear();
        m_pForeignDic = nullptr;
        return;
    }
    if (m_pForeignDic == pDic && m_nForeignDicEntries == pDic->m_arrItems.size()) {
        return;
    }
    m_binomialNames = FindBinomialNames(store, m_arrParagraphs, *pDic);
    store.foreignTokens =
        FindForeignRuns(store, *pDic, [this](std::uint32_t id) { return IsName(id); });
    m_pForeignDic = pDic;
    m_nForeignDicEntries = pDic->m_arrItems.size();
    // The senses were chosen without knowing them.
    ForgetSenses();
}

bool CParagraphList::MayReduceFurther(std::uint32_t id) const {
    if (id >= m_evidence.Size()) {
        return true;
    }
    const WordUses& uses = m_evidence.Uses(id);
    // In proportion: "India" is no indium for one "india-rubber" among its capitals.
    return uses.lowerCase >= uses.capitalised;
}

void CParagraphList::ReapplyMarks(const CDicMain* pDic) {
    if (m_stepGlossOfWord.size() != m_pStore->words.Size()) {
        return;  // never annotated: there is nothing to lay the marks over
    }
    ComposeGlosses(pDic);
}

namespace {
constexpr std::uint32_t kNoEntry = UINT32_MAX;
}  // namespace

void CParagraphList::ComposeGlosses(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    store.glossOfWord = m_stepGlossOfWord;
    store.ownSenseOfWord.clear();
    if (m_pMarks != nullptr && !m_pMarks->Empty()) {
        LayMarks(pDic);
    }
    if (m_pOwnSenses != nullptr && !m_pOwnSenses->Empty() && pDic != nullptr) {
        LayOwnSenses(pDic);
    }
    PlacePhraseGlosses(pDic);
}

void CParagraphList::PlacePhraseGlosses(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    if (m_phraseEntryFrequency.size() != store.phrases.size()) {
        m_phraseEntryFrequency.assign(store.phrases.size(), kNeverShown);
        m_phraseByGlossary.assign(store.phrases.size(), 0);
        for (std::size_t p = 0; p < store.phrases.size(); ++p) {
            const std::uint32_t entry = store.phrases[p].entry;
            if (pDic == nullptr || entry >= pDic->m_arrItems.size()) {
                continue;
            }
            const std::string_view word = pDic->m_arrItems[entry].m_strWord;
            const CDicMain::StepGloss found = pDic->GlossAtAnyStep(word, false, false);
            if (found.entry && !found.gloss.empty()) {
                m_phraseEntryFrequency[p] = found.frequency;
            } else if (!found.decided && word.size() >= 2) {
                const auto science = pDic->m_scienceGlossary.LookupView(word);
                const auto medical = pDic->m_medicalGlossary.LookupView(word);
                m_phraseByGlossary[p] = static_cast<std::uint8_t>(
                    (science ? kPhraseScienceKnows : 0) |
                    (science && !science->empty() ? kPhraseByScience : 0) |
                    (medical && !medical->empty() ? kPhraseByMedical : 0));
            }
        }
    }
    for (std::size_t p = 0; p < store.phrases.size(); ++p) {
        PhraseMatch& phrase = store.phrases[p];
        phrase.head = PhraseMatch::kNotShown;
        std::uint8_t firstPiece = PhraseMatch::kNotShown;
        for (std::uint8_t i = 0; i < phrase.tokenCount; ++i) {
            const std::size_t k = phrase.firstToken + i;
            if ((store.senseOfToken[k] & TextStore::kPhrasePiece) == 0) {
                continue;
            }
            if (firstPiece == PhraseMatch::kNotShown) {
                firstPiece = i;
            }
            const std::uint32_t word = store.tokenWords[k];
            if (word < store.glossOfWord.size() && store.glossOfWord[word] != GlossPool::kNoGloss) {
                phrase.head = i;
                break;
            }
        }
        if (phrase.head != PhraseMatch::kNotShown) {
            continue;
        }
        // A chain that is an entry of its own is glossed where the entry is; an
        // opaque phrase wherever it stands.
        const std::uint8_t glossaries = m_phraseByGlossary[p];
        const bool byGlossary = m_bScience && (glossaries & kPhraseScienceKnows) != 0
                                    ? (glossaries & kPhraseByScience) != 0
                                    : m_bMedical && (glossaries & kPhraseByMedical) != 0;
        if (phrase.opaque || m_dThreshold > m_phraseEntryFrequency[p] || byGlossary) {
            phrase.head = firstPiece;
        }
    }
}

std::optional<CParagraphList::PhraseSpan> CParagraphList::PhraseAt(const CParagraph& paragraph,
                                                                   std::size_t token) const {
    const PhraseMatch* phrase = m_pStore->PhraseOf(paragraph.FirstToken() + token);
    if (phrase == nullptr || m_pContext == nullptr || phrase->row >= m_pContext->Phrases().Size()) {
        return std::nullopt;
    }
    const PhraseTable::Row& row = m_pContext->Phrases().At(phrase->row);
    return PhraseSpan{row.headword, row.gloss, phrase->firstToken,
                      phrase->firstToken + phrase->tokenCount - 1,
                      phrase->head != PhraseMatch::kNotShown};
}

void CParagraphList::FindEntriesOfWords(const CDicMain* pDic) {
    const TextStore& store = *m_pStore;
    // Which entry each word reaches depends only on the text and the dictionary,
    // so it is found once per Annotate and every later mark reuses it.
    if (m_entryOfWord.size() != store.words.Size()) {
        m_entryOfWord.resize(store.words.Size());
        for (std::uint32_t id = 0; id < m_entryOfWord.size(); ++id) {
            const std::optional<std::uint32_t> entry = pDic->FindReachedEntry(store.words.Word(id));
            m_entryOfWord[id] = entry ? *entry : kNoEntry;
        }
    }
}

void CParagraphList::LayOwnSenses(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    FindEntriesOfWords(pDic);
    store.ownSenseOfWord.assign(store.glossOfWord.size(), 0);
    for (std::uint32_t id = 0; id < store.glossOfWord.size(); ++id) {
        // Whether the word shows at all is the step's, the names' and the marks' to say.
        if (store.glossOfWord[id] == GlossPool::kNoGloss) {
            continue;
        }
        const std::uint32_t entry = m_entryOfWord[id];
        const std::string_view own =
            m_pOwnSenses->Find(entry == kNoEntry ? std::nullopt : std::optional<std::size_t>(entry),
                               store.words.Word(id));
        if (!own.empty()) {
            store.glossOfWord[id] = store.glosses.Intern(own);
            store.ownSenseOfWord[id] = 1;
        }
    }
}

void CParagraphList::LayMarks(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    FindEntriesOfWords(pDic);
    for (std::uint32_t id = 0; id < store.glossOfWord.size(); ++id) {
        const std::uint32_t entry = m_entryOfWord[id];
        const std::optional<std::size_t> found =
            entry == kNoEntry ? std::nullopt : std::optional<std::size_t>(entry);
        switch (m_pMarks->Find(found, store.words.Word(id))) {
            case WordMark::Known:
                store.glossOfWord[id] = GlossPool::kNoGloss;
                break;
            case WordMark::New:
                if (found) {
                    store.glossOfWord[id] =
                        store.glosses.Intern(pDic->m_arrItems[entry].m_strGloss);
                }
                break;
            case WordMark::None:
                break;
        }
    }
}

int CParagraphList::AnnotateWith(const std::function<std::string_view(std::string_view)>& glossOf) {
    TextStore& store = *m_pStore;
    store.glosses.Clear();
    m_bNamesSkipped = false;
    // Not the step's glosses: the reader's marks have nothing to be laid over, and
    // no sense context chose belongs to them.
    m_stepGlossOfWord.clear();
    m_entryOfWord.clear();
    ForgetAnyStep();
    store.ownSenseOfWord.clear();
    ForgetSenses();
    store.foreignTokens = {};
    m_binomialNames.clear();
    m_pForeignDic = nullptr;
    store.glossOfWord.resize(store.words.Size());
    for (std::uint32_t id = 0; id < store.glossOfWord.size(); ++id) {
        store.glossOfWord[id] = store.glosses.Intern(glossOf(store.words.Word(id)));
    }
    return static_cast<int>(m_arrParagraphs.size());
}
