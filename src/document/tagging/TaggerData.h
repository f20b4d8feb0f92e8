#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "PosTag.h"
#include "StringIndex.h"

// What a transformation rule looks at besides the token's own tag. Words are compared
// in lower case; "tag -1" is the previous token's tag, and so on.
enum class RuleCondition : std::uint8_t {
    StartWord,         // the sentence's first token is word c1
    PrevTag,           // tag -1 is c1
    NextTag,           // tag +1 is c1
    NextTag2,          // tag +2 is c1
    PrevTag2,          // tag -2 is c1
    Prev1Or2Tag,       // tag -1 or -2 is c1
    Prev1Or2Or3Tag,    // tag -1, -2 or -3 is c1
    Next1Or2Tag,       // tag +1 or +2 is c1
    Next1Or2Or3Tag,    // tag +1, +2 or +3 is c1
    PrevWord,          // word -1 is c1
    PrevWord2,         // word -2 is c1
    Prev1Or2Word,      // word -1 or -2 is c1
    NextWord,          // word +1 is c1
    NextWord2,         // word +2 is c1
    Next1Or2Word,      // word +1 or +2 is c1
    PrevWordPrevTag,   // word -1 is c1 and tag -1 is c2
    CurrentWord,       // the word is c1
    WordPrevTag,       // tag -1 is c1 and the word is c2
    WordPrevWord,      // word -1 is c1 and the word is c2
    WordNextTag,       // the word is c1 and tag +1 is c2
    WordNextWord,      // the word is c1 and word +1 is c2
    SurroundTag,       // tag -1 is c1 and tag +1 is c2
    SurroundTagWord,   // the word is c1, tag -1 is c2 and tag +1 is c3
    Prev2Tags,         // tag -2 is c1 and tag -1 is c2
    Next2Tags,         // tag +1 is c1 and tag +2 is c2
    Prev2TagsNextTag,  // tag -2 is c1, tag -1 is c2 and tag +1 is c3
    Prev2Words,        // word -1 is c1 and word -2 is c2
    End,               // the sentence's last token
};

struct TaggerRule {
    PosTag from = PosTag::None;
    PosTag to = PosTag::None;
    RuleCondition condition = RuleCondition::End;
    bool secondPassOnly = false;
    // Applied only when the lexicon does not know the word or allows it `to`.
    bool checkLexicon = false;
    std::array<PosTag, 3> tags{};      // the operands that are tags
    std::array<std::string, 3> words;  // the operands that are words, lower case
};

// The tags a word may have, most likely first.
struct LexiconTags {
    static constexpr std::size_t kMost = 8;
    std::array<PosTag, kMost> tags{};
    std::uint8_t count = 0;
    // A bit for each of the tags, by the tag's number, so that Allows, asked several
    // times at every token, tests one bit: set by the lexicon as it takes the entry in.
    std::uint64_t allowed = 0;

    PosTag First() const { return count > 0 ? tags[0] : PosTag::None; }
    bool Allows(PosTag tag) const { return ((allowed >> static_cast<unsigned>(tag)) & 1u) != 0; }
    // The first tag of the verb's, or None.
    PosTag FirstVerb() const;
};

// The tagger's data: a lexicon of words with the tags they may have, and the rules
// that change a token's tag by its neighbours, in the order they are tried.
class TaggerData {
public:
    TaggerData() = default;
    // The word list points into the index's keys, which a copy would not bring along.
    TaggerData(const TaggerData&) = delete;
    TaggerData& operator=(const TaggerData&) = delete;
    TaggerData(TaggerData&&) noexcept = default;
    TaggerData& operator=(TaggerData&&) noexcept = default;

    // From the two UTF-8 TSV sources (data/tagger-lexicon.tsv, data/tagger-rules.tsv);
    // nullopt, with the reason in `error`, for any malformed row.
    static std::optional<TaggerData> FromTsv(std::string_view lexicon, std::string_view rules,
                                             std::string& error);
    // From the compiled file's bytes; nullopt, with the reason in `error`, for a file
    // that is not one or is damaged anywhere.
    static std::optional<TaggerData> FromCompiled(std::string_view bytes, std::string& error);
    // The compiled file's bytes.
    std::string Compile() const;

    // The word's tags as spelled, or nullptr.
    const LexiconTags* Find(std::string_view word) const;
    // The position of a lexicon entry Find answered, from 0 to LexiconSize() - 1.
    std::size_t PositionOf(const LexiconTags* tags) const {
        return static_cast<std::size_t>(tags - m_tags.data());
    }
    const std::vector<TaggerRule>& Rules() const { return m_rules; }
    std::size_t LexiconSize() const { return m_tags.size(); }

private:
    void AddWord(std::string word, const LexiconTags& tags);

    StringIndex m_index;                    // word -> position in m_tags
    std::vector<std::string_view> m_words;  // in m_index's keys, in the order added
    std::vector<LexiconTags> m_tags;
    std::vector<TaggerRule> m_rules;
};

// The name of the compiled file beside main.dic.
inline constexpr std::string_view kTaggerFileName = "tagger.dat";
