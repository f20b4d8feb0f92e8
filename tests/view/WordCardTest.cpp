// The word card a held word opens: its content, where it stands, and a dictionary that
// cannot be read.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <filesystem>

#include "CGlossPopupDlg.h"
#include "CodePage.h"
#include "OwnSenseDlg.h"
#include "SpeakButton.h"
#include "ViewOverDocument.h"
#include "WordCardDlg.h"

namespace {

class WordCardTest : public ViewOverDocument {
protected:
    WordCardTest() : ViewOverDocument(601) {}

    void WithShippedEntries() {
        std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/dictionary.sqlite",
                                   m_programDir.Path("dictionary.sqlite"));
    }
    QRect LineOnScreen(std::size_t p, std::size_t j) const {
        const QPoint top = m_view.viewport()->mapToGlobal(WordPoint(p, j));
        return {QPoint(m_view.viewport()->mapToGlobal(QPoint(0, 0)).x(), top.y()),
                QSize(m_view.viewport()->width(), m_view.Scene().lineUnit * 2)};
    }
    void Hold(QPoint point) { QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, point); }
    void Release(QPoint point) {
        QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, point);
    }
};

TEST_F(WordCardTest, HeldWordShowsItsEntryBesideTheLineAndGoesOnRelease) {
    WithShippedEntries();
    Paste("the zebra walked\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const QPoint zebra = WordPoint(0, 1, 3, 5);
    Hold(zebra);
    ASSERT_NE(m_view.m_pCard, nullptr);
    EXPECT_EQ(m_view.m_pPopup, nullptr) << "the card replaces the one-line popup";
    EXPECT_TRUE(m_view.m_pCard->isVisible());
    const QString html = m_view.m_pCard->Html();
    EXPECT_TRUE(html.contains(QStringLiteral("<b>zebra</b>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("本处：</span><b>斑马</b>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("<i>n.</i>"))) << "the entry's lines";
    EXPECT_FALSE(html.contains(WordCardDlg::kUnavailable));
    const QRect card = m_view.m_pCard->geometry();
    EXPECT_FALSE(card.intersects(LineOnScreen(0, 1))) << "the card covers the word's line";
    if (QScreen* screen = QGuiApplication::screenAt(card.center())) {
        EXPECT_TRUE(screen->availableGeometry().contains(card));
    }
    // At the page's font, whatever the application's.
    EXPECT_EQ(m_view.m_pCard->font().pointSizeF(), m_view.Scene().textFont.pointSizeF());
    Release(zebra);
    EXPECT_EQ(m_view.m_pCard, nullptr);
    // Not on a blank, a punctuation mark or past the text.
    Hold(QPoint(5, 500));
    EXPECT_EQ(m_view.m_pCard, nullptr);
    Release(QPoint(5, 500));
}

TEST_F(WordCardTest, UnreadableEntriesLeaveTheShortGlossAndSaySoOnce) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}},
        {"directory", [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"dev-zero", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"text", [](const std::string& p) { WriteFile(p, std::string(10000, 'x')); }},
    };
    for (const Case& c : cases) {
        TempDir program;
        ASSERT_TRUE(WriteViewTestDictionary(program.Path("main.dic")));
        c.make(program.Path("dictionary.sqlite"));
        FakePlatformServices platform;
        CVellumwiseDoc doc(platform);
        doc.SetProgramDir(program.Root().string());
        doc.SetPersonalDir(m_personalDir.Path("vellumwise"));
        doc.OnNewDocument();
        doc.SetPageLayout(PageLayout::Original);
        CVellumwiseView view(doc);
        view.resize(1000, 601);
        platform.m_clipboard = "the zebra walked\r\n";
        doc.OnEditPaste();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        const StripGeometry geometry =
            StripGeometry::ForWindow(1000, 601, doc.m_nPageWidth, doc.m_nScrollPos);
        const WordBox box =
            WordBoxOf(doc.m_paragraphs.m_arrParagraphs[0], 1, geometry, view.Scene().lineUnit);
        const QPoint zebra(static_cast<int>(box.left) + 3, static_cast<int>(box.top) + 5);
        for (int round = 0; round < 2; ++round) {
            QTest::mousePress(view.viewport(), Qt::LeftButton, {}, zebra);
            ASSERT_NE(view.m_pCard, nullptr) << c.what;
            const QString html = view.m_pCard->Html();
            EXPECT_TRUE(html.contains(QStringLiteral("斑马"))) << c.what;
            EXPECT_EQ(html.contains(WordCardDlg::kUnavailable), round == 0)
                << c.what << " round " << round;
            QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, zebra);
        }
        EXPECT_TRUE(platform.m_messages.empty()) << c.what << ": no message box for a missing card";
        // Nothing written beside main.dic.
        std::size_t files = 0;
        for (const auto& item : std::filesystem::directory_iterator(program.Root())) {
            files += item.path().filename() != "main.dic";
        }
        EXPECT_EQ(files, std::string(c.what) == "missing" ? 0u : 1u) << c.what;
    }
}

