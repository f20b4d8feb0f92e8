// What the program keeps between runs: the reading settings, each text's place and
// the recent texts; and how a file the reader names is opened.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "CMainFrame.h"
#include "CVellumwiseApp.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "FakePlatformServices.h"
#include "PagePainter.h"
#include "SettingsStore.h"
#include "TempDir.h"
#include "TextPlaces.h"
#include "TopWord.h"

namespace {

// Paragraphs of different lengths, long enough to wrap, so that a font or page width
// change moves every word.
std::string Book(int paragraphs) {
    std::string text;
    for (int p = 0; p < paragraphs; ++p) {
        for (int w = 0; w < 5 + (p * 7) % 40; ++w) {
            text += (w == 0 ? "" : " ") + std::string(w % 3 == 0 ? "apple" : "clock") +
                    std::to_string(p) + "w" + std::to_string(w);
        }
        text += ".\r\n";
    }
    return text;
}

// Every test keeps its settings file in a folder of its own.
class SettingsFolder : public testing::Test {
protected:
    SettingsFolder() {
        if (const char* before = std::getenv("XDG_CONFIG_HOME")) {
            m_before = before;
        }
        ::setenv("XDG_CONFIG_HOME", m_config.Root().c_str(), 1);
    }
    ~SettingsFolder() override { ::setenv("XDG_CONFIG_HOME", m_before.c_str(), 1); }

    std::string SettingsFile() const { return m_config.Path("Vellumwise/Vellumwise.conf"); }
    std::string WriteText(const std::string& name, const std::string& bytes) {
        WriteFile(m_files.Path(name), bytes);
        return m_files.Path(name);
    }

    std::string m_before;
    TempDir m_config;
    TempDir m_files;
};

// ---- Settings ----

using SettingsStoreTest = SettingsFolder;

TEST_F(SettingsStoreTest, EverySettingRoundTripsAndAFirstStartHasTheDefaults) {
    EXPECT_EQ(SettingsStore().Reading(), ReadingSettings{});
    EXPECT_EQ(SettingsStore::FilePath().toStdString(), SettingsFile());

    ReadingSettings chosen;
    chosen.vocabLevel = 5;
    chosen.showMedical = true;
    chosen.showScience = true;
    chosen.pageColor = Rgb(1, 2, 3);
    chosen.textColor = Rgb(250, 128, 0);
    chosen.glossColor = Rgb(0, 0, 255);
    chosen.font.lfHeight = -27;
    chosen.font.lfWeight = 700;
    chosen.font.lfItalic = true;
    chosen.font.lfFaceName = "Noto Serif, Display";  // a comma inside the face
    chosen.glossPercent = 80;
    chosen.colorScheme = ColorScheme::Night;
    chosen.pageLayout = PageLayout::Original;
    {
        SettingsStore store;
        store.SaveReading(chosen);
        store.SaveWindow("geometry", "state");
        store.SaveLastFolder("/home/reader/books");
    }
    SettingsStore again;
    EXPECT_EQ(again.Reading(), chosen);
    EXPECT_EQ(again.WindowGeometry(), QByteArray("geometry"));
    EXPECT_EQ(again.WindowState(), QByteArray("state"));
    EXPECT_EQ(again.LastFolder(), "/home/reader/books");
}

TEST_F(SettingsStoreTest, TheLastFolderKeepsItsBytesWhateverItsName) {
    // Latin-1 "é" is no UTF-8: as text it would come back as a folder that is not there.
    for (const std::string& folder : {std::string("/books/caf\xC3\xA9"),
                                      std::string("/books/caf\xE9"), std::string("/b\xFF\xFE")}) {
        SettingsStore().SaveLastFolder(folder);
        EXPECT_EQ(SettingsStore().LastFolder(), folder);
    }
    // A file an older version wrote reads as before.
    WriteFile(SettingsFile(), "[Files]\nLastFolder=/home/reader/books\n");
    EXPECT_EQ(SettingsStore().LastFolder(), "/home/reader/books");
}

TEST_F(SettingsStoreTest, AValueThatMakesNoSenseFallsBackToItsDefaultAlone) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    WriteFile(SettingsFile(),
              "[Reading]\nVocabularyStep=12\nMedicalGlossary=true\nScienceGlossary=maybe\n"
              "Font=20,0,400,0,0,0,0,4,0,\n[Colors]\nPage=#0a0b0c\nText=red\nGloss=#12345\n");
    const ReadingSettings read = SettingsStore().Reading();
    const ReadingSettings defaults;
    EXPECT_EQ(read.vocabLevel, defaults.vocabLevel);
    EXPECT_TRUE(read.showMedical);
    EXPECT_EQ(read.showScience, defaults.showScience);
    EXPECT_EQ(read.font, defaults.font);  // no face
    EXPECT_EQ(read.pageColor, Rgb(10, 11, 12));
    EXPECT_EQ(read.textColor, defaults.textColor);
    EXPECT_EQ(read.glossColor, defaults.glossColor);
}

