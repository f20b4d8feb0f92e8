#include "BookmarkMenu.h"

#include <QAction>

#include "Bookmarks.h"
#include "CMainFrame.h"

namespace {

// Longer labels are cut so that the menu stays a menu.
constexpr int kLabelCharacters = 48;

}  // namespace

BookmarkMenu::BookmarkMenu(CMainFrame& frame, QAction* add, QAction* manage, QWidget* parent)
    : QMenu(QStringLiteral("书签(&B)"), parent), m_frame(frame), m_add(add), m_manage(manage) {
    setObjectName(QStringLiteral("BookmarkMenu"));
    connect(this, &QMenu::aboutToShow, this, &BookmarkMenu::Rebuild);
    Rebuild();
}

void BookmarkMenu::Rebuild() {
    clear();
    addAction(m_add);
    addAction(m_manage);
    addSeparator();
    const std::vector<Bookmark> bookmarks = m_frame.TextBookmarks();
    if (bookmarks.empty()) {
        QAction* none = addAction(QStringLiteral("（本书没有书签）"));
        none->setEnabled(false);
        return;
    }
    for (const Bookmark& bookmark : bookmarks) {
        QString label = QString::fromStdString(bookmark.Label());
        if (label.size() > kLabelCharacters) {
            label = label.left(kLabelCharacters - 1) + QStringLiteral("…");
        }
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));  // not an access key
        QString chapter = QString::fromStdString(bookmark.chapter);
        chapter.replace(QLatin1Char('&'), QStringLiteral("&&"));
        // After a tab, as a menu shows a key: the chapter, right-aligned.
        QAction* item = addAction(chapter.isEmpty() ? label : label + QLatin1Char('\t') + chapter);
        item->setStatusTip(QString::fromStdString(bookmark.snippet));
        connect(item, &QAction::triggered, this,
                [this, bookmark] { m_frame.OpenBookmark(bookmark); });
    }
}