TEST_F(WordCardTest, TheOneLinePopupStaysAChoiceAndTheCardHasAKey) {
    WithShippedEntries();
    Paste("the zebra walked\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    ASSERT_TRUE(m_doc.WordCardOn());
    m_doc.SetWordCard(false);
    EXPECT_FALSE(m_doc.Settings().wordCard);
    const QPoint zebra = WordPoint(0, 1, 3, 5);
    Hold(zebra);
    EXPECT_EQ(m_view.m_pCard, nullptr);
    ASSERT_NE(m_view.m_pPopup, nullptr);
    EXPECT_EQ(m_view.m_pPopup->m_strText, QStringLiteral("zebra:斑马"));
    Release(zebra);
    m_doc.SetWordCard(true);
    QAction* key = m_view.CardCommand();
    EXPECT_EQ(key->shortcut(), QKeySequence(Qt::Key_D));
    EXPECT_EQ(key->objectName(), QStringLiteral("ID_WORD_CARD_SHOW"));
    // From the keyboard: the card of the word at a point stays until the next key.
    ASSERT_TRUE(m_view.OpenWordCard(zebra));
    ASSERT_NE(m_view.m_pCard, nullptr);
    QTest::keyClick(m_view.viewport(), Qt::Key_Escape);
    EXPECT_EQ(m_view.m_pCard, nullptr);
}

TEST_F(WordCardTest, TheCardsLinkChoosesTheWordsOwnSenseForEveryOccurrence) {
    WithShippedEntries();
    Paste("the zebra walked\r\nzebras and the zebra\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    std::vector<OwnSenseQuestion> asked;
    std::optional<OwnSenseAnswer> answer =
        OwnSenseAnswer{OwnSenseAnswer::Kind::Set, QStringLiteral("条纹马"), true};
    m_view.m_dialogs.ownSense = [&](QWidget*, const OwnSenseQuestion& question) {
        asked.push_back(question);
        return answer;
    };
    const QPoint zebra = WordPoint(0, 1, 3, 5);
    ASSERT_TRUE(m_view.OpenWordCard(zebra));  // as the card key opens it: it stays
    ASSERT_TRUE(m_view.m_pCard->Html().contains(QStringLiteral("选择释义")));
    auto* label = m_view.m_pCard->findChild<QLabel*>();
    ASSERT_NE(label, nullptr);
    emit label->linkActivated(WordCardDlg::kSenseLink);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].word, QStringLiteral("zebra"));
    EXPECT_EQ(asked[0].shown, QStringLiteral("斑马"));
    ASSERT_FALSE(asked[0].lines.empty());
    EXPECT_TRUE(asked[0].lines[0].senses.contains(QStringLiteral("斑马")));
    EXPECT_TRUE(asked[0].book.isEmpty()) << "a pasted text is no book";
    EXPECT_EQ(m_view.m_pCard, nullptr) << "the card gives way to the dialog";
    for (const auto& [p, j] : {std::pair{0, 1}, std::pair{1, 0}, std::pair{1, 3}}) {
        EXPECT_EQ(codepage::GbkToUtf8Lossy(m_doc.m_paragraphs.m_arrParagraphs[p].Gloss(j)),
                  "条纹马")
            << p << " " << j;
    }
    EXPECT_EQ(ReadFile(m_personalDir.Path("vellumwise/own-senses.txt")), "zebra\t条纹马\t*\n");
    // The next card shows the sense as the reader's own, and the key asks again, now
    // with it as the current sense; clearing gives the dictionary's back.
    ASSERT_TRUE(m_view.OpenWordCard(WordPoint(1, 0, 3, 5)));
    EXPECT_TRUE(m_view.m_pCard->Html().contains(QStringLiteral("本处（自定义）：</span><b>条纹马")))
        << m_view.m_pCard->Html().toStdString();
    answer = OwnSenseAnswer{OwnSenseAnswer::Kind::Clear, {}, false};
    m_view.WordCommand(CVellumwiseView::WordAction::ChooseSense)->trigger();
    ASSERT_EQ(asked.size(), 2u);
    ASSERT_TRUE(asked[1].current);
    EXPECT_EQ(*asked[1].current, QStringLiteral("条纹马"));
    EXPECT_TRUE(asked[1].currentEveryBook);
    EXPECT_EQ(codepage::GbkToUtf8Lossy(m_doc.m_paragraphs.m_arrParagraphs[1].Gloss(0)), "斑马");
    EXPECT_EQ(ReadFile(m_personalDir.Path("vellumwise/own-senses.txt")), "");
    // Cancelled: nothing changes.
    answer.reset();
    EXPECT_FALSE(m_view.ApplyToWordAt(zebra, CVellumwiseView::WordAction::ChooseSense));
    EXPECT_EQ(asked.size(), 3u);
}

}  // namespace

