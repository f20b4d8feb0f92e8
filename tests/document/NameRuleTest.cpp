// Which words a text uses as names, and what glossing and the document do with them.
#include <gtest/gtest.h>

#include <string>

#include "CParagraphList.h"
#include "DocumentFixture.h"
#include "TestDictionary.h"
#include "VocabularyTable.h"

namespace {

TEST(NameRule, EachObservationOnAShortText) {
    struct Case {
        const char* observation;
        const char* text;
        const char* word;
        bool name;
    };
    const Case cases[] = {
        {"capitalised after a word", "Then Stein came.", "Stein", true},
        {"capitalised after a comma", "Yes, Stein came.", "stein", true},
        {"after Mr and its full stop", "Mr. Stein came.", "Stein", true},
        {"after a glued particle", "He met d'Toll and Jean-Morel.", "toll", true},
        {"hyphen glue", "He met d'Toll and Jean-Morel.", "morel", true},
        {"capitalised at sentence starts only", "We sat. Stein is a mug! Stein? No.", "stein",
         false},
        {"capitalised at line starts only", "Stein is a mug\nStein again", "stein", false},
        {"after an opening quote or a dash: no evidence", "He said, \u201cStein!\u201d \u2014Stein",
         "stein", false},
        {"a full stop after a word that is no abbreviation ends the sentence",
         "He saw the town. Stein came.", "stein", false},
        {"with the", "Then the Emperor spoke, said the Emperor.", "emperor", false},
        {"with a possessive", "Yes, Your Highness, his Highness.", "highness", false},
        {"a capitalised word after one with the", "said the Mock Turtle.", "turtle", false},
        {"... and the first of them", "said the Mock Turtle.", "mock", false},
        {"mostly with an article, once without", "the Duchess, the Duchess, Duchess Toll",
         "duchess", false},
        {"mostly without an article", "Then Stein, Stein and the Stein", "stein", true},
        {"in an all-capital heading and once inside a sentence", "HE MET STEIN\nThen Stein came.",
         "stein", true},
        {"in an all-capital heading and at a sentence start", "HE MET STEIN\nStein came.", "stein",
         false},
        {"once lower case elsewhere", "Then Stein came. He drank from a stein.", "stein", false},
        {"a title is never a name", "He met Prince Stein and Countess Toll.", "prince", false},
        {"... the word after it is", "He met Prince Stein and Countess Toll.", "toll", true},
        {"a word the text does not hold", "Then Stein came.", "toll", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.observation);
        CParagraphList list;
        list.SetText(c.text);
        EXPECT_EQ(list.IsName(c.word), c.name);
        // Former bug: a curly quote or dash numbered last had no counts.
        EXPECT_EQ(list.Evidence().Size(), list.Words().Size());
    }
}

class NameGlossing : public StartedDocument {
protected:
    NameGlossing() {
        m_doc.ReplaceDictionary(DictionaryItems({{"stein", "啤酒杯", 3.0},
                                                 {"toll", "通行费", 3.0},
                                                 {"highness", "殿下", 3.0},
                                                 {"emperor", "皇帝", 3.0}}));
    }
};

TEST_F(NameGlossing, ANameGetsNoGlossAnywhereInTheText) {
    const char* text = "Mr. Stein paid the toll.\nStein saw the Emperor. Your Highness!";
    CParagraphList list;
    list.SetText(text);
    list.Annotate(&m_doc.m_dicMain, kDefaultThreshold, false, false);
    std::string glossed;
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            EXPECT_EQ(list.IsSkippedName(paragraph, j), paragraph.Word(j) == "Stein");
            if (!paragraph.Gloss(j).empty()) {
                glossed += std::string(paragraph.Word(j)) + " ";
            }
        }
    }
    // The sentence-start Stein counts as a name too: the word is decided once.
    EXPECT_EQ(glossed, "toll Emperor Highness ");

    list.Annotate(&m_doc.m_dicMain, kDefaultThreshold, false, false, false);
    EXPECT_EQ(list.m_arrParagraphs[0].Gloss(3), Gbk("啤酒杯"));
    EXPECT_EQ(list.m_arrParagraphs[1].Gloss(0), Gbk("啤酒杯"));
    EXPECT_FALSE(list.IsSkippedName(list.m_arrParagraphs[1], 0));
}

TEST_F(NameGlossing, TheSwitchReglossesAndUpdatesTheViewsOnce) {
    EXPECT_TRUE(m_doc.m_bSkipNames);
    m_platform.m_clipboard = "Then Stein paid the toll.";
    m_doc.OnEditPaste();
    EXPECT_EQ(Glossed(), "toll=通行费");
    m_view.m_hints.clear();
    m_doc.SetSkipNames(false);
    EXPECT_EQ(Glossed(), "Stein=啤酒杯 toll=通行费");
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Glosses});
    // A slider move keeps the choice.
    m_doc.ApplyVocabulary(3, kDefaultThreshold, false, false);
    EXPECT_EQ(Glossed(), "Stein=啤酒杯 toll=通行费");
    m_doc.SetSkipNames(true);
    EXPECT_EQ(Glossed(), "toll=通行费");
}

}  // namespace