TEST_F(SettingsStoreTest, EveryFontHeightTheWindowTakesIsTakenAgainAtTheNextStart) {
    for (const int height : {kMinFontPixels, -kMinFontPixels, kMaxFontPixels, -kMaxFontPixels}) {
        ReadingSettings chosen;
        chosen.font.lfHeight = height;
        SettingsStore().SaveReading(chosen);
        EXPECT_EQ(SettingsStore().Reading().font.lfHeight, height);
    }
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    for (const int height : {kMaxFontPixels + 1, -(kMinFontPixels - 1), 0}) {
        WriteFile(SettingsFile(),
                  "[Reading]\nFont=" + std::to_string(height) + ",0,400,0,0,0,0,4,0,Serif\n");
        testing::internal::CaptureStderr();
        EXPECT_EQ(SettingsStore().Reading().font, ReadingFont{}) << height;
        testing::internal::GetCapturedStderr();
    }
}

TEST_F(SettingsStoreTest, AFileWithoutASchemeGetsTheOneItsColoursWereDrawnIn) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    struct Case {
        const char* colors;
        ColorScheme scheme;
    };
    // Before the scheme was kept, every page was drawn on the classic white boxes.
    const Case cases[] = {
        {"Page=#1e1e1e\nText=#dcdcdc\nGloss=#96aaff\n", ColorScheme::Night},
        {"Page=#efefef\nText=#272714\nGloss=#8080ff\n", ColorScheme::Classic},
        {"Page=#0a0b0c\nText=#272714\nGloss=#8080ff\n", ColorScheme::Classic},
    };
    for (const Case& c : cases) {
        WriteFile(SettingsFile(), std::string("[Colors]\n") + c.colors);
        EXPECT_EQ(SettingsStore().Reading().colorScheme, c.scheme) << c.colors;
    }
    WriteFile(SettingsFile(),
              "[Colors]\nScheme=eyecare\nPage=#0a0b0c\n[Reading]\nLayout=original\n");
    EXPECT_EQ(SettingsStore().Reading().colorScheme, ColorScheme::Sepia);
    EXPECT_EQ(SettingsStore().Reading().pageLayout, PageLayout::Original);
    // A scheme without its colours is drawn in the scheme's, not in the default page's.
    WriteFile(SettingsFile(), "[Colors]\nScheme=night\nGloss=#zzzzzz\n");
    testing::internal::CaptureStderr();
    const ReadingSettings night = SettingsStore().Reading();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(night.pageColor, ColorsOf(ColorScheme::Night).page);
    EXPECT_EQ(night.textColor, ColorsOf(ColorScheme::Night).text);
    EXPECT_EQ(night.glossColor, ColorsOf(ColorScheme::Night).gloss);
    WriteFile(SettingsFile(), "[Colors]\nScheme=purple\n[Reading]\nLayout=sideways\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(SettingsStore().Reading(), ReadingSettings{});
    EXPECT_NE(testing::internal::GetCapturedStderr(), "");
}

TEST_F(SettingsStoreTest, TheCommandLinesLookIsNotKeptUnlessTheReaderChangesIt) {
    ReadingSettings chosen;
    chosen.colorScheme = ColorScheme::Sepia;
    const SchemeColors sepia = ColorsOf(ColorScheme::Sepia);
    chosen.pageColor = sepia.page;
    chosen.textColor = sepia.text;
    chosen.glossColor = sepia.gloss;
    SettingsStore().SaveReading(chosen);

    const SchemeColors night = ColorsOf(ColorScheme::Night);
    ReadingSettings run = chosen;
    run.colorScheme = ColorScheme::Night;
    run.pageColor = night.page;
    run.textColor = night.text;
    run.glossColor = night.gloss;
    run.pageLayout = PageLayout::Original;
    run.vocabLevel = 7;  // chosen by the reader during the run
    {
        SettingsStore store;
        store.SetRunOnly(ColorScheme::Night, PageLayout::Original);
        store.SaveReading(run);
        ReadingSettings kept = chosen;
        kept.vocabLevel = 7;
        EXPECT_EQ(SettingsStore().Reading(), kept);
        // Once the reader picks a look of their own, it is theirs to keep.
        run.pageLayout = PageLayout::Book;
        run.glossColor = Rgb(1, 2, 3);
        store.SaveReading(run);
    }
    EXPECT_EQ(SettingsStore().Reading(), run);
}

