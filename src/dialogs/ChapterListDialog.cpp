#include "ChapterListDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ChapterListDialog::ChapterListDialog(const std::vector<BookChapter>& chapters,
                                     std::optional<std::size_t> current, QWidget* parent)
    : QDialog(parent), m_tree(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("chapterListDialog"));
    setWindowTitle(QStringLiteral("目录"));
    m_tree->setObjectName(QStringLiteral("chapterTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);

    // The open items from the top level down, as the depths nest.
    std::vector<QTreeWidgetItem*> open;
    QTreeWidgetItem* currentItem = nullptr;
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const BookChapter& chapter = chapters[i];
        while (open.size() > static_cast<std::size_t>(std::max(chapter.depth, 0))) {
            open.pop_back();
        }
        auto* item = open.empty() ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(open.back());
        item->setText(0, QString::fromStdString(chapter.title));
        item->setData(0, Qt::UserRole, static_cast<qulonglong>(i));
        if (current == i) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
            item->setText(0, QStringLiteral("▶ ") + item->text(0));
            currentItem = item;
        }
        open.push_back(item);
    }
    m_tree->expandAll();
    if (currentItem == nullptr && m_tree->topLevelItemCount() > 0) {
        currentItem = m_tree->topLevelItem(0);
    }
    if (currentItem != nullptr) {
        m_tree->setCurrentItem(currentItem);
        m_tree->scrollToItem(currentItem, QAbstractItemView::PositionAtCenter);
    }
    connect(m_tree, &QTreeWidget::itemActivated, this, [this] { accept(); });

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* go = buttons->addButton(QStringLiteral("转到"), QDialogButtonBox::AcceptRole);
    go->setObjectName(QStringLiteral("goButton"));
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addWidget(buttons);
    resize(420, 520);
    m_tree->setFocus(Qt::OtherFocusReason);
}

std::optional<std::size_t> ChapterListDialog::Chosen() const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (item == nullptr) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(item->data(0, Qt::UserRole).toULongLong());
}
