#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CParagraph.h"
#include "NameEvidence.h"
#include "PosTag.h"
#include "WordTable.h"

class CDicMain;
class ContextSenses;
class MarkIndex;
class OwnSenseIndex;

// The whole text as paragraphs, in text order. Owns the text, its tokens, their
// glosses and their layout in one TextStore; the paragraphs are ranges of it.
class CParagraphList {
public:
    CParagraphList();
    ~CParagraphList();
    CParagraphList(const CParagraphList&) = delete;
    CParagraphList& operator=(const CParagraphList&) = delete;
    // Moving keeps every gloss a paragraph points to where it is.
    CParagraphList(CParagraphList&&) noexcept;
    CParagraphList& operator=(CParagraphList&&) noexcept;

    // Told the fraction done now and then; answering false stops the work, leaving
    // the list only good for RemoveAll or another SetText.
    using Progress = std::function<bool(double fraction)>;

    // Replaces the paragraphs by those of `text` (UTF-8, already decoded), and
    // decides which of its words the text uses as names. False when `progress`
    // stopped it. The list keeps the text itself: hand it over with std::move to
    // spare a copy.
    bool SetText(std::string text, const Progress& progress = {});
    bool SetText(std::string_view text, const Progress& progress = {}) {
        return SetText(std::string(text), progress);
    }
    bool SetText(const char* text, const Progress& progress = {}) {
        return SetText(std::string(text), progress);
    }
    void RemoveAll();
    // Glosses every token; returns the number of paragraphs, or -1 when `progress`
    // stopped it. With bSkipNames the words the text uses as names get no gloss
    // anywhere in it.
    int Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                 bool bSkipNames = true, const Progress& progress = {});
    // Whether Annotate adds the rules that came after the original glossing: the
    // reductions after the dictionary's own (TranslateFurther) for the words the text
    // writes small, and no gloss on what is no word (IsNoWordToGloss). On unless the
    // original glossing is asked for; names, supplement and marks have their own switches.
    void SetAdditions(bool on) { m_additions = on; }
    // The reader's marks laid over the step's glosses from now on (nullptr: none);
    // a mark outranks the step and the name rule alike. The index must outlive its
    // use here; a list moved in brings the marks it was given (a loader's: none).
    void SetMarks(const MarkIndex* pMarks) { m_pMarks = pMarks; }
    // The reader's own senses (nullptr: none): a word that has one shows it, in place
    // of its gloss and of any sense context chose, wherever the step, the names and the
    // marks gloss it. The same lifetime rules as SetMarks; ReapplyMarks lays them anew.
    void SetOwnSenses(const OwnSenseIndex* pSenses) { m_pOwnSenses = pSenses; }
    // The tagger and senses by part of speech that choose each token's sense from
    // its use (nullptr: none, every token shows its word's gloss). The choice is made
    // once per text, by the first Annotate after this; it must outlive its use here.
    void SetContext(const ContextSenses* pContext);
    bool HasContextChoice() const { return m_bSensesChosen; }
    // The phrase the paragraph's token `token` is a piece of (or lies inside: a slot's
    // word, a particle gap's), whether or not it is glossed at the step; nullopt for
    // none. Valid until the next SetText, SetContext or Annotate that chooses again.
    struct PhraseSpan {
        std::string_view headword;  // UTF-8, as the dictionary writes it
        std::string_view gloss;     // GBK
        // In the store (CParagraph::FirstToken() + index): a phrase may run on across
        // a hard-wrapped line.
        std::size_t firstToken;
        std::size_t lastToken;
        bool shown;  // glossed at the step, under its head
    };
    std::optional<PhraseSpan> PhraseAt(const CParagraph& paragraph, std::size_t token) const;
    // Whether the choice also gives the words of the text's subject that subject's
    // sense (on unless turned off). The subject is found with the other choices.
    void SetSubjectChoice(bool on);
    // The subjects the last choice found the text to be about, the strongest first
    // (numbers in the context's SubjectTable); none when off or without context.
    const std::vector<std::uint8_t>& SubjectsFound() const { return m_subjectsFound; }
    // Whether the store's token `k` lies in a run of another language or of figures
    // (FindForeignRuns), as the last Annotate found with its dictionary: such a token
    // gets no gloss, no sense chosen by context and no part in a phrase. Never under
    // the original glossing.
    bool IsForeignToken(std::size_t k) const {
        return k < m_pStore->foreignTokens.size() && m_pStore->foreignTokens[k];
    }
    // Glosses every token again after the marks changed, from the glosses the last
    // Annotate found for each distinct word: no step lookup is repeated. `pDic` must
    // be the dictionary of that Annotate, unchanged since.
    void ReapplyMarks(const CDicMain* pDic);
    // Glosses every token with what `glossOf` answers for its lower-case word (GBK,
    // empty for none), asked once per distinct word; returns the number of paragraphs.
    int AnnotateWith(const std::function<std::string_view(std::string_view)>& glossOf);
    // The distinct glosses the paragraphs point to, and the distinct words.
    const GlossPool& Glosses() const { return m_pStore->glosses; }
    const WordTable& Words() const { return m_pStore->words; }
    const TextStore& Store() const { return *m_pStore; }
    // For the view's layout alone: the arrays it fills.
    TextStore& LayoutStore() { return *m_pStore; }

    // Whether the text uses the word with this number as a name (IsUsedAsName).
    // Latin binomials ("Escherichia coli") count from the first Annotate on, unless
    // the original glossing is asked for (FindBinomialNames).
    bool IsName(std::uint32_t id) const {
        return (id < m_arrIsName.size() && m_arrIsName[id] != 0) ||
               (id < m_binomialNames.size() && m_binomialNames[id] != 0);
    }
    // The same for any spelling of a word; false for a word the text does not hold.
    bool IsName(std::string_view word) const;
    // Whether the last Annotate left this token unglossed because it is a name.
    bool IsSkippedName(const CParagraph& paragraph, std::size_t token) const {
        // A name the reader marked new is glossed, so it is no longer skipped.
        return m_bNamesSkipped && token < paragraph.TokenCount() &&
               IsName(paragraph.WordId(token)) && paragraph.Gloss(token).empty();
    }
    const NameEvidence& Evidence() const { return m_evidence; }

    // The paragraphs the source itself sets as titles (an EPUB's h1-h3), by index, in
    // order; a plain text's are found by the view from its lines. SetText forgets them.
    void SetHeadings(std::vector<std::size_t> headings);
    const std::vector<std::size_t>& Headings() const { return m_headings; }

    std::vector<CParagraph> m_arrParagraphs;

