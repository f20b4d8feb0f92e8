#include <QLabel>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "CVellumwiseDoc.h"
#include "FakePlatformServices.h"
#include "ReadFileBytes.h"
#include "TempDir.h"
#include "TestDictionary.h"
#include "WordBookDialog.h"

// The word book dialog over a started document whose folders are temporary.
class WordBookDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listsNewestFirstAndRemovesTheSelectedEntry();
    void exportsBothFormatsAndAFailedExportKeepsTheBook();
    void importsAKnownListAndReportsIt();
    void undoPutsRemovedEntriesBackAndAnEntryOpensAtItsPlace();

private:
    QString Status(WordBookDialog& dlg) {
        return dlg.findChild<QLabel*>(QStringLiteral("StatusLabel"))->text();
    }
    std::unique_ptr<TempDir> m_dir;
    std::unique_ptr<FakePlatformServices> m_platform;
    std::unique_ptr<CVellumwiseDoc> m_doc;
};

void WordBookDialogTest::init() {
    m_dir = std::make_unique<TempDir>();
    m_platform = std::make_unique<FakePlatformServices>();
    m_doc = std::make_unique<CVellumwiseDoc>(*m_platform);
    QVERIFY(WriteTestDictionary(m_dir->Path("main.dic")));
    m_doc->SetProgramDir(m_dir->Root().string());
    m_doc->SetPersonalDir(m_dir->Path("personal"));
    QVERIFY(m_doc->OnNewDocument());
    WordBook book;
    book.entries = {{"apple", "苹果", "An apple.", "a.txt", "2026-01-01"},
                    {"clock", "钟", "A clock, \"old\".", "a.txt", "2026-01-02"}};
    QCOMPARE(SaveWordBook(m_doc->m_strPersonalDir, book), std::string());
}

void WordBookDialogTest::cleanup() {
    m_doc.reset();
    m_platform.reset();
    m_dir.reset();
}

void WordBookDialogTest::listsNewestFirstAndRemovesTheSelectedEntry() {
    WordBookDialog dlg(*m_doc);
    auto* table = dlg.findChild<QTableWidget*>(QStringLiteral("EntryTable"));
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("clock"));
    QCOMPARE(table->item(1, 0)->text(), QStringLiteral("apple"));
    table->selectRow(0);
    dlg.RemoveSelected();
    QCOMPARE(table->rowCount(), 1);
    WordBook stored;
    QVERIFY(LoadWordBook(m_doc->m_strPersonalDir, stored));
    QCOMPARE(stored.entries.size(), std::size_t(1));
    QCOMPARE(stored.entries[0].word, std::string("apple"));
}

void WordBookDialogTest::exportsBothFormatsAndAFailedExportKeepsTheBook() {
    WordBookDialog dlg(*m_doc);
    // A name typed without the format's extension gets it; one with it (any case) keeps it.
    QString answer = QString::fromStdString(m_dir->Path("out"));
    dlg.chooseSaveFile = [&](QWidget*, const QString&, const QString&) { return answer; };
    dlg.ExportCsvFile();
    QCOMPARE(*ReadFileBytes(m_dir->Path("out.csv")), ExportCsv(dlg.Book().entries));
    dlg.ExportAnkiFile();
    QCOMPARE(*ReadFileBytes(m_dir->Path("out.txt")), ExportAnki(dlg.Book().entries));
    answer = QString::fromStdString(m_dir->Path("notes.TXT"));
    dlg.ExportAnkiFile();
    QVERIFY(ReadFileBytes(m_dir->Path("notes.TXT")).has_value());
    QVERIFY(!std::filesystem::exists(m_dir->Path("notes.TXT.txt")));

    const std::string before = *ReadFileBytes(WordBookPath(m_doc->m_strPersonalDir));
    answer = QString::fromStdString(m_dir->Path("missing/out.csv"));
    dlg.ExportCsvFile();
    QVERIFY(Status(dlg).startsWith(QStringLiteral("无法导出到")));
    QCOMPARE(*ReadFileBytes(WordBookPath(m_doc->m_strPersonalDir)), before);
    QCOMPARE(dlg.Book().entries.size(), std::size_t(2));
}

void WordBookDialogTest::importsAKnownListAndReportsIt() {
    WriteFile(m_dir->Path("list.txt"), "apple\nclock\nzyzzyva\n");
    m_doc->MarkKnown("clock");
    WordBookDialog dlg(*m_doc);
    dlg.chooseOpenFile = [&](QWidget*, const QString&, const QString&) {
        return QString::fromStdString(m_dir->Path("list.txt"));
    };
    dlg.ImportKnownList();
    QCOMPARE(Status(dlg), QStringLiteral("读了 3 行：新加入 1 个，已有 1 个，词典中没有 1 个。"));
    QCOMPARE(m_doc->MarkOf("apple"), WordMark::Known);
}

void WordBookDialogTest::undoPutsRemovedEntriesBackAndAnEntryOpensAtItsPlace() {
    const std::string before = *ReadFileBytes(WordBookPath(m_doc->m_strPersonalDir));
    WordBookDialog dlg(*m_doc);
    auto* table = dlg.findChild<QTableWidget*>(QStringLiteral("EntryTable"));
    table->selectAll();
    dlg.RemoveSelected();
    QCOMPARE(table->rowCount(), 0);
    dlg.UndoRemove();
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(*ReadFileBytes(WordBookPath(m_doc->m_strPersonalDir)), before);

    // An entry of the first form has no place; one added from a text has.
    std::vector<WordBookEntry> opened;
    dlg.openEntry = [&](const WordBookEntry& e) { opened.push_back(e); };
    QVERIFY(!dlg.OpenRow(0));
    QVERIFY(Status(dlg).contains(QStringLiteral("没有记下位置")));
    WordBookEntry placed{"zebra",      "斑马",         "A zebra.",      "z.txt",
                         "2026-01-03", "/books/z.txt", WordPlace{4, 2}, 2};
    QCOMPARE(AppendToWordBook(m_doc->m_strPersonalDir, placed), std::string());
    WordBookDialog again(*m_doc);
    again.openEntry = dlg.openEntry;
    QVERIFY(again.OpenRow(0));
    QCOMPARE(opened.size(), std::size_t(1));
    QVERIFY(opened[0] == placed);
    QCOMPARE(again.result(), int(QDialog::Accepted));
}

QTEST_MAIN(WordBookDialogTest)
#include "WordBookDialogTest.moc"
