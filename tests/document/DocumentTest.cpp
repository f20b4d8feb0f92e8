// The document's start-up, its dictionary loading and the text commands.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "DocumentFixture.h"
#include "RunProgram.h"

namespace {

using namespace std::string_literals;
const std::string kFixtures = VELLUMWISE_FIXTURES_DIR;

// ---- Start-up and File New ----

TEST_F(StartedDocument, FirstNewDocumentSetsTheDefaultsAndLoadsTheDictionary) {
    EXPECT_TRUE(m_doc.m_bInitialised);
    // A first start reads in the default scheme and the book layout.
    EXPECT_EQ(m_doc.m_colorScheme, ColorScheme::Default);
    EXPECT_EQ(m_doc.m_crPage, 0xF6FAFBu);
    EXPECT_EQ(m_doc.m_crText, 0x262222u);
    EXPECT_EQ(m_doc.m_crGloss, 0xB45A28u);
    EXPECT_EQ(m_doc.PageLayoutChoice(), PageLayout::Book);
    EXPECT_EQ(m_doc.m_nPageWidth, 800);
    std::uint64_t bits;
    std::memcpy(&bits, &m_doc.m_dThreshold, sizeof bits);
    EXPECT_EQ(bits, 0x4032F77A286523F1u);
    EXPECT_EQ(m_doc.m_nVocabLevel, 3);
    EXPECT_FALSE(m_doc.m_bShowMedical);
    EXPECT_FALSE(m_doc.m_bShowScience);
    EXPECT_FALSE(m_doc.m_bAutoScroll);
    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    EXPECT_EQ(m_doc.m_fontText.lfHeight, 20);
    EXPECT_EQ(m_doc.m_fontText.lfWeight, 400);
    EXPECT_EQ(m_doc.m_fontText.lfQuality, 4);
    EXPECT_EQ(m_doc.m_fontText.lfFaceName, "MS Serif");
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_EQ(m_doc.m_dicMain.LookupExact("apple", 100.0), Gbk("苹果"));
    EXPECT_EQ(m_doc.GetTitle(), "无标题");
    EXPECT_TRUE(m_doc.m_paragraphs.m_arrParagraphs.empty());
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST_F(StartedDocument, SecondNewDocumentOnlyResetsScrollAndTitle) {
    m_platform.m_clipboard = "apple pie";
    m_doc.OnEditPaste();
    m_doc.ApplyVocabulary(1, 111.360763, true, true);
    m_doc.SetColors({1, m_doc.m_crText, m_doc.m_crGloss});
    ReadingFont font = m_doc.m_fontText;
    font.lfHeight = 33;
    m_doc.SetReadingFont(font);
    m_doc.ScrollTo(2500);
    m_doc.SetAutoScroll(true);
    // A second load would now fail and end the process.
    std::filesystem::remove(m_dir.Path("main.dic"));
    m_doc.OnOpenDocument(m_dir.Path("story.vwd"));
    ASSERT_EQ(m_doc.GetTitle(), "story.vwd");

    EXPECT_TRUE(m_doc.OnNewDocument());

    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    EXPECT_EQ(m_doc.GetTitle(), "无标题");
    EXPECT_EQ(m_doc.GetPathName(), "");
    EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"apple pie"});
    EXPECT_EQ(Glossed(), "apple=苹果");
    EXPECT_EQ(m_doc.m_nVocabLevel, 1);
    EXPECT_EQ(m_doc.m_dThreshold, ThresholdForLevel(1));
    EXPECT_TRUE(m_doc.m_bShowMedical && m_doc.m_bShowScience && m_doc.m_bAutoScroll);
    EXPECT_EQ(m_doc.m_crPage, 1u);
    EXPECT_EQ(m_doc.m_fontText.lfHeight, 33);
    EXPECT_EQ(m_doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST(Document, OpeningADocumentFileFirstInitialisesTheDocument) {
    // Started with a file on the command line: no File New ever runs.
    TempDir dir;
    ASSERT_TRUE(WriteTestDictionary(dir.Path("main.dic")));
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(dir.Root().string());
    EXPECT_TRUE(doc.OnOpenDocument("/somewhere/notes.vwd"));
    EXPECT_TRUE(doc.m_bInitialised);
    EXPECT_EQ(doc.m_nPageWidth, 800);
    EXPECT_EQ(doc.m_nVocabLevel, 3);
    EXPECT_EQ(doc.m_fontText, ReadingFont{});
    EXPECT_EQ(doc.m_dicMain.m_arrItems.size(), TestEntries().size());
    EXPECT_EQ(doc.GetPathName(), "/somewhere/notes.vwd");
    EXPECT_EQ(doc.GetTitle(), "notes.vwd");
}

TEST(Document, TheReadersSettingsAreThereBeforeTheFirstLayout) {
    TempDir dir;
    ASSERT_TRUE(WriteTestDictionary(dir.Path("main.dic")));
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(dir.Root().string());
    ReadingSettings kept;
    kept.vocabLevel = 8;
    kept.showScience = true;
    kept.glossColor = Rgb(1, 2, 3);
    kept.font.lfHeight = -30;
    doc.SetStartSettings(kept);
    RecordingView view;
    doc.AddView(&view);
    doc.OnNewDocument();
    EXPECT_EQ(doc.Settings(), kept);
    EXPECT_EQ(doc.m_dThreshold, ThresholdForLevel(8));
    EXPECT_EQ(doc.m_crGloss, Rgb(1, 2, 3));
    EXPECT_EQ(view.m_hints, std::vector<UpdateHint>{UpdateHint::Text});
    // A later File New keeps what the reader chose since.
    doc.ApplyVocabulary(2, ThresholdForLevel(2), false, false);
    doc.OnNewDocument();
    EXPECT_EQ(doc.m_nVocabLevel, 2);
}

TEST(Document, LooksForTheDictionaryBesideTheExecutable) {
    FakePlatformServices platform;
    const CVellumwiseDoc doc(platform);
    EXPECT_EQ(doc.m_strProgramDir,
              std::filesystem::canonical("/proc/self/exe").parent_path().string());
}

// ---- A dictionary that cannot be loaded ends the program ----

// What start-up in `programDir` answers, and the messages it showed.
struct StartResult {
    bool started;
    std::vector<std::string> messages;
};

StartResult StartIn(const std::string& programDir, bool viaOpenDocument = false) {
    FakePlatformServices platform;
    CVellumwiseDoc doc(platform);
    doc.SetProgramDir(programDir);
    const bool started =
        viaOpenDocument ? doc.OnOpenDocument(programDir + "/story.vwd") : doc.OnNewDocument();
    EXPECT_EQ(started, !doc.m_dicMain.m_arrItems.empty());
    return {started, platform.m_messages};
}

TEST(Document, AMissingDictionaryFailsStartUpWithItsMessage) {
    TempDir dir;
    for (const bool viaOpenDocument : {false, true}) {
        const StartResult result = StartIn(dir.Root().string(), viaOpenDocument);
        EXPECT_FALSE(result.started);
        EXPECT_EQ(result.messages,
                  std::vector<std::string>{"找不到字典文件，程序将会退出，请重新安装软件。"});
    }
}

TEST(Document, AnUnreadableDictionaryFailsStartUpNamingIt) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes;  // nullopt: a directory named main.dic
    };
    std::string valid;
    {
        TempDir dir;
        ASSERT_TRUE(WriteTestDictionary(dir.Path("main.dic")));
        valid = ReadFile(dir.Path("main.dic"));
    }
    const Case cases[] = {
        {"a directory", std::nullopt},
        {"cut short", valid.substr(0, valid.size() - 3)},
        {"bytes after the last entry", valid + "x"},
        {"a huge entry count", "\xff\xff\xff\x7f"s},
        {"a negative entry count", "\xff\xff\xff\xff"s},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = dir.Path("main.dic");
        if (c.bytes) {
            WriteFile(path, *c.bytes);
        } else {
            std::filesystem::create_directory(path);
        }
        const StartResult result = StartIn(dir.Root().string());
        EXPECT_FALSE(result.started);
        EXPECT_EQ(result.messages, std::vector<std::string>{"读取字典文件错误 " + path});
    }
}

