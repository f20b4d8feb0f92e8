#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
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
    bool GoesOnWith(std::string_view piece) const {
        const std::uint32_t number = PieceNumber(piece);
        return number != kNoPiece && m_laterPiece[number] != 0;
    }

    // The keys' opening pieces as a tree, so that a text's words, numbered once, walk
    // it without building and hashing the pieces' text at every word. A node is a
    // key's opening pieces; kStart is before the first.
    static constexpr std::uint32_t kNoPiece = UINT32_MAX;
    static constexpr std::uint32_t kStart = UINT32_MAX;
    // The piece's number, kNoPiece for a piece of no key.
    std::uint32_t PieceNumber(std::string_view piece) const;
    std::uint32_t SlotPiece(std::size_t slot) const { return m_slotPieces[slot]; }
    struct Step {
        std::uint32_t node;
        Prefix prefix;
    };
    // The node after `node` with the piece numbered `piece`; nullopt when no key goes so.
    std::optional<Step> Next(std::uint32_t node, std::uint32_t piece) const {
        if (piece == kNoPiece) {
            return std::nullopt;
        }
        // Most words after a key's opening pieces go on with none of its keys; the
        // node's own bits say so without the probe, which is nearly always a cache miss.
        if (node != kStart && (m_nodes[node].childBits & PieceBit(piece)) == 0) {
            return std::nullopt;
        }
        const std::uint32_t child = m_children.Find(ChildKey(node, piece));
        if (child == kNoChild) {
            return std::nullopt;
        }
        return Step{child, Unpack(m_nodes[child].value)};
    }
    // The same for a form that may hold several pieces ("put up").
    std::optional<Step> NextPieces(std::uint32_t node, std::string_view pieces) const;

    static bool IsSlot(std::string_view piece) {
        return piece == "sb" || piece == "sth" || piece == "one's" || piece == "oneself";
    }

private:
    // False for a key that is no phrase: fewer than two pieces, a piece not written
    // small, a slot first.
    static bool ValidKey(std::string_view key);
    void Add(Row row);
    std::uint32_t AddPiece(std::string_view piece);
    static std::uint64_t ChildKey(std::uint32_t node, std::uint32_t piece) {
        return (static_cast<std::uint64_t>(node) << 32) | piece;
    }
    static Prefix Unpack(std::uint32_t value);
    static std::uint64_t PieceBit(std::uint32_t piece) {
        return std::uint64_t{1} << ((piece * 0x9E3779B1u) >> 26);
    }

    // Node and piece to the next node, in one array probed from the key's hash: the
    // matcher asks it at most words of a text, and a node-based map's scattered nodes
    // made nearly every answer a cache miss or two.
    static constexpr std::uint32_t kNoChild = UINT32_MAX;
    class ChildIndex {
    public:
        // The node under `key`, adding `node` there when there is none; whether added.
        std::pair<std::uint32_t, bool> TryEmplace(std::uint64_t key, std::uint32_t node);
        std::uint32_t Find(std::uint64_t key) const {
            if (m_slots.empty()) {
                return kNoChild;
            }
            const std::size_t mask = m_slots.size() - 1;
            for (std::size_t at = Hash(key) & mask;; at = (at + 1) & mask) {
                const Slot& slot = m_slots[at];
                if (slot.key == key) {
                    return slot.node;
                }
                if (slot.key == kEmpty) {
                    return kNoChild;
                }
            }
        }

    private:
        // No key is this: its node would be kStart and its piece kNoPiece.
        static constexpr std::uint64_t kEmpty = UINT64_MAX;
        struct Slot {
            std::uint64_t key = kEmpty;
            std::uint32_t node = kNoChild;
        };
        static std::size_t Hash(std::uint64_t key) {
            key ^= key >> 33;
            key *= 0xff51afd7ed558ccdULL;
            key ^= key >> 33;
            return static_cast<std::size_t>(key);
        }
        void Grow();
        std::vector<Slot> m_slots;  // a power of two of them, at most half full
        std::size_t m_count = 0;
    };

    std::vector<Row> m_rows;
    StringIndex m_pieceNumbers;
    std::vector<std::uint8_t> m_laterPiece;  // by piece number: a piece of a key but its first
    std::array<std::uint32_t, 4> m_slotPieces{kNoPiece, kNoPiece, kNoPiece, kNoPiece};
    // Every key's opening pieces, a node each: the row (low 27 bits), in the top bit
    // whether longer keys go on from them, below it the slots that come next; beside
    // it, a bit (PieceBit) for each piece a child follows with.
    struct Node {
        std::uint64_t childBits = 0;
        std::uint32_t value = kNoRow;
    };
    std::vector<Node> m_nodes;
    ChildIndex m_children;  // ChildKey -> node
};

inline constexpr std::string_view kPhrasesFileName = "phrases.dat";
