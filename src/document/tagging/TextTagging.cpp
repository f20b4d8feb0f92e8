#include "TextTagging.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "ByteClass.h"
#include "Parallel.h"
#include "PosTagger.h"

namespace {

constexpr std::size_t kNoToken = SIZE_MAX;
// A run this long without a sentence end (a table, a list) is cut, so that a
// sentence's work stays small.
constexpr std::size_t kMostPieces = 200;
// Texts of fewer paragraphs are tagged on one thread: starting threads would cost more.
constexpr std::size_t kShareOutFrom = 2048;

constexpr std::string_view kCurlyApostrophe = "\xE2\x80\x99";

bool IsWordToken(std::string_view token) {
    return !token.empty() && ClassifyFront(token).kind == ByteClass::Word;
}

bool IsApostrophe(std::string_view token) { return token == "'" || token == kCurlyApostrophe; }

bool IsClosing(std::string_view token) {
    return token == "\"" || token == "'" || token == ")" || token == "]" ||
           token == "\xE2\x80\x9D" || token == kCurlyApostrophe || token == "\xC2\xBB";
}

std::string_view Lowered(std::string_view word, std::string& buffer) {
    buffer.assign(word);
    for (char& c : buffer) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return buffer;
}

// Words after whose full stop the sentence goes on.
bool IsAbbreviation(std::string_view word) {
    static constexpr std::string_view kAbbreviations[] = {
        "mr",     "mrs", "ms",   "dr", "st",  "prof", "gen", "col", "capt", "lt", "sgt", "rev",
        "messrs", "mme", "mlle", "vs", "etc", "no",   "vol", "ch",  "fig",  "jr", "sr",  "hon",
    };
    if (word.size() == 1) {
        return word[0] >= 'A' && word[0] <= 'Z';  // an initial
    }
    std::string buffer;
    const std::string_view lower = Lowered(word, buffer);
    return std::find(std::begin(kAbbreviations), std::end(kAbbreviations), lower) !=
           std::end(kAbbreviations);
}

// The second word of a contraction, as the tagger's lexicon spells it.
std::string_view ContractionPiece(std::string_view after, std::string_view before) {
    std::string buffer;
    const std::string_view lower = Lowered(after, buffer);
    if (lower == "s") {
        return "'s";
    }
    if (lower == "t" && before.size() >= 2 && (before.back() == 'n' || before.back() == 'N')) {
        return "n't";
    }
    for (const std::string_view piece : {"'ll", "'re", "'ve", "'m", "'d"}) {
        if (lower == piece.substr(1)) {
            return piece;
        }
    }
    return {};
}

class SentenceTagger {
public:
    SentenceTagger(const PosTagger& tagger, const TextStore& store, std::vector<PosTag>& tags)
        : m_tagger(tagger),
          m_store(store),
          m_out(tags),
          m_lexiconOfWord(store.words.Size()),
          m_lookedUp(store.words.Size(), 0),
          m_initial(store.words.Size()) {}

    // `token`: the store's token the piece's tag goes to, or kNoToken; `whole`: the
    // piece is that token as written, so its word's lexicon entry can be shared.
    void Add(std::string_view piece, std::size_t token, bool whole = false) {
        PosTagger::Piece added{piece, nullptr, false};
        if (whole && token != kNoToken) {
            const std::uint32_t word = m_store.tokenWords[token];
            if (word < m_lookedUp.size()) {
                const std::string_view lower = m_store.words.Word(word);
                if (m_lookedUp[word] == 0) {
                    m_lexiconOfWord[word] = m_tagger.Lexicon().Find(lower);
                    m_lookedUp[word] = 1;
                }
                added = {piece, m_lexiconOfWord[word], true, word, lower};
            }
        } else if (piece.size() == 1 && !(piece[0] >= 'A' && piece[0] <= 'Z')) {
            // Punctuation, mostly: looked up once per byte.
            const auto byte = static_cast<unsigned char>(piece[0]);
            if (m_byteLookedUp[byte] == 0) {
                m_lexiconOfByte[byte] = m_tagger.Lexicon().Find(piece);
                m_byteLookedUp[byte] = 1;
            }
            added = {piece, m_lexiconOfByte[byte], true};
        }
        m_pieces.push_back(added);
        m_owners.push_back(token);
        if (m_pieces.size() >= kMostPieces) {
            Flush();
        }
    }
    void Flush() {
        if (m_pieces.empty()) {
            return;
        }
        m_tagger.TagPieces(m_pieces, m_tags, &m_initial);
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            if (m_owners[i] != kNoToken) {
                m_out[m_owners[i]] = m_tags[i];
            }
        }
        m_pieces.clear();
        m_owners.clear();
    }
    std::string_view LastPiece() const {
        return m_pieces.empty() ? std::string_view() : m_pieces.back().text;
    }

private:
    const PosTagger& m_tagger;
    const TextStore& m_store;
    std::vector<PosTag>& m_out;
    std::vector<const LexiconTags*> m_lexiconOfWord;  // by word number, once looked up
    std::vector<std::uint8_t> m_lookedUp;
    PosTagger::InitialMemo m_initial;
    std::array<const LexiconTags*, 256> m_lexiconOfByte{};  // one-byte pieces, once looked up
    std::array<std::uint8_t, 256> m_byteLookedUp{};
    std::vector<PosTagger::Piece> m_pieces;
    std::vector<std::size_t> m_owners;  // store token number, or kNoToken
    std::vector<PosTag> m_tags;
};

