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

void ChapterMenu::OnUpdate(UpdateHint) {
    menuAction()->setEnabled(!m_doc.m_chapters.empty() || !m_view.TextHeadings().empty());
}

std::vector<BookChapter> ChapterMenu::Chapters() const {
    if (!m_doc.m_chapters.empty()) {
        return m_doc.m_chapters;
    }
    // A plain text's heading lines, as they are written.
    std::vector<BookChapter> chapters;
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    for (const std::size_t index : m_view.TextHeadings()) {
        if (index < paragraphs.size()) {
            std::string title(paragraphs[index].m_strText);
            title.erase(0, title.find_first_not_of(" \t"));
            chapters.push_back({std::move(title), index, 0});
        }
    }
    return chapters;
}

void ChapterMenu::Rebuild() {
    clear();
    const std::vector<BookChapter> chapters = Chapters();
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
        connect(action, &QAction::triggered, this,
                [this, paragraph = chapter.paragraph] { m_view.ScrollToParagraph(paragraph); });
        if (opensPart) {
            into->addSeparator();
        }
    }
}
