// Opening a book: the EPUB reader gives text that goes through the same splitting
// and glossing as a text file's, so the window and the tool read it alike.
#include <algorithm>
#include <filesystem>

#include "CVellumwiseDoc.h"
#include "IPlatformServices.h"
#include "VocabularyTable.h"

bool CVellumwiseDoc::OpenEpubFile(const std::string& path,
                                  const std::optional<ReadingPlace>& place) {
    m_platform.BeginWaitCursor();
    EpubResult result = ReadEpubFile(path);
    if (!result.Ok()) {
        m_platform.EndWaitCursor();
        m_platform.ShowMessage(EpubFailureMessage(path, result));
        return false;
    }
    if (place) {
        // The step first, as for a text: the book is glossed once.
        m_nVocabLevel = std::clamp(place->vocabLevel, kMinVocabLevel, kMaxVocabLevel);
        m_dThreshold = ThresholdForLevel(m_nVocabLevel);
    }
    SetTitle(std::filesystem::path(path).stem().string());
    SetTextAndGloss(result.book->Text());
    m_strTextFileName = std::filesystem::path(path).filename().string();
    m_chapters = std::move(result.book->chapters);
    m_strTextPath = path;
    m_placeToShow.reset();
    if (place) {
        m_placeToShow = place->topWord;
    }
    m_nScrollPos = 0;
    UpdateAllViews(UpdateHint::Relayout);
    m_platform.EndWaitCursor();
    return true;
}
