// Opening a book: the EPUB reader gives text that goes through the same splitting
// and glossing as a text file's, so the window and the tool read it alike.
#include <filesystem>

#include "CVellumwiseDoc.h"
#include "IPlatformServices.h"

bool CVellumwiseDoc::OpenEpubFile(const std::string& path) {
    m_platform.BeginWaitCursor();
    EpubResult result = ReadEpubFile(path);
    if (!result.Ok()) {
        m_platform.EndWaitCursor();
        m_platform.ShowMessage(EpubFailureMessage(path, result));
        return false;
    }
    SetTitle(std::filesystem::path(path).stem().string());
    SetTextAndGloss(result.book->Text());
    m_strTextFileName = std::filesystem::path(path).filename().string();
    m_chapters = std::move(result.book->chapters);
    m_nScrollPos = 0;
    UpdateAllViews(UpdateHint::Relayout);
    m_platform.EndWaitCursor();
    return true;
}