TEST(Document, AGoodDictionaryStartsWithoutAMessage) {
    TempDir dir;
    ASSERT_TRUE(WriteTestDictionary(dir.Path("main.dic")));
    const StartResult result = StartIn(dir.Root().string());
    EXPECT_TRUE(result.started);
    EXPECT_TRUE(result.messages.empty());
}

// ---- Opening a text file ----

TEST_F(StartedDocument, ATextOpensAtItsPlaceGlossedOnceWithItsStep) {
    const std::string path = WriteText("book.txt", "The apple.\r\nA clock\r\n");
    m_doc.OpenTextFile(path, ReadingPlace{{1, 2}, 11});
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
    EXPECT_EQ(m_doc.m_dThreshold, ThresholdForLevel(11));
    EXPECT_EQ(m_doc.PlaceToShow(), (WordPlace{1, 2}));
    EXPECT_EQ(m_doc.TextPath(), path);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Text});
    // Without a place: the start, and the step stays.
    m_doc.OpenTextFile(path);
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
    EXPECT_FALSE(m_doc.PlaceToShow());
    // A file that cannot be read leaves no text and no path to keep a place for.
    m_doc.OpenTextFile(m_dir.Path("missing.txt"), ReadingPlace{{1, 2}, 4});
    EXPECT_EQ(m_doc.TextPath(), "");
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
}

