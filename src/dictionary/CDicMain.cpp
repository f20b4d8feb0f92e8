#include "CDicMain.h"

#include <array>
#include <atomic>

#include "CArchive.h"
#include "DictionaryFile.h"
#include "PrefixTable.h"

namespace {

std::uint64_t NextRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

}  // namespace

CDicMain::CDicMain() : CDicMain(ShippedWordLists()) {}

CDicMain::CDicMain(const WordLists& lists) {
    BuildPrefixIndex();
    FillWordLists(lists);
    m_revision = NextRevision();
}

CDicMain::~CDicMain() { DeleteAllItems(); }

void CDicMain::FillWordLists(const WordLists& lists) {
    for (const IrregularVerbRow& row : lists.irregularVerbs) {
        m_irregularVerbs.AddVerb(row.base, row.past, row.participle);
    }
    for (const GlossaryRow& row : lists.medical) {
        m_medicalGlossary.AddTerm(row.english, row.chinese);
    }
    for (const GlossaryRow& row : lists.science) {
        m_scienceGlossary.AddTerm(row.english, row.chinese);
    }
}

void CDicMain::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteInt32(static_cast<std::int32_t>(m_items.size()));
        for (CDicItem& item : m_items) {
            item.Serialize(ar);
        }
        return;
    }
    std::vector<CDicItem> read;
    try {
        ReadDictionaryRecords(ar, read);
    } catch (const CArchiveException&) {
        AppendItems(std::move(read));
        throw;
    }
    AppendItems(std::move(read));
}

void CDicMain::ReplaceItems(std::vector<CDicItem> items) {
    m_items = std::move(items);
    RebuildLookupIndex();
}

void CDicMain::AppendItems(std::vector<CDicItem> items) {
    if (m_items.empty()) {
        m_items = std::move(items);
    } else {
        m_items.insert(m_items.end(), std::make_move_iterator(items.begin()),
                       std::make_move_iterator(items.end()));
    }
    RebuildLookupIndex();
}

void CDicMain::DeleteAllItems() {
    m_items.clear();
    m_lookupIndex.Clear();
    m_revision = NextRevision();
}

void CDicMain::BuildPrefixIndex() {
    m_arrPrefixes.clear();
    m_arrPrefixStarts.clear();
    for (const PrefixRow& row : kPrefixRows) {
        m_arrPrefixes.emplace_back(row.prefix);
        m_arrPrefixStarts.push_back(row.start);
    }
}

void CDicMain::RebuildLookupIndex() {
    m_lookupIndex.Build(m_items);
    m_revision = NextRevision();
}

CDicMain::ExactAnswer CDicMain::FindExact(std::string_view word, double threshold) const {
    if (word.size() < 2) {
        return {Found::TooShort, {}};
    }
    const auto position = m_lookupIndex.Find(word, m_arrItems);
    if (!position) {
        return {Found::Unknown, {}};
    }
    const CDicItem& item = m_arrItems[*position];
    if (threshold > item.m_dFrequency) {
        return {Found::Gloss, item.m_strGloss};
    }
    return {Found::Ignore, {}};
}

std::string CDicMain::LookupExact(std::string_view word, double threshold) const {
    const ExactAnswer answer = FindExact(word, threshold);
    switch (answer.found) {
        case Found::Gloss:
            return std::string(answer.gloss);
        case Found::Ignore:
            return std::string(kIgnore);
        case Found::Unknown:
            return std::string(kUnknown);
        case Found::TooShort:
            break;
    }
    return {};
}