TEST_F(SettingsStoreTest, ADamagedFileIsKeptAsideNeverWrittenOverAndTheDefaultsUsed) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    // A broken section header, and damage QSettings would read past.
    for (const std::string& damaged :
         {std::string("[Reading\nVocabularyStep=9\n"),
          std::string("[Reading]\nVocabularyStep=9\n\xFF\xFE\x01 junk\n"),
          std::string("[Reading]\nVocabularyStep=9\n\0\0\0", 29)}) {
        WriteFile(SettingsFile(), damaged);
        testing::internal::CaptureStderr();
        {
            SettingsStore store;
            EXPECT_EQ(store.Reading(), ReadingSettings{});
            ReadingSettings chosen;
            chosen.vocabLevel = 4;
            store.SaveReading(chosen);
        }
        const std::string warnings = testing::internal::GetCapturedStderr();
        EXPECT_NE(warnings.find("Vellumwise.conf.damaged"), std::string::npos) << warnings;
        EXPECT_EQ(ReadFile(SettingsFile() + ".damaged"), damaged);
        // The fresh file holds what this run chose, and reads back without a warning.
        testing::internal::CaptureStderr();
        EXPECT_EQ(SettingsStore().Reading().vocabLevel, 4);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    }
}

TEST_F(SettingsStoreTest, TwoWindowsKeepEachOthersChanges) {
    // Both open before either writes, as two windows started together.
    SettingsStore first;
    SettingsStore second;
    ReadingSettings chosen;
    chosen.vocabLevel = 7;
    first.SaveReading(chosen);
    second.SaveLastFolder("/books");
    TextPlaces(&second).Remember(WriteText("a.txt", "a"), {{3, 4}, 2});
    SettingsStore later;
    EXPECT_EQ(later.Reading().vocabLevel, 7);
    EXPECT_EQ(later.LastFolder(), "/books");
    EXPECT_EQ(TextPlaces(&later).Recent().size(), 1u);
}

TEST_F(SettingsStoreTest, ALinkPlantedAtTheFileIsNeitherReadNorWrittenThrough) {
    std::filesystem::create_directories(std::filesystem::path(SettingsFile()).parent_path());
    const std::string victim = WriteText("victim.txt", "precious\n");
    std::filesystem::create_symlink(victim, SettingsFile());
    testing::internal::CaptureStderr();
    {
        SettingsStore store;
        ReadingSettings chosen;
        chosen.vocabLevel = 4;
        store.SaveReading(chosen);
        TextPlaces(&store).Remember(victim, {{1, 1}, 1});
    }
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("符号链接"), std::string::npos) << warnings;
    EXPECT_EQ(ReadFile(victim), "precious\n");
    EXPECT_TRUE(std::filesystem::is_symlink(SettingsFile()));
}

TEST_F(SettingsStoreTest, AFileThatCannotBeReadIsNotWrittenThisRun) {
    // A folder where the file should be: unreadable, even to root.
    std::filesystem::create_directories(SettingsFile());
    testing::internal::CaptureStderr();
    {
        SettingsStore store;
        ReadingSettings chosen;
        chosen.vocabLevel = 4;
        store.SaveReading(chosen);
        store.SaveLastFolder("/books");
    }
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("本次不保存设置"), std::string::npos) << warnings;
    EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
}

