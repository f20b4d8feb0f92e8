#pragma once

#include <cstdint>
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

    // Storing writes the count and every entry; loading appends to the list and
    // raises CArchiveException when the data ends inside a record, keeping the
    // entries read completely before it.
    void Serialize(CArchive& ar);
    void DeleteAllItems();

    void BuildPrefixIndex();
    // Must follow every change of m_arrItems (loads do it themselves): every word
    // of the list becomes findable, the first equal entry in list order deciding.
    void RebuildLookupIndex();

    // The entry's gloss, "Ignore" when the reader knows it, "Unknown" when absent,
    // or the empty string for words shorter than two bytes.
    std::string LookupExact(std::string_view word, double threshold) const;
    // The gloss to show for a lower-case word of the text, or the empty string.
    std::string Translate(std::string_view word, double threshold, bool bMedical,
                          bool bScience) const;
    // Same answer as Translate, pointing into the dictionary's own storage: valid
    // until the entry list or the word lists change.
    std::string_view TranslateView(std::string_view word, double threshold, bool bMedical,
                                   bool bScience) const;

    std::vector<CDicItem> m_arrItems;
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
    void FillWordLists(const WordLists& lists);

    EntryIndex m_lookupIndex;  // word -> position of its first entry in m_arrItems
};
