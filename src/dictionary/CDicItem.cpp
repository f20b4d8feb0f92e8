#include "CDicItem.h"

#include <locale.h>

#include <clocale>
#include <cstdlib>

#include "CArchive.h"

double AtofC(const std::string& text) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, cLocale);
}

CDicItem::CDicItem(std::string_view line) {
    std::string field;
    int tabs = 0;
    for (char c : line) {
        if (c == '\t') {
            if (tabs == 0) {
                m_strWord = field;
            } else if (tabs == 1) {
                m_strGloss = field;
            }
            field.clear();
            ++tabs;
        } else {
            field.push_back(c);
        }
    }
    m_dFrequency = tabs == 2 ? AtofC(field) : 0.0;
}

void CDicItem::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(Scramble(m_strWord));
        ar.WriteString(Scramble(m_strGloss));
        ar.WriteDouble(m_dFrequency);
        ar.WriteInt32(m_nFlag);
    } else {
        m_strWord = Unscramble(ar.ReadString());
        m_strGloss = Unscramble(ar.ReadString());
        m_dFrequency = ar.ReadDouble();
        m_nFlag = ar.ReadInt32();
    }
}

std::string CDicItem::Scramble(std::string_view text) {
    std::string result;
    result.reserve(text.size() * 2);
    for (char ch : text) {
        const unsigned d = 17u * static_cast<unsigned char>(ch) + 23u;
        result.push_back(static_cast<char>(d % 255));
        result.push_back(static_cast<char>(d / 255));
    }
    return result;
}

std::string CDicItem::Unscramble(std::string_view text) {
    std::string result;
    result.reserve((text.size() + 1) / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int lo = static_cast<unsigned char>(text[i]);
        const int hi = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        // Integer division truncates toward zero: a pair below 23, which Scramble never
        // writes, decodes to 0 or to 0xFF.
        const int c = (255 * hi + lo - 23) / 17;
        result.push_back(static_cast<char>(c & 0xFF));
    }
    return result;
}
