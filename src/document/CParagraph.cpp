#include "CParagraph.h"

#include <array>

#include "ByteClass.h"
#include "CDicMain.h"
#include "GlossPool.h"
#include "LowerCaseWord.h"

CParagraph::CParagraph(std::string line) : m_strText(std::move(line)) {
    const std::string_view text = m_strText;
    // A pending word that is still empty when a blank or separator arrives is
    // kept as an empty token: the layout gives it the width of one space.
    std::size_t wordStart = 0;
    std::size_t i = 0;
    auto flushWord = [&](std::size_t end) {
        m_arrWords.push_back({static_cast<std::uint32_t>(wordStart),
                              static_cast<std::uint32_t>(end - wordStart)});
    };
    while (i < text.size()) {
        const ClassifiedRun run = ClassifyFront(text.substr(i));
        if (run.kind == ByteClass::Word) {
            i += run.length;
            continue;
        }
        flushWord(i);
        if (run.kind == ByteClass::Separator) {
            m_arrWords.push_back(
                {static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(run.length)});
        }
        i += run.length;
        wordStart = i;
    }
    if (wordStart < text.size()) {
        flushWord(text.size());
    }
    m_arrWords.shrink_to_fit();
}

void CParagraph::Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                          GlossPool& pool) {
    m_arrGlosses.clear();
    m_arrGlosses.reserve(m_arrWords.size());
    LowerCaseWord lower;
    for (std::size_t j = 0; j < m_arrWords.size(); ++j) {
        const std::string_view word = lower.Of(Word(j));
        if (word.size() < 2) {
            m_arrGlosses.emplace_back();
            continue;
        }
        m_arrGlosses.push_back(pool.Intern(pDic->TranslateView(word, dThreshold, bMedical, bScience)));
    }
}
