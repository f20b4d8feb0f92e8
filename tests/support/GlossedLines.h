#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "CParagraphList.h"

// Lines as the document holds them: one paragraph each (so none may be empty).
inline void SetLines(CParagraphList& text, const std::vector<std::string>& lines) {
    std::string joined;
    for (const std::string& line : lines) {
        joined += line + "\n";
    }
    text.SetText(std::move(joined));
}

// Glosses token j of the first paragraph with glosses[j] (GBK, "" for none), and every
// other token of the same word alike; other words get none. Tokens under two bytes are
// never glossed.
inline void GlossFirstParagraph(CParagraphList& text, const std::vector<std::string>& glosses) {
    std::map<std::string, std::string, std::less<>> byWord;
    const CParagraph& first = text.m_arrParagraphs.at(0);
    for (std::size_t j = 0; j < glosses.size() && j < first.TokenCount(); ++j) {
        if (!glosses[j].empty() && first.WordId(j) != WordTable::kNoWord) {
            byWord[std::string(text.Words().Word(first.WordId(j)))] = glosses[j];
        }
    }
    text.AnnotateWith([&](std::string_view word) {
        const auto found = byWord.find(word);
        return found == byWord.end() ? std::string_view() : std::string_view(found->second);
    });
}
