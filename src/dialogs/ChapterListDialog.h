#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "EpubBook.h"

class QTreeWidget;
class QTreeWidgetItem;

// 目录: the text's chapters as a tree (parts over their chapters), the one the reader
// is in selected, in bold and scrolled into view. Enter, a double-click or 转到 goes to
// the chosen chapter; Esc leaves the window where it was.
class ChapterListDialog : public QDialog {
    Q_OBJECT

public:
    ChapterListDialog(const std::vector<BookChapter>& chapters, std::optional<std::size_t> current,
                      QWidget* parent = nullptr);

    // The chapter chosen, by its index in the list given; after Accepted.
    std::optional<std::size_t> Chosen() const;

private:
    QTreeWidget* m_tree;
};
