#include "CGlossaryTable.h"

void CGlossaryTable::AddTerm(std::string_view english, std::string_view chinese) {
    const auto row = static_cast<std::uint32_t>(m_arrEnglish.size());
    m_arrEnglish.emplace_back(english);
    m_arrChinese.emplace_back(chinese);
    m_termIndex.emplace(english, row);  // keeps the earlier row of a repeated term
}

std::optional<std::string_view> CGlossaryTable::LookupView(std::string_view word) const {
    const auto it = m_termIndex.find(word);
    if (it == m_termIndex.end()) {
        return std::nullopt;
    }
    return std::string_view(m_arrChinese[it->second]);
}

std::string CGlossaryTable::Lookup(std::string_view word) const {
    return std::string(LookupView(word).value_or(kUnknown));
}
