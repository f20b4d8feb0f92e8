// Finding in the text: the view's matches, the one stood on, its place in the window
// and the ticks on the scroll bar.
#include <algorithm>
#include <cmath>

#include "CVellumwiseView.h"
#include "MarkedScrollBar.h"
#include "TopWord.h"

namespace {

// Ticks closer than this fraction of the bar are one tick: a bar is a few hundred
// pixels, and a common word has thousands of matches.
constexpr double kTickStep = 1.0 / 4096;

}  // namespace

void CVellumwiseView::Find(const SearchQuery& query) {
    const bool searching = !m_findQuery.text.empty() || m_nCurrentHit != SIZE_MAX;
    if (!searching) {
        m_findFrom = TopWord();
    }
    m_findQuery = query;
    m_found = m_search.Find(m_doc.m_paragraphs, m_doc.TextSerial(), m_findQuery);
    m_nFoundText = m_doc.TextSerial();
    const std::size_t first = FirstHitFrom(m_found.hits, m_findFrom.value_or(WordPlace{}));
    StandOnHit(m_found.hits.empty() ? SIZE_MAX : first % m_found.hits.size(), true);
}

void CVellumwiseView::FindNext() {
    if (m_found.hits.empty() || m_nFoundText != m_doc.TextSerial()) {
        return;
    }
    const std::size_t next = m_nCurrentHit == SIZE_MAX
                                 ? FirstHitFrom(m_found.hits, TopWord().value_or(WordPlace{}))
                                 : m_nCurrentHit + 1;
    StandOnHit(next % m_found.hits.size(), true);
}

void CVellumwiseView::FindPrevious() {
    if (m_found.hits.empty() || m_nFoundText != m_doc.TextSerial()) {
        return;
    }
    const std::size_t count = m_found.hits.size();
    const std::size_t at = m_nCurrentHit == SIZE_MAX
                               ? FirstHitFrom(m_found.hits, TopWord().value_or(WordPlace{}))
                               : m_nCurrentHit;
    StandOnHit((at + count - 1) % count, true);
}

void CVellumwiseView::StopFinding() {
    m_findQuery = {};
    m_found = {};
    m_nCurrentHit = SIZE_MAX;
    m_findFrom.reset();
    m_search.Forget();
    UpdateFindMarks();
    emit findChanged();
    RedrawView();
}

CVellumwiseView::FindStatus CVellumwiseView::FindState() const {
    FindStatus status;
    if (m_nFoundText == m_doc.TextSerial()) {
        status.total = m_found.hits.size();
        status.current = m_nCurrentHit == SIZE_MAX ? 0 : m_nCurrentHit + 1;
        status.capped = m_found.capped;
    }
    return status;
}

void CVellumwiseView::StandOnHit(std::size_t index, bool show) {
    m_nCurrentHit = index;
    if (index < m_found.hits.size()) {
        const SearchHit& hit = m_found.hits[index];
        m_findFrom = hit.first;
        const std::int64_t top =
            WordTop(m_doc.m_paragraphs.m_arrParagraphs, hit.first, m_nLineUnit);
        const std::int64_t bottom =
            WordTop(m_doc.m_paragraphs.m_arrParagraphs, hit.last, m_nLineUnit) + 2 * m_nLineUnit;
        const std::int64_t windowTop = m_doc.m_nScrollPos;
        const int window = viewport()->height();
        if (show && (top < windowTop || bottom > windowTop + window)) {
            // A third down the window, so that the lines before it give its context.
            UpdateFindMarks();
            emit findChanged();
            ScrollTo(std::max<std::int64_t>(0, top - window / 3));
            return;
        }
    }
    UpdateFindMarks();
    emit findChanged();
    RedrawView();
}

void CVellumwiseView::UpdateFinding(UpdateHint hint) {
    if (m_findQuery.text.empty()) {
        return;
    }
    const bool glossesChanged =
        hint == UpdateHint::Glosses && m_findQuery.field == SearchField::Glosses;
    if (hint == UpdateHint::Text || glossesChanged) {
        // The same query in the new text, or over the new glosses, from the same place;
        // the window stays.
        m_found = m_search.Find(m_doc.m_paragraphs, m_doc.TextSerial(), m_findQuery);
        m_nFoundText = m_doc.TextSerial();
        if (hint == UpdateHint::Text) {
            m_findFrom = TopWord();
        }
        const std::size_t first = FirstHitFrom(m_found.hits, m_findFrom.value_or(WordPlace{}));
        m_nCurrentHit = m_found.hits.empty() ? SIZE_MAX : first % m_found.hits.size();
        emit findChanged();
    }
    if (hint == UpdateHint::Text || hint == UpdateHint::Font || glossesChanged) {
        UpdateFindMarks();
    }
}

void CVellumwiseView::UpdateFindMarks() {
    const std::int64_t height = m_doc.m_nTextHeight;
    if (m_found.hits.empty() || height <= 0 || m_nFoundText != m_doc.TextSerial()) {
        m_pMarkedBar->SetMarks({}, std::nullopt);
        return;
    }
    const auto& paragraphs = m_doc.m_paragraphs.m_arrParagraphs;
    auto fraction = [&](const SearchHit& hit) {
        return static_cast<double>(WordTop(paragraphs, hit.first, m_nLineUnit)) /
               static_cast<double>(height);
    };
    std::vector<double> marks;
    double last = -1;
    for (const SearchHit& hit : m_found.hits) {
        const double at = std::floor(fraction(hit) / kTickStep) * kTickStep;
        if (at != last) {
            marks.push_back(at);
            last = at;
        }
    }
    std::optional<double> current;
    if (m_nCurrentHit < m_found.hits.size()) {
        current = fraction(m_found.hits[m_nCurrentHit]);
    }
    m_pMarkedBar->SetMarks(std::move(marks), current);
}