TEST_F(StartedDocument, OpenTextFileReadsGlossesAndStartsAtTheTop) {
    const std::string path = WriteText("War and Peace.txt", "The apple.\r\n\r\nA clock\n");
    m_platform.m_fileAnswers.push_back(path);
    m_doc.ScrollTo(4000);
    m_view.m_hints.clear();
    m_doc.OnOpenTextFile();
    EXPECT_EQ(m_platform.m_filtersAsked,
              std::vector<std::string>{
                  "电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;所有文件 (*)"});
    EXPECT_EQ(ParagraphTexts(), (std::vector<std::string>{"The apple.", "A clock"}));
    EXPECT_EQ(Glossed(), "apple=苹果 clock=钟");
    EXPECT_EQ(m_doc.GetTitle(), "War and Peace");
    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Text});
    EXPECT_EQ(m_view.m_nTitleChanges, 1);
    EXPECT_EQ(m_platform.m_nWaitCursorShown, 1);
    EXPECT_EQ(m_platform.m_nWaitDepth, 0);
    EXPECT_TRUE(m_platform.m_messages.empty());
}

TEST_F(StartedDocument, TheTitleIsTheFileNameCutBeforeItsLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"story.txt", "story"}, {"a.tale.txt", "a.tale"}, {"README", "README"},
        {"story.TXT", "story"}, {".hidden", ".hidden"},
    };
    for (const auto& [name, title] : cases) {
        m_doc.OpenTextFile(WriteText(name, "x"));
        EXPECT_EQ(m_doc.GetTitle(), title) << name;
    }
}

TEST_F(StartedDocument, OpeningDecodesTheFile) {
    struct Case {
        const char* file;
        std::vector<std::string> paragraphs;
    };
    const Case cases[] = {
        {"utf16le-bom.txt", {"Hello world", "Second line"}},
        {"utf16be-bom.txt", {"Hello world", "Second line"}},
        {"utf8-bom.txt", {"Hello world", "Second line"}},
        {"windows-1252.txt",
         {"\u201cWell,\u201d said Pierre\u2019s friend\u2026 \u2014 caf\u00e9"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        m_doc.OpenTextFile(kFixtures + "/" + c.file);
        EXPECT_EQ(ParagraphTexts(), c.paragraphs);
    }
    // The old Windows text splits at its quotes as a modern one does.
    const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[0];
    EXPECT_EQ(paragraph.Word(2), "Well");
    EXPECT_EQ(paragraph.Word(8), "Pierre");
}

TEST_F(StartedDocument, TheWholeFileIsTakenHoweverLarge) {
    std::string text;
    for (int i = 0; i < 20000; ++i) {
        text += "An apple a day keeps the doctor away.\r\n";
    }
    m_doc.OpenTextFile(WriteText("long.txt", text));
    EXPECT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), 20000u);
}

