// The dictionary panel: a dock beside the page with the card of the word last held or
// clicked, and a search over the whole entries.
#include <QAction>
#include <QDockWidget>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "DictionaryPanel.h"

void CMainFrame::CreateDictionaryDock() {
    m_pDictionaryDock = new QDockWidget(QStringLiteral("词典"), this);
    // Its name lets the window's saved state bring it back where the reader left it.
    m_pDictionaryDock->setObjectName(QStringLiteral("DictionaryDock"));
    m_pDictionary = new DictionaryPanel(m_doc, m_pView->Speaker(), m_pDictionaryDock);
    m_pDictionaryDock->setWidget(m_pDictionary);
    addDockWidget(Qt::RightDockWidgetArea, m_pDictionaryDock);
    m_pDictionaryDock->hide();
    connect(m_pView, &CVellumwiseView::wordLookedUp, m_pDictionary, &DictionaryPanel::ShowCard);

    QAction* toggle = m_pDictionaryDock->toggleViewAction();
    toggle->setObjectName(QStringLiteral("ID_DICTIONARY_PANEL"));
    toggle->setText(QStringLiteral("词典面板"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    toggle->setStatusTip(QStringLiteral("在窗口旁显示词典：刚才按住或点过的词的词条，和查词"));
    // Opened from the keyboard, the panel takes it for the search; closed, the page has it.
    connect(toggle, &QAction::triggered, this, [this](bool shown) {
        if (shown) {
            m_pDictionary->FocusSearch();
        } else {
            m_pView->setFocus();
        }
    });
}
