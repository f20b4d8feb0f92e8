#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "Bookmarks.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// 管理书签: the open text's bookmarks in the order of their places, each with its
// chapter. 转到 (Enter, a double-click) goes to one and closes; 重命名 (F2) edits its
// name in the list; 删除 (Delete) removes it. What each did, or why it could not, is
// said in the line under the list.
class BookmarksDialog : public QDialog {
    Q_OBJECT

public:
    explicit BookmarksDialog(QWidget* parent = nullptr);

    // Set by the window before exec(); each rename or removal answers an empty string
    // when saved, else the reason.
    std::function<std::vector<Bookmark>()> load;
    std::function<std::string(const Bookmark&, const std::string& name)> rename;
    std::function<std::string(const Bookmark&)> remove;
    std::function<void(const Bookmark&)> open;

    // Fills the list from `load`; exec() does it first.
    void Reload();
    const std::vector<Bookmark>& Shown() const { return m_shown; }
    // Gives the row the name (empty: back to its snippet), as finishing an edit does.
    void RenameRow(int row, const QString& name);
    void RemoveRow(int row);
    void OpenRow(int row);

    int exec() override;

private:
    int CurrentRow() const;
    void Tell(const QString& text);

    std::vector<Bookmark> m_shown;
    QTreeWidget* m_list;
    QLabel* m_status;
    bool m_filling = false;
};
