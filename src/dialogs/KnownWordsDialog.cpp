#include "KnownWordsDialog.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStringListModel>
#include <QTabBar>
#include <QVBoxLayout>
#include <set>

#include "CVellumwiseDoc.h"

namespace {

QStringList WordsOf(const WordListText& list) {
    QStringList words;
    words.reserve(static_cast<qsizetype>(list.words.size()));
    for (const std::string& word : list.words) {
        words << QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
    }
    return words;
}

const WordListText& ListOf(const CVellumwiseDoc& doc, WordMark list) {
    return list == WordMark::New ? doc.Personal().New() : doc.Personal().Known();
}

}  // namespace

KnownWordsDialog::KnownWordsDialog(CVellumwiseDoc& doc, QWidget* parent)
    : QDialog(parent), m_doc(doc) {
    setWindowTitle(QStringLiteral("认识的词和生词"));
    setObjectName(QStringLiteral("KnownWordsDialog"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("ListTabs"));
    m_tabs->addTab(QString());
    m_tabs->addTab(QString());
    connect(m_tabs, &QTabBar::currentChanged, this,
            [this](int index) { ShowList(index == 1 ? WordMark::New : WordMark::Known); });

    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("FilterEdit"));
    m_filter->setPlaceholderText(QStringLiteral("筛选：输入词的一部分"));
    m_filter->setClearButtonEnabled(true);
    connect(m_filter, &QLineEdit::textChanged, this, &KnownWordsDialog::SetFilter);

    m_model = new QStringListModel(this);
    m_shown = new QSortFilterProxyModel(this);
    m_shown->setSourceModel(m_model);
    m_shown->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_view = new QListView(this);
    m_view->setObjectName(QStringLiteral("WordList"));
    m_view->setModel(m_shown);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setUniformItemSizes(true);  // a list of a million words stays quick

    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CountLabel"));
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("StatusLabel"));
    m_status->setWordWrap(true);

    auto* remove = new QPushButton(QStringLiteral("删除（Delete）"), this);
    remove->setObjectName(QStringLiteral("removeButton"));
    remove->setAutoDefault(false);
    remove->setShortcut(QKeySequence::Delete);
    connect(remove, &QPushButton::clicked, this, &KnownWordsDialog::RemoveSelected);
    m_moveButton = new QPushButton(this);
    m_moveButton->setObjectName(QStringLiteral("moveButton"));
    m_moveButton->setAutoDefault(false);
    connect(m_moveButton, &QPushButton::clicked, this, &KnownWordsDialog::MoveSelected);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addWidget(m_moveButton);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(m_filter);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_count);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(420, 520);
    m_filter->setFocus();
    Reload();
}

void KnownWordsDialog::Reload() {
    m_tabs->setTabText(0,
                       QStringLiteral("认识的词（%1）").arg(m_doc.Personal().Known().words.size()));
    m_tabs->setTabText(1, QStringLiteral("生词（%1）").arg(m_doc.Personal().New().words.size()));
    m_model->setStringList(WordsOf(ListOf(m_doc, m_list)));
    m_moveButton->setText(m_list == WordMark::Known ? QStringLiteral("改为生词（Ctrl+M）")
                                                    : QStringLiteral("改为认识（Ctrl+M）"));
    m_moveButton->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));  // a new text drops the old key
    m_count->setText(m_filter->text().isEmpty()
                         ? QStringLiteral("共 %1 个词").arg(m_model->rowCount())
                         : QStringLiteral("筛选出 %1 个，共 %2 个")
                               .arg(m_shown->rowCount())
                               .arg(m_model->rowCount()));
}

void KnownWordsDialog::ShowList(WordMark list) {
    m_list = list == WordMark::New ? WordMark::New : WordMark::Known;
    const int index = m_list == WordMark::New ? 1 : 0;
    if (m_tabs->currentIndex() != index) {
        m_tabs->setCurrentIndex(index);  // comes back here through currentChanged
    }
    m_status->clear();
    Reload();
}

void KnownWordsDialog::SetFilter(const QString& text) {
    if (m_filter->text() != text) {
        m_filter->setText(text);  // comes back here through textChanged
        return;
    }
    m_shown->setFilterFixedString(text.trimmed());
    Reload();
}

QStringList KnownWordsDialog::ShownWords() const {
    QStringList words;
    for (int row = 0; row < m_shown->rowCount(); ++row) {
        words << m_shown->index(row, 0).data().toString();
    }
    return words;
}

void KnownWordsDialog::Select(const QStringList& words) {
    m_view->clearSelection();
    const std::set<QString> wanted(words.begin(), words.end());
    for (int row = 0; row < m_shown->rowCount(); ++row) {
        const QModelIndex index = m_shown->index(row, 0);
        if (wanted.contains(index.data().toString())) {
            m_view->selectionModel()->select(index, QItemSelectionModel::Select);
        }
    }
}

QStringList KnownWordsDialog::SelectedWords() const {
    QStringList words;
    for (const QModelIndex& index : m_view->selectionModel()->selectedIndexes()) {
        words << index.data().toString();
    }
    return words;
}

void KnownWordsDialog::Tell(const QString& text) { m_status->setText(text); }

void KnownWordsDialog::RemoveSelected() {
    const QStringList selected = SelectedWords();
    if (selected.isEmpty()) {
        return;
    }
    std::vector<std::string> words;
    for (const QString& word : selected) {
        words.push_back(word.toStdString());
    }
    const std::size_t before = ListOf(m_doc, m_list).words.size();
    m_doc.MarkWords(words, WordMark::None);
    const std::size_t gone = before - std::min(before, ListOf(m_doc, m_list).words.size());
    Reload();
    Tell(
        QStringLiteral("已从%1中删除 %2 个词（同一词条的其他形式也一起删除），页面上的注释已更新。")
            .arg(m_list == WordMark::New ? QStringLiteral("生词") : QStringLiteral("认识的词"))
            .arg(gone));
}

void KnownWordsDialog::MoveSelected() {
    const QStringList selected = SelectedWords();
    if (selected.isEmpty()) {
        return;
    }
    std::vector<std::string> words;
    for (const QString& word : selected) {
        words.push_back(word.toStdString());
    }
    const WordMark other = m_list == WordMark::New ? WordMark::Known : WordMark::New;
    m_doc.MarkWords(words, other);
    Reload();
    Tell(QStringLiteral("已把 %1 个词改为%2，页面上的注释已更新。")
             .arg(words.size())
             .arg(other == WordMark::New ? QStringLiteral("生词") : QStringLiteral("认识的词")));
}
