#include "PhraseMatching.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "ByteClass.h"
#include "CDicMain.h"
#include "PhraseTable.h"

namespace {

constexpr std::size_t kMostGap = 3;   // words between a verb and its particle
constexpr std::size_t kMostSlot = 3;  // words a slot takes
// A form of several pieces (an entry written with a space), walked piece by piece.
constexpr std::uint32_t kSpacedForm = PhraseTable::kNoPiece - 1;

std::uint32_t PieceOf(const PhraseTable& table, std::string_view form) {
    return form.find(' ') != std::string_view::npos ? kSpacedForm : table.PieceNumber(form);
}

// One word of a run of text no punctuation breaks.
struct Item {
    std::size_t token;
    std::string_view surface;    // written small
    std::string_view reduced;    // the entry it reduces to, when another word; else empty
    std::uint32_t surfacePiece;  // the phrase table's numbers of the two, or kNoPiece
    std::uint32_t reducedPiece;
    bool surfaceOpens;   // whether a key opens with the surface
    bool reducedOpens;   // whether one opens with the reduced form
    bool surfaceGoesOn;  // whether a key has the surface after its first piece
    bool reducedGoesOn;  // the same for the reduced form
    PosTag tag;
    bool joinedToNext;  // a hyphen or apostrophe, and no space, before the next word
    char joiner;        // '-' or '\'' when joined
    bool mayBePiece;    // false for a word the text uses as a name
};

bool IsJoiner(std::string_view token) {
    return token == "-" || token == "'" || token == "\xE2\x80\x99" || token == "\xE2\x80\x90" ||
           token == "\xE2\x80\x91";
}

bool IsWordToken(std::string_view token) {
    return !token.empty() && ClassifyFront(token).kind == ByteClass::Word;
}

bool BlankLineBetween(std::string_view earlier, std::string_view later) {
    const char* from = earlier.data() + earlier.size();
    return std::count(from, later.data(), '\n') >= 2;
}

bool IsNoun(PosTag tag) {
    return tag == PosTag::NN || tag == PosTag::NNS || tag == PosTag::NNP || tag == PosTag::NNPS;
}

bool IsVerb(PosTag tag) {
    return tag == PosTag::VB || tag == PosTag::VBD || tag == PosTag::VBG || tag == PosTag::VBN ||
           tag == PosTag::VBP || tag == PosTag::VBZ;
}

bool OpensNounPhrase(PosTag tag) {
    return IsNoun(tag) || tag == PosTag::DT || tag == PosTag::PRPS || tag == PosTag::PRP ||
           tag == PosTag::JJ || tag == PosTag::CD || tag == PosTag::PDT;
}

bool IsParticle(std::string_view word) {
    static constexpr std::array<std::string_view, 18> kParticles = {
        "up",    "down",   "off",   "out",   "away",  "back",    "over",     "in",    "on",
        "aside", "around", "round", "about", "along", "through", "together", "apart", "forward"};
    return std::find(kParticles.begin(), kParticles.end(), word) != kParticles.end();
}

bool IsReflexive(std::string_view word) {
    static constexpr std::array<std::string_view, 9> kReflexives = {
        "myself",  "yourself",  "himself",    "herself",   "itself",
        "oneself", "ourselves", "yourselves", "themselves"};
    return std::find(kReflexives.begin(), kReflexives.end(), word) != kReflexives.end();
}

// At most kMostSlot lengths, kept on the stack: a slot is tried at many words.
class SlotLengthList {
public:
    void clear() { m_count = 0; }
    void push_back(std::size_t length) { m_lengths[m_count++] = length; }
    const std::size_t* begin() const { return m_lengths.data(); }
    const std::size_t* end() const { return m_lengths.data() + m_count; }

private:
    std::array<std::size_t, kMostSlot> m_lengths{};
    std::size_t m_count = 0;
};

class RunMatcher {
public:
    RunMatcher(const PhraseTable& table, const CDicMain& dic, std::vector<PhraseMatch>& out,
               std::vector<std::uint32_t>& pieces)
        : m_table(table), m_dic(dic), m_out(out), m_pieces(pieces) {}

