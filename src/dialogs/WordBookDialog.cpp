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

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The sentence as rich text, its word in bold where the entry knows it is.
QString SentenceWithWordInBold(const WordBookEntry& e) {
    if (e.wordAt >= e.sentence.size()) {
        return FromUtf8(e.sentence).toHtmlEscaped();
    }
    const std::string_view sentence = e.sentence;
    const std::size_t length = std::min(e.word.size(), sentence.size() - e.wordAt);
    return FromUtf8(sentence.substr(0, e.wordAt)).toHtmlEscaped() + QStringLiteral("<b>") +
           FromUtf8(sentence.substr(e.wordAt, length)).toHtmlEscaped() + QStringLiteral("</b>") +
           FromUtf8(sentence.substr(e.wordAt + length)).toHtmlEscaped();
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
    m_table->setToolTip(QStringLiteral("双击一个词，打开它所在的文本并翻到那里"));
    connect(m_table, &QTableWidget::cellActivated, this, [this](int row, int) { OpenRow(row); });

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
    QPushButton* remove =
        button(QStringLiteral("删除"), "removeButton", &WordBookDialog::RemoveSelected);
    remove->setShortcut(QKeySequence::Delete);
    buttons->addWidget(remove);
    m_undoButton = button(QStringLiteral("撤销删除"), "undoButton", &WordBookDialog::UndoRemove);
    m_undoButton->setShortcut(QKeySequence::Undo);
    m_undoButton->setEnabled(false);
    buttons->addWidget(m_undoButton);
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
            // The sentence shows in the label below, marked; its cell keeps the plain text.
            auto* item = new QTableWidgetItem(c == 2 ? QString() : fields[c]);
            item->setData(Qt::UserRole, fields[c]);
            m_table->setItem(static_cast<int>(i), c, item);
        }
        auto* sentence = new QLabel(SentenceWithWordInBold(e));
        sentence->setTextFormat(Qt::RichText);
        sentence->setContentsMargins(4, 0, 4, 0);
        m_table->setCellWidget(static_cast<int>(i), 2, sentence);
        sentence->setToolTip(fields[2]);
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
    // By content: the file may hold entries another window added since it was shown.
    std::vector<WordBookEntry> removed;
    for (const std::size_t i : stored) {
        removed.push_back(m_book.entries[i]);
    }
    std::vector<RemovedEntry> taken;
    const std::string problem = RemoveFromWordBook(m_doc.m_strPersonalDir, removed, &taken);
    Reload();
    if (!problem.empty()) {
        Tell(FromUtf8(problem));
        return;
    }
    m_lastRemoved = std::move(taken);
    m_undoButton->setEnabled(!m_lastRemoved.empty());
    Tell(QStringLiteral("已删除 %1 个词。按“撤销删除”（Ctrl+Z）可以放回。").arg(stored.size()));
}

void WordBookDialog::UndoRemove() {
    if (m_lastRemoved.empty()) {
        return;
    }
    const std::string problem = RestoreToWordBook(m_doc.m_strPersonalDir, m_lastRemoved);
    Reload();
    if (!problem.empty()) {
        Tell(FromUtf8(problem));
        return;
    }
    Tell(QStringLiteral("已放回 %1 个词。").arg(m_lastRemoved.size()));
    m_lastRemoved.clear();
    m_undoButton->setEnabled(false);
}

bool WordBookDialog::OpenRow(int row) {
    const std::size_t count = m_book.entries.size();
    if (row < 0 || static_cast<std::size_t>(row) >= count) {
        return false;
    }
    const WordBookEntry& entry = m_book.entries[count - 1 - static_cast<std::size_t>(row)];
    if (entry.path.empty() || !entry.place) {
        Tell(QStringLiteral("这个词没有记下位置：它是从粘贴的文本或旧的单词本中来的。"));
        return false;
    }
    if (openEntry) {
        openEntry(entry);
    }
    accept();
    return true;
}

void WordBookDialog::ExportCsvFile() { Export(true); }
void WordBookDialog::ExportAnkiFile() { Export(false); }

void WordBookDialog::Export(bool csv) {
    QString path =
        csv ? chooseSaveFile(this, QStringLiteral("导出 CSV"), QStringLiteral("CSV 文件 (*.csv)"))
            : chooseSaveFile(this, QStringLiteral("导出 Anki"), QStringLiteral("文本文件 (*.txt)"));
    if (path.isEmpty()) {
        return;
    }
    // A name typed without the format's extension gets it: the file would not open as
    // CSV or be offered to Anki's import otherwise.
    const QString extension = csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    if (!path.endsWith(extension, Qt::CaseInsensitive)) {
        path += extension;
    }
    const std::string bytes = csv ? ExportCsv(m_book.entries)
                                  : ExportAnki(m_book.entries, ExamTagsFrom(m_doc.FullEntries()));
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
    QString text = QStringLiteral("读了 %1 行%2：新加入 %3 个，已有 %4 个，词典中没有 %5 个。")
                       .arg(report.rows)
                       .arg(report.headerSkipped ? QStringLiteral("（跳过了表头）") : QString())
                       .arg(report.added)
                       .arg(report.alreadyThere)
                       .arg(report.notInDictionary);
    if (!report.error.empty()) {
        text += QLatin1Char('\n') + FromUtf8(report.error);
    }
    Tell(text);
}
