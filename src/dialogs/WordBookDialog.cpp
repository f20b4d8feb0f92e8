#include "WordBookDialog.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "AtomicFile.h"
#include "CVellumwiseDoc.h"
#include "ReadFileBytes.h"

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

WordBookDialog::WordBookDialog(CVellumwiseDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("单词本"));
    setObjectName(QStringLiteral("WordBookDialog"));
    chooseSaveFile = [](QWidget* owner, const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(owner, caption, {}, filter);
    };
    chooseOpenFile = [](QWidget* owner, const QString& caption, const QString& filter) {
        return QFileDialog::getOpenFileName(owner, caption, {}, filter);
    };

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("EntryTable"));
    m_table->setColumnCount(5);
    m_table->setHorizontalHeaderLabels({QStringLiteral("单词"), QStringLiteral("释义"),
                                        QStringLiteral("句子"), QStringLiteral("文件"),
                                        QStringLiteral("日期")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    m_table->verticalHeader()->hide();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setWordWrap(true);

    auto button = [this](const QString& text, const char* name, void (WordBookDialog::*slot)()) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(
        button(QStringLiteral("删除"), "removeButton", &WordBookDialog::RemoveSelected));
    buttons->addWidget(
        button(QStringLiteral("导出 CSV…"), "csvButton", &WordBookDialog::ExportCsvFile));
    buttons->addWidget(
        button(QStringLiteral("导出 Anki…"), "ankiButton", &WordBookDialog::ExportAnkiFile));
    buttons->addWidget(
        button(QStringLiteral("导入认识的词…"), "importButton", &WordBookDialog::ImportKnownList));
    buttons->addStretch();
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(760, 420);
    Reload();
}

void WordBookDialog::Reload() {
    if (!LoadWordBook(m_doc.m_strPersonalDir, m_book)) {
        Tell(QStringLiteral("无法读取单词本 ") + FromUtf8(WordBookPath(m_doc.m_strPersonalDir)));
    }
    const auto& entries = m_book.entries;
    m_table->setRowCount(static_cast<int>(entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        // Newest first: the last appended is the first row.
        const WordBookEntry& e = entries[entries.size() - 1 - i];
        const QString fields[] = {FromUtf8(e.word), FromUtf8(e.gloss), FromUtf8(e.sentence),
                                  FromUtf8(e.source), FromUtf8(e.date)};
        for (int c = 0; c < 5; ++c) {
            m_table->setItem(static_cast<int>(i), c, new QTableWidgetItem(fields[c]));
        }
    }
    m_table->resizeColumnToContents(0);
}

void WordBookDialog::Tell(const QString& text) { m_status->setText(text); }

void WordBookDialog::RemoveSelected() {
    std::set<std::size_t> stored;
    const std::size_t count = m_book.entries.size();
    for (const QModelIndex& row : m_table->selectionModel()->selectedRows()) {
        stored.insert(count - 1 - static_cast<std::size_t>(row.row()));
    }
    if (stored.empty()) {
        return;
    }
    WordBook kept = m_book;
    kept.entries.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (!stored.contains(i)) {
            kept.entries.push_back(m_book.entries[i]);
        }
    }
    const std::string problem = SaveWordBook(m_doc.m_strPersonalDir, kept);
    Reload();
    Tell(problem.empty() ? QStringLiteral("已删除 %1 个词。").arg(stored.size())
                         : FromUtf8(problem));
}

void WordBookDialog::ExportCsvFile() { Export(true); }
void WordBookDialog::ExportAnkiFile() { Export(false); }

void WordBookDialog::Export(bool csv) {
    const QString path =
        csv ? chooseSaveFile(this, QStringLiteral("导出 CSV"), QStringLiteral("CSV 文件 (*.csv)"))
            : chooseSaveFile(this, QStringLiteral("导出 Anki"), QStringLiteral("文本文件 (*.txt)"));
    if (path.isEmpty()) {
        return;
    }
    const std::string bytes = csv ? ExportCsv(m_book.entries) : ExportAnki(m_book.entries);
    const AtomicWriteResult written = WriteFileAtomically(path.toStdString(), bytes, 0644);
    Tell(written.Ok() ? QStringLiteral("已导出 %1 个词到 %2").arg(m_book.entries.size()).arg(path)
                      : QStringLiteral("无法导出到 %1：%2").arg(path, FromUtf8(written.detail)));
}

void WordBookDialog::ImportKnownList() {
    const QString path = chooseOpenFile(this, QStringLiteral("导入认识的词"),
                                        QStringLiteral("词表 (*.txt *.csv);;所有文件 (*)"));
    if (path.isEmpty()) {
        return;
    }
    const std::optional<std::string> bytes = ReadFileBytes(path.toStdString());
    if (!bytes) {
        Tell(QStringLiteral("无法读取 %1").arg(path));
        return;
    }
    const PersonalWords::ImportReport report = m_doc.ImportKnownWords(*bytes);
    QString text = QStringLiteral("新加入 %1 个，已有 %2 个，词典中没有 %3 个。")
                       .arg(report.added)
                       .arg(report.alreadyThere)
                       .arg(report.notInDictionary);
    if (!report.error.empty()) {
        text += QLatin1Char('\n') + FromUtf8(report.error);
    }
    Tell(text);
}
