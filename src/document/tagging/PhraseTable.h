#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "StringIndex.h"

// Phrases and compounds with a gloss of their own ("put up with", "well-bred", "X-ray"):
// each row's key is its pieces written small and joined by one space, with the slots
// sb, sth, one's and oneself for the words a use puts there. Glosses are GBK, like the
// dictionary's.
class PhraseTable {
public:
    struct Row {
        std::string key;
        std::string headword;  // as the dictionary writes it, UTF-8
        std::string gloss;     // GBK
        bool opaque;           // glossed even where none of its words is
    };

    // From data/phrases.tsv (key TAB headword TAB gloss TAB 0|1, UTF-8); nullopt with
    // the reason in `error` for any malformed row.
    static std::optional<PhraseTable> FromTsv(std::string_view text, std::string& error);
    // From the compiled file's bytes; nullopt with the reason for a damaged one.
    static std::optional<PhraseTable> FromCompiled(std::string_view bytes, std::string& error);
    std::string Compile() const;

    std::size_t Size() const { return m_rows.size(); }
    const Row& At(std::uint32_t row) const { return m_rows[row]; }

    static constexpr std::uint32_t kNoRow = 0x07FFFFFF;
    // The slots, in the order of the bits of Prefix::followingSlots.
    static constexpr std::array<std::string_view, 4> kSlots = {"sb", "sth", "one's", "oneself"};
    // What the table holds for a key's opening pieces ("put", "put up"): the row of
    // that whole key (kNoRow: none), whether longer keys go on from it, and which
    // slots come next in one (bit i: kSlots[i]).
    struct Prefix {
        std::uint32_t row = kNoRow;
        bool longer = false;
        std::uint8_t followingSlots = 0;
    };
    // nullopt when no key opens with `pieces`.
    std::optional<Prefix> Find(std::string_view pieces) const;
    // Whether any key opens with this piece.
    bool OpensKey(std::string_view piece) const { return Find(piece).has_value(); }
    // Whether any key has this piece after its first.
    bool GoesOnWith(std::string_view piece) const { return m_laterPieces.contains(piece); }

    static bool IsSlot(std::string_view piece) {
        return piece == "sb" || piece == "sth" || piece == "one's" || piece == "oneself";
    }

private:
    // False for a key that is no phrase: fewer than two pieces, a piece not written
    // small, a slot first.
    static bool ValidKey(std::string_view key);
    void Add(Row row);

    std::vector<Row> m_rows;
    // Every key's opening pieces: the row (low 27 bits), in the top bit whether longer
    // keys go on from them, below it the slots that come next.
    StringIndex m_prefixes;
    StringIndex m_laterPieces;  // every piece but a key's first
};

inline constexpr std::string_view kPhrasesFileName = "phrases.dat";