    void Match(const std::vector<Item>& items) {
        m_items = &items;
        for (std::size_t i = 0; i < items.size();) {
            // Cleared, not replaced: the pieces' room is kept for the next word.
            m_best.row = PhraseTable::kNoRow;
            m_best.last = 0;
            m_best.pieces.clear();
            if (i == 0 || !items[i - 1].joinedToNext) {
                const Item& item = items[i];
                for (const bool reducedForm : {false, true}) {
                    if (!item.mayBePiece ||
                        !(reducedForm ? item.reducedOpens : item.surfaceOpens)) {
                        continue;
                    }
                    const std::optional<PhraseTable::Step> step = Next(
                        PhraseTable::kStart, reducedForm ? item.reducedPiece : item.surfacePiece,
                        reducedForm ? item.reduced : item.surface);
                    m_path.assign(1, i);
                    Extend(i, i + 1, step->node, step->prefix);
                }
            }
            if (m_best.row == PhraseTable::kNoRow) {
                ++i;
                continue;
            }
            Record(i);
            i = m_best.last + 1;
        }
    }

private:
    struct Best {
        std::uint32_t row = PhraseTable::kNoRow;
        std::size_t last = 0;
        std::vector<std::size_t> pieces;
    };

    std::optional<PhraseTable::Step> Next(std::uint32_t node, std::uint32_t piece,
                                          std::string_view form) const {
        return piece == kSpacedForm ? m_table.NextPieces(node, form) : m_table.Next(node, piece);
    }

    void Consider(std::uint32_t row, std::size_t last, const std::vector<std::size_t>& path) {
        if ((*m_items)[last].joinedToNext) {
            return;  // never ends inside a chain
        }
        if (m_best.row == PhraseTable::kNoRow || last > m_best.last) {
            m_best.row = row;
            m_best.last = last;
            m_best.pieces = path;
        }
    }

    // Whether items [from, from + count) are a short noun phrase: a pronoun or noun
    // alone, or a determiner or possessive, any adjectives or nouns, a noun last.
    bool NounPhrase(std::size_t from, std::size_t count) const {
        const std::vector<Item>& items = *m_items;
        if (from + count > items.size()) {
            return false;
        }
        for (std::size_t i = from; i + 1 < from + count; ++i) {
            if (items[i].joinedToNext) {
                return false;
            }
        }
        const PosTag first = items[from].tag;
        const PosTag last = items[from + count - 1].tag;
        if (count == 1) {
            return IsNoun(first) || first == PosTag::PRP;
        }
        if (!(first == PosTag::DT || first == PosTag::PRPS || first == PosTag::CD ||
              first == PosTag::PDT) ||
            !IsNoun(last)) {
            return false;
        }
        for (std::size_t i = from + 1; i + 1 < from + count; ++i) {
            const PosTag tag = items[i].tag;
            if (!(IsNoun(tag) || tag == PosTag::JJ || tag == PosTag::JJR || tag == PosTag::JJS ||
                  tag == PosTag::CD)) {
                return false;
            }
        }
        return true;
    }

    // The lengths a slot may take at `from`, longest first, into `lengths`.
    void SlotLengths(std::string_view slot, std::size_t from, SlotLengthList& lengths) const {
        lengths.clear();
        const std::vector<Item>& items = *m_items;
        if (from >= items.size()) {
            return;
        }
        if (slot == "one's") {
            // "her" is a possessive or an object: as a slot of a phrase, a possessive.
            static constexpr std::array<std::string_view, 7> kPossessives = {
                "my", "your", "his", "her", "its", "our", "their"};
            if (std::find(kPossessives.begin(), kPossessives.end(), items[from].surface) !=
                kPossessives.end()) {
                lengths.push_back(1);
            }
        } else if (slot == "oneself") {
            if (IsReflexive(items[from].surface)) {
                lengths.push_back(1);
            }
        } else {
            for (std::size_t count = kMostSlot; count >= 1; --count) {
                if (NounPhrase(from, count)) {
                    lengths.push_back(count);
                }
            }
        }
    }

