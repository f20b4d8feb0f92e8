// Runs of another language or of figures, over the shipped main.dic: no gloss there,
// and nowhere else; and Latin binomials, which are names.
#include <gtest/gtest.h>

#include <string>

#include "CParagraphList.h"
#include "ShippedDictionary.h"
#include "TestDictionary.h"

namespace {

constexpr double kEveryWord = 1e9;  // a threshold at which every entry is glossed

// The words of `text` in runs, joined with spaces; every other word keeps its gloss.
std::string ForeignWords(CParagraphList& list, const std::string& text, const CDicMain& dic) {
    list.SetText(text);
    list.Annotate(&dic, kEveryWord, false, false, true);
    std::string words;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (list.IsForeignToken(paragraph.FirstToken() + j)) {
                EXPECT_TRUE(paragraph.Gloss(j).empty()) << paragraph.Word(j);
                words += (words.empty() ? "" : " ") + std::string(paragraph.Word(j));
            }
        }
    }
    return words;
}

TEST(ForeignRunsTest, AQuotationInAnotherLanguageOrATableOfFiguresIsLeftBare) {
    struct Case {
        const char* text;
        const char* foreign;
    };
    const Case cases[] = {
        {"He quoted the line: Timeo Danaos et dona ferentes, and went on.",
         "Timeo Danaos et dona ferentes"},
        {"The figures were 1805 1806 1807 1808 1809 in the ledger.",
         "were 1805 1806 1807 1808 1809 in"},
        // Must not fire: English thick with names, which count as words of the text...
        {"Then Marit and Ilsabet, Tovrin, Odunze and Brannoch rode to Kelvastry with "
         "Anweth.\nMarit, Ilsabet, Tovrin and Brannoch came back with Anweth.",
         ""},
        // ...a short phrase of another language inside English...
        {"She shrugged and said c'est la vie before she left the room.", ""},
        // ...and English with a few rare words.
        {"The quaint, crenellated gatehouse overlooked a desolate moor of heather.", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CParagraphList list;
        EXPECT_EQ(ForeignWords(list, c.text, ShippedDictionary()), c.foreign);
    }
}

TEST(ForeignRunsTest, TheOriginalGlossingAndSmallDictionariesFindNoRun) {
    const std::string latin = "Timeo Danaos et dona ferentes quidquid id est.";
    CParagraphList list;
    ASSERT_NE(ForeignWords(list, latin, ShippedDictionary()), "");
    list.SetAdditions(false);
    EXPECT_EQ(ForeignWords(list, latin, ShippedDictionary()), "");
    // A dictionary of a few words says nothing of what is English.
    const auto small = MakeDictionary({{"doctor", "医生", 5.0}, {"wound", "伤口", 5.0}});
    CParagraphList tiny;
    EXPECT_EQ(ForeignWords(tiny, "The doctor dressed the wound with care.", *small), "");
}

// Latin binomials are names; a name before an English word makes none.
TEST(BinomialNamesTest, GenusAndSpeciesAreNamesAndEnglishAfterANameIsNot) {
    struct Case {
        const char* text;
        const char* word;
        bool name;
    };
    const Case cases[] = {
        {"The gut holds Escherichia coli in great numbers.", "coli", true},
        {"The gut holds Escherichia coli in great numbers.", "escherichia", true},
        {"The honey bee, Apis mellifera, builds combs of wax.", "mellifera", true},
        // Must not fire: English words after a name, a suffix of an entry among them...
        {"Then Alice timidly said so, and Alice went on.", "timidly", false},
        {"Christian mildness was in his voice.", "mildness", false},
        // ...words of the dictionary, even Latin-looking ones...
        {"Africa is large, and the London porter drinks.", "is", false},
        {"The wolf, Canis lupus, hunts in packs.", "lupus", false},
        // ...and a species word written small after no capital.
        {"the colony grew, and e coli grew with it.", "coli", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CParagraphList list;
        list.SetText(c.text);
        list.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
        EXPECT_EQ(list.IsName(std::string_view(c.word)), c.name) << c.word;
    }
    // Under the original glossing no binomial is a name.
    CParagraphList original;
    original.SetAdditions(false);
    original.SetText("The gut holds Escherichia coli in great numbers.");
    original.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
    EXPECT_FALSE(original.IsName(std::string_view("coli")));
}

}  // namespace
