#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "CDicItem.h"

// The one reader of text dictionaries: one entry a line, word TAB gloss TAB frequency.
// Two commands read them, and where they differ is stated here and nowhere else:
//
//                  the window's import (WindowImport)     tsv2dic (Tsv2Dic)
//   encoding       UTF-8; a file that is not valid        UTF-8 only
//                  UTF-8 is taken as GBK and must be
//                  valid GBK (older lists were saved so)
//   problems       in Chinese, for the reader's           in English, "line N: ...", for
//                  message box                            standard error
//
// Everything else is shared. Lines end with LF or CR LF, the last one may end with
// neither; a UTF-8 byte-order mark is skipped; empty lines and lines beginning with #
// are skipped. Every other line has exactly three fields: a word that is not empty, a
// gloss GBK can hold, and a frequency that is one whole decimal number. The file is
// read completely before the dictionary is touched: the first line breaking a rule
// (a NUL byte, an encoding error or any of the above) refuses the whole file, named by
// its number, and so does a file without a single entry. Text quoted in a message is
// cut to 80 characters, so a huge line never makes a huge message.
class DictionaryText {
public:
    enum class Reader { WindowImport, Tsv2Dic };

    static DictionaryText Parse(std::string_view text, Reader reader = Reader::WindowImport);

    bool Ok() const { return m_problem.empty(); }
    // For people, in the reader's language: which line failed and why.
    const std::string& Problem() const { return m_problem; }
    // The 1-based number of the refused line; 0 when the file as a whole is refused.
    std::size_t ProblemLine() const { return m_problemLine; }
    std::vector<CDicItem> TakeItems() { return std::move(m_items); }

private:
    std::vector<CDicItem> m_items;
    std::string m_problem;
    std::size_t m_problemLine = 0;
};

// At most `limit` characters of UTF-8 `text` for a message; a longer text ends in "…".
std::string QuoteForMessage(std::string_view text, std::size_t limit = 80);
