#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "CVellumwiseDoc.h"
#include "FakePlatformServices.h"
#include "GlossedText.h"
#include "KnownWordsDialog.h"
#include "ReadFileBytes.h"
#include "TempDir.h"
#include "TestDictionary.h"

// The dialog of the reader's two lists over a started document with temporary folders.
class KnownWordsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsBothListsWithCountsAndFilters();
    void removingAndMovingWordsChangesThePageAtOnce();

private:
    QString Text(KnownWordsDialog& dlg, const char* name) {
        return dlg.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<FakePlatformServices> m_platform;
    std::unique_ptr<CVellumwiseDoc> m_doc;
};

void KnownWordsDialogTest::init() {
    m_dir = std::make_unique<TempDir>();
    m_platform = std::make_unique<FakePlatformServices>();
    m_doc = std::make_unique<CVellumwiseDoc>(*m_platform);
    QVERIFY(WriteTestDictionary(m_dir->Path("main.dic")));
    m_doc->SetProgramDir(m_dir->Root().string());
    m_doc->SetPersonalDir(m_dir->Path("personal"));
    QVERIFY(m_doc->OnNewDocument());
    m_doc->ReplaceText("An apple, a clock and a fact.");
    m_doc->MarkWords({"apple", "clock", "known"}, WordMark::Known);
    m_doc->MarkNew("well");
}

void KnownWordsDialogTest::cleanup() {
    m_doc.reset();
    m_platform.reset();
    m_dir.reset();
}

void KnownWordsDialogTest::listsBothListsWithCountsAndFilters() {
    KnownWordsDialog dlg(*m_doc);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* tabs = dlg.findChild<QTabBar*>(QStringLiteral("ListTabs"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("认识的词（3）"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("生词（1）"));
    QCOMPARE(dlg.ShownWords(), (QStringList{"apple", "clock", "known"}));
    QCOMPARE(Text(dlg, "CountLabel"), QStringLiteral("共 3 个词"));
    // Typed into the filter, any case.
    QTest::keyClicks(dlg.findChild<QLineEdit*>(QStringLiteral("FilterEdit")), QStringLiteral("CK"));
    QCOMPARE(dlg.ShownWords(), QStringList{"clock"});
    QCOMPARE(Text(dlg, "CountLabel"), QStringLiteral("筛选出 1 个，共 3 个"));
    dlg.SetFilter({});
    tabs->setCurrentIndex(1);
    QCOMPARE(dlg.ShownList(), WordMark::New);
    QCOMPARE(dlg.ShownWords(), QStringList{"well"});
}

void KnownWordsDialogTest::removingAndMovingWordsChangesThePageAtOnce() {
    KnownWordsDialog dlg(*m_doc);
    QVERIFY(GlossedText(m_doc->m_paragraphs).find("apple=") == std::string::npos);
    dlg.Select({"apple", "clock"});
    dlg.RemoveSelected();
    QCOMPARE(dlg.ShownWords(), QStringList{"known"});
    QVERIFY(Text(dlg, "StatusLabel").contains(QStringLiteral("删除 2 个词")));
    const std::string glossed = GlossedText(m_doc->m_paragraphs);
    QVERIFY2(glossed.find("apple=苹果") != std::string::npos, glossed.c_str());
    QCOMPARE(*ReadFileBytes(m_doc->Personal().KnownPath()), std::string("known\n"));
    // Moved to the other list: glossed always.
    dlg.Select({"known"});
    dlg.MoveSelected();
    QCOMPARE(m_doc->MarkOf("known"), WordMark::New);
    auto* tabs = dlg.findChild<QTabBar*>(QStringLiteral("ListTabs"));
    QCOMPARE(tabs->tabText(0), QStringLiteral("认识的词（0）"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("生词（2）"));
}

QTEST_MAIN(KnownWordsDialogTest)
#include "KnownWordsDialogTest.moc"
