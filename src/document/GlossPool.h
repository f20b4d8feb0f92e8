#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "StringIndex.h"

// One copy of each distinct gloss of the text. The paragraphs point into it, so
// their glosses survive a change of the dictionary (an import) until the text is
// glossed again.
class GlossPool {
public:
    // The pool's own copy of `gloss`; the empty gloss stays an empty view.
    std::string_view Intern(std::string_view gloss) {
        if (gloss.empty()) {
            return {};
        }
        auto it = m_glosses.find(gloss);
        if (it == m_glosses.end()) {
            it = m_glosses.emplace(gloss).first;
        }
        return *it;
    }
    // Invalidates every view handed out.
    void Clear() { m_glosses.clear(); }
    std::size_t Size() const { return m_glosses.size(); }
    // Heap bytes held, roughly: nodes, bucket array and long strings.
    std::size_t MemoryBytes() const;

private:
    // Set nodes never move, so the views stay valid while the entry lives.
    std::unordered_set<std::string, TransparentStringHash, std::equal_to<>> m_glosses;
};
