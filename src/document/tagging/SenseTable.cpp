#include "SenseTable.h"

#include "CodePage.h"
#include "CompiledFile.h"
#include "TsvFile.h"

namespace {

constexpr std::string_view kMagic = "VWSENSES1\n";
constexpr std::string_view kClassLetters = "nvar";

}  // namespace

std::size_t SenseTable::SlotOf(WordClass wordClass) {
    switch (wordClass) {
        case WordClass::Noun:
            return 0;
        case WordClass::Verb:
            return 1;
        case WordClass::Adjective:
            return 2;
        case WordClass::Adverb:
            return 3;
        case WordClass::ProperNoun:
        case WordClass::Other:
            break;
    }
    return kClasses;
}

void SenseTable::Add(std::string_view word, std::size_t slot, std::string gloss) {
    auto it = m_index.find(word);
    if (it == m_index.end()) {
        it = m_index.emplace(std::string(word), static_cast<std::uint32_t>(m_glosses.size())).first;
        m_words.emplace_back(word);
        m_glosses.emplace_back();
    }
    m_glosses[it->second][slot] = std::move(gloss);
}

std::string_view SenseTable::Gloss(std::string_view word, WordClass wordClass) const {
    const std::size_t slot = SlotOf(wordClass);
    if (slot == kClasses) {
        return {};
    }
    const auto it = m_index.find(word);
    return it == m_index.end() ? std::string_view() : std::string_view(m_glosses[it->second][slot]);
}

std::optional<SenseTable> SenseTable::FromTsv(std::string_view text, std::string& error) {
    SenseTable table;
    try {
        for (const TsvRow& row : ParseTsv(text, 3)) {
            const std::string_view word = row.fields[0];
            const std::size_t slot =
                row.fields[1].size() == 1 ? kClassLetters.find(row.fields[1][0]) : kClasses;
            std::optional<std::string> gloss = codepage::Utf8ToGbk(row.fields[2]);
            if (word.empty() || word.size() > compiled::kLongestText || slot >= kClasses ||
                !gloss || gloss->empty() || gloss->size() > compiled::kLongestText) {
                error = "line " + std::to_string(row.line) + ": bad word, class or gloss";
                return std::nullopt;
            }
            table.Add(word, slot, std::move(*gloss));
        }
    } catch (const TsvError& e) {
        error = e.what();
        return std::nullopt;
    }
    return table;
}

std::string SenseTable::Compile() const {
    std::string payload;
    compiled::PutU32(payload, static_cast<std::uint32_t>(m_words.size()));
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        compiled::PutText(payload, m_words[i]);
        for (const std::string& gloss : m_glosses[i]) {
            compiled::PutText(payload, gloss);
        }
    }
    return compiled::Frame(kMagic, payload);
}

std::optional<SenseTable> SenseTable::FromCompiled(std::string_view bytes, std::string& error) {
    const std::optional<std::string_view> payload = compiled::Unframe(bytes, kMagic, error);
    if (!payload) {
        return std::nullopt;
    }
    SenseTable table;
    compiled::PayloadReader in(*payload);
    const std::uint32_t words = in.U32();
    if (words > in.Left() / (1 + kClasses)) {
        error = "the file is damaged";
        return std::nullopt;
    }
    for (std::uint32_t w = 0; w < words && in.Ok(); ++w) {
        const std::string_view word = in.Text();
        if (word.empty()) {
            error = "the file is damaged";
            return std::nullopt;
        }
        for (std::size_t slot = 0; slot < kClasses; ++slot) {
            const std::string_view gloss = in.Text();
            if (!gloss.empty()) {
                table.Add(word, slot, std::string(gloss));
            }
        }
    }
    if (!in.Ok() || !in.AtEnd()) {
        error = "the file is damaged";
        return std::nullopt;
    }
    return table;
}
