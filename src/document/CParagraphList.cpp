#include "CParagraphList.h"

#include <cstdint>

#include "CDicMain.h"
#include "GlossPool.h"
#include "PersonalWords.h"

CParagraphList::CParagraphList() : m_pGlossPool(std::make_unique<GlossPool>()) {}

CParagraphList::~CParagraphList() = default;
CParagraphList::CParagraphList(CParagraphList&&) noexcept = default;
CParagraphList& CParagraphList::operator=(CParagraphList&&) noexcept = default;

void CParagraphList::RemoveAll() {
    m_arrParagraphs.clear();
    m_arrParagraphs.shrink_to_fit();
    m_pGlossPool->Clear();
    m_words.Clear();
    m_evidence.Clear();
    m_arrIsName.clear();
    m_bNamesSkipped = false;
    m_stepGlossOfWord.clear();
    m_entryOfWord.clear();
}

namespace {

// Calls `take` with every non-empty line of the text. LF ends a line whether or
// not a CR comes before it; a CR anywhere else stays in the line.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            take(text.substr(start));
            return;
        }
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        if (end > start) {
            take(text.substr(start, end - start));
        }
        start = lf + 1;
    }
}

// Asked once every this many paragraphs: often enough for a progress bar, too
// seldom to cost anything.
constexpr std::size_t kProgressEvery = 4096;

}  // namespace

bool CParagraphList::SetText(std::string_view text, const Progress& progress) {
    RemoveAll();
    // Counted first, so that the paragraphs are never moved as the list grows.
    std::size_t count = 0;
    ForEachLine(text, [&](std::string_view) { ++count; });
    m_arrParagraphs.reserve(count);
    bool stopped = false;
    ForEachLine(text, [&](std::string_view segment) {
        if (stopped) {
            return;
        }
        if (progress && m_arrParagraphs.size() % kProgressEvery == kProgressEvery - 1 &&
            !progress(static_cast<double>(m_arrParagraphs.size()) / static_cast<double>(count))) {
            stopped = true;
            return;
        }
        CParagraph& paragraph = m_arrParagraphs.emplace_back(std::string(segment));
        paragraph.m_arrWordIds.resize(paragraph.TokenCount());
        m_evidence.StartParagraph();
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view token = paragraph.Word(j);
            paragraph.m_arrWordIds[j] = m_words.IdOf(token);
            m_evidence.Add(token, paragraph.m_arrWordIds[j], m_words);
        }
    });
    if (stopped) {
        return false;
    }
    // Decided once per text: a word is a name or not in all of it.
    m_arrIsName.resize(m_words.Size());
    for (std::uint32_t id = 0; id < m_arrIsName.size(); ++id) {
        m_arrIsName[id] = IsUsedAsName(m_words.Word(id), m_evidence.Uses(id)) ? 1 : 0;
    }
    return true;
}

bool CParagraphList::IsName(std::string_view word) const {
    const std::uint32_t id = m_words.Find(word);
    return id != WordTable::kNoWord && IsName(id);
}

int CParagraphList::Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                             bool bSkipNames, const Progress& progress) {
    m_pGlossPool->Clear();
    m_bNamesSkipped = bSkipNames;
    // A novel repeats a few tens of thousands of words hundreds of thousands of
    // times: each distinct lower-case word is translated once per call, never
    // remembered between calls, so a changed dictionary is always asked afresh.
    m_stepGlossOfWord.assign(m_words.Size(), {});
    m_entryOfWord.clear();
    for (std::uint32_t id = 0; id < m_stepGlossOfWord.size(); ++id) {
        if (bSkipNames && IsName(id)) {
            continue;
        }
        m_stepGlossOfWord[id] = m_pGlossPool->Intern(
            pDic->TranslateView(m_words.Word(id), dThreshold, bMedical, bScience));
    }
    if (!ComposeGlosses(pDic, progress)) {
        return -1;
    }
    return static_cast<int>(m_arrParagraphs.size());
}

void CParagraphList::ReapplyMarks(const CDicMain* pDic) {
    if (m_stepGlossOfWord.size() != m_words.Size()) {
        return;  // never annotated: there is nothing to lay the marks over
    }
    ComposeGlosses(pDic);
}

namespace {
constexpr std::size_t kNoEntry = SIZE_MAX;
}  // namespace

bool CParagraphList::ComposeGlosses(const CDicMain* pDic, const Progress& progress) {
    const bool marked = m_pMarks != nullptr && !m_pMarks->Empty();
    std::vector<std::string_view> glossOfWord = m_stepGlossOfWord;
    if (marked) {
        // Which entry each word reaches depends only on the text and the dictionary,
        // so it is found once per Annotate and every later mark reuses it.
        if (m_entryOfWord.size() != m_words.Size()) {
            m_entryOfWord.resize(m_words.Size());
            for (std::uint32_t id = 0; id < m_entryOfWord.size(); ++id) {
                const std::optional<std::uint32_t> entry = pDic->FindReachedEntry(m_words.Word(id));
                m_entryOfWord[id] = entry ? *entry : kNoEntry;
            }
        }
        for (std::uint32_t id = 0; id < glossOfWord.size(); ++id) {
            const std::size_t entry = m_entryOfWord[id];
            const std::optional<std::size_t> found =
                entry == kNoEntry ? std::nullopt : std::optional(entry);
            switch (m_pMarks->Find(found, m_words.Word(id))) {
                case WordMark::Known:
                    glossOfWord[id] = {};
                    break;
                case WordMark::New:
                    if (found) {
                        glossOfWord[id] = m_pGlossPool->Intern(pDic->m_arrItems[entry].m_strGloss);
                    }
                    break;
                case WordMark::None:
                    break;
            }
        }
    }
    // Every paragraph comes from SetText, which numbered its tokens' words.
    for (std::size_t i = 0; i < m_arrParagraphs.size(); ++i) {
        if (progress && i % kProgressEvery == kProgressEvery - 1 &&
            !progress(static_cast<double>(i) / static_cast<double>(m_arrParagraphs.size()))) {
            return false;
        }
        CParagraph& paragraph = m_arrParagraphs[i];
        paragraph.m_arrGlosses.resize(paragraph.TokenCount());
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::uint32_t id = paragraph.m_arrWordIds[j];
            paragraph.m_arrGlosses[j] =
                id == WordTable::kNoWord ? std::string_view() : glossOfWord[id];
        }
    }
    return true;
}

const GlossPool& CParagraphList::Glosses() const { return *m_pGlossPool; }
