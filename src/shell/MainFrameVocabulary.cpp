// The vocabulary dialog's preview: while the slider moves, the page behind is glossed at
// the step it shows, and the dialog says how many glosses a page that gives.
#include "CMainFrame.h"
#include "CVellumwiseDoc.h"
#include "StripGeometry.h"

QString CMainFrame::PreviewVocabularyStep(int level, double threshold) {
    if (level == m_doc.m_nVocabLevel && threshold == m_doc.m_dThreshold) {
        // Opening, or back at the step the text has: nothing to gloss again.
    } else {
        m_doc.ApplyVocabulary(level, threshold, m_doc.m_bShowMedical, m_doc.m_bShowScience);
    }
    if (m_doc.m_paragraphs.m_arrParagraphs.empty()) {
        return QStringLiteral("打开一个文本，这里会显示这一档每页大约有多少个注释。");
    }
    const std::int64_t pages = PageCount(m_doc.m_nTextHeight);
    const double perPage = static_cast<double>(m_doc.GlossedTokenCount()) /
                           static_cast<double>(std::max<std::int64_t>(pages, 1));
    return QStringLiteral("这一档下，这个文本每页约有 %1 个注释（共 %2 页）。")
        .arg(perPage, 0, 'f', 1)
        .arg(pages);
}
