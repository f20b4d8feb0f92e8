// The word book from the window: the dialog, and the way back from an entry to its text.
#include <QStatusBar>
#include <filesystem>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "TextPlaces.h"
#include "WordBookDialog.h"

namespace {

// How long a word command's report stays in the status bar.
constexpr int kReportMilliseconds = 6000;

}  // namespace

void CMainFrame::ConnectWordBook() {
    connect(m_pView, &CVellumwiseView::wordBookRequested, this, &CMainFrame::OnWordBook);
    connect(m_pView, &CVellumwiseView::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, kReportMilliseconds); });
}

void CMainFrame::OnWordBook() {
    WordBookDialog dlg(m_doc, this);
    dlg.openEntry = [this](const WordBookEntry& entry) { OpenWordBookEntry(entry); };
    dlg.exec();
}

void CMainFrame::OpenWordBookEntry(const WordBookEntry& entry) {
    if (!entry.place) {
        return;
    }
    std::error_code error;
    const bool shown = !m_doc.TextPath().empty() &&
                       std::filesystem::equivalent(m_doc.TextPath(), entry.path, error);
    if (shown) {
        m_pView->ScrollToParagraph(entry.place->paragraph);
        return;
    }
    OpenText(entry.path, entry.place);
}
