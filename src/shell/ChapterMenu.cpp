#include "ChapterMenu.h"

#include <vector>

#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"

ChapterMenu::ChapterMenu(CVellumwiseDoc& doc, CVellumwiseView& view, QWidget* parent)
    : QMenu(QStringLiteral("章节"), parent), m_doc(doc), m_view(view) {
    setObjectName(QStringLiteral("ChapterMenu"));
    connect(this, &QMenu::aboutToShow, this, &ChapterMenu::Rebuild);
    m_doc.AddView(this);
    OnUpdate(UpdateHint::Text);
}

ChapterMenu::~ChapterMenu() { m_doc.RemoveView(this); }

void ChapterMenu::OnUpdate(UpdateHint) { menuAction()->setEnabled(!m_view.Chapters().empty()); }

void ChapterMenu::Rebuild() {
    clear();
    const std::vector<BookChapter>& chapters = m_view.Chapters();
    const std::optional<std::size_t> current = m_view.ChapterAtTop();
    // The open menus from the top level down; an entry with deeper entries after it
    // opens a submenu that starts with the entry itself.
    std::vector<QMenu*> open{this};
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const BookChapter& chapter = chapters[i];
        while (open.size() > static_cast<std::size_t>(chapter.depth) + 1) {
            open.pop_back();
        }
        QString title = QString::fromStdString(chapter.title);
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));  // not a shortcut mark
        QMenu* into = open.back();
        const bool opensPart = i + 1 < chapters.size() && chapters[i + 1].depth > chapter.depth;
        if (opensPart) {
            into = into->addMenu(title);
            open.push_back(into);
        }
        QAction* action = into->addAction(title);
        action->setData(static_cast<qulonglong>(chapter.paragraph));
        // The chapter the reader is in is checked.
        action->setCheckable(true);
        action->setChecked(current == i);
        connect(action, &QAction::triggered, this,
                [this, paragraph = chapter.paragraph] { m_view.ScrollToParagraph(paragraph); });
        if (opensPart) {
            into->addSeparator();
        }
    }
}
