#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "StringIndex.h"

// One copy of each distinct gloss of the text, numbered. The text keeps a gloss's
// number, four bytes, where a view would take sixteen; the glosses survive a change
// of the dictionary (an import) until the text is glossed again.
class GlossPool {
public:
    // The number of the empty gloss, which every cleared pool answers.
    static constexpr std::uint32_t kNoGloss = 0;

    GlossPool() { Clear(); }
    // The number of the pool's own copy of `gloss`.
    std::uint32_t Intern(std::string_view gloss) {
        if (gloss.empty()) {
            return kNoGloss;
        }
        auto it = m_index.find(gloss);
        if (it == m_index.end()) {
            it = m_index.emplace(std::string(gloss), static_cast<std::uint32_t>(m_views.size()))
                     .first;
            // Map nodes never move, so the view stays valid while the entry lives.
            m_views.push_back(it->first);
        }
        return it->second;
    }
    std::string_view View(std::uint32_t number) const { return m_views[number]; }
    // Forgets every gloss; numbers handed out before no longer count.
    void Clear() {
        m_index.clear();
        m_views.assign(1, std::string_view());
    }
    // Distinct non-empty glosses.
    std::size_t Size() const { return m_views.size() - 1; }
    // Heap bytes held, roughly: nodes, bucket array, long strings and the views.
    std::size_t MemoryBytes() const;

private:
    StringIndex m_index;                    // gloss -> number
    std::vector<std::string_view> m_views;  // number -> gloss; 0 is the empty gloss
};