TEST_F(StartedDocument, AFailedOpenEmptiesTheTextAndKeepsTheChosenTitle) {
    m_platform.m_clipboard = "apple";
    m_doc.OnEditPaste();
    m_view.m_hints.clear();
    const std::string missing = m_dir.Path("gone.txt");
    const std::string directory = m_dir.Path("folder.txt");
    std::filesystem::create_directory(directory);
    for (const std::string& path : {missing, directory}) {
        SCOPED_TRACE(path);
        m_platform.m_messages.clear();
        m_platform.m_fileAnswers.push_back(path);
        m_doc.OnOpenTextFile();
        EXPECT_TRUE(m_doc.m_paragraphs.m_arrParagraphs.empty());
        EXPECT_EQ(m_platform.m_messages,
                  std::vector<std::string>{"无法调入这个 .txt 文件：" + path});
        EXPECT_EQ(m_platform.m_nWaitDepth, 0);
    }
    EXPECT_EQ(m_doc.GetTitle(), "folder");
    // The view must not keep drawing the paragraphs that were removed.
    EXPECT_EQ(m_view.m_hints.back(), UpdateHint::Text);
}

TEST_F(StartedDocument, CancellingTheOpenDialogChangesNothing) {
    m_platform.m_clipboard = "apple";
    m_doc.OnEditPaste();
    m_doc.ScrollTo(300);
    m_view.m_hints.clear();
    m_doc.OnOpenTextFile();
    EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"apple"});
    EXPECT_EQ(m_doc.GetTitle(), "无标题");
    EXPECT_EQ(m_doc.m_nScrollPos, 300);
    EXPECT_TRUE(m_view.m_hints.empty());
}

// ---- Paste ----

TEST_F(StartedDocument, PasteReplacesTheTextStartsAtItsTopAndIsUntitled) {
    m_doc.OpenTextFile(WriteText("first.txt", "book"));
    m_doc.ScrollTo(7000);
    m_view.m_hints.clear();
    m_view.m_nTitleChanges = 0;
    m_platform.m_nWaitCursorShown = 0;
    m_platform.m_clipboard =
        "\xef\xbb\xbf"
        "Apples\r\nfact\0ignored"s;
    m_doc.OnEditPaste();
    EXPECT_EQ(ParagraphTexts(), (std::vector<std::string>{"Apples", "fact"}));
    EXPECT_EQ(Glossed(), "Apples=苹果 fact=事实");
    // The old text's offset would show the new one's blank end, or nothing.
    EXPECT_EQ(m_doc.m_nScrollPos, 0);
    // A pasted text has no file: neither the old title nor a place to keep.
    EXPECT_EQ(m_doc.GetTitle(), "无标题");
    EXPECT_EQ(m_view.m_nTitleChanges, 1);
    EXPECT_EQ(m_doc.TextPath(), "");
    EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{UpdateHint::Text});
    EXPECT_EQ(m_platform.m_nWaitCursorShown, 0);
}

TEST_F(StartedDocument, PasteWithNoTextOnTheClipboardDoesNothing) {
    m_platform.m_clipboard = "apple";
    m_doc.OnEditPaste();
    m_view.m_hints.clear();
    for (const std::optional<std::string>& clipboard :
         {std::optional<std::string>(), std::optional<std::string>("")}) {
        m_platform.m_clipboard = clipboard;
        m_doc.OnEditPaste();
        EXPECT_EQ(ParagraphTexts(), std::vector<std::string>{"apple"});
        EXPECT_TRUE(m_view.m_hints.empty());
    }
}

// ---- Vocabulary ----

TEST_F(StartedDocument, ApplyingTheVocabularyGlossesTheTextAgain) {
    m_platform.m_clipboard = "book apple";
    m_doc.OnEditPaste();
    m_view.m_hints.clear();
    m_doc.ApplyVocabulary(1, 111.360763, false, false);
    EXPECT_EQ(Glossed(), "book=书 apple=苹果");
    m_doc.ApplyVocabulary(11, 0.128595482, false, false);
    EXPECT_EQ(Glossed(), "");
    EXPECT_EQ(m_doc.m_nVocabLevel, 11);
    EXPECT_EQ(m_view.m_hints, (std::vector<UpdateHint>{UpdateHint::Glosses, UpdateHint::Glosses}));
}

// ---- One change signal ----

