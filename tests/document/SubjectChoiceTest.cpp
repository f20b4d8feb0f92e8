// The book's subject: the profile that finds it, the table of its senses, and the
// tokens that lead with a subject's sense, over the shipped main.dic and tagger.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CParagraphList.h"
#include "CodePage.h"
#include "ContextSenses.h"
#include "ReadFileBytes.h"
#include "ShippedDictionary.h"
#include "SubjectProfile.h"
#include "SubjectTable.h"
#include "TempDir.h"
#include "TextDecoder.h"
#include "VocabularyTable.h"

namespace {

std::unique_ptr<ContextSenses> LoadShipped() {
    std::string problem;
    auto context = ContextSenses::Load(VELLUMWISE_BIN_DIR, problem);
    EXPECT_NE(context, nullptr) << problem;
    EXPECT_EQ(context->SubjectProblem(), "");
    return context;
}

std::string Fixture(const std::string& name) {
    const auto bytes = ReadFileBytes(std::string(VELLUMWISE_FIXTURES_DIR) + "/subjects/" + name);
    EXPECT_TRUE(bytes.has_value()) << name;
    return bytes ? *bytes : std::string();
}

// The names of the subjects `list` was found to be about, joined with spaces.
std::string Found(const CParagraphList& list, const SubjectTable& table) {
    std::string names;
    for (const std::uint8_t subject : list.SubjectsFound()) {
        names += (names.empty() ? "" : " ") + std::string(table.Name(subject));
    }
    return names;
}

// The gloss (UTF-8) and whether the subject chose it, for the `nth` token `word`.
std::pair<std::string, bool> TokenGloss(const CParagraphList& list, std::string_view word,
                                        int nth = 0) {
    for (const CParagraph& paragraph : list.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == word && nth-- == 0) {
                return {codepage::GbkToUtf8Lossy(paragraph.Gloss(j)),
                        paragraph.GlossChosenBySubject(j)};
            }
        }
    }
    return {"(no such token)", false};
}

const double kStep3 = ThresholdForLevel(3);

