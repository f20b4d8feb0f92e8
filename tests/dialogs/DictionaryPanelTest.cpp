#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "CVellumwiseDoc.h"
#include "DictionaryPanel.h"
#include "FakePlatformServices.h"
#include "SpeakButton.h"
#include "TempDir.h"
#include "WordCardDlg.h"
#include "WordSpeaker.h"

// The dictionary panel over a document that has the shipped main.dic and entries beside it
// (or a broken file in the entries' place), its folders temporary.
class DictionaryPanelTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void englishFormsAndChineseTextFindEntriesAndShowTheFirstCard();
    void typingSearchesAfterAPauseAndPickingShowsThatCard();
    void hostileQueriesAreTextAndSayNothingWasFound();
    void unreadableEntriesSaySoAndEnglishStillFindsTheShortGloss();
    void aHeldWordsCardShowsItsPhraseFirst();
    void speakButtonsFollowTheEngine();

private:
    void StartDocument(const std::function<void(const std::string&)>& entries);
    QStringList Rows(DictionaryPanel& panel) const {
        QStringList rows;
        for (int i = 0; i < panel.Results()->count(); ++i) {
            rows << panel.Results()->item(i)->data(Qt::UserRole).toString();
        }
        return rows;
    }
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<FakePlatformServices> m_platform;
    std::unique_ptr<CVellumwiseDoc> m_doc;
};

void DictionaryPanelTest::StartDocument(const std::function<void(const std::string&)>& entries) {
    m_dir = std::make_unique<TempDir>();
    const std::string bin = VELLUMWISE_BIN_DIR;
    std::filesystem::copy_file(bin + "/main.dic", m_dir->Path("main.dic"));
    entries(m_dir->Path("dictionary.sqlite"));
    m_platform = std::make_unique<FakePlatformServices>();
    m_doc = std::make_unique<CVellumwiseDoc>(*m_platform);
    m_doc->SetProgramDir(m_dir->Root().string());
    m_doc->SetPersonalDir(m_dir->Path("personal"));
    QVERIFY(m_doc->OnNewDocument());
}

void DictionaryPanelTest::init() {
    StartDocument([](const std::string& path) {
        std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/dictionary.sqlite", path);
    });
}

void DictionaryPanelTest::cleanup() {
    m_doc.reset();
    m_platform.reset();
    m_dir.reset();
}

void DictionaryPanelTest::englishFormsAndChineseTextFindEntriesAndShowTheFirstCard() {
    DictionaryPanel panel(*m_doc, nullptr);
    QVERIFY(!m_doc->FullEntries().Opened());  // made without opening the file
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    QVERIFY(panel.CardHtml().isEmpty());
    struct Case {
        QString query;
        QString first;
    };
    const Case cases[] = {
        {QStringLiteral("went"), QStringLiteral("go")},
        {QStringLiteral("Happier"), QStringLiteral("happier")},
        {QStringLiteral("zebras"), QStringLiteral("zebra")},
        {QStringLiteral("斑马"), QStringLiteral("zebra")},
        {QStringLiteral("银行家"), QStringLiteral("banker")},
    };
    for (const Case& c : cases) {
        panel.Search(c.query);
        QCOMPARE(panel.SearchField()->text(), c.query);
        const QStringList rows = Rows(panel);
        QVERIFY2(!rows.isEmpty(), qPrintable(c.query));
        QCOMPARE(rows.front(), c.first);
        QCOMPARE(panel.Results()->currentRow(), 0);
        QVERIFY(panel.Results()->isVisible());
        const QString html = panel.CardHtml();
        QVERIFY2(html.contains(c.first), qPrintable(html));
        QVERIFY(!html.contains(WordCardDlg::kUnavailable));
        QVERIFY(!panel.Status()->isVisible());
    }
    // The card of a picked headword: its entry, main.dic's gloss marked as a gloss, not
    // as this occurrence's.
    panel.Search(QStringLiteral("book"));
    QVERIFY(panel.CardHtml().contains(QStringLiteral("注释：")));
    QVERIFY(!panel.CardHtml().contains(QStringLiteral("本处：")));
}

void DictionaryPanelTest::typingSearchesAfterAPauseAndPickingShowsThatCard() {
    DictionaryPanel panel(*m_doc, nullptr);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.FocusSearch();
    QTest::keyClicks(panel.SearchField(), QStringLiteral("happ"));
    QCOMPARE(panel.Results()->count(), 0);  // not at every key
    QTRY_VERIFY(panel.Results()->count() > 1);
    for (const QString& row : Rows(panel)) {
        QVERIFY2(row.startsWith(QStringLiteral("happ"), Qt::CaseInsensitive), qPrintable(row));
    }
    const QString second = Rows(panel).at(1);
    panel.Results()->setCurrentRow(1);
    QVERIFY2(panel.CardHtml().contains(second), qPrintable(panel.CardHtml()));
    // Enter searches at once and gives the keyboard to the list.
    panel.SearchField()->setFocus();
    panel.SearchField()->setText(QStringLiteral("zebra"));
    QTest::keyClick(panel.SearchField(), Qt::Key_Return);
    QCOMPARE(Rows(panel).value(0), QStringLiteral("zebra"));
    QTRY_VERIFY(panel.Results()->hasFocus());
    // Cleared: nothing listed.
    panel.Search(QString());
    QCOMPARE(panel.Results()->count(), 0);
    QVERIFY(!panel.Results()->isVisible());
}

