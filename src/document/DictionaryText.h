#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "CDicItem.h"

// The entries of a text dictionary file (word TAB gloss TAB frequency, one entry
// a line), read completely before the dictionary is touched. Lines end with LF or
// CR LF, the last one may end without either, and empty lines are skipped. A file
// that is valid UTF-8 has its glosses converted to the dictionary's GBK; any other
// file is taken as GBK already. A gloss GBK cannot hold fails the whole file.
class DictionaryText {
public:
    static DictionaryText Parse(std::string_view text);

    bool Ok() const { return m_strProblem.empty(); }
    // For the reader: which line failed and why.
    const std::string& Problem() const { return m_strProblem; }
    std::vector<CDicItem> TakeItems() { return std::move(m_arrItems); }

private:
    std::vector<CDicItem> m_arrItems;
    std::string m_strProblem;
};