    // Goes on from `node`, whose prefix entry is `prefix`, at item `next`.
    void Extend(std::size_t first, std::size_t next, std::uint32_t node,
                const PhraseTable::Prefix prefix) {
        std::vector<std::size_t>& path = m_path;
        if (prefix.row != PhraseTable::kNoRow) {
            Consider(prefix.row, next - 1, path);
        }
        const std::vector<Item>& items = *m_items;
        if (!prefix.longer || next >= items.size()) {
            return;
        }
        const Item& following = items[next];
        if (following.mayBePiece) {
            for (const bool reducedForm : {false, true}) {
                if (reducedForm && following.reduced.empty()) {
                    continue;
                }
                if (!(reducedForm ? following.reducedGoesOn : following.surfaceGoesOn)) {
                    continue;
                }
                if (const std::optional<PhraseTable::Step> longer =
                        Next(node, reducedForm ? following.reducedPiece : following.surfacePiece,
                             reducedForm ? following.reduced : following.surface)) {
                    path.push_back(next);
                    Extend(first, next + 1, longer->node, longer->prefix);
                    path.pop_back();
                }
            }
        }
        for (std::size_t s = 0; s < PhraseTable::kSlots.size(); ++s) {
            if ((prefix.followingSlots & (1u << s)) == 0) {
                continue;
            }
            const std::optional<PhraseTable::Step> slotted =
                m_table.Next(node, m_table.SlotPiece(s));
            SlotLengthList lengths;
            SlotLengths(PhraseTable::kSlots[s], next, lengths);
            for (const std::size_t length : lengths) {
                Extend(first, next + length, slotted->node, slotted->prefix);
            }
        }
        // A verb and its particle with the object between: "put the book down".
        if (path.size() == 1 && IsVerb(items[first].tag) && !items[first].joinedToNext) {
            for (std::size_t gap = 1; gap <= kMostGap; ++gap) {
                const std::size_t particle = next + gap;
                if (particle >= items.size() || !NounPhrase(next, gap) ||
                    !IsParticle(items[particle].surface) || items[particle].joinedToNext ||
                    (particle + 1 < items.size() && OpensNounPhrase(items[particle + 1].tag))) {
                    continue;
                }
                const std::optional<PhraseTable::Step> whole =
                    Next(node, items[particle].surfacePiece, items[particle].surface);
                if (whole && whole->prefix.row != PhraseTable::kNoRow) {
                    path.push_back(particle);
                    Consider(whole->prefix.row, particle, path);
                    path.pop_back();
                }
            }
        }
    }

    void Record(std::size_t first) {
        const std::vector<Item>& items = *m_items;
        PhraseMatch match{};
        match.firstToken = static_cast<std::uint32_t>(items[first].token);
        match.row = m_best.row;
        match.gloss = 0;
        match.entry = UINT32_MAX;
        match.tokenCount = static_cast<std::uint8_t>(
            std::min<std::size_t>(items[m_best.last].token - items[first].token + 1, 255));
        match.opaque = m_table.At(m_best.row).opaque;
        // A chain written without a space ("x-ray", "o'clock") may be an entry of its
        // own, which then decides at which steps the phrase is glossed.
        bool chain = m_best.pieces.size() == m_best.last - first + 1;
        std::string written;
        for (std::size_t i = first; chain && i <= m_best.last; ++i) {
            written += items[i].surface;
            if (i < m_best.last) {
                chain = items[i].joinedToNext;
                written += items[i].joiner;
            }
        }
        if (chain) {
            if (const std::optional<std::uint32_t> entry = m_dic.FindReachedEntry(written)) {
                match.entry = *entry;
            }
        }
        m_out.push_back(match);
        for (const std::size_t piece : m_best.pieces) {
            m_pieces.push_back(static_cast<std::uint32_t>(items[piece].token));
        }
    }

    const PhraseTable& m_table;
    const CDicMain& m_dic;
    std::vector<PhraseMatch>& m_out;
    std::vector<std::uint32_t>& m_pieces;
    const std::vector<Item>* m_items = nullptr;
    std::vector<std::size_t> m_path;  // the items of the pieces matched so far
    Best m_best;
};

std::string_view OneLetter(char c) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz";
    if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
    }
    const std::size_t at = kLetters.find(c);
    return at == std::string_view::npos ? std::string_view() : kLetters.substr(at, 1);
}

}  // namespace

