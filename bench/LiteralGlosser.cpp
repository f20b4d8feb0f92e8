#include "LiteralGlosser.h"

#include "CDicMain.h"
#include "PrefixTable.h"

namespace {

bool IsSeparator(unsigned char c) {
    return (c >= 33 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) ||
           (c >= 123 && c <= 126);
}

bool EndsWith(const std::string& word, std::string_view suffix) {
    return word.size() >= suffix.size() &&
           word.compare(word.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::size_t HeapBytes(const std::string& text) {
    return text.capacity() > 15 ? text.capacity() + 1 : 0;
}

}  // namespace

void LiteralGlosser::SetText(std::string_view text) {
    m_paragraphs.clear();
    auto add = [&](std::string_view line) {
        if (line.empty()) {
            return;
        }
        auto paragraph = std::make_unique<Paragraph>();
        paragraph->text = std::string(line);
        std::string pending;
        for (char c : paragraph->text) {
            if (c == ' ') {
                paragraph->words.push_back(pending);
                pending.clear();
            } else if (IsSeparator(static_cast<unsigned char>(c))) {
                paragraph->words.push_back(pending);
                paragraph->words.emplace_back(1, c);
                pending.clear();
            } else {
                pending += c;
            }
        }
        if (!pending.empty()) {
            paragraph->words.push_back(pending);
        }
        m_paragraphs.push_back(std::move(paragraph));
    };
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == text.size() - 1) {
            add(text.substr(start));
        } else if (text[i] == '\r' && text[i + 1] == '\n') {
            add(text.substr(start, i - start));
            start = i + 2;
        }
    }
}

void LiteralGlosser::Annotate(double threshold, bool medical, bool science) {
    for (auto& paragraph : m_paragraphs) {
        paragraph->glosses.clear();
        for (const std::string& word : paragraph->words) {
            std::string lower = word;
            for (char& c : lower) {
                if (c >= 'A' && c <= 'Z') {
                    c = static_cast<char>(c - 'A' + 'a');
                }
            }
            paragraph->glosses.push_back(
                lower.size() < 2 ? std::string() : Translate(lower, threshold, medical, science));
        }
    }
}

std::string LiteralGlosser::LookupExact(const std::string& word, double threshold) const {
    if (word.size() < 2) {
        return {};
    }
    const std::string prefix = word.substr(0, 2);
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    for (std::size_t row = 0; row < m_dic.m_arrPrefixes.size(); ++row) {
        if (m_dic.m_arrPrefixes[row] == prefix) {
            start = m_dic.m_arrPrefixStarts[row];
            end = row + 1 < m_dic.m_arrPrefixes.size() ? m_dic.m_arrPrefixStarts[row + 1]
                                                       : kPrefixEndSentinel;
            break;
        }
    }
    for (std::uint32_t p = start; p < end && p <= m_dic.m_arrItems.size(); ++p) {
        const CDicItem& item = m_dic.m_arrItems[p - 1];
        if (item.m_strWord == word) {
            return threshold > item.m_dFrequency ? item.m_strGloss : std::string(kIgnore);
        }
    }
    return std::string(kUnknown);
}

std::string LiteralGlosser::FindBase(const std::string& word) const {
    const CIrregularVerbTable& verbs = m_dic.m_irregularVerbs;
    for (std::size_t i = 0; i < verbs.m_arrBase.size(); ++i) {
        if (verbs.m_arrPast[i] == word || verbs.m_arrParticiple[i] == word) {
            return verbs.m_arrBase[i];
        }
    }
    return std::string(kUnknown);
}

std::string LiteralGlosser::Translate(const std::string& word, double threshold, bool medical,
                                      bool science) const {
    if (word.size() < 2) {
        return {};
    }
    // Each step answers at once unless its candidate is unknown.
    std::string answer;
    auto decides = [&](const std::string& candidate) {
        answer = LookupExact(candidate, threshold);
        if (answer == kIgnore) {
            answer.clear();
            return true;
        }
        return answer != kUnknown;
    };
    if (decides(word)) return answer;
    if (const std::string base = FindBase(word); base != kUnknown && decides(base)) return answer;
    const std::size_t n = word.size();
    if (EndsWith(word, "ing") && decides(word.substr(0, n - 3))) return answer;
    if (EndsWith(word, "ing") && decides(word.substr(0, n - 3) + "e")) return answer;
    if (EndsWith(word, "s") && decides(word.substr(0, n - 1))) return answer;
    if (EndsWith(word, "ed") && decides(word.substr(0, n - 2))) return answer;
    if (EndsWith(word, "ed") && decides(word.substr(0, n - 1))) return answer;
    if (EndsWith(word, "ied") && decides(word.substr(0, n - 3) + "y")) return answer;
    if (EndsWith(word, "es") && decides(word.substr(0, n - 2))) return answer;
    if (EndsWith(word, "ies") && decides(word.substr(0, n - 3) + "y")) return answer;
    auto lookup = [&](const CGlossaryTable& table) -> std::string {
        for (std::size_t i = 0; i < table.m_arrEnglish.size(); ++i) {
            if (table.m_arrEnglish[i] == word) {
                return table.m_arrChinese[i];
            }
        }
        return std::string(kUnknown);
    };
    if (science) {
        if (std::string gloss = lookup(m_dic.m_scienceGlossary); gloss != kUnknown) {
            return gloss;
        }
    }
    if (medical) {
        if (std::string gloss = lookup(m_dic.m_medicalGlossary); gloss != kUnknown) {
            return gloss;
        }
    }
    return {};
}

std::size_t LiteralGlosser::TokenCount() const {
    std::size_t count = 0;
    for (const auto& paragraph : m_paragraphs) {
        count += paragraph->words.size();
    }
    return count;
}

std::size_t LiteralGlosser::ModelBytesBeyondText() const {
    std::size_t bytes = m_paragraphs.capacity() * sizeof(void*);
    for (const auto& paragraph : m_paragraphs) {
        bytes += sizeof(Paragraph);
        bytes += paragraph->words.capacity() * sizeof(std::string);
        bytes += paragraph->glosses.capacity() * sizeof(std::string);
        for (const std::string& word : paragraph->words) bytes += HeapBytes(word);
        for (const std::string& gloss : paragraph->glosses) bytes += HeapBytes(gloss);
    }
    return bytes;
}