namespace {

class SelectionTest : public ViewOverDocument {
protected:
    SelectionTest() : ViewOverDocument(601) {}
    void Drag(QPoint from, QPoint to) {
        QWidget* viewport = m_view.viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }
};

TEST_F(SelectionTest, DraggingSelectsWordsAsTheTextWritesThemAndCopies) {
    Paste("the zebra  walked, slowly.\r\nA second line\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    struct Case {
        std::size_t fromParagraph, fromToken, toParagraph, toToken;
        const char* expected;
    };
    // Tokens of the first paragraph: the, zebra, "", walked, ",", "", slowly, "."
    for (const Case& c :
         {Case{0, 1, 0, 3, "zebra  walked"}, Case{0, 3, 0, 1, "zebra  walked"},
          Case{0, 6, 1, 0, "slowly.\nA"}, Case{0, 0, 0, 7, "the zebra  walked, slowly."}}) {
        Drag(WordPoint(c.fromParagraph, c.fromToken, 2, 5),
             WordPoint(c.toParagraph, c.toToken, 2, 5));
        EXPECT_EQ(m_view.SelectedText(), QString::fromUtf8(c.expected)) << c.expected;
        EXPECT_EQ(m_view.m_pCard, nullptr) << "a drag leaves no card";
        if (QGuiApplication::clipboard()->supportsSelection()) {
            EXPECT_EQ(QGuiApplication::clipboard()->text(QClipboard::Selection),
                      QString::fromUtf8(c.expected));
        }
        ASSERT_TRUE(m_view.CopySelection());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8(c.expected));
    }
    // A press without a drag clears it; then nothing is copied and the clipboard stays.
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, WordPoint(0, 1, 2, 5));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, WordPoint(0, 1, 2, 5));
    EXPECT_TRUE(m_view.SelectedText().isEmpty());
    EXPECT_FALSE(m_view.CopySelection());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("the zebra  walked, slowly."));
    // A new text leaves no selection pointing into the old one.
    Drag(WordPoint(1, 0, 2, 5), WordPoint(1, 2, 2, 5));
    Paste("x\r\n");
    EXPECT_TRUE(m_view.SelectedText().isEmpty());
    Drag(WordPoint(0, 0, 2, 5), WordPoint(0, 0, 2, 5));
    Drag(WordPoint(0, 0, 2, 5), WordPoint(0, 0, 30, 5));
    Paste("the zebra  walked, slowly.\r\nA second line\r\n");
    EXPECT_TRUE(m_view.SelectedText().isEmpty()) << "a longer new text";
}

}  // namespace

namespace {

TEST_F(WordCardTest, TheSpeakCommandIsDisabledWithTheReasonWhenNoEngineSpeaks) {
    QAction* speak = m_view.SpeakCommand();
    EXPECT_EQ(speak->shortcut(), QKeySequence(Qt::Key_S));
    EXPECT_EQ(speak->objectName(), QStringLiteral("ID_SPEAK_WORD"));
    m_view.UpdateSpeakCommand();
    // Either state is honest: enabled with an engine, else disabled and saying why.
    if (!speak->isEnabled()) {
        EXPECT_FALSE(speak->toolTip().isEmpty());
        EXPECT_NE(speak->toolTip(), QStringLiteral("朗读指针下的单词，或选中的文字"));
    }
    // Nothing under the pointer: the command does nothing and returns at once.
    speak->trigger();
}

}  // namespace