TEST_F(StartedDocument, EveryChangeTellsEveryViewOnceWithWhatChanged) {
    RecordingView second;
    m_doc.AddView(&second);
    ReadingFont bigger;
    bigger.lfHeight = -40;
    struct Case {
        const char* what;
        std::function<void()> change;
        UpdateHint hint;
        std::function<bool()> changed;
    };
    const Case cases[] = {
        {"colours", [&] { m_doc.SetColors({.page = 1, .text = 2, .gloss = 3}); }, UpdateHint::Look,
         [&] { return m_doc.m_crPage == 1 && m_doc.m_crText == 2 && m_doc.m_crGloss == 3; }},
        {"font", [&] { m_doc.SetReadingFont(bigger); }, UpdateHint::Font,
         [&] { return m_doc.m_fontText == bigger; }},
        {"page width", [&] { m_doc.SetPageWidth(600); }, UpdateHint::Font,
         [&] { return m_doc.m_nPageWidth == 600; }},
        {"scroll", [&] { m_doc.ScrollTo(-20); }, UpdateHint::Position,
         [&] { return m_doc.m_nScrollPos == -20; }},
        {"auto-scroll", [&] { m_doc.SetAutoScroll(true); }, UpdateHint::Look,
         [&] { return m_doc.m_bAutoScroll; }},
        {"text", [&] { m_doc.ReplaceText("apple pie"); }, UpdateHint::Text,
         [&] { return ParagraphTexts() == std::vector<std::string>{"apple pie"}; }},
        {"vocabulary", [&] { m_doc.ApplyVocabulary(11, 0.128595482, false, false); },
         UpdateHint::Glosses, [&] { return m_doc.m_nVocabLevel == 11; }},
        {"new document", [&] { m_doc.OnNewDocument(); }, UpdateHint::Text,
         [&] { return m_doc.m_nScrollPos == 0; }},
        {"open document", [&] { m_doc.OnOpenDocument(m_dir.Path("notes.vwd")); }, UpdateHint::Text,
         [&] { return m_doc.GetTitle() == "notes.vwd"; }},
        {"open text", [&] { m_doc.OpenTextFile(WriteText("story.txt", "apple")); },
         UpdateHint::Text, [&] { return m_doc.GetTitle() == "story"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        m_view.m_hints.clear();
        second.m_hints.clear();
        c.change();
        EXPECT_TRUE(c.changed());
        EXPECT_EQ(m_view.m_hints, std::vector<UpdateHint>{c.hint});
        EXPECT_EQ(second.m_hints, std::vector<UpdateHint>{c.hint});
    }
    m_doc.RemoveView(&second);
}

// The layout's results are the document's, kept from the layouter before any view
// hears of the change; a change that moves no token asks for no layout.
TEST_F(StartedDocument, LayoutIsAskedBeforeTheViewsAndKept) {
    struct CountingLayouter : ITextLayouter {
        int calls = 0;
        std::size_t paragraphs = 0;
        LayoutOutcome LayOut(CParagraphList& text) override {
            ++calls;
            paragraphs = text.m_arrParagraphs.size();
            return {12345, 77};
        }
    } layouter;
    m_doc.SetLayouter(&layouter);
    struct Probe : RecordingView {
        const CVellumwiseDoc* doc = nullptr;
        std::int64_t heightSeen = -1;
        void OnUpdate(UpdateHint hint) override {
            RecordingView::OnUpdate(hint);
            heightSeen = doc->m_nTextHeight;
        }
    } probe;
    probe.doc = &m_doc;
    m_doc.AddView(&probe);

    m_doc.ReplaceText("apple pie\nzebra");
    EXPECT_EQ(layouter.calls, 1);
    EXPECT_EQ(layouter.paragraphs, 2u);
    EXPECT_EQ(probe.heightSeen, 12345);
    EXPECT_EQ(m_doc.m_nScrollPos, 77);

    for (const auto& change : std::vector<std::function<void()>>{
             [&] { m_doc.ScrollTo(5); },
             [&] { m_doc.SetColors({.page = 1, .text = 2, .gloss = 3}); },
             [&] { m_doc.ApplyVocabulary(1, ThresholdForLevel(1), false, false); },
             [&] { m_doc.SetAutoScroll(true); }}) {
        change();
    }
    EXPECT_EQ(layouter.calls, 1);
    m_doc.SetPageWidth(500);
    EXPECT_EQ(layouter.calls, 2);
    m_doc.RemoveView(&probe);
    m_doc.DropLayouter(&layouter);
}

TEST_F(StartedDocument, ARemovedViewIsNoLongerTold) {
    m_doc.RemoveView(&m_view);
    m_doc.ApplyVocabulary(2, 39.04262172, false, false);
    EXPECT_TRUE(m_view.m_hints.empty());
}

}  // namespace
