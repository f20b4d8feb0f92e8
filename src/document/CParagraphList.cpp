#include "CParagraphList.h"

#include <cstdint>
#include <optional>

#include "CDicMain.h"
#include "PersonalWords.h"

CParagraphList::CParagraphList() : m_pStore(std::make_unique<TextStore>()) {}

CParagraphList::~CParagraphList() = default;
CParagraphList::CParagraphList(CParagraphList&&) noexcept = default;
CParagraphList& CParagraphList::operator=(CParagraphList&&) noexcept = default;

void CParagraphList::RemoveAll() {
    m_arrParagraphs.clear();
    m_arrParagraphs.shrink_to_fit();
    // Replaced rather than cleared, so that a long text's memory goes back at once.
    m_pStore = std::make_unique<TextStore>();
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

bool CParagraphList::SetText(std::string text, const Progress& progress) {
    RemoveAll();
    TextStore& store = *m_pStore;
    store.text = std::move(text);
    const std::string_view all = store.text;
    // Counted first, so that the paragraph list is allocated once, at its size.
    std::size_t count = 0;
    ForEachLine(all, [&](std::string_view) { ++count; });
    m_arrParagraphs.reserve(count);
    // A paragraph's tokens are gathered in a buffer kept between paragraphs, then
    // numbered into the store's arrays.
    std::vector<TokenSpan> tokens;
    bool stopped = false;
    ForEachLine(all, [&](std::string_view line) {
        if (stopped) {
            return;
        }
        if (progress && m_arrParagraphs.size() % kProgressEvery == kProgressEvery - 1 &&
            !progress(static_cast<double>(m_arrParagraphs.size()) / static_cast<double>(count))) {
            stopped = true;
            return;
        }
        tokens.clear();
        SplitTokens(line, tokens);
        const std::size_t first = store.tokenOffsets.size();
        m_evidence.StartParagraph();
        for (const TokenSpan& span : tokens) {
            const std::string_view token = line.substr(span.offset, span.length);
            const std::uint32_t id = store.words.IdOf(token);
            m_evidence.Add(token, id, store.words);
            store.tokenOffsets.push_back(span.offset);
            store.tokenWords.push_back(
                id == WordTable::kNoWord ? TextStore::kEmptyToken - span.length : id);
        }
        m_arrParagraphs.emplace_back(store, line, first, tokens.size());
    });
    if (stopped) {
        return false;
    }
    // Decided once per text: a word is a name or not in all of it.
    m_arrIsName.resize(store.words.Size());
    for (std::uint32_t id = 0; id < m_arrIsName.size(); ++id) {
        m_arrIsName[id] = IsUsedAsName(store.words.Word(id), m_evidence.Uses(id)) ? 1 : 0;
    }
    return true;
}

bool CParagraphList::IsName(std::string_view word) const {
    const std::uint32_t id = m_pStore->words.Find(word);
    return id != WordTable::kNoWord && IsName(id);
}

int CParagraphList::Annotate(const CDicMain* pDic, double dThreshold, bool bMedical, bool bScience,
                             bool bSkipNames, const Progress& progress) {
    // A novel repeats a few tens of thousands of words hundreds of thousands of
    // times: each distinct lower-case word is translated once per call, never
    // remembered between calls, so a changed dictionary is always asked afresh. A
    // token finds its gloss through its word's number.
    TextStore& store = *m_pStore;
    store.glosses.Clear();
    m_bNamesSkipped = bSkipNames;
    m_entryOfWord.clear();
    m_stepGlossOfWord.assign(store.words.Size(), GlossPool::kNoGloss);
    for (std::uint32_t id = 0; id < m_stepGlossOfWord.size(); ++id) {
        if (progress && id % kProgressEvery == kProgressEvery - 1 &&
            !progress(static_cast<double>(id) / static_cast<double>(m_stepGlossOfWord.size()))) {
            return -1;
        }
        if (bSkipNames && IsName(id)) {
            continue;
        }
        m_stepGlossOfWord[id] = store.glosses.Intern(
            pDic->TranslateView(store.words.Word(id), dThreshold, bMedical, bScience));
    }
    ComposeGlosses(pDic);
    return static_cast<int>(m_arrParagraphs.size());
}

void CParagraphList::ReapplyMarks(const CDicMain* pDic) {
    if (m_stepGlossOfWord.size() != m_pStore->words.Size()) {
        return;  // never annotated: there is nothing to lay the marks over
    }
    ComposeGlosses(pDic);
}

namespace {
constexpr std::uint32_t kNoEntry = UINT32_MAX;
}  // namespace

void CParagraphList::ComposeGlosses(const CDicMain* pDic) {
    TextStore& store = *m_pStore;
    store.glossOfWord = m_stepGlossOfWord;
    if (m_pMarks == nullptr || m_pMarks->Empty()) {
        return;
    }
    // Which entry each word reaches depends only on the text and the dictionary,
    // so it is found once per Annotate and every later mark reuses it.
    if (m_entryOfWord.size() != store.words.Size()) {
        m_entryOfWord.resize(store.words.Size());
        for (std::uint32_t id = 0; id < m_entryOfWord.size(); ++id) {
            const std::optional<std::uint32_t> entry = pDic->FindReachedEntry(store.words.Word(id));
            m_entryOfWord[id] = entry ? *entry : kNoEntry;
        }
    }
    for (std::uint32_t id = 0; id < store.glossOfWord.size(); ++id) {
        const std::uint32_t entry = m_entryOfWord[id];
        const std::optional<std::size_t> found =
            entry == kNoEntry ? std::nullopt : std::optional<std::size_t>(entry);
        switch (m_pMarks->Find(found, store.words.Word(id))) {
            case WordMark::Known:
                store.glossOfWord[id] = GlossPool::kNoGloss;
                break;
            case WordMark::New:
                if (found) {
                    store.glossOfWord[id] =
                        store.glosses.Intern(pDic->m_arrItems[entry].m_strGloss);
                }
                break;
            case WordMark::None:
                break;
        }
    }
}

int CParagraphList::AnnotateWith(const std::function<std::string_view(std::string_view)>& glossOf) {
    TextStore& store = *m_pStore;
    store.glosses.Clear();
    m_bNamesSkipped = false;
    // Not the step's glosses: the reader's marks have nothing to be laid over.
    m_stepGlossOfWord.clear();
    m_entryOfWord.clear();
    store.glossOfWord.resize(store.words.Size());
    for (std::uint32_t id = 0; id < store.glossOfWord.size(); ++id) {
        store.glossOfWord[id] = store.glosses.Intern(glossOf(store.words.Word(id)));
    }
    return static_cast<int>(m_arrParagraphs.size());
}