namespace {

bool EndsWith(std::string_view word, std::string_view suffix) {
    return word.size() >= suffix.size() && word.substr(word.size() - suffix.size()) == suffix;
}

// A reduced form: the word without its last `cut` bytes, then `append`. Short
// words are built in a fixed buffer so that a lookup never allocates.
class Candidate {
public:
    Candidate(std::string_view word, std::size_t cut, std::string_view append) {
        const std::string_view stem = word.substr(0, word.size() - cut);
        const std::size_t length = stem.size() + append.size();
        if (length <= m_buffer.size()) {
            std::copy(stem.begin(), stem.end(), m_buffer.begin());
            std::copy(append.begin(), append.end(), m_buffer.begin() + stem.size());
            m_view = std::string_view(m_buffer.data(), length);
        } else {
            m_long.assign(stem).append(append);
            m_view = m_long;
        }
    }
    std::string_view View() const { return m_view; }

private:
    std::array<char, 64> m_buffer;
    std::string m_long;
    std::string_view m_view;
};

}  // namespace

std::string CDicMain::Translate(std::string_view word, double threshold, bool bMedical,
                                bool bScience) const {
    return std::string(TranslateView(word, threshold, bMedical, bScience));
}

template <class Decides>
bool CDicMain::WalkReductions(std::string_view word, Decides&& decides) const {
    // Each step answers at once unless its candidate is unknown. Every suffix
    // rule works on the word itself, in this order, even where a later rule fits better.
    if (decides(word)) {
        return true;
    }
    if (const auto base = m_irregularVerbs.FindBaseView(word)) {
        if (decides(*base)) {
            return true;
        }
    }
    struct SuffixRule {
        std::string_view ending;
        std::size_t cut;
        std::string_view append;
    };
    static constexpr std::array<SuffixRule, 8> kRules = {{
        {"ing", 3, ""},
        {"ing", 3, "e"},
        {"s", 1, ""},
        {"ed", 2, ""},
        {"ed", 1, ""},
        {"ied", 3, "y"},
        {"es", 2, ""},
        {"ies", 3, "y"},
    }};
    for (const SuffixRule& rule : kRules) {
        if (EndsWith(word, rule.ending) && decides(Candidate(word, rule.cut, rule.append).View())) {
            return true;
        }
    }
    return false;
}

std::optional<std::uint32_t> CDicMain::FindReachedEntry(std::string_view word) const {
    if (word.size() < 2) {
        return std::nullopt;
    }
    std::optional<std::uint32_t> reached;
    WalkReductions(word, [&](std::string_view candidate) {
        if (candidate.size() < 2) {
            return true;
        }
        reached = m_lookupIndex.Find(candidate, m_arrItems);
        return reached.has_value();
    });
    return reached;
}

const CDicItem* CDicMain::FindEntry(std::string_view word) const {
    const auto position = m_lookupIndex.Find(word, m_arrItems);
    return position ? &m_arrItems[*position] : nullptr;
}

std::string_view CDicMain::TranslateView(std::string_view word, double threshold, bool bMedical,
                                         bool bScience) const {
    const StepGloss answer = GlossAtAnyStep(word, bMedical, bScience);
    return answer.Shows(threshold) ? answer.gloss : std::string_view();
}

CDicMain::StepGloss CDicMain::GlossAtAnyStep(std::string_view word, bool bMedical,
                                             bool bScience) const {
    if (word.size() < 2) {
        return {};
    }
    StepGloss answer;
    answer.decided = WalkReductions(word, [&](std::string_view candidate) {
        if (candidate.size() < 2) {
            return true;  // too short to look up: nothing, and no glossary either
        }
        const auto position = m_lookupIndex.Find(candidate, m_arrItems);
        if (!position) {
            return false;
        }
        const CDicItem& item = m_arrItems[*position];
        answer = {item.m_strGloss, item.m_dFrequency, true, true};
        return true;
    });
    if (answer.decided) {
        return answer;
    }
    if (bScience) {
        if (const auto gloss = m_scienceGlossary.LookupView(word)) {
            answer.gloss = *gloss;
            return answer;
        }
    }
    if (bMedical) {
        if (const auto gloss = m_medicalGlossary.LookupView(word)) {
            answer.gloss = *gloss;
            return answer;
        }
    }
    return answer;
}
