#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Penn Treebank part-of-speech tags, the tagger's data's own, and None for a token
// that is not tagged (a blank, a piece of a word the tag went to another piece of).
enum class PosTag : std::uint8_t {
    None,
    CC,
    CD,
    DT,
    EX,
    FW,
    IN,
    JJ,
    JJR,
    JJS,
    LS,
    MD,
    NN,
    NNS,
    NNP,
    NNPS,
    PDT,
    POS,
    PRP,
    PRPS,  // PRP$
    RB,
    RBR,
    RBS,
    RP,
    SYM,
    TO,
    UH,
    VB,
    VBD,
    VBG,
    VBN,
    VBP,
    VBZ,
    WDT,
    WP,
    WPS,  // WP$
    WRB,
    Comma,
    Stop,
    Colon,
    Quote,
    Open,
    Close,
    Dollar,
    Hash,
};

inline constexpr std::size_t kPosTagCount = static_cast<std::size_t>(PosTag::Hash) + 1;

// The tag as the data writes it ("NN", "PRP$", ","); "" for None.
std::string_view PosTagName(PosTag tag);
// The tag a name stands for; nullopt for any other text (None has no name).
std::optional<PosTag> ParsePosTag(std::string_view name);

// What a dictionary's senses are sorted by: the classes of content words.
enum class WordClass : std::uint8_t { Other, Noun, ProperNoun, Verb, Adjective, Adverb };
WordClass ClassOf(PosTag tag);
// "NOUN", "PROPN", "VERB", "ADJ", "ADV" or "X": the names Universal Dependencies use.
std::string_view WordClassName(WordClass wordClass);
