#pragma once

#include <QMenu>
#include <vector>

#include "EpubBook.h"
#include "IDocumentView.h"

class CVellumwiseDoc;
class CVellumwiseView;

// The 文件 menu's "章节" submenu: the open book's table of contents, parts as
// submenus over their chapters. Choosing an entry scrolls its first paragraph to
// the top of the window; the status bar's page display follows as for any scroll.
// A plain text's chapters are its heading lines, as the view found them (the view's
// Chapters()). The chapter the reader is in is checked. Greyed out while the text has
// no chapters.
class ChapterMenu : public QMenu, public IDocumentView {
    Q_OBJECT

public:
    ChapterMenu(CVellumwiseDoc& doc, CVellumwiseView& view, QWidget* parent);
    ~ChapterMenu() override;

    // Fills the menu from the document's chapters; runs each time it opens.
    void Rebuild();

    void OnUpdate(UpdateHint hint) override;
    void OnTitleChanged() override {}

private:
    CVellumwiseDoc& m_doc;
    CVellumwiseView& m_view;
};
