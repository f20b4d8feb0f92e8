#include "BookmarksDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

BookmarksDialog::BookmarksDialog(QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)), m_status(new QLabel(this)) {
    setObjectName(QStringLiteral("bookmarksDialog"));
    setWindowTitle(QStringLiteral("管理书签"));
    m_list->setObjectName(QStringLiteral("bookmarkList"));
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({QStringLiteral("书签"), QStringLiteral("章节")});
    m_list->setRootIsDecorated(false);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_status->setObjectName(QStringLiteral("bookmarkStatus"));
    m_status->setWordWrap(true);

    auto* go = new QPushButton(QStringLiteral("转到"), this);
    go->setObjectName(QStringLiteral("goButton"));
    go->setDefault(true);
    auto* renameButton = new QPushButton(QStringLiteral("重命名 (F2)"), this);
    renameButton->setObjectName(QStringLiteral("renameButton"));
    auto* removeButton = new QPushButton(QStringLiteral("删除 (Del)"), this);
    removeButton->setObjectName(QStringLiteral("removeButton"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("closeButton"));

    connect(go, &QPushButton::clicked, this, [this] { OpenRow(CurrentRow()); });
    connect(m_list, &QTreeWidget::itemActivated, this, [this] { OpenRow(CurrentRow()); });
    connect(renameButton, &QPushButton::clicked, this, [this] {
        if (QTreeWidgetItem* item = m_list->currentItem()) {
            m_list->editItem(item, 0);
        }
    });
    connect(removeButton, &QPushButton::clicked, this, [this] { RemoveRow(CurrentRow()); });
    auto* del = new QShortcut(QKeySequence::Delete, m_list);
    connect(del, &QShortcut::activated, this, [this] { RemoveRow(CurrentRow()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        if (!m_filling && column == 0) {
            RenameRow(m_list->indexOfTopLevelItem(item), item->text(0));
        }
    });

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addWidget(renameButton);
    buttons->addWidget(removeButton);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    resize(560, 380);
}

int BookmarksDialog::exec() {
    Reload();
    if (m_shown.empty()) {
        Tell(QStringLiteral("这个文本还没有书签。按 Ctrl+D 在窗口顶端的位置加一个。"));
    }
    m_list->setFocus(Qt::OtherFocusReason);
    return QDialog::exec();
}

void BookmarksDialog::Reload() {
    const int row = std::max(0, CurrentRow());
    m_shown = load ? load() : std::vector<Bookmark>();
    m_filling = true;
    m_list->clear();
    for (const Bookmark& bookmark : m_shown) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, QString::fromStdString(bookmark.Label()));
        item->setText(1, QString::fromStdString(bookmark.chapter));
        item->setToolTip(0, QString::fromStdString(bookmark.snippet));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_filling = false;
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(
            m_list->topLevelItem(std::min(row, m_list->topLevelItemCount() - 1)));
    }
}

int BookmarksDialog::CurrentRow() const {
    QTreeWidgetItem* item = m_list->currentItem();
    return item == nullptr ? -1 : m_list->indexOfTopLevelItem(item);
}

void BookmarksDialog::RenameRow(int row, const QString& name) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size() || !rename) {
        return;
    }
    const Bookmark& bookmark = m_shown[static_cast<std::size_t>(row)];
    std::string given = name.simplified().toStdString();
    // The snippet typed back, or nothing: the bookmark has no name of its own.
    if (given == bookmark.snippet) {
        given.clear();
    }
    if (given == bookmark.name) {
        Reload();
        return;
    }
    const std::string problem = rename(bookmark, given);
    Reload();
    Tell(problem.empty() ? QStringLiteral("书签已改名。") : QString::fromStdString(problem));
}

void BookmarksDialog::RemoveRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size() || !remove) {
        return;
    }
    const std::string label = m_shown[static_cast<std::size_t>(row)].Label();
    const std::string problem = remove(m_shown[static_cast<std::size_t>(row)]);
    Reload();
    Tell(problem.empty() ? QStringLiteral("已删除书签“%1”。").arg(QString::fromStdString(label))
                         : QString::fromStdString(problem));
}

void BookmarksDialog::OpenRow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_shown.size()) {
        return;
    }
    const Bookmark bookmark = m_shown[static_cast<std::size_t>(row)];
    accept();
    if (open) {
        open(bookmark);
    }
}

void BookmarksDialog::Tell(const QString& text) { m_status->setText(text); }
