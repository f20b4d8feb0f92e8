#include "CParagraph.h"

#include "ByteClass.h"
#include "CDicMain.h"
#include "GlossPool.h"
#include "LowerCaseWord.h"

CParagraph::CParagraph(std::string line) : m_strText(std::move(line)) {
    const std::string_view text = m_strText;
    // Tokens are gathered in a buffer kept between paragraphs, so that each
    // paragraph allocates its token list once, at its final size.
    static thread_local std::vector<TokenSpan> tokens;
    tokens.clear();
    auto add = [](std::size_t start, std::size_t end) {
        tokens.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
    };
    // A pending word that is still empty when a blank or separator arrives is
    // kept as an empty token: the layout gives it the width of one space.
    std::size_t wordStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!kMayEndWord[static_cast<unsigned char>(text[i])]) {
            ++i;
            continue;
        }
        const ClassifiedRun run = ClassifyFront(text.substr(i));
        if (run.kind != ByteClass::Word) {
            add(wordStart, i);
            if (run.kind == ByteClass::Separator) {
                add(i, i + run.length);
            }
            wordStart = i + run.length;
        }
        i += run.length;
    }
    if (wordStart < text.size()) {
        add(wordStart, text.size());
    }
    m_arrWords.assign(tokens.begin(), tokens.end());
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
        m_arrGlosses.push_back(
            pool.Intern(pDic->TranslateView(word, dThreshold, bMedical, bScience)));
    }
}
