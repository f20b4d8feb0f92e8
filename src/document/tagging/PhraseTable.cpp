#include "PhraseTable.h"

#include <algorithm>

#include "CodePage.h"
#include "CompiledFile.h"
#include "TsvFile.h"

namespace {

constexpr std::string_view kMagic = "VWPHRASES1\n";
constexpr std::uint32_t kLonger = 0x80000000u;
constexpr unsigned kSlotShift = 27;  // bits 27-30: the slots that come next

}  // namespace

bool PhraseTable::ValidKey(std::string_view key) {
    std::size_t pieces = 0;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find(' ', start);
        if (end == std::string_view::npos) {
            end = key.size();
        }
        const std::string_view piece = key.substr(start, end - start);
        if (piece.empty()) {
            return false;
        }
        if (!IsSlot(piece)) {
            for (const char c : piece) {
                if (c < 'a' || c > 'z') {
                    return false;
                }
            }
        } else if (pieces == 0) {
            return false;
        }
        ++pieces;
        start = end + 1;
    }
    return pieces >= 2;
}

std::uint32_t PhraseTable::AddPiece(std::string_view piece) {
    const auto [it, added] = m_pieceNumbers.try_emplace(
        std::string(piece), static_cast<std::uint32_t>(m_laterPiece.size()));
    if (added) {
        m_laterPiece.push_back(0);
        for (std::size_t slot = 0; slot < kSlots.size(); ++slot) {
            if (piece == kSlots[slot]) {
                m_slotPieces[slot] = it->second;
            }
        }
    }
    return it->second;
}

std::pair<std::uint32_t, bool> PhraseTable::ChildIndex::TryEmplace(std::uint64_t key,
                                                                   std::uint32_t node) {
    if (2 * (m_count + 1) > m_slots.size()) {
        Grow();
    }
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = Hash(key) & mask;; at = (at + 1) & mask) {
        Slot& slot = m_slots[at];
        if (slot.key == key) {
            return {slot.node, false};
        }
        if (slot.key == kEmpty) {
            slot = {key, node};
            ++m_count;
            return {node, true};
        }
    }
}

void PhraseTable::ChildIndex::Grow() {
    std::vector<Slot> old(std::max<std::size_t>(16, 2 * m_slots.size()));
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& moved : old) {
        if (moved.key == kEmpty) {
            continue;
        }
        std::size_t at = Hash(moved.key) & mask;
        while (m_slots[at].key != kEmpty) {
            at = (at + 1) & mask;
        }
        m_slots[at] = moved;
    }
}

void PhraseTable::Add(Row row) {
    const auto number = static_cast<std::uint32_t>(m_rows.size());
    const std::string_view key = row.key;
    std::uint32_t node = kStart;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(key.find(' ', start), key.size());
        const std::string_view piece = key.substr(start, end - start);
        const std::uint32_t pieceNumber = AddPiece(piece);
        if (start > 0) {
            m_laterPiece[pieceNumber] = 1;
            // The node before this piece: longer keys go on from it, maybe by a slot.
            m_nodes[node].value |= kLonger;
            for (std::size_t slot = 0; slot < kSlots.size(); ++slot) {
                if (piece == kSlots[slot]) {
                    m_nodes[node].value |= 1u << (kSlotShift + slot);
                }
            }
        }
        const auto [child, added] = m_children.TryEmplace(
            ChildKey(node, pieceNumber), static_cast<std::uint32_t>(m_nodes.size()));
        if (added) {
            if (node != kStart) {
                m_nodes[node].childBits |= PieceBit(pieceNumber);
            }
            m_nodes.push_back(Node{});
        }
        node = child;
        if (end == key.size()) {
            break;
        }
        start = end + 1;
    }
    if ((m_nodes[node].value & kNoRow) == kNoRow) {
        m_nodes[node].value = (m_nodes[node].value & ~kNoRow) | number;
    }
    m_rows.push_back(std::move(row));
}