namespace {

// Over the shipped dictionary, tagger and phrases, so the phrases the program glosses
// are found in a pasted text.
class PhraseCardTest : public testing::Test {
protected:
    PhraseCardTest() {
        const std::string bin = VELLUMWISE_BIN_DIR;
        for (const char* file :
             {"main.dic", "tagger.dat", "senses.dat", "phrases.dat", "dictionary.sqlite"}) {
            std::filesystem::copy_file(bin + "/" + file, m_programDir.Path(file));
        }
        m_doc.SetProgramDir(m_programDir.Root().string());
        m_doc.SetPersonalDir(m_personalDir.Path("vellumwise"));
        m_doc.OnNewDocument();
        m_doc.SetPageLayout(PageLayout::Original);
        m_view.resize(1000, 601);
    }
    void Paste(const std::string& text) {
        m_platform.m_clipboard = text;
        m_doc.OnEditPaste();
    }
    std::size_t TokenOf(std::string_view word) const {
        const CParagraph& paragraph = m_doc.m_paragraphs.m_arrParagraphs[0];
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (paragraph.Word(j) == word) {
                return j;
            }
        }
        ADD_FAILURE() << word << " not in the text";
        return 0;
    }
    QPoint WordPoint(std::size_t j) const {
        const StripGeometry geometry =
            StripGeometry::ForWindow(1000, 601, m_doc.m_nPageWidth, m_doc.m_nScrollPos);
        const WordBox box =
            WordBoxOf(m_doc.m_paragraphs.m_arrParagraphs[0], j, geometry, m_view.Scene().lineUnit);
        return {static_cast<int>(box.left) + 3, static_cast<int>(box.top) + 5};
    }
    TempDir m_programDir;
    TempDir m_personalDir;
    FakePlatformServices m_platform;
    CVellumwiseDoc m_doc{m_platform};
    CVellumwiseView m_view{m_doc};
};

TEST_F(PhraseCardTest, APieceOfAPhraseShowsThePhraseItsGlossThenItsWords) {
    Paste("They would not put up with the noise any longer.\r\n");
    m_view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_view));
    const std::size_t put = TokenOf("put");
    ASSERT_TRUE(m_doc.m_paragraphs.PhraseAt(m_doc.m_paragraphs.m_arrParagraphs[0], put))
        << "the shipped phrases gloss put up with";
    std::vector<WordCardContent> looked;
    QObject::connect(&m_view, &CVellumwiseView::wordLookedUp,
                     [&looked](const WordCardContent& content) { looked.push_back(content); });
    const QPoint up = WordPoint(TokenOf("up"));
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, up);
    ASSERT_NE(m_view.m_pCard, nullptr);
    const QString html = m_view.m_pCard->Html();
    const qsizetype phrase = html.indexOf(QStringLiteral("<b>put up with</b>"));
    const qsizetype gloss = html.indexOf(QStringLiteral("忍受"));
    const qsizetype words = html.indexOf(QStringLiteral("· put "));
    const qsizetype with = html.indexOf(QStringLiteral("· with "));
    const qsizetype own = html.indexOf(QStringLiteral("<b>up</b>"));
    EXPECT_GE(phrase, 0) << html.toStdString();
    EXPECT_GT(gloss, phrase);
    EXPECT_GT(words, gloss);
    EXPECT_GT(with, words);
    EXPECT_GT(own, with) << "the held word's own entry after the phrase";
    ASSERT_NE(m_view.m_pCard->Speak(), nullptr);
    EXPECT_EQ(m_view.m_pCard->Speak()->Words(), QStringLiteral("put up with"));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, up);
    // The panel is told of the card, the phrase included.
    ASSERT_EQ(looked.size(), 1u);
    EXPECT_EQ(looked[0].phrase, "put up with");
    EXPECT_EQ(looked[0].word, "up");
    // A word outside the phrase: no phrase.
    const QPoint noise = WordPoint(TokenOf("noise"));
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, noise);
    ASSERT_NE(m_view.m_pCard, nullptr);
    EXPECT_FALSE(m_view.m_pCard->Html().contains(QStringLiteral("put up with")));
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, noise);
    // With the one-line popup, a click still tells the panel.
    m_doc.SetWordCard(false);
    QTest::mousePress(m_view.viewport(), Qt::LeftButton, {}, noise);
    QTest::mouseRelease(m_view.viewport(), Qt::LeftButton, {}, noise);
    ASSERT_EQ(looked.size(), 3u);
    EXPECT_EQ(looked.back().word, "noise");
    EXPECT_TRUE(looked.back().full);
}

}  // namespace
