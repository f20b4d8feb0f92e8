#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PosTag.h"
#include "StringIndex.h"

// Each word's gloss per part of speech (noun, verb, adjective, adverb), GBK like the
// dictionary's: the senses the word's dictionary entry lists under each.
class SenseTable {
public:
    static constexpr std::size_t kClasses = 4;  // noun, verb, adjective, adverb

    // From data/senses.tsv (word TAB n|v|a|r TAB gloss, UTF-8); nullopt with the reason
    // in `error` for any malformed row.
    static std::optional<SenseTable> FromTsv(std::string_view text, std::string& error);
    // From the compiled file's bytes; nullopt with the reason for a damaged one.
    static std::optional<SenseTable> FromCompiled(std::string_view bytes, std::string& error);
    std::string Compile() const;

    // The word's gloss for the class, or empty when its entry has no line of it.
    std::string_view Gloss(std::string_view word, WordClass wordClass) const;
    std::size_t Size() const { return m_glosses.size(); }

    // The slot of a class in a word's glosses; kClasses for the classes no entry sorts
    // its senses by (a proper noun, a function word).
    static std::size_t SlotOf(WordClass wordClass);

private:
    using Glosses = std::array<std::string, kClasses>;
    void Add(std::string_view word, std::size_t slot, std::string gloss);

    StringIndex m_index;               // word -> position in m_glosses
    std::vector<std::string> m_words;  // in the order added, for Compile
    std::vector<Glosses> m_glosses;
};

inline constexpr std::string_view kSensesFileName = "senses.dat";
