#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "CParagraph.h"
#include "WordTable.h"

class CDicMain;

// The whole text as paragraphs, in text order.
class CParagraphList {
public:
    CParagraphList();
    ~CParagraphList();
    CParagraphList(const CParagraphList&) = delete;
    CParagraphList& operator=(const CParagraphList&) = delete;

    // Replaces the paragraphs by those of `text` (UTF-8, already decoded).
    void SetText(std::string_view text);
    void RemoveAll();
    // Glosses every token; returns the number of paragraphs.
    int Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience);
    // The distinct glosses the paragraphs point to, and the distinct words.
    const GlossPool& Glosses() const;
    const WordTable& Words() const { return m_words; }

    std::vector<CParagraph> m_arrParagraphs;

private:
    std::unique_ptr<GlossPool> m_pGlossPool;  // owns the glosses the paragraphs point to
    WordTable m_words;                         // filled by SetText
};