void DictionaryPanelTest::hostileQueriesAreTextAndSayNothingWasFound() {
    DictionaryPanel panel(*m_doc, nullptr);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    const QString queries[] = {
        QStringLiteral("\"书\" OR \"的\""),
        QStringLiteral("%"),
        QStringLiteral("NEAR(a b)"),
        QStringLiteral("'; DROP TABLE entry; --"),
        QStringLiteral("lines:书"),
        QString(10000, 'q'),
        QString(10000, QChar(0x4E66)) + QStringLiteral("\""),
    };
    for (const QString& query : queries) {
        panel.Search(query);
        QCOMPARE(panel.Results()->count(), 0);
        QVERIFY(panel.Status()->isVisible());
        QVERIFY2(panel.Status()->text().startsWith(QStringLiteral("没有找到")),
                 qPrintable(panel.Status()->text()));
        QVERIFY2(panel.Status()->text().size() < 40, "the query is quoted short");
    }
    QVERIFY2(m_doc->FullEntries().Available(), m_doc->FullEntries().Problem().c_str());
    panel.Search(QStringLiteral("zebra"));
    QCOMPARE(Rows(panel).value(0), QStringLiteral("zebra"));
}

void DictionaryPanelTest::unreadableEntriesSaySoAndEnglishStillFindsTheShortGloss() {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}},
        {"directory", [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"dev-zero", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"truncated",
         [](const std::string& p) {
             std::filesystem::copy_file(std::string(VELLUMWISE_BIN_DIR) + "/dictionary.sqlite", p);
             std::filesystem::resize_file(p, std::filesystem::file_size(p) / 2);
         }},
    };
    for (const Case& c : cases) {
        cleanup();
        StartDocument(c.make);
        const std::string entries = m_dir->Path("dictionary.sqlite");
        const auto sizeBefore =
            std::filesystem::is_regular_file(entries) ? std::filesystem::file_size(entries) : 0;
        DictionaryPanel panel(*m_doc, nullptr);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        panel.Search(QStringLiteral("went"));
        QCOMPARE(Rows(panel), QStringList{QStringLiteral("go")});
        QVERIFY2(panel.Status()->text().startsWith(WordCardDlg::kUnavailable), c.what);
        QVERIFY(!panel.Status()->toolTip().isEmpty());                      // the reason
        QVERIFY2(panel.CardHtml().contains(QStringLiteral("去")), c.what);  // main.dic's gloss
        QVERIFY(panel.CardHtml().contains(WordCardDlg::kUnavailable));
        panel.Search(QStringLiteral("书"));
        QCOMPARE(panel.Results()->count(), 0);
        QVERIFY(panel.Status()->text().startsWith(WordCardDlg::kUnavailable));
        // Nothing made or written beside main.dic.
        std::size_t others = 0;
        for (const auto& item : std::filesystem::directory_iterator(m_dir->Root())) {
            const auto name = item.path().filename().string();
            others += name != "main.dic" && name != "dictionary.sqlite" && name != "personal";
        }
        QCOMPARE(others, std::size_t{0});
        if (std::string(c.what) == "truncated") {
            QCOMPARE(std::filesystem::file_size(entries), sizeBefore);
        }
    }
}

void DictionaryPanelTest::aHeldWordsCardShowsItsPhraseFirst() {
    DictionaryPanel panel(*m_doc, nullptr);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    WordCardContent content = ComposeWordCard("up", "向上", m_doc->FullEntries().Find("up"));
    content.phrase = "give up";
    content.phraseGloss = "放弃";
    content.phraseWords = {{"give", "给"}, {"up", "向上"}};
    panel.ShowCard(content);
    const QString html = panel.CardHtml();
    const qsizetype phrase = html.indexOf(QStringLiteral("give up"));
    const qsizetype gloss = html.indexOf(QStringLiteral("放弃"));
    const qsizetype give = html.indexOf(QStringLiteral("给"));
    const qsizetype lines = html.indexOf(QStringLiteral("向上"), give);
    QVERIFY(phrase >= 0 && gloss > phrase && give > gloss && lines > give);
    QCOMPARE(panel.Speak()->Words(), QStringLiteral("give up"));
}

void DictionaryPanelTest::speakButtonsFollowTheEngine() {
    // Without a speaker nothing can be said: disabled, and the tooltip says so.
    DictionaryPanel silent(*m_doc, nullptr);
    silent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&silent));
    silent.Search(QStringLiteral("zebra"));
    QTRY_VERIFY(!silent.Speak()->toolTip().isEmpty());
    QVERIFY(!silent.Speak()->isEnabled());
    // With one, the button is enabled exactly when an engine works, and says why not.
    WordSpeaker speaker;
    DictionaryPanel panel(*m_doc, &speaker);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    panel.Search(QStringLiteral("zebra"));
    QCOMPARE(panel.Speak()->Words(), QStringLiteral("zebra"));
    QTRY_VERIFY(!panel.Speak()->toolTip().isEmpty());
    QCOMPARE(panel.Speak()->isEnabled(), speaker.Available());
    if (!speaker.Available()) {
        QCOMPARE(panel.Speak()->toolTip(), speaker.Problem());
    } else {
        // Saying returns at once: the speech goes on without the window.
        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(panel.Speak(), Qt::LeftButton);
        QVERIFY(clock.elapsed() < 1000);
    }
    // The card's button, the same way.
    WordCardDlg card(nullptr, QFont());
    card.SetContent(ComposeWordCard("zebra", "斑马", std::nullopt));
    card.SetSpeaker(&speaker);
    QVERIFY(card.Speak() != nullptr);
    QCOMPARE(card.Speak()->Words(), QStringLiteral("zebra"));
    QCOMPARE(card.Speak()->isEnabled(), speaker.Available());
    QCOMPARE(card.Speak()->toolTip().isEmpty(), false);
}

QTEST_MAIN(DictionaryPanelTest)
#include "DictionaryPanelTest.moc"
