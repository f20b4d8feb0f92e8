#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "StringIndex.h"

// A specialist glossary: English term -> Chinese gloss (GBK), first row winning.
class CGlossaryTable {
public:
    void AddTerm(std::string_view english, std::string_view chinese);
    // The gloss of the first row whose term equals the word, else "Unknown".
    std::string Lookup(std::string_view word) const;
    // Same answer without copying; nullopt when no row matches.
    std::optional<std::string_view> LookupView(std::string_view word) const;

    std::vector<std::string> m_arrChinese;
    std::vector<std::string> m_arrEnglish;

private:
    StringIndex m_termIndex;  // term -> first row holding it
};
