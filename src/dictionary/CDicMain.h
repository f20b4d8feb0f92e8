#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BuiltinWordLists.h"
#include "CDicItem.h"
#include "CGlossaryTable.h"
#include "CIrregularVerbTable.h"
#include "EntryIndex.h"
#include "StringIndex.h"

class CArchive;

// The whole dictionary: the entries of main.dic in file order, the prefix table
// that describes the delivered file, and the three built-in word lists.
class CDicMain {
public:
    // Carries the shipped word lists.
    CDicMain();
    // Carries the given lists instead (tests use small fixture tables).
    explicit CDicMain(const WordLists& lists);
    ~CDicMain();
    CDicMain(const CDicMain&) = delete;
    CDicMain& operator=(const CDicMain&) = delete;

    // Storing writes the count and every entry. Loading reads records as the file
    // loader does (ReadDictionaryRecords) and appends them; when the data ends inside
    // a record or holds one no writer produces, it raises CArchiveException keeping
    // the entries read completely before it. Used by the tests and the fuzz targets;
    // the program loads through LoadDictionaryFile, which takes a file whole or not at all.
    void Serialize(CArchive& ar);

    // The only ways the entry list changes; each keeps the lookup index right, so
    // every word of the list is findable at once, the first equal entry deciding.
    void ReplaceItems(std::vector<CDicItem> items);
    void AppendItems(std::vector<CDicItem> items);
    void DeleteAllItems();

    void BuildPrefixIndex();

    // The entry's gloss, "Ignore" when the reader knows it, "Unknown" when absent,
    // or the empty string for words shorter than two bytes: the lookup without word-form
    // reductions, which the tests and the benchmarks ask; glossing goes through
    // TranslateView.
    std::string LookupExact(std::string_view word, double threshold) const;
    // The gloss to show for a lower-case word of the text, or the empty string: a copy
    // of TranslateView's answer, for the tests; the program calls TranslateView.
    std::string Translate(std::string_view word, double threshold, bool bMedical,
                          bool bScience) const;
    // Same answer as Translate, pointing into the dictionary's own storage: valid
    // until the entry list or the word lists change.
    std::string_view TranslateView(std::string_view word, double threshold, bool bMedical,
                                   bool bScience) const;
    // TranslateView's answer at every threshold at once, so that a text looks each word
    // up once and a step change only compares numbers: `gloss` shows at the thresholds
    // Shows answers true for. `entry` says an entry decided (FindReachedEntry has one);
    // a glossary's gloss shows at every threshold. `decided`: an entry or a form too
    // short to look up ended the search, and no glossary is asked.
    struct StepGloss {
        std::string_view gloss;
        double frequency = 0;
        bool entry = false;
        bool decided = false;
        bool Shows(double threshold) const {
            return !gloss.empty() && (!entry || threshold > frequency);
        }
    };
    StepGloss GlossAtAnyStep(std::string_view word, bool bMedical, bool bScience) const;
    // The position in m_arrItems of the entry Translate answers from: the word's own,
    // else that of the first reduced form that is an entry; nullopt when no entry
    // decides (a reduced form too short to look up ends the search without one).
    std::optional<std::uint32_t> FindReachedEntry(std::string_view word) const;
    // The first entry of exactly this word, without any reduction; nullptr when none.
    const CDicItem* FindEntry(std::string_view word) const;
    // Changes whenever the entries do and is never shared by two dictionaries of one
    // process: what was worked out from one revision's lookups is stale for any other.
    std::uint64_t Revision() const { return m_revision; }

private:
    std::vector<CDicItem> m_items;
    std::uint64_t m_revision = 0;

public:
    // The entries in file order, read-only: they change only through the operations
    // above, which rebuild the lookup index with them.
    const std::vector<CDicItem>& m_arrItems = m_items;
    // A copy of the shipped prefix table, read only by tests that hold it to main.dic's
    // layout; lookups go through the hash index.
    std::vector<std::string> m_arrPrefixes;
    std::vector<std::uint32_t> m_arrPrefixStarts;
    CIrregularVerbTable m_irregularVerbs;
    CGlossaryTable m_medicalGlossary;
    CGlossaryTable m_scienceGlossary;

private:
    enum class Found { Gloss, Ignore, Unknown, TooShort };
    struct ExactAnswer {
        Found found;
        std::string_view gloss;  // set when found == Gloss
    };
    ExactAnswer FindExact(std::string_view word, double threshold) const;
    // Offers the word, then its reduced forms in Translate's order, to `decides` until
    // it returns true; true when one did.
    template <class Decides>
    bool WalkReductions(std::string_view word, Decides&& decides) const;
    void FillWordLists(const WordLists& lists);
    void RebuildLookupIndex();

    EntryIndex m_lookupIndex;  // word -> position of its first entry in m_arrItems
};
