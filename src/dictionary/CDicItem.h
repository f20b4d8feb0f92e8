#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CArchive;

// One dictionary entry. Texts are byte strings: the word is ASCII as stored,
// the gloss is GBK (code page 936) and is handed to callers unchanged.
class CDicItem {
public:
    CDicItem() = default;
    // One line of the text dictionary format: word TAB gloss TAB frequency, with the
    // lenient atof rules. Only tests build entries this way; the program reads text
    // lists through DictionaryText, which refuses what this would take silently.
    explicit CDicItem(std::string_view line);

    void Serialize(CArchive& ar);

    static std::string Scramble(std::string_view text);
    static std::string Unscramble(std::string_view text);

    std::string m_strWord;
    std::string m_strGloss;
    double m_dFrequency = 0.0;
    std::int32_t m_nFlag = 1;
};

// The C library's atof in the "C" locale, whatever locale the program runs in
// (the GUI toolkit switches to the user's locale, where the decimal point may be a comma).
double AtofC(const std::string& text);