PhraseTable::Prefix PhraseTable::Unpack(std::uint32_t value) {
    return Prefix{value & kNoRow, (value & kLonger) != 0,
                  static_cast<std::uint8_t>((value >> kSlotShift) & 0x0F)};
}

std::uint32_t PhraseTable::PieceNumber(std::string_view piece) const {
    const auto it = m_pieceNumbers.find(piece);
    return it == m_pieceNumbers.end() ? kNoPiece : it->second;
}

std::optional<PhraseTable::Step> PhraseTable::NextPieces(std::uint32_t node,
                                                         std::string_view pieces) const {
    std::optional<Step> step;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = std::min(pieces.find(' ', start), pieces.size());
        step = Next(node, PieceNumber(pieces.substr(start, end - start)));
        if (!step || end == pieces.size()) {
            return step;
        }
        node = step->node;
        start = end + 1;
    }
}

std::optional<PhraseTable::Prefix> PhraseTable::Find(std::string_view pieces) const {
    const std::optional<Step> step = NextPieces(kStart, pieces);
    if (!step) {
        return std::nullopt;
    }
    return step->prefix;
}

std::optional<PhraseTable> PhraseTable::FromTsv(std::string_view text, std::string& error) {
    PhraseTable table;
    try {
        for (const TsvRow& row : ParseTsv(text, 4)) {
            const std::string_view key = row.fields[0];
            const std::string_view headword = row.fields[1];
            std::optional<std::string> gloss = codepage::Utf8ToGbk(row.fields[2]);
            const std::string_view opaque = row.fields[3];
            if (key.size() > 255 || !ValidKey(key) || headword.empty() || headword.size() > 255 ||
                !gloss || gloss->empty() || gloss->size() > 255 ||
                (opaque != "0" && opaque != "1") ||
                table.Find(key).value_or(Prefix{}).row != kNoRow) {
                error = "line " + std::to_string(row.line) + ": bad key, headword, gloss or mark";
                return std::nullopt;
            }
            table.Add({std::string(key), std::string(headword), std::move(*gloss), opaque == "1"});
        }
    } catch (const TsvError& e) {
        error = e.what();
        return std::nullopt;
    }
    return table;
}

std::string PhraseTable::Compile() const {
    std::string payload;
    compiled::PutU32(payload, static_cast<std::uint32_t>(m_rows.size()));
    for (const Row& row : m_rows) {
        compiled::PutText(payload, row.key);
        compiled::PutText(payload, row.headword);
        compiled::PutText(payload, row.gloss);
        payload.push_back(row.opaque ? '\1' : '\0');
    }
    return compiled::Frame(kMagic, payload);
}

std::optional<PhraseTable> PhraseTable::FromCompiled(std::string_view bytes, std::string& error) {
    const std::optional<std::string_view> payload = compiled::Unframe(bytes, kMagic, error);
    if (!payload) {
        return std::nullopt;
    }
    PhraseTable table;
    compiled::PayloadReader in(*payload);
    const std::uint32_t rows = in.U32();
    // Each row takes at least its three lengths and its mark.
    if (rows > in.Left() / 4) {
        error = "the file is damaged";
        return std::nullopt;
    }
    table.m_rows.reserve(rows);
    for (std::uint32_t r = 0; r < rows && in.Ok(); ++r) {
        const std::string_view key = in.Text();
        const std::string_view headword = in.Text();
        const std::string_view gloss = in.Text();
        const std::uint8_t opaque = in.U8();
        if (!in.Ok() || !ValidKey(key) || headword.empty() || gloss.empty() || opaque > 1 ||
            table.Find(key).value_or(Prefix{}).row != kNoRow) {
            error = "the file is damaged";
            return std::nullopt;
        }
        table.Add({std::string(key), std::string(headword), std::string(gloss), opaque == 1});
    }
    if (!in.Ok() || !in.AtEnd()) {
        error = "the file is damaged";
        return std::nullopt;
    }
    return table;
}
