#include "CIrregularVerbTable.h"

void CIrregularVerbTable::AddVerb(std::string_view base, std::string_view past,
                                  std::string_view participle) {
    const auto row = static_cast<std::uint32_t>(m_arrBase.size());
    m_arrBase.emplace_back(base);
    m_arrPast.emplace_back(past);
    m_arrParticiple.emplace_back(participle);
    // emplace keeps an existing key, so the earliest row that has the form wins,
    // exactly as a scan from the first row would find it.
    m_formIndex.emplace(past, row);
    m_formIndex.emplace(participle, row);
}

std::optional<std::string_view> CIrregularVerbTable::FindBaseView(std::string_view word) const {
    const auto it = m_formIndex.find(word);
    if (it == m_formIndex.end()) {
        return std::nullopt;
    }
    return std::string_view(m_arrBase[it->second]);
}

std::string CIrregularVerbTable::FindBase(std::string_view word) const {
    return std::string(FindBaseView(word).value_or(kUnknown));
}