// Whether a blank line (or more) lies between two lines of the store's text.
bool BlankLineBetween(std::string_view earlier, std::string_view later) {
    const char* from = earlier.data() + earlier.size();
    const char* to = later.data();
    return std::count(from, to, '\n') >= 2;
}

// Tags paragraphs [from, to), which start and end at blank lines, into `tags`.
void TagParagraphs(const TextStore& store, const std::vector<CParagraph>& paragraphs,
                   std::size_t from, std::size_t to, const PosTagger& tagger,
                   std::vector<PosTag>& tags) {
    SentenceTagger sentence(tagger, store, tags);
    bool endPending = false;  // a full stop was seen: closing quotes may follow it
    for (std::size_t p = from; p < to; ++p) {
        const CParagraph& paragraph = paragraphs[p];
        if (p > from && BlankLineBetween(paragraphs[p - 1].m_strText, paragraph.m_strText)) {
            sentence.Flush();
            endPending = false;
        }
        const std::size_t count = paragraph.TokenCount();
        const std::size_t first = paragraph.FirstToken();
        for (std::size_t j = 0; j < count; ++j) {
            const std::string_view token = paragraph.Word(j);
            if (token.empty()) {
                continue;
            }
            const bool isWord = IsWordToken(token);
            if (endPending && !(!isWord && IsClosing(token))) {
                sentence.Flush();
                endPending = false;
            }
            if (!isWord) {
                const bool ends = token == "!" || token == "?" ||
                                  (token == "." && !IsAbbreviation(sentence.LastPiece()));
                sentence.Add(token, kNoToken);
                endPending = endPending || ends;
                continue;
            }
            // A contraction: word, apostrophe, word, with nothing between.
            if (j + 2 < count && IsApostrophe(paragraph.Word(j + 1)) &&
                IsWordToken(paragraph.Word(j + 2))) {
                const std::string_view after = paragraph.Word(j + 2);
                const std::string_view piece = ContractionPiece(after, token);
                if (!piece.empty()) {
                    const std::string_view base =
                        piece == "n't" ? token.substr(0, token.size() - 1) : token;
                    sentence.Add(base, first + j);
                    sentence.Add(piece, first + j + 2);
                    j += 2;
                    continue;
                }
            }
            // A hyphenated compound: its pieces and hyphens, with nothing between.
            std::size_t last = j;
            while (last + 2 < count && paragraph.Word(last + 1) == "-" &&
                   IsWordToken(paragraph.Word(last + 2))) {
                last += 2;
            }
            const TokenSpan from = paragraph.Span(j);
            const TokenSpan to = paragraph.Span(last);
            sentence.Add(
                paragraph.m_strText.substr(from.offset, to.offset + to.length - from.offset),
                first + last, last == j);
            j = last;
        }
    }
    sentence.Flush();
}

// Where to cut the text into about `count` runs of paragraphs for taggers side by
// side: only at blank lines, where no sentence runs on.
std::vector<std::size_t> Cuts(const std::vector<CParagraph>& paragraphs, std::size_t count) {
    std::vector<std::size_t> cuts{0};
    for (std::size_t i = 1; i < count; ++i) {
        std::size_t at = std::max(cuts.back() + 1, paragraphs.size() * i / count);
        while (at < paragraphs.size() &&
               !BlankLineBetween(paragraphs[at - 1].m_strText, paragraphs[at].m_strText)) {
            ++at;
        }
        if (at >= paragraphs.size()) {
            break;
        }
        cuts.push_back(at);
    }
    cuts.push_back(paragraphs.size());
    return cuts;
}

}  // namespace

std::vector<PosTag> TagText(const TextStore& store, const std::vector<CParagraph>& paragraphs,
                            const PosTagger& tagger) {
    std::vector<PosTag> tags(store.tokenWords.size(), PosTag::None);
    // A long text is tagged in runs on several threads; each writes its own tokens.
    const std::size_t parts =
        paragraphs.size() < kShareOutFrom ? 1 : std::max<std::size_t>(ProcessorCount(), 1);
    const std::vector<std::size_t> cuts = Cuts(paragraphs, parts);
    RunInParts(cuts.size() - 1, [&](std::size_t part, const GoOn&) {
        TagParagraphs(store, paragraphs, cuts[part], cuts[part + 1], tagger, tags);
        return true;
    });
    return tags;
}