TEST_F(SettingsStoreTest, ASharedFolderOthersMayWriteIsRefused) {
    const std::string folder = std::filesystem::path(SettingsFile()).parent_path().string();
    std::filesystem::create_directories(folder);
    ::chmod(folder.c_str(), 0777);
    testing::internal::CaptureStderr();
    {
        SettingsStore store;
        store.SaveLastFolder("/books");
    }
    const std::string warnings = testing::internal::GetCapturedStderr();
    EXPECT_NE(warnings.find("别的用户也能写入"), std::string::npos) << warnings;
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(SettingsStoreTest, TwoProcessesSavingAtOnceKeepEveryChange) {
    constexpr int kSaves = 15;
    std::vector<std::string> texts;
    for (int i = 0; i < 2 * kSaves; ++i) {
        texts.push_back(WriteText("t" + std::to_string(i) + ".txt", "x"));
    }
    pid_t children[2];
    for (int process = 0; process < 2; ++process) {
        children[process] = ::fork();
        if (children[process] == 0) {
            SettingsStore store;  // open before the other writes, as a window
            TextPlaces places(&store);
            for (int i = 0; i < kSaves; ++i) {
                places.Remember(texts[process * kSaves + i], {{1, 1}, 1});
            }
            ::_exit(0);
        }
    }
    for (const pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    SettingsStore after;
    TextPlaces places(&after);
    for (const std::string& text : texts) {
        EXPECT_TRUE(places.Recall(text)) << text;
    }
}

// ---- Places and recent texts ----

using TextPlacesTest = SettingsFolder;

TEST_F(TextPlacesTest, RecentTextsNewestFirstEightShownTwoHundredKept) {
    SettingsStore store;
    TextPlaces places(&store);
    std::vector<std::string> paths;
    for (int i = 0; i < TextPlaces::kMaxTexts + 1; ++i) {
        paths.push_back(WriteText("book" + std::to_string(i) + ".txt", "x"));
        places.Remember(paths.back(), {{static_cast<std::size_t>(i), 1}, 3});
    }
    // Reading an old one again brings it to the front.
    places.Remember(paths[5], {{5, 2}, 4});
    const std::vector<std::string> recent = places.Recent();
    ASSERT_EQ(recent.size(), std::size_t{TextPlaces::kRecentCount});
    EXPECT_EQ(recent[0], paths[5]);
    EXPECT_EQ(recent[1], paths[200]);
    EXPECT_EQ(recent[7], paths[194]);
    // 201 texts: the oldest is gone.
    EXPECT_FALSE(places.Recall(paths[0]));
    EXPECT_EQ(places.Recall(paths[1]), (ReadingPlace{{1, 1}, 3}));
    EXPECT_EQ(places.Recall(paths[5]), (ReadingPlace{{5, 2}, 4}));
}

TEST_F(TextPlacesTest, AFileIsKnownByItsCanonicalPathSizeAndTime) {
    SettingsStore store;
    TextPlaces places(&store);
    const std::string path = WriteText("book.txt", "one two");
    places.Remember(path, {{1, 2}, 6});
    // The same file by another name.
    std::filesystem::create_symlink(path, m_files.Path("link.txt"));
    EXPECT_EQ(places.Recall(m_files.Path("link.txt")), (ReadingPlace{{1, 2}, 6}));
    EXPECT_EQ(places.Recent(), std::vector<std::string>{path});
    // Other bytes at the same path are another text.
    WriteFile(path, "one two three");
    EXPECT_FALSE(places.Recall(path));
    EXPECT_FALSE(places.Recall(m_files.Path("missing.txt")));
}

TEST_F(TextPlacesTest, APlaceIsKeptForANameThatIsNotUtf8) {
    SettingsStore store;
    TextPlaces places(&store);
    const std::string path = WriteText("caf\xE9-latin1.txt", "one two");
    places.Remember(path, {{1, 2}, 6});
    SettingsStore again;  // read back from the file
    TextPlaces later(&again);
    EXPECT_EQ(later.Recall(path), (ReadingPlace{{1, 2}, 6}));
    EXPECT_EQ(later.Recent(), std::vector<std::string>{path});
    later.Forget(path);
    EXPECT_TRUE(later.Recent().empty());
}

// ---- The window ----

// A window over a started document, with the settings kept, like a program run.
class ReaderWindow : public SettingsFolder {
protected:
    void Start() {
        m_pStore = std::make_unique<SettingsStore>();
        m_pDoc = std::make_unique<CVellumwiseDoc>(m_platform);
        m_pDoc->SetProgramDir(VELLUMWISE_BIN_DIR);
        m_pDoc->SetStartSettings(m_pStore->Reading());
        m_pFrame = std::make_unique<CMainFrame>(*m_pDoc, m_platform, m_pStore.get());
        m_pDoc->OnNewDocument();
        m_pFrame->resize(900, 700);
        m_pFrame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pFrame.get()));
    }
    void Quit() {
        m_pFrame->close();
        m_pFrame.reset();
        m_pDoc.reset();
        m_pStore.reset();
    }
    CVellumwiseView& View() { return *m_pFrame->View(); }
    std::int64_t TopOf(WordPlace word) {
        return WordTop(m_pDoc->m_paragraphs.m_arrParagraphs, word, View().Scene().lineUnit);
    }
    ~ReaderWindow() override {
        if (m_pFrame) {
            Quit();
        }
    }

    FakePlatformServices m_platform;
    std::unique_ptr<SettingsStore> m_pStore;
    std::unique_ptr<CVellumwiseDoc> m_pDoc;
    std::unique_ptr<CMainFrame> m_pFrame;
};