std::vector<PhraseMatch> FindPhrases(const TextStore& store,
                                     const std::vector<CParagraph>& paragraphs,
                                     const std::vector<PosTag>& tags, const PhraseTable& table,
                                     const CDicMain& dic, const std::vector<std::uint8_t>& isName,
                                     std::vector<std::uint32_t>& pieces) {
    std::vector<PhraseMatch> matches;
    if (table.Size() == 0) {
        return matches;
    }
    // Per word number, once: the entry it reduces to, and whether it may open a key.
    const std::size_t words = store.words.Size();
    std::vector<std::string_view> reduced(words);
    std::vector<std::uint8_t> looked(words, 0);
    std::vector<std::uint8_t> opens(words, 0);  // 1, 2: surface, reduced opens a key; 4, 8: goes on
    std::vector<std::uint32_t> surfacePiece(words, PhraseTable::kNoPiece);
    std::vector<std::uint32_t> reducedPiece(words, PhraseTable::kNoPiece);
    auto reducedOf = [&](std::uint32_t word) -> std::string_view {
        if (looked[word] == 0) {
            looked[word] = 1;
            const std::string_view surface = store.words.Word(word);
            if (const std::optional<std::uint32_t> entry = dic.FindReachedEntry(surface);
                entry && *entry < dic.m_arrItems.size()) {
                const std::string_view base = dic.m_arrItems[*entry].m_strWord;
                if (base != surface) {
                    reduced[word] = base;
                }
            }
            const bool hasReduced = !reduced[word].empty();
            surfacePiece[word] = PieceOf(table, surface);
            if (hasReduced) {
                reducedPiece[word] = PieceOf(table, reduced[word]);
            }
            opens[word] =
                static_cast<std::uint8_t>((table.OpensKey(surface) ? 1 : 0) |
                                          (hasReduced && table.OpensKey(reduced[word]) ? 2 : 0) |
                                          (table.GoesOnWith(surface) ? 4 : 0) |
                                          (hasReduced && table.GoesOnWith(reduced[word]) ? 8 : 0));
        }
        return reduced[word];
    };

    RunMatcher matcher(table, dic, matches, pieces);
    std::vector<Item> run;
    bool joinPending = false;
    char joiner = 0;
    auto flush = [&] {
        if (run.size() >= 2) {
            matcher.Match(run);
        }
        run.clear();
        joinPending = false;
    };
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const CParagraph& paragraph = paragraphs[p];
        if (p > 0 && BlankLineBetween(paragraphs[p - 1].m_strText, paragraph.m_strText)) {
            flush();
        }
        joinPending = false;  // a hyphen at a line's end joins nothing
        std::size_t lastEnd = 0;
        bool lastWasWord = false;
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view token = paragraph.Word(j);
            if (token.empty()) {
                continue;
            }
            const TokenSpan span = paragraph.Span(j);
            const std::size_t k = paragraph.FirstToken() + j;
            if (!IsWordToken(token)) {
                const bool joins = lastWasWord && span.offset == lastEnd && IsJoiner(token) &&
                                   j + 1 < paragraph.TokenCount() &&
                                   paragraph.Span(j + 1).offset == span.offset + span.length &&
                                   IsWordToken(paragraph.Word(j + 1));
                if (!joins) {
                    flush();
                }
                joinPending = joins;
                joiner = token == "'" || token == "\xE2\x80\x99" ? '\'' : '-';
                lastWasWord = false;
                continue;
            }
            if (joinPending && !run.empty()) {
                run.back().joinedToNext = true;
                run.back().joiner = joiner;
            }
            joinPending = false;
            Item item{k,
                      {},
                      {},
                      PhraseTable::kNoPiece,
                      PhraseTable::kNoPiece,
                      false,
                      false,
                      false,
                      false,
                      k < tags.size() ? tags[k] : PosTag::None,
                      false,
                      0,
                      true};
            const std::uint32_t word = paragraph.WordId(j);
            if (word != WordTable::kNoWord) {
                item.surface = store.words.Word(word);
                item.reduced = reducedOf(word);
                item.surfacePiece = surfacePiece[word];
                item.reducedPiece = reducedPiece[word];
                item.surfaceOpens = (opens[word] & 1) != 0;
                item.reducedOpens = (opens[word] & 2) != 0;
                item.surfaceGoesOn = (opens[word] & 4) != 0;
                item.reducedGoesOn = (opens[word] & 8) != 0;
                item.mayBePiece = !(word < isName.size() && isName[word] != 0);
            } else {
                item.surface = OneLetter(token[0]);
                item.surfacePiece =
                    item.surface.empty() ? PhraseTable::kNoPiece : table.PieceNumber(item.surface);
                item.surfaceOpens = !item.surface.empty() && table.OpensKey(item.surface);
                item.surfaceGoesOn = !item.surface.empty() && table.GoesOnWith(item.surface);
                item.mayBePiece = !item.surface.empty();
            }
            run.push_back(item);
            lastEnd = span.offset + span.length;
            lastWasWord = true;
        }
    }
    flush();
    return matches;
}
