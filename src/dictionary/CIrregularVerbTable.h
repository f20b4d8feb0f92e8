#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "StringIndex.h"

// Past and participle forms of irregular verbs, one row per combination of forms.
class CIrregularVerbTable {
public:
    void AddVerb(std::string_view base, std::string_view past, std::string_view participle);
    // The base of the first row whose past or participle form equals the word, else "Unknown".
    std::string FindBase(std::string_view word) const;
    // Same answer without copying; nullopt when no row matches.
    std::optional<std::string_view> FindBaseView(std::string_view word) const;

    std::vector<std::string> m_arrBase;
    std::vector<std::string> m_arrPast;
    std::vector<std::string> m_arrParticiple;

private:
    StringIndex m_formIndex;  // past or participle form -> first row holding it
};
