#include "CParagraphList.h"

#include <unordered_map>

#include "CDicMain.h"
#include "GlossPool.h"
#include "LowerCaseWord.h"
#include "StringIndex.h"

CParagraphList::CParagraphList() : m_pGlossPool(std::make_unique<GlossPool>()) {}

CParagraphList::~CParagraphList() = default;

void CParagraphList::RemoveAll() {
    m_arrParagraphs.clear();
    m_arrParagraphs.shrink_to_fit();
    m_pGlossPool->Clear();
}

void CParagraphList::SetText(std::string_view text) {
    RemoveAll();
    // LF ends a paragraph whether or not a CR comes before it; empty lines make
    // no paragraph. A CR anywhere else stays in its word.
    auto addSegment = [&](std::string_view segment) {
        if (!segment.empty()) {
            m_arrParagraphs.emplace_back(std::string(segment));
        }
    };
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            addSegment(text.substr(start));
            break;
        }
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        addSegment(text.substr(start, end - start));
        start = lf + 1;
    }
    m_arrParagraphs.shrink_to_fit();
}

int CParagraphList::Annotate(const CDicMain* pDic, double dThreshold, bool bMedical,
                             bool bScience) {
    m_pGlossPool->Clear();
    // A novel repeats a few tens of thousands of words hundreds of thousands of
    // times: each distinct lower-case word is translated once per call. The cache
    // lives only for this call, so a changed dictionary is always asked afresh.
    std::unordered_map<std::string, std::string_view, TransparentStringHash, std::equal_to<>> cache;
    LowerCaseWord lower;
    for (CParagraph& paragraph : m_arrParagraphs) {
        paragraph.m_arrGlosses.clear();
        paragraph.m_arrGlosses.reserve(paragraph.TokenCount());
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view token = paragraph.Word(j);
            if (token.size() < 2) {
                paragraph.m_arrGlosses.emplace_back();
                continue;
            }
            const std::string_view word = lower.Of(token);
            auto it = cache.find(word);
            if (it == cache.end()) {
                const std::string_view gloss = m_pGlossPool->Intern(
                    pDic->TranslateView(word, dThreshold, bMedical, bScience));
                it = cache.emplace(word, gloss).first;
            }
            paragraph.m_arrGlosses.push_back(it->second);
        }
    }
    return static_cast<int>(m_arrParagraphs.size());
}

const GlossPool& CParagraphList::Glosses() const { return *m_pGlossPool; }
