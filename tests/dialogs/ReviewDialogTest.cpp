#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "CVellumwiseDoc.h"
#include "FakePlatformServices.h"
#include "ReviewDialog.h"
#include "ReviewFile.h"
#include "TempDir.h"
#include "TestDictionary.h"

// The review dialog over a started document whose folders are temporary.
class ReviewDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsTheWordAndSentenceFirstAndTheGlossOnSpace();
    void answersAreScheduledSavedAndFailedWordsComeBackAsPractice();
    void wordsKnownLongEnoughMoveToTheKnownListInOneAction();
    void saysWhenNothingIsDue();

private:
    QString Text(ReviewDialog& dlg, const char* name) {
        return dlg.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    ReviewCards Cards() {
        ReviewCards cards;
        [&] { QVERIFY(LoadReviewCards(m_doc->m_strPersonalDir, cards)); }();
        return cards;
    }
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<FakePlatformServices> m_platform;
    std::unique_ptr<CVellumwiseDoc> m_doc;
};

void ReviewDialogTest::init() {
    m_dir = std::make_unique<TempDir>();
    m_platform = std::make_unique<FakePlatformServices>();
    m_doc = std::make_unique<CVellumwiseDoc>(*m_platform);
    QVERIFY(WriteTestDictionary(m_dir->Path("main.dic")));
    m_doc->SetProgramDir(m_dir->Root().string());
    m_doc->SetPersonalDir(m_dir->Path("personal"));
    QVERIFY(m_doc->OnNewDocument());
    WordBook book;
    book.entries = {{"apple", "苹果", "An apple fell.", "a.txt", "2026-01-01"},
                    {"clock", "钟", "The clock struck.", "a.txt", "2026-01-02"}};
    book.entries[0].wordAt = 3;
    book.entries[0].phonetic = "'æpl";
    QCOMPARE(SaveWordBook(m_doc->m_strPersonalDir, book), std::string());
}

void ReviewDialogTest::cleanup() {
    m_doc.reset();
    m_platform.reset();
    m_dir.reset();
}

void ReviewDialogTest::showsTheWordAndSentenceFirstAndTheGlossOnSpace() {
    QCOMPARE(ReviewDialog::DueCount(*m_doc, "2026-01-05"), std::size_t(2));
    ReviewDialog dlg(*m_doc, "2026-01-05");
    // The keys are the buttons' shortcuts, which need the dialog active; a shortcut
    // clicks its button a moment later.
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(dlg.CurrentWord(), std::string("apple"));
    QCOMPARE(Text(dlg, "WordLabel"), QStringLiteral("apple"));
    QCOMPARE(Text(dlg, "PhoneticLabel"), QStringLiteral("/'æpl/"));
    QVERIFY(Text(dlg, "SentenceLabel").startsWith(QStringLiteral("An <b>apple</b> fell.")));
    QVERIFY(!Text(dlg, "GlossLabel").contains(QStringLiteral("苹果")));
    QTest::keyClick(dlg.windowHandle(), Qt::Key_Space);
    QTRY_COMPARE(Text(dlg, "GlossLabel"), QStringLiteral("苹果"));
    // Y after the gloss: known after a hesitation (grade 4).
    QTest::keyClick(dlg.windowHandle(), Qt::Key_Y);
    QTRY_COMPARE(dlg.CurrentWord(), std::string("clock"));
    QVERIFY(!Text(dlg, "GlossLabel").contains(QStringLiteral("钟")));
    QCOMPARE(Cards().cards.at("apple").easiness, 250);
}

void ReviewDialogTest::answersAreScheduledSavedAndFailedWordsComeBackAsPractice() {
    ReviewDialog dlg(*m_doc, "2026-01-05");
    dlg.AnswerKnown();    // apple at sight: grade 5
    dlg.AnswerUnknown();  // clock
    ReviewCards cards = Cards();
    QCOMPARE(cards.cards.at("apple"), (ReviewCard{260, 1, 1, "2026-01-06", 1, "2026-01-05"}));
    QCOMPARE(cards.cards.at("clock"), (ReviewCard{250, 0, 1, "2026-01-06", 1, "2026-01-05"}));
    QVERIFY(Text(dlg, "StatusLabel").contains(QStringLiteral("钟")));
    // The failed word comes back; answering it again changes no schedule.
    QCOMPARE(dlg.CurrentWord(), std::string("clock"));
    dlg.AnswerUnknown();
    QCOMPARE(dlg.CurrentWord(), std::string("clock"));
    dlg.AnswerKnown();
    QCOMPARE(dlg.Remaining(), std::size_t(0));
    QCOMPARE(Cards().cards.at("clock"), cards.cards.at("clock"));
    QCOMPARE(Text(dlg, "WordLabel"), QStringLiteral("今天的复习完成了"));
    // Tomorrow both are due again; the day after, neither.
    QCOMPARE(ReviewDialog::DueCount(*m_doc, "2026-01-06"), std::size_t(2));
    QCOMPARE(ReviewDialog::DueCount(*m_doc, "2026-01-05"), std::size_t(0));
}

void ReviewDialogTest::wordsKnownLongEnoughMoveToTheKnownListInOneAction() {
    m_doc->ReplaceText("An apple and a clock.");
    // apple known three times, the last giving 17 days: not yet; a fourth answer gives 50.
    ReviewCard card;
    const char* days[] = {"2026-01-01", "2026-01-02", "2026-01-08", "2026-01-25"};
    for (const char* day : days) {
        QCOMPARE(RecordReviewAnswer(m_doc->m_strPersonalDir, "apple", 5, day, &card),
                 std::string());
    }
    QCOMPARE(card.interval, 50);
    ReviewDialog dlg(*m_doc, "2026-01-25");
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    auto* move = dlg.findChild<QPushButton*>(QStringLiteral("moveButton"));
    QVERIFY(move->isEnabled());
    QVERIFY(move->text().contains(QStringLiteral("1 个")));
    QCOMPARE(dlg.CurrentWord(), std::string("clock"));
    QTest::keyClick(dlg.windowHandle(), Qt::Key_M);
    QTRY_COMPARE(m_doc->MarkOf("apple"), WordMark::Known);
    QCOMPARE(m_doc->MarkOf("clock"), WordMark::None);
    QVERIFY(!move->isEnabled());
    QVERIFY(Text(dlg, "StatusLabel").contains(QStringLiteral("apple")));
    // Known words leave the review.
    QCOMPARE(ReviewDialog::DueCount(*m_doc, "2027-01-01"), std::size_t(1));
}

void ReviewDialogTest::saysWhenNothingIsDue() {
    QCOMPARE(RecordReviewAnswer(m_doc->m_strPersonalDir, "apple", 5, "2026-01-05"), std::string());
    QCOMPARE(RecordReviewAnswer(m_doc->m_strPersonalDir, "clock", 5, "2026-01-05"), std::string());
    ReviewDialog dlg(*m_doc, "2026-01-05");
    QCOMPARE(Text(dlg, "WordLabel"), QStringLiteral("今天没有要复习的词"));
    QVERIFY(Text(dlg, "SentenceLabel").contains(QStringLiteral("2026-01-06")));
    QVERIFY(!dlg.findChild<QPushButton*>(QStringLiteral("knownButton"))->isEnabled());
    dlg.AnswerKnown();  // nothing to answer: nothing happens
    QCOMPARE(Cards().cards.at("apple").answers, 1);
}

QTEST_MAIN(ReviewDialogTest)
#include "ReviewDialogTest.moc"