private:
    // On the heap, so that a move leaves the paragraphs pointing at it.
    std::unique_ptr<TextStore> m_pStore;
    NameEvidence m_evidence;                    // filled by SetText, in the same pass
    std::vector<std::size_t> m_headings;        // SetHeadings
    std::vector<std::uint8_t> m_arrIsName;      // by word number, decided at the end of SetText
    std::vector<std::uint8_t> m_noWordToGloss;  // by word number: IsNoWordToGloss
    bool m_bNamesSkipped = false;               // as the last Annotate was asked
    bool m_additions = true;
    // Whether the further reductions may take this word to another: a word written
    // capitalised inside sentences more often than small may be a name, and a name
    // never reaches a word through a suffix ("Kelly" is not kell + ly).
    bool MayReduceFurther(std::uint32_t id) const;
    // Per distinct word, from the last Annotate: the step's gloss (a number in the
    // store's pool) and, once marks are laid, the entry the word reaches (kNoEntry:
    // none). The store's glossOfWord is these with the marks laid over.
    std::vector<std::uint32_t> m_stepGlossOfWord;
    std::vector<std::uint32_t> m_entryOfWord;
    // Per distinct word, what the glossing finds at any threshold, looked up once per
    // text, dictionary revision and additions switch, so that a slider move is one
    // pass that compares numbers: the gloss (in the dictionary, or a further
    // reduction's in m_furtherGlosses), shown where the threshold passes the frequency
    // (-inf: always), and its number in the store's pool once it was shown.
    std::vector<std::string_view> m_anyStepGloss;
    std::vector<double> m_anyStepFrequency;
    std::vector<std::uint32_t> m_anyStepNumber;
    std::deque<std::string> m_furtherGlosses;  // a deque, so that views into it stay put
    // The few words no entry decides that a glossary knows, by word number: their
    // glossaries' glosses stand before the further reductions' while that glossary is on.
    struct GlossaryWord {
        std::uint32_t id;
        std::optional<std::string_view> science, medical;
        std::uint32_t scienceNumber, medicalNumber;
    };
    std::vector<GlossaryWord> m_glossaryWords;
    std::uint64_t m_anyStepRevision = 0;  // 0: nothing looked up
    bool m_anyStepAdditions = false;
    void ForgetAnyStep() { m_anyStepRevision = 0; }
    // For each phrase whose chain spells an entry, the frequency a threshold must pass
    // for it to be glossed (+inf: never), and for a chain no entry decides, which
    // glossaries gloss it (bits kPhraseBy...); found at the first need after the
    // phrases or the looked-up words change.
    std::vector<double> m_phraseEntryFrequency;
    std::vector<std::uint8_t> m_phraseByGlossary;
    const MarkIndex* m_pMarks = nullptr;
    const OwnSenseIndex* m_pOwnSenses = nullptr;
    const ContextSenses* m_pContext = nullptr;
    bool m_bSensesChosen = false;  // for this text, with m_pContext and m_pSensesDic
    bool m_subjectChoice = true;
    std::vector<std::uint8_t> m_subjectsFound;
    const CDicMain* m_pSensesDic = nullptr;
    std::size_t m_nSensesDicEntries = 0;
    void ComposeGlosses(const CDicMain* pDic);
    void LayMarks(const CDicMain* pDic);
    void LayOwnSenses(const CDicMain* pDic);
    // m_entryOfWord for this text and dictionary, found at the first need after Annotate.
    void FindEntriesOfWords(const CDicMain* pDic);
    void ChooseSenses(const CDicMain* pDic);
    // Finds the text's phrases once the tokens are tagged (TextStore::phrases).
    void ChoosePhrases(const CDicMain* pDic, const std::vector<PosTag>& tags);
    // Which token of each phrase shows its gloss at this step and with these marks.
    void PlacePhraseGlosses(const CDicMain* pDic);
    // As the last Annotate was asked, for the phrases whose whole chain is an entry.
    double m_dThreshold = 0;
    bool m_bMedical = false;
    bool m_bScience = false;
    // The subject senses of the words and then of the tokens, after the choice by
    // part of speech.
    void ChooseSubjectSenses(const CDicMain& dic, const std::vector<PosTag>& tags);
    void ForgetSenses();
    // The foreign runs and the Latin binomials for this text and dictionary, found
    // once, before the glosses that depend on them.
    void FindForeign(const CDicMain* pDic);
    const CDicMain* m_pForeignDic = nullptr;
    std::vector<std::uint8_t> m_binomialNames;  // by word number, with the foreign runs
    std::size_t m_nForeignDicEntries = 0;
};
