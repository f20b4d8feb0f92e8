#include "DictionaryPanel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "CVellumwiseDoc.h"
#include "EntrySearch.h"
#include "SpeakButton.h"
#include "WordCardDlg.h"

namespace {

// A found headword's row: the word, then main.dic's gloss cut to a glance.
QString ResultRow(const std::string& word, const std::string& gloss) {
    constexpr int kGlossShown = 24;
    QString shown = QString::fromStdString(gloss);
    if (shown.size() > kGlossShown) {
        shown = shown.left(kGlossShown) + QStringLiteral("…");
    }
    const QString text = QString::fromStdString(word);
    return shown.isEmpty() ? text : text + QStringLiteral("  ") + shown;
}

// The query as the status line quotes it: short, on one line.
QString Quoted(const QString& query) {
    constexpr int kQuoted = 20;
    QString shown = query.simplified();
    if (shown.size() > kQuoted) {
        shown = shown.left(kQuoted) + QStringLiteral("…");
    }
    return QStringLiteral("“%1”").arg(shown);
}

}  // namespace

DictionaryPanel::DictionaryPanel(CVellumwiseDoc& doc, WordSpeaker* speaker, QWidget* parent)
    : QWidget(parent),
      m_doc(doc),
      m_search(new QLineEdit(this)),
      m_speak(new SpeakButton(speaker, this)),
      m_status(new QLabel(this)),
      m_results(new QListWidget(this)),
      m_card(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("dictionaryPanel"));
    m_search->setObjectName(QStringLiteral("panelSearch"));
    m_search->setPlaceholderText(QStringLiteral("查词：英文单词（任何词形）或中文释义"));
    m_search->setClearButtonEnabled(true);
    m_status->setObjectName(QStringLiteral("panelStatus"));
    m_status->setWordWrap(true);
    m_results->setObjectName(QStringLiteral("panelResults"));
    m_results->setUniformItemSizes(true);
    m_card->setObjectName(QStringLiteral("panelCard"));
    m_card->setOpenLinks(false);
    m_card->setFrameShape(QFrame::NoFrame);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(m_speak);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(searchRow);
    layout->addWidget(m_status);
    layout->addWidget(m_results, 1);
    layout->addWidget(m_card, 2);
    m_status->hide();
    m_results->hide();

    m_typing.setSingleShot(true);
    m_typing.setInterval(kTypingPauseMs);
    connect(&m_typing, &QTimer::timeout, this, &DictionaryPanel::RunSearch);
    connect(m_search, &QLineEdit::textEdited, this, [this] { m_typing.start(); });
    connect(m_search, &QLineEdit::returnPressed, this, [this] {
        m_typing.stop();
        RunSearch();
        if (m_results->count() > 0) {
            m_results->setFocus();
        }
    });
    connect(m_results, &QListWidget::currentRowChanged, this, [this](int row) {
        if (const QListWidgetItem* item = m_results->item(row)) {
            ShowWord(item->data(Qt::UserRole).toString());
        }
    });
}

void DictionaryPanel::ShowCard(const WordCardContent& content) { ShowContent(content); }

void DictionaryPanel::Search(const QString& query) {
    m_typing.stop();
    m_search->setText(query);
    RunSearch();
}

void DictionaryPanel::ShowWord(const QString& word) {
    ShowContent(CardForWord(m_doc.m_dicMain, m_doc.FullEntries(), word.toStdString()));
}

void DictionaryPanel::FocusSearch() {
    m_search->setFocus(Qt::ShortcutFocusReason);
    m_search->selectAll();
}

QString DictionaryPanel::CardHtml() const { return m_html; }

void DictionaryPanel::RunSearch() {
    const QString query = m_search->text();
    // Rows are replaced without each showing its card on the way.
    const QSignalBlocker quiet(m_results);
    m_results->clear();
    if (query.trimmed().isEmpty()) {
        m_status->hide();
        m_results->hide();
        return;
    }
    EntryDatabase& entries = m_doc.FullEntries();
    const EntrySearchResult found =
        SearchEntries(m_doc.m_dicMain, entries, query.toStdString(), kMostFound);
    for (const std::string& word : found.words) {
        auto* item = new QListWidgetItem(ResultRow(word, ShortGloss(m_doc.m_dicMain, word)));
        item->setData(Qt::UserRole, QString::fromStdString(word));
        m_results->addItem(item);
    }
    QString status;
    if (!entries.Available()) {
        status = WordCardDlg::kUnavailable + (found.english ? QStringLiteral("，只查了简明注释")
                                                            : QStringLiteral("，不能按中文查找"));
        m_status->setToolTip(QString::fromStdString(entries.Problem()));
    } else {
        m_status->setToolTip({});
    }
    if (found.words.empty()) {
        status += (status.isEmpty() ? QString() : QStringLiteral("。")) +
                  QStringLiteral("没有找到") + Quoted(query);
    } else if (found.words.size() >= kMostFound) {
        status += (status.isEmpty() ? QString() : QStringLiteral("。")) +
                  QStringLiteral("只列出前 %1 个").arg(kMostFound);
    }
    m_status->setText(status);
    m_status->setVisible(!status.isEmpty());
    m_results->setVisible(!found.words.empty());
    if (!found.words.empty()) {
        m_results->setCurrentRow(0);
        ShowWord(m_results->item(0)->data(Qt::UserRole).toString());
    }
}

void DictionaryPanel::ShowContent(const WordCardContent& content) {
    m_content = content;
    m_hasContent = true;
    m_speak->SetWords(
        QString::fromStdString(content.phrase.empty() ? content.word : content.phrase));
    Render();
}

void DictionaryPanel::Render() {
    if (!m_hasContent) {
        return;
    }
    const QString note =
        !m_content.full && !m_doc.FullEntries().Available() ? WordCardDlg::kUnavailable : QString();
    m_html = WordCardHtml(m_content, note, palette().color(QPalette::Link));
    m_card->setHtml(m_html);
}

void DictionaryPanel::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // The night scheme changes the window's palette: the marks take its colour.
    if (event->type() == QEvent::PaletteChange) {
        Render();
    }
}