TEST_F(ReaderWindow, TheTopWordStaysOnTopAcrossStepFontWidthAndGlossaryChanges) {
    Start();
    m_pFrame->OpenText(WriteText("book.txt", Book(400)));
    m_pDoc->ScrollTo(m_pDoc->m_nTextHeight / 3 + 7);
    const std::optional<WordPlace> top = View().TopWord();
    ASSERT_TRUE(top);
    ASSERT_GT(top->paragraph, 0u);

    ReadingFont larger = m_pDoc->m_fontText;
    larger.lfHeight = 31;
    ReadingFont smaller = larger;
    smaller.lfHeight = -12;
    const struct {
        const char* change;
        std::function<void()> apply;
    } changes[] = {
        {"step", [&] { m_pDoc->ApplyVocabulary(7, ThresholdForLevel(7), false, false); }},
        {"larger font", [&] { m_pDoc->SetReadingFont(larger); }},
        {"smaller font", [&] { m_pDoc->SetReadingFont(smaller); }},
        {"page width", [&] { m_pDoc->SetPageWidth(500); }},
        {"glossaries", [&] { m_pDoc->ApplyVocabulary(7, ThresholdForLevel(7), true, true); }},
    };
    for (const auto& [change, apply] : changes) {
        const std::int64_t before = m_pDoc->m_nScrollPos;
        apply();
        EXPECT_EQ(View().TopWord(), top) << change;
        if (change == std::string("step") || change == std::string("glossaries")) {
            // Glosses move no token: the page does not move at all.
            EXPECT_EQ(m_pDoc->m_nScrollPos, before) << change;
            continue;
        }
        EXPECT_EQ(m_pDoc->m_nScrollPos, TopOf(*top)) << change;
        if (std::string(change).find("font") != std::string::npos) {
            EXPECT_NE(m_pDoc->m_nScrollPos, before) << change << ": the pixels moved";
        }
    }

    // The start of the text keeps its margin; the end stays the end.
    m_pDoc->ScrollTo(0);
    m_pDoc->SetReadingFont(larger);
    EXPECT_EQ(m_pDoc->m_nScrollPos, 0);
    m_pDoc->ScrollTo(m_pDoc->m_nTextHeight);
    m_pDoc->SetReadingFont(smaller);
    EXPECT_EQ(m_pDoc->m_nScrollPos, m_pDoc->m_nTextHeight);
}

TEST_F(ReaderWindow, ATextReopensAtItsWordAndStepAfterARestartWithAnotherFont) {
    const std::string path = WriteText("book.txt", Book(600));
    Start();
    m_pFrame->OpenText(path);
    m_pDoc->ApplyVocabulary(5, ThresholdForLevel(5), false, false);
    m_pDoc->ScrollTo(m_pDoc->m_nTextHeight / 2);
    const std::optional<WordPlace> top = View().TopWord();
    ASSERT_TRUE(top);
    Quit();

    // Another font in the settings: other pixels, the same word.
    {
        SettingsStore store;
        ReadingSettings settings = store.Reading();
        EXPECT_EQ(settings.vocabLevel, 5);
        settings.font.lfHeight = 26;
        settings.vocabLevel = 2;
        store.SaveReading(settings);
    }
    Start();
    EXPECT_EQ(m_pDoc->m_fontText.lfHeight, 26);
    m_pFrame->OpenText(path);
    EXPECT_EQ(m_pDoc->m_nVocabLevel, 5);
    EXPECT_EQ(View().TopWord(), top);
    EXPECT_EQ(m_pDoc->m_nScrollPos, TopOf(*top));
    EXPECT_EQ(m_pFrame->RecentMenu()->actions().size(), 1);
}

