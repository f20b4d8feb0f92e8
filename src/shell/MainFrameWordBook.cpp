// The word book from the window: the dialog, the way back from an entry to its text,
// the review and the reader's two lists.
#include <QStatusBar>
#include <filesystem>

#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "CVellumwiseView.h"
#include "KnownWordsDialog.h"
#include "ReviewDialog.h"
#include "TextPlaces.h"
#include "WordBookDialog.h"

namespace {

// How long a word command's report stays in the status bar.
constexpr int kReportMilliseconds = 6000;

}  // namespace

void CMainFrame::ConnectWordBook() {
    connect(m_pView, &CVellumwiseView::wordBookRequested, this, &CMainFrame::OnWordBook);
    connect(m_pView, &CVellumwiseView::statusMessage, this, [this](const QString& text) {
        statusBar()->showMessage(text, kReportMilliseconds);
        RefreshReviewDue();  // a word collected is due at once
    });
    CountReviewDue();
}

void CMainFrame::OnWordBook() {
    WordBookDialog dlg(m_doc, this);
    dlg.openEntry = [this](const WordBookEntry& entry) { OpenWordBookEntry(entry); };
    dlg.exec();
    RefreshReviewDue();
}

void CMainFrame::OnReview() {
    ReviewDialog dlg(m_doc, TodayIso(), this);
    dlg.exec();
    RefreshReviewDue();
}

void CMainFrame::OnKnownWords() {
    KnownWordsDialog dlg(m_doc, this);
    dlg.exec();
    RefreshReviewDue();
}

void CMainFrame::CountReviewDue() { m_reviewDue = ReviewDialog::DueCount(m_doc, TodayIso()); }

void CMainFrame::RefreshReviewDue() {
    CountReviewDue();
    UpdateActions();
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
