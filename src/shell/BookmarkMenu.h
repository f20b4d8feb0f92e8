#pragma once

#include <QMenu>

class CMainFrame;
class QAction;

// 书签: 添加书签 (Ctrl+D) and 管理书签…, then the open text's bookmarks in the order of
// their places, each named by the reader or by its first words with its chapter beside
// it; choosing one goes there. Filled from the file each time it opens, so another
// window's bookmarks show too.
class BookmarkMenu : public QMenu {
    Q_OBJECT

public:
    BookmarkMenu(CMainFrame& frame, QAction* add, QAction* manage, QWidget* parent);

    void Rebuild();

private:
    CMainFrame& m_frame;
    QAction* m_add;
    QAction* m_manage;
};