TEST_F(ReaderWindow, EverySchemeAndLayoutComesBackAfterARestartPixelForPixel) {
    const std::string path = WriteText("book.txt", Book(40));
    const struct {
        const char* scheme;
        const char* layout;
        ColorScheme expected;
    } looks[] = {
        {"ID_SCHEME_NIGHT", "ID_LAYOUT_BOOK", ColorScheme::Night},
        {"ID_SCHEME_SEPIA", "ID_LAYOUT_ORIGINAL", ColorScheme::Sepia},
        {"ID_SCHEME_CLASSIC", "ID_LAYOUT_ORIGINAL", ColorScheme::Classic},
        {"ID_SCHEME_DEFAULT", "ID_LAYOUT_BOOK", ColorScheme::Default},
    };
    for (const auto& look : looks) {
        Start();
        m_pFrame->OpenText(path);
        m_pFrame->Command(look.scheme)->trigger();
        m_pFrame->Command(look.layout)->trigger();
        ASSERT_EQ(m_pDoc->m_colorScheme, look.expected);
        m_pDoc->ScrollTo(0);
        const QImage before = View().viewport()->grab().toImage();
        Quit();
        Start();
        m_pFrame->OpenText(path);
        EXPECT_EQ(m_pDoc->m_colorScheme, look.expected) << look.scheme;
        EXPECT_TRUE(m_pFrame->Command(look.scheme)->isChecked()) << look.scheme;
        EXPECT_TRUE(m_pFrame->Command(look.layout)->isChecked()) << look.scheme;
        // Kept at its start, the text reopens as it was first shown, margin and all.
        EXPECT_EQ(m_pDoc->m_nScrollPos, 0) << look.scheme;
        EXPECT_EQ(View().viewport()->grab().toImage(), before) << look.scheme;
        Quit();
    }
}

TEST_F(ReaderWindow, AChangeIsWrittenSoonWithoutQuitting) {
    Start();
    m_pFrame->Command("ID_SCHEME_NIGHT")->trigger();
    m_pDoc->SetGlossPercent(80);
    // Written within the save delay, so that a killed window loses no more than that.
    QTRY_VERIFY_WITH_TIMEOUT(SettingsStore().Reading().colorScheme == ColorScheme::Night, 5000);
    EXPECT_EQ(SettingsStore().Reading().glossPercent, 80);
    // Killed: no close, nothing saved on the way out.
    m_pFrame.reset();
    m_pDoc.reset();
    m_pStore.reset();
    Start();
    EXPECT_EQ(m_pDoc->m_colorScheme, ColorScheme::Night);
    EXPECT_EQ(m_pDoc->m_nGlossPercent, 80);
}

TEST_F(ReaderWindow, APlacePastTheEndOfAChangedFileIsHeldAtItsEnd) {
    const std::string path = WriteText("book.txt", Book(50));
    {
        SettingsStore store;
        TextPlaces(&store).Remember(path, {{5000, 3}, 4});
    }
    Start();
    m_pFrame->OpenText(path);
    const auto& paragraphs = m_pDoc->m_paragraphs.m_arrParagraphs;
    EXPECT_EQ(View().TopWord(),
              (WordPlace{paragraphs.size() - 1, paragraphs.back().TokenCount() - 1}));
    EXPECT_LT(m_pDoc->m_nScrollPos, m_pDoc->m_nTextHeight);
}

// Former bug: the window judged an open by the text shown afterwards, so a refused
// second file recorded the old text again and saved the refused file's folder.
TEST_F(ReaderWindow, ARefusedOpenRecordsNeitherTheOldTextNorTheRefusedFolder) {
    Start();
    const std::string first = WriteText("book.txt", Book(40));
    m_pFrame->OpenText(first);
    const std::string folder = m_pStore->LastFolder();
    ASSERT_FALSE(folder.empty());
    const std::vector<std::string> recent = TextPlaces(m_pStore.get()).Recent();
    std::filesystem::create_directories(m_files.Path("elsewhere"));
    const std::string broken = m_files.Path("elsewhere/broken.epub");
    WriteFile(broken, "not a book");
    for (const std::string& refused : {broken}) {
        m_platform.m_messages.clear();
        m_pFrame->OpenText(refused);
        EXPECT_EQ(m_platform.m_messages.size(), 1u) << refused;
        EXPECT_EQ(m_pDoc->TextPath(), first);
        EXPECT_EQ(m_pStore->LastFolder(), folder) << refused;
        EXPECT_EQ(TextPlaces(m_pStore.get()).Recent(), recent);
    }
}