TEST(SubjectTableTest, ReadsGoodRowsRefusesBadOnesAndSurvivesCompiling) {
    const std::string words = "# header\ncell\t生物医学,理化\nlaw\t法律\n";
    const std::string senses = "cell\t生物医学\tn\t细胞，单元\n";
    std::string error;
    const std::optional<SubjectTable> table = SubjectTable::FromTsv(words, senses, error);
    ASSERT_TRUE(table) << error;
    ASSERT_EQ(table->SubjectCount(), 3U);
    EXPECT_EQ(table->Name(0), "生物医学");
    EXPECT_EQ(table->SubjectsOf("cell"), 0b011);
    EXPECT_EQ(table->SubjectsOf("law"), 0b100);
    EXPECT_EQ(table->SubjectsOf("dog"), 0);
    ASSERT_NE(table->SenseOf("cell", 0), nullptr);
    EXPECT_EQ(codepage::GbkToUtf8Lossy(table->SenseOf("cell", 0)->gloss), "细胞，单元");
    EXPECT_EQ(table->SenseOf("cell", 0)->wordClass, WordClass::Noun);
    EXPECT_EQ(table->SenseOf("cell", 1), nullptr);

    const std::string compiled = table->Compile();
    const std::optional<SubjectTable> again = SubjectTable::FromCompiled(compiled, error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(again->Compile(), compiled);
    EXPECT_EQ(again->SubjectsOf("cell"), 0b011);
    for (const std::size_t cut :
         {std::size_t{0}, std::size_t{5}, compiled.size() / 2, compiled.size() - 1}) {
        EXPECT_FALSE(SubjectTable::FromCompiled(compiled.substr(0, cut), error)) << cut;
    }
    std::string changed = compiled;
    changed[changed.size() - 3] ^= 1;
    EXPECT_FALSE(SubjectTable::FromCompiled(changed, error));

    struct Bad {
        const char* words;
        const char* senses;
    };
    const Bad bad[] = {
        {"cell\n", ""},                                                 // no subjects
        {"cell\t\n", ""},                                               // empty subjects
        {"cell\ta,b,c,d,e,f,g,h,i\n", ""},                              // too many subjects
        {"cell\t生物医学\n", "cell\t法律\tn\t细胞\n"},                  // subject unknown
        {"cell\t生物医学\n", "cell\t生物医学\tx\t细胞\n"},              // no such class
        {"cell\t生物医学\n", "cell\t生物医学\tn\t\n"},                  // empty gloss
        {"cell\t生物医学\n", "cell\t生物医学\tn\t\xF0\x9F\x98\x80\n"},  // not GBK
        {"cell\t生物医学\n", "cell\t生物医学\tn\n"},                    // a field short
        {"cell\t生物医学\n", "cell\t生物医学\tn\t细胞\ncell\t生物医学\tn\t单元\n"},  // twice
    };
    for (const Bad& row : bad) {
        EXPECT_FALSE(SubjectTable::FromTsv(row.words, row.senses, error))
            << row.words << row.senses;
    }
}

// Science texts pass, each for its own subject; novels pass for none. The science
// passages were written for these tests; the novels are the sample books, the
// hold-out among them only checked.
TEST(SubjectProfileTest, ScienceTextsFindTheirSubjectAndNovelsNone) {
    const std::unique_ptr<ContextSenses> context = LoadShipped();
    ASSERT_NE(context, nullptr);
    const SubjectTable& table = context->Subjects();
    struct Case {
        std::string path;
        const char* found;  // the subjects found, the strongest first
    };
    const Case cases[] = {
        {std::string(VELLUMWISE_FIXTURES_DIR) + "/subjects/biology.txt", "理化 生物医学"},
        {std::string(VELLUMWISE_FIXTURES_DIR) + "/subjects/chemistry.txt", "理化"},
        {std::string(VELLUMWISE_FIXTURES_DIR) + "/subjects/physics.txt", "理化"},
        {VELLUMWISE_CORPUS_DIR "/war-and-peace.txt", ""},
        {VELLUMWISE_SAMPLE_TEXTS_DIR "/alice.txt", ""},
        {VELLUMWISE_SAMPLE_TEXTS_DIR "/sherlock-holmes.txt", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const auto bytes = ReadFileBytes(c.path);
        if (!bytes) {
            continue;  // Alice and the hold-out lie beside the repository, not in it
        }
        CParagraphList list;
        list.SetText(TextDecoder::Decode(*bytes));
        list.SetContext(context.get());
        list.Annotate(&ShippedDictionary(), kStep3, false, false, true);
        EXPECT_EQ(Found(list, table), c.found);
        // The profile reads a fixed step: another step finds the same.
        list.Annotate(&ShippedDictionary(), ThresholdForLevel(8), false, false, true);
        EXPECT_EQ(Found(list, table), c.found);
    }
}

// Words of the biology passage that main.dic glosses at step 3.
constexpr const char* kBiologyWords[] = {
    "abdomen", "amphibian",      "bacterium", "caterpillar", "cellulose", "chromosome",
    "cocoon",  "cytoplasm",      "digestion", "enzyme",      "fossil",    "glucose",
    "hormone", "insulin",        "intestine", "larva",       "membrane",  "nucleus",
    "pepsin",  "photosynthesis", "vertebrate"};
constexpr double kEveryWord = 1e9;  // a threshold at which every entry is glossed

// A small table of the reader's kind: which tokens lead with the subject's sense.
TEST(SubjectChoiceTest, TheSubjectsNounsLeadWithItsSenseAndNothingElseDoes) {
    std::unique_ptr<ContextSenses> context = LoadShipped();
    ASSERT_NE(context, nullptr);
    std::string words;
    for (const char* word : kBiologyWords) {
        words += std::string(word) + "\t生物医学\n";
    }
    words += "culture\t生物医学\n";
    words += "liver\t法律\n";
    std::string error;
    std::optional<SubjectTable> table = SubjectTable::FromTsv(
        words, "culture\t生物医学\tn\t培养基，文化\nliver\t法律\tn\t居住者，肝脏\n", error);
    ASSERT_TRUE(table) << error;
    context->SetSubjects(std::move(*table));
    const std::string biology =
        Fixture("biology.txt") + "\nIn the laboratory they culture the bacteria in agar.\n";

    CParagraphList list;
    list.SetText(biology);
    list.SetContext(context.get());
    list.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
    ASSERT_EQ(Found(list, context->Subjects()), "生物医学");
    // The noun leads with the subject's sense; the verb keeps its own, and a word of
    // a subject the text is not about keeps its gloss.
    EXPECT_EQ(TokenGloss(list, "culture"), std::make_pair(std::string("培养基，文化"), true));
    EXPECT_FALSE(TokenGloss(list, "culture", 1).second);
    EXPECT_NE(TokenGloss(list, "culture", 1).first, "培养基，文化");
    EXPECT_FALSE(TokenGloss(list, "liver").second);

    // Turned off, the same text keeps the glosses the choice by part of speech gives.
    CParagraphList off;
    off.SetText(biology);
    off.SetContext(context.get());
    off.SetSubjectChoice(false);
    off.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
    EXPECT_EQ(Found(off, context->Subjects()), "");
    EXPECT_FALSE(TokenGloss(off, "culture").second);
    // Turned on again: the choice is made afresh.
    off.SetSubjectChoice(true);
    off.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
    EXPECT_TRUE(TokenGloss(off, "culture").second);

    // The same words in a short text of other words: too few of them to pass.
    CParagraphList story;
    story.SetText(
        std::string("Her aunt kept a culture of yeast in the pantry, beside the "
                    "marmalade, the pickled walnuts and a very indignant parrot.\n"));
    story.SetContext(context.get());
    story.Annotate(&ShippedDictionary(), kEveryWord, false, false, true);
    EXPECT_EQ(Found(story, context->Subjects()), "");
    EXPECT_FALSE(TokenGloss(story, "culture").second);

    // Words the text uses as names are not counted.
    const SubjectProfile all = ProfileText(list.Words(), ShippedDictionary(), context->Subjects(),
                                           [](std::uint32_t) { return false; });
    const SubjectProfile none = ProfileText(list.Words(), ShippedDictionary(), context->Subjects(),
                                            [](std::uint32_t) { return true; });
    EXPECT_GE(all.wordsOf[0], SubjectProfile::kFewestWords);
    EXPECT_EQ(none.glossedWords, 0U);
    EXPECT_TRUE(none.Passing().empty());
}

// Without subject.dat the choice by part of speech goes on, and the reason is kept.
TEST(SubjectChoiceTest, AMissingOrDamagedSubjectFileLeavesTheRestWorking) {
    TempDir dir;
    for (const char* name : {"tagger.dat", "senses.dat"}) {
        std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/" + name, dir.Path(name));
    }
    std::string problem;
    std::unique_ptr<ContextSenses> missing = ContextSenses::Load(dir.Path(""), problem);
    ASSERT_NE(missing, nullptr) << problem;
    EXPECT_NE(missing->SubjectProblem().find("subject.dat"), std::string::npos);
    EXPECT_TRUE(missing->Subjects().Empty());
    WriteFile(dir.Path("subject.dat"), "VWSUBJECTS1\nbroken");
    std::unique_ptr<ContextSenses> damaged = ContextSenses::Load(dir.Path(""), problem);
    ASSERT_NE(damaged, nullptr) << problem;
    EXPECT_NE(damaged->SubjectProblem().find("subject.dat: "), std::string::npos)
        << damaged->SubjectProblem();
    CParagraphList list;
    list.SetText(Fixture("chemistry.txt"));
    list.SetContext(damaged.get());
    list.Annotate(&ShippedDictionary(), kStep3, false, false, true);
    EXPECT_TRUE(list.SubjectsFound().empty());
    EXPECT_TRUE(list.HasContextChoice());
}

}  // namespace