TEST_F(ReaderWindow, ARecentTextOpensAtItsPlaceAndAMissingOneIsRemovedWithAMessage) {
    const std::string first = WriteText("first.txt", Book(300));
    const std::string second = WriteText("second.txt", Book(20));
    Start();
    m_pFrame->OpenText(first);
    m_pDoc->ScrollTo(m_pDoc->m_nTextHeight / 2);
    const std::optional<WordPlace> top = View().TopWord();
    m_pFrame->OpenText(second);
    EXPECT_EQ(m_pDoc->m_nScrollPos, 0);

    QMenu* recent = m_pFrame->RecentMenu();
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 2);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 second.txt"));
    EXPECT_EQ(recent->actions()[1]->text(), QStringLiteral("&2 first.txt"));
    recent->actions()[1]->trigger();
    EXPECT_EQ(m_pDoc->GetTitle(), "first");
    EXPECT_EQ(View().TopWord(), top);

    std::filesystem::remove(second);
    emit recent->aboutToShow();
    recent->actions()[1]->trigger();
    ASSERT_EQ(m_platform.m_messages.size(), 1u);
    EXPECT_NE(m_platform.m_messages[0].find(second), std::string::npos);
    EXPECT_EQ(m_pDoc->GetTitle(), "first");
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_EQ(recent->actions()[0]->text(), QStringLiteral("&1 first.txt"));
}

TEST_F(ReaderWindow, AnyFileButADocumentOpensAsTextFromTheDialogADropAndTheCommandLine) {
    const std::string text = WriteText("notes.md", "An apple a day.\r\n");
    const std::string document = WriteText("story.vwd", "");
    Start();
    m_pFrame->Command(CommandId::FileOpen)->trigger();  // cancelled
    m_platform.m_fileAnswers = {text};
    m_pFrame->Command(CommandId::FileOpen)->trigger();
    EXPECT_EQ(m_pDoc->GetTitle(), "notes");
    ASSERT_EQ(m_pDoc->m_paragraphs.m_arrParagraphs.size(), 1u);
    EXPECT_EQ(m_pDoc->m_paragraphs.m_arrParagraphs[0].m_strText, "An apple a day.");

    // A document keeps its behaviour: its name becomes the title, the text stays.
    m_platform.m_fileAnswers = {document};
    m_pFrame->Command(CommandId::FileOpen)->trigger();
    EXPECT_EQ(m_pDoc->GetTitle(), "story.vwd");
    EXPECT_EQ(m_pDoc->m_paragraphs.m_arrParagraphs[0].m_strText, "An apple a day.");

    m_pFrame->OnEditPaste();  // nothing on the clipboard
    m_platform.m_clipboard = "Pasted words";
    m_pFrame->Command(CommandId::EditPaste)->trigger();
    EXPECT_EQ(m_pDoc->GetTitle(), "无标题");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(text))});
    // As the window system delivers a drop: an enter, then the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pFrame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_pFrame.get(), &drop);
    // The text is read once the drop is over.
    QCoreApplication::processEvents();
    EXPECT_EQ(m_pDoc->GetTitle(), "notes");
    EXPECT_EQ(m_pDoc->m_paragraphs.m_arrParagraphs[0].m_strText, "An apple a day.");

    // The open-text dialog offers every file too.
    m_platform.m_fileAnswers = {text};
    m_pFrame->Command(CommandId::FileOpenText)->trigger();
    EXPECT_EQ(m_platform.m_filtersAsked.back(),
              "电子书和文本文件 (*.epub *.txt);;文本文件 (*.txt);;所有文件 (*)");
    Quit();

    CVellumwiseApp app;
    ASSERT_FALSE(app.InitInstance({text}).has_value());
    EXPECT_EQ(app.Document().GetTitle(), "notes");
    EXPECT_EQ(app.Document().TextPath(), text);
    ASSERT_EQ(app.Document().m_paragraphs.m_arrParagraphs.size(), 1u);
}

}  // namespace
