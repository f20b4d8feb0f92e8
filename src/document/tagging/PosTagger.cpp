#include "PosTagger.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsSmall(char c) { return c >= 'a' && c <= 'z'; }

bool EndsWith(std::string_view word, std::string_view ending) {
    return word.size() > ending.size() && word.substr(word.size() - ending.size()) == ending;
}

// Digits with at most one joint: 12, 1990, 3:30, 12-14, '95.
bool IsNumber(std::string_view word) {
    if (!word.empty() && word[0] == '\'') {
        word.remove_prefix(1);
    }
    std::size_t i = 0;
    while (i < word.size() && IsDigit(word[i])) {
        ++i;
    }
    if (i == 0) {
        return false;
    }
    if (i < word.size() &&
        (word[i] == '-' || word[i] == '/' || word[i] == ':' || word[i] == '.' || word[i] == ',')) {
        ++i;
    }
    while (i < word.size() && IsDigit(word[i])) {
        ++i;
    }
    return i == word.size();
}

bool IsOrdinalNumber(std::string_view word) {
    std::size_t i = 0;
    while (i < word.size() && IsDigit(word[i])) {
        ++i;
    }
    const std::string_view rest = word.substr(i);
    return i > 0 && (rest == "st" || rest == "nd" || rest == "rd" || rest == "th" || rest == "s");
}

// A plural the lexicon does not know: "-s", but not "-ss", "-us" or "-is".
bool LooksPlural(std::string_view lower) {
    return lower.size() > 3 && lower.back() == 's' && !EndsWith(lower, "ss") &&
           !EndsWith(lower, "us") && !EndsWith(lower, "is");
}

struct SuffixGuess {
    std::string_view endings;  // separated by blanks
    PosTag tag;
};

// Word endings that tell the part of speech of a word the lexicon does not know.
constexpr SuffixGuess kSuffixGuesses[] = {
    {"rate late nate ize ise ify", PosTag::VB},
    {"rates lates nates izes ises ifies", PosTag::VBZ},
    {"rating lating nating izing ising ifying", PosTag::VBG},
    {"rated lated nated ized ised ified", PosTag::VBN},
    {"acy dom ence ance ist ity ment ness ship sion tion ism hood", PosTag::NN},
    {"able ible ical esque ous etic atic egic ophic ish ive gic tic mic less ful ilar ular like "
     "some escent tary nary ial",
     PosTag::JJ},
    {"ly wise ward wards", PosTag::RB},
    {"ing", PosTag::VBG},
    {"ed", PosTag::VBN},
    {"iest", PosTag::JJS},
};

PosTag GuessBySuffix(std::string_view lower) {
    for (const SuffixGuess& guess : kSuffixGuesses) {
        std::string_view rest = guess.endings;
        while (!rest.empty()) {
            const std::size_t blank = rest.find(' ');
            const std::string_view ending = rest.substr(0, blank);
            if (EndsWith(lower, ending) && lower.size() >= ending.size() + 2) {
                return guess.tag;
            }
            rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
        }
    }
    return PosTag::None;
}

// Prefixes that leave the part of speech of the word they are put before.
constexpr std::string_view kPrefixes[] = {
    "counter", "under", "over", "inter", "super", "trans", "multi", "micro", "ultra", "hyper",
    "anti",    "semi",  "mis",  "non",   "out",   "pre",   "dis",   "re",    "un",    "co",
};

bool IsFormOfBe(std::string_view word) {
    return word == "is" || word == "was" || word == "are" || word == "were" || word == "be" ||
           word == "been" || word == "being" || word == "'s" || word == "'re" || word == "am" ||
           word == "'m";
}

bool IsNominalOrAdjective(PosTag tag) {
    const WordClass wordClass = ClassOf(tag);
    return wordClass == WordClass::Noun || wordClass == WordClass::ProperNoun ||
           wordClass == WordClass::Adjective || tag == PosTag::CD || tag == PosTag::VBG ||
           tag == PosTag::VBN;
}

bool IsDegreeAdverb(std::string_view word) {
    static constexpr std::string_view kAdverbs[] = {
        "very",       "so",      "too",      "extremely",    "quite",      "really",   "pretty",
        "rather",     "more",    "most",     "less",         "least",      "fairly",   "highly",
        "completely", "totally", "somewhat", "increasingly", "incredibly", "terribly",
    };
    return std::find(std::begin(kAdverbs), std::end(kAdverbs), word) != std::end(kAdverbs);
}

bool IsLinkingVerb(std::string_view word) {
    static constexpr std::string_view kVerbs[] = {
        "seem",   "seems",   "seemed", "look",   "looks",   "looked",
        "feel",   "feels",   "felt",   "remain", "remains", "remained",
        "become", "becomes", "became", "appear", "appears", "appeared",
    };
    return std::find(std::begin(kVerbs), std::end(kVerbs), word) != std::end(kVerbs);
}

bool IsSubjectPronoun(std::string_view word) {
    return word == "i" || word == "you" || word == "we" || word == "they";
}

// Verbs "there" stands before as the existential subject.
bool IsBeingVerb(std::string_view word) {
    static constexpr std::string_view kVerbs[] = {
        "is",       "are",   "was",    "were",   "be",      "been",     "being",
        "'s",       "'re",   "seem",   "seems",  "seemed",  "appear",   "appears",
        "appeared", "exist", "exists", "remain", "remains", "remained", "has",
        "have",     "had",   "'ve",    "'d",     "'ll",     "lies",     "came",
        "comes",    "come",  "stood",  "stands", "lived",   "arose",
    };
    return std::find(std::begin(kVerbs), std::end(kVerbs), word) != std::end(kVerbs);
}

// What the fixed rules after the learnt ones ask of a word, found once per word so
// that trying them at a token compares bits, not spellings.
enum WordFlag : std::uint32_t {
    kDo = 1u << 0,              // do, does, did
    kNot = 1u << 1,             // n't, not
    kSubjectPronoun = 1u << 2,  // IsSubjectPronoun
    kLetMake = 1u << 3,         // let, make, see ... before an object and a base form
    kHeSheIt = 1u << 4,         // he, she, it, who, that, which
    kObjectPronoun = 1u << 5,   // me, him, them, us
    kThat = 1u << 6,
    kRoughly = 1u << 7,  // about, around, over, under
    kPlease = 1u << 8,
    kAgo = 1u << 9,
    kDegree = 1u << 10,   // IsDegreeAdverb
    kLinking = 1u << 11,  // IsLinkingVerb
    kBe = 1u << 12,       // IsFormOfBe
    kAmPm = 1u << 13,
    kHaveOrBe = 1u << 14,   // has, have, had, having, been, being, be, was, were, is, are
    kHaveOrWas = 1u << 15,  // has, have, had, was, were, been
    kBeing = 1u << 16,      // IsBeingVerb
    kLike = 1u << 17,
    kAlsoReally = 1u << 18,  // also, really
    kWhenHow = 1u << 19,
};

bool IsOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::uint32_t FlagsOf(std::string_view w) {
    std::uint32_t flags = 0;
    auto set = [&flags](bool on, WordFlag flag) { flags |= on ? flag : 0u; };
    set(IsOneOf(w, {"do", "does", "did"}), kDo);
    set(IsOneOf(w, {"n't", "not"}), kNot);
    set(IsSubjectPronoun(w), kSubjectPronoun);
    set(IsOneOf(w, {"let", "make", "help", "made", "lets", "helps", "makes", "watch", "saw", "see",
                    "heard", "hear"}),
        kLetMake);
    set(IsOneOf(w, {"he", "she", "it", "who", "that", "which"}), kHeSheIt);
    set(IsOneOf(w, {"me", "him", "them", "us"}), kObjectPronoun);
    set(w == "that", kThat);
    set(IsOneOf(w, {"about", "around", "over", "under"}), kRoughly);
    set(w == "please", kPlease);
    set(w == "ago", kAgo);
    set(IsDegreeAdverb(w), kDegree);
    set(IsLinkingVerb(w), kLinking);
    set(IsFormOfBe(w), kBe);
    set(IsOneOf(w, {"am", "pm"}), kAmPm);
    set(IsOneOf(
            w, {"has", "have", "had", "having", "been", "being", "be", "was", "were", "is", "are"}),
        kHaveOrBe);
    set(IsOneOf(w, {"has", "have", "had", "was", "were", "been"}), kHaveOrWas);
    set(IsBeingVerb(w), kBeing);
    set(w == "like", kLike);
    set(IsOneOf(w, {"also", "really"}), kAlsoReally);
    set(IsOneOf(w, {"when", "how"}), kWhenHow);
    return flags;
}

// Every word FlagsOf gives a flag: the rules' words and the predicates' lists.
std::vector<std::string_view> FlaggedWords() {
    std::vector<std::string_view> words = {
        "do",           "does",       "did",      "n't",        "not",       "i",
        "you",          "we",         "they",     "let",        "make",      "help",
        "made",         "lets",       "helps",    "makes",      "watch",     "saw",
        "see",          "heard",      "hear",     "he",         "she",       "it",
        "who",          "that",       "which",    "me",         "him",       "them",
        "us",           "about",      "around",   "over",       "under",     "please",
        "ago",          "very",       "so",       "too",        "extremely", "quite",
        "really",       "pretty",     "rather",   "more",       "most",      "less",
        "least",        "fairly",     "highly",   "completely", "totally",   "somewhat",
        "increasingly", "incredibly", "terribly", "seem",       "seems",     "seemed",
        "look",         "looks",      "looked",   "feel",       "feels",     "felt",
        "remain",       "remains",    "remained", "become",     "becomes",   "became",
        "appear",       "appears",    "appeared", "is",         "was",       "are",
        "were",         "be",         "been",     "being",      "'s",        "'re",
        "am",           "'m",         "pm",       "has",        "have",      "had",
        "having",       "exist",      "exists",   "'ve",        "'d",        "'ll",
        "lies",         "came",       "comes",    "come",       "stood",     "stands",
        "lived",        "arose",      "like",     "also",       "when",      "how",
    };
    return words;
}

}  // namespace

namespace {

// The operand that is the token's own word, for the conditions that have one.
std::optional<std::size_t> OwnWordOperand(RuleCondition condition) {
    switch (condition) {
        case RuleCondition::StartWord:
        case RuleCondition::CurrentWord:
        case RuleCondition::WordNextTag:
        case RuleCondition::WordNextWord:
        case RuleCondition::SurroundTagWord:
            return 0;
        case RuleCondition::WordPrevTag:
        case RuleCondition::WordPrevWord:
            return 1;
        default:
            return std::nullopt;
    }
}

}  // namespace

PosTagger::PosTagger(const TaggerData& data) : m_data(data) {
    for (auto& rules : m_rulesFrom) {
        rules.resize(kPosTagCount);
    }
    for (auto& rules : m_rulesFromForOtherWords) {
        rules.resize(kPosTagCount);
    }
    auto number = [this](const std::string& word) {
        const auto [it, added] =
            m_ruleWords.try_emplace(word, static_cast<std::uint16_t>(m_ruleWords.size() + 1));
        return static_cast<std::uint16_t>(it->second);
    };
    m_blankWord = number("");
    const std::vector<TaggerRule>& rules = data.Rules();
    for (std::size_t r = 0; r < rules.size(); ++r) {
        const TaggerRule& rule = rules[r];
        Rule tried{static_cast<std::uint32_t>(r),
                   rule.to,
                   rule.condition,
                   rule.checkLexicon,
                   rule.tags,
                   {},
                   0};
        for (std::size_t k = 0; k < rule.words.size(); ++k) {
            tried.words[k] = number(rule.words[k]);
        }
        if (const std::optional<std::size_t> own = OwnWordOperand(rule.condition)) {
            tried.ownWord = tried.words[*own];
        }
        const auto from = static_cast<std::size_t>(rule.from);
        for (std::size_t pass = 0; pass < 2; ++pass) {
            if (rule.secondPassOnly && pass == 0) {
                continue;
            }
            m_rulesFrom[pass][from].push_back(tried);
            if (tried.ownWord == 0) {
                m_rulesFromForOtherWords[pass][from].push_back(tried);
            }
        }
    }
    m_ownRulesOfWord.assign(m_ruleWords.size() + 1, 0);
    for (std::size_t pass = 0; pass < 2; ++pass) {
        for (const std::vector<Rule>& fromTag : m_rulesFrom[pass]) {
            for (const Rule& rule : fromTag) {
                if (rule.ownWord == 0 || m_ownRulesOfWord[rule.ownWord] != 0) {
                    continue;
                }
                m_ownRulesOfWord[rule.ownWord] =
                    static_cast<std::uint16_t>(m_ownRulesFrom[0].size() + 1);
                for (std::size_t p = 0; p < 2; ++p) {
                    std::vector<std::vector<Rule>>& lists = m_ownRulesFrom[p].emplace_back();
                    lists.resize(kPosTagCount);
                    for (std::size_t tag = 0; tag < kPosTagCount; ++tag) {
                        for (const Rule& r : m_rulesFrom[p][tag]) {
                            if (r.ownWord == 0 || r.ownWord == rule.ownWord) {
                                lists[tag].push_back(r);
                            }
                        }
                    }
                }
            }
        }
    }
    m_flagsOfEntry.assign(data.LexiconSize(), 0);
    for (const std::string_view word : FlaggedWords()) {
        const std::uint32_t flags = FlagsOf(word);
        m_flagWords.try_emplace(std::string(word), flags);
        if (const LexiconTags* known = data.Find(word)) {
            m_flagsOfEntry[data.PositionOf(known)] = flags;
        }
    }
    m_ruleWordOfEntry.assign(data.LexiconSize(), 0);
    for (const auto& [word, wordNumber] : m_ruleWords) {
        if (const LexiconTags* known = data.Find(word)) {
            m_ruleWordOfEntry[data.PositionOf(known)] = static_cast<std::uint16_t>(wordNumber);
        }
    }
}

std::uint16_t PosTagger::WordNumber(std::string_view lower, const LexiconTags* known) const {
    if (known != nullptr) {
        return m_ruleWordOfEntry[m_data.PositionOf(known)];
    }
    const auto it = m_ruleWords.find(lower);
    return it == m_ruleWords.end() ? 0 : static_cast<std::uint16_t>(it->second);
}

std::uint32_t PosTagger::WordFlags(std::string_view lower, const LexiconTags* known) const {
    if (known != nullptr) {
        return m_flagsOfEntry[m_data.PositionOf(known)];
    }
    const auto it = m_flagWords.find(lower);
    return it == m_flagWords.end() ? 0 : it->second;
}

namespace {

// Where a word's capitals are, when that and its lower-case spelling give its
// spelling: 0 none, 1 the first letter alone, 2 every byte; -1 otherwise.
int CapitalShape(std::string_view text) {
    bool laterCapital = false;
    bool laterAllCapitals = true;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const bool capital = IsCapital(text[i]);
        laterCapital = laterCapital || capital;
        laterAllCapitals = laterAllCapitals && capital;
    }
    const bool firstCapital = !text.empty() && IsCapital(text[0]);
    if (!laterCapital) {
        return firstCapital ? 1 : 0;
    }
    return firstCapital && laterAllCapitals && text.size() >= 2 ? 2 : -1;
}

}  // namespace

PosTag PosTagger::InitialOf(const Token& token, std::uint32_t word, InitialMemo* memo) const {
    const int shape = memo != nullptr && word < memo->m_tags.size() ? CapitalShape(token.text) : -1;
    if (shape < 0) {
        return Initial(token);
    }
    std::uint8_t& kept = memo->m_tags[word][static_cast<std::size_t>(shape)];
    if (kept == InitialMemo::kNotYet[0]) {
        kept = static_cast<std::uint8_t>(Initial(token));
    }
    return static_cast<PosTag>(kept);
}

PosTag PosTagger::Initial(const Token& token) const {
    const std::string_view text = token.text;
    // A capitalised word the lexicon knows in small letters is that word (a
    // sentence's first, a heading's, a title's); only others take the capitalised
    // spelling's own entry (a name the lexicon has only with a capital).
    const bool allCapitals = text.size() >= 2 && std::all_of(text.begin(), text.end(), IsCapital);
    // Only a spelling with capitals differs from its small one.
    const bool capitals = std::any_of(text.begin(), text.end(), IsCapital);
    if (const LexiconTags* exact = capitals ? m_data.Find(text) : token.known;
        exact != nullptr && (token.known == nullptr || allCapitals ||
                             (exact->First() != PosTag::NNP && exact->First() != PosTag::NNPS))) {
        return exact->First();
    }
    if (text == "'s") {
        return PosTag::POS;
    }
    if (text == "'re" || text == "'m" || text == "'ve") {
        return PosTag::VBP;
    }
    if (text == "'ll" || text == "'d") {
        return PosTag::MD;
    }
    if (text == "n't") {
        return PosTag::RB;
    }
    if (IsNumber(text) || IsOrdinalNumber(token.lower)) {
        return PosTag::CD;
    }
    const bool capitalised =
        IsCapital(text[0]) && std::any_of(text.begin() + 1, text.end(), IsSmall);
    if (token.known != nullptr) {
        return token.known->First();
    }
    if (!IsSmall(token.lower[0]) && !IsDigit(token.lower[0])) {
        return static_cast<unsigned char>(text[0]) >= 0x80 ? PosTag::NN : PosTag::SYM;
    }
    const std::size_t hyphen = token.lower.rfind('-');
    if (hyphen != std::string::npos && hyphen + 1 < token.lower.size()) {
        // A compound the lexicon does not know: its last piece decides, a participle
        // making an adjective of it ("long-awaited", "good-looking").
        const LexiconTags* last = m_data.Find(std::string_view(token.lower).substr(hyphen + 1));
        const PosTag tag = last != nullptr ? last->First() : PosTag::None;
        if (tag == PosTag::VBN || tag == PosTag::VBD || tag == PosTag::VBG || tag == PosTag::JJ) {
            return PosTag::JJ;
        }
        if (tag == PosTag::NN || tag == PosTag::NNS) {
            return capitalised ? PosTag::NNP : tag;
        }
        return capitalised ? PosTag::NNP : PosTag::JJ;
    }
    if (capitalised) {
        return LooksPlural(token.lower) ? PosTag::NNPS : PosTag::NNP;
    }
    for (const std::string_view prefix : kPrefixes) {
        if (token.lower.size() > prefix.size() + 3 && token.lower.starts_with(prefix)) {
            if (const LexiconTags* rest =
                    m_data.Find(std::string_view(token.lower).substr(prefix.size()))) {
                return rest->First();
            }
        }
    }
    if (const PosTag guess = GuessBySuffix(token.lower); guess != PosTag::None) {
        return guess;
    }
    return LooksPlural(token.lower) ? PosTag::NNS : PosTag::NN;
}

void PosTagger::PreRules(std::vector<Token>& tokens, std::vector<PosTag>& tags) const {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        Token& token = tokens[i];
        if (token.blocked) {
            continue;
        }
        const PosTag prev = i > 0 ? tags[i - 1] : PosTag::None;
        const PosTag next = i + 1 < tags.size() ? tags[i + 1] : PosTag::None;
        if (i == 0 && token.lower == "that") {
            tags[i] = PosTag::DT;
            token.blocked = true;
        } else if (prev == PosTag::TO && token.known != nullptr &&
                   token.known->Allows(PosTag::VB)) {
            tags[i] = PosTag::VB;
            token.blocked = true;
        } else if (tags[i] == PosTag::JJ && next == PosTag::DT && token.known != nullptr &&
                   token.known->FirstVerb() != PosTag::None) {
            tags[i] = token.known->FirstVerb();
        }
    }
}

void PosTagger::ApplyRules(const std::vector<Token>& tokens, PosTag* tags,
                           const std::uint16_t* words, bool secondPass) const {
    const std::size_t n = tokens.size();
    auto tagAt = [&](std::size_t i, std::ptrdiff_t offset) {
        return tags[static_cast<std::ptrdiff_t>(i) + offset];
    };
    // Words by their numbers among the rules' words: past either end, "".
    auto wordAt = [&](std::size_t i, std::ptrdiff_t offset) {
        return words[static_cast<std::ptrdiff_t>(i) + offset];
    };
    const std::size_t pass = secondPass ? 1 : 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (tokens[i].blocked) {
            continue;
        }
        const std::uint16_t word = tokens[i].word;
        const std::uint16_t own = word < m_ownRulesOfWord.size() ? m_ownRulesOfWord[word] : 0;
        const auto& rulesFrom =
            own == 0 ? m_rulesFromForOtherWords[pass] : m_ownRulesFrom[pass][own - 1];
        // Rules are tried in the data's order; a rule that fires hands the token to
        // the later rules of its new tag.
        std::uint32_t after = 0;  // the first rule's place that may still be tried
        bool changed = true;
        while (changed) {
            changed = false;
            const std::vector<Rule>& rules = rulesFrom[static_cast<std::size_t>(tags[i])];
            // (Most tokens keep their first tag: no rule fired, none to pass over.)
            auto rule = after == 0 ? rules.begin()
                                   : std::lower_bound(rules.begin(), rules.end(), after,
                                                      [](const Rule& r, std::uint32_t order) {
                                                          return r.order < order;
                                                      });
            for (; rule != rules.end(); ++rule) {
                const auto& t = rule->tags;
                const auto& w = rule->words;
                bool fits = false;
                switch (rule->condition) {
                    case RuleCondition::StartWord:
                        fits = i == 0 && word == w[0];
                        break;
                    case RuleCondition::PrevTag:
                        fits = tagAt(i, -1) == t[0];
                        break;
                    case RuleCondition::NextTag:
                        fits = tagAt(i, 1) == t[0];
                        break;
                    case RuleCondition::NextTag2:
                        fits = tagAt(i, 2) == t[0];
                        break;
                    case RuleCondition::PrevTag2:
                        fits = tagAt(i, -2) == t[0];
                        break;
                    case RuleCondition::Prev1Or2Tag:
                        fits = tagAt(i, -1) == t[0] || tagAt(i, -2) == t[0];
                        break;
                    case RuleCondition::Prev1Or2Or3Tag:
                        fits = tagAt(i, -1) == t[0] || tagAt(i, -2) == t[0] || tagAt(i, -3) == t[0];
                        break;
                    case RuleCondition::Next1Or2Tag:
                        fits = tagAt(i, 1) == t[0] || tagAt(i, 2) == t[0];
                        break;
                    case RuleCondition::Next1Or2Or3Tag:
                        fits = tagAt(i, 1) == t[0] || tagAt(i, 2) == t[0] || tagAt(i, 3) == t[0];
                        break;
                    case RuleCondition::PrevWord:
                        fits = wordAt(i, -1) == w[0];
                        break;
                    case RuleCondition::PrevWord2:
                        fits = wordAt(i, -2) == w[0];
                        break;
                    case RuleCondition::Prev1Or2Word:
                        fits = wordAt(i, -1) == w[0] || wordAt(i, -2) == w[0];
                        break;
                    case RuleCondition::NextWord:
                        fits = wordAt(i, 1) == w[0];
                        break;
                    case RuleCondition::NextWord2:
                        fits = wordAt(i, 2) == w[0];
                        break;
                    case RuleCondition::Next1Or2Word:
                        fits = wordAt(i, 1) == w[0] || wordAt(i, 2) == w[0];
                        break;
                    case RuleCondition::PrevWordPrevTag:
                        fits = wordAt(i, -1) == w[0] && tagAt(i, -1) == t[1];
                        break;
                    case RuleCondition::CurrentWord:
                        fits = word == w[0];
                        break;
                    case RuleCondition::WordPrevTag:
                        fits = word == w[1] && tagAt(i, -1) == t[0];
                        break;
                    case RuleCondition::WordPrevWord:
                        fits = word == w[1] && wordAt(i, -1) == w[0];
                        break;
                    case RuleCondition::WordNextTag:
                        fits = word == w[0] && tagAt(i, 1) == t[1];
                        break;
                    case RuleCondition::WordNextWord:
                        fits = word == w[0] && wordAt(i, 1) == w[1];
                        break;
                    case RuleCondition::SurroundTag:
                        fits = tagAt(i, -1) == t[0] && tagAt(i, 1) == t[1];
                        break;
                    case RuleCondition::SurroundTagWord:
                        fits = word == w[0] && tagAt(i, -1) == t[1] && tagAt(i, 1) == t[2];
                        break;
                    case RuleCondition::Prev2Tags:
                        fits = tagAt(i, -2) == t[0] && tagAt(i, -1) == t[1];
                        break;
                    case RuleCondition::Next2Tags:
                        fits = tagAt(i, 1) == t[0] && tagAt(i, 2) == t[1];
                        break;
                    case RuleCondition::Prev2TagsNextTag:
                        fits = tagAt(i, -2) == t[0] && tagAt(i, -1) == t[1] && tagAt(i, 1) == t[2];
                        break;
                    case RuleCondition::Prev2Words:
                        fits = wordAt(i, -1) == w[0] && wordAt(i, -2) == w[1];
                        break;
                    case RuleCondition::End:
                        fits = i + 1 == n;
                        break;
                }
                if (fits && rule->checkLexicon && tokens[i].known != nullptr &&
                    !tokens[i].known->Allows(rule->to)) {
                    fits = false;
                }
                if (fits) {
                    tags[i] = rule->to;
                    after = rule->order + 1;
                    changed = true;
                    break;
                }
            }
        }
    }
}

void PosTagger::PostRules(const std::vector<Token>& tokens, PosTag* tags,
                          const std::uint32_t* flags, std::size_t firstWord) const {
    const std::size_t n = tokens.size();
    auto tagAt = [&](std::size_t i, std::ptrdiff_t offset) {
        return tags[static_cast<std::ptrdiff_t>(i) + offset];
    };
    // The words' flags, none past either end.
    auto flagsAt = [&](std::size_t i, std::ptrdiff_t offset) {
        return flags[static_cast<std::ptrdiff_t>(i) + offset];
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (tokens[i].blocked) {
            continue;
        }
        const LexiconTags* known = tokens[i].known;
        const PosTag tag = tags[i];
        const PosTag prev = tagAt(i, -1);
        const std::uint32_t own = tokens[i].flags;
        const std::uint32_t prevWord = flagsAt(i, -1);
        const std::uint32_t beforeWord = flagsAt(i, -2);
        const bool mayBeBase =
            known != nullptr && (known->Allows(PosTag::VB) || known->Allows(PosTag::VBP));
        // After "to", a modal or "do": the verb's base form.
        if ((tag == PosTag::NN || tag == PosTag::VBP || tag == PosTag::JJ) && mayBeBase &&
            (prev == PosTag::TO || prev == PosTag::MD || (prevWord & kDo) != 0 ||
             ((prevWord & kNot) != 0 && ((beforeWord & kDo) != 0 || tagAt(i, -2) == PosTag::MD)) ||
             (prev == PosTag::RB && tagAt(i, -2) == PosTag::MD))) {
            tags[i] = PosTag::VB;
            continue;
        }
        // A sentence that opens with a verb before its object is a request ("Let me
        // know", "Hope this helps").
        if (i == firstWord && (tag == PosTag::NN || tag == PosTag::VBP) && mayBeBase &&
            known->Allows(PosTag::VB) &&
            (tagAt(i, 1) == PosTag::PRP || tagAt(i, 1) == PosTag::DT ||
             tagAt(i, 1) == PosTag::PRPS || tagAt(i, 1) == PosTag::TO)) {
            tags[i] = PosTag::VB;
            continue;
        }
        // After a subject pronoun, the verb; after "let me", "make him", the base.
        if ((tag == PosTag::NN || tag == PosTag::VBP) && mayBeBase && prev == PosTag::PRP) {
            // ("You blackguard!" calls a name.)
            if ((prevWord & kSubjectPronoun) != 0 && tagAt(i, 1) != PosTag::Stop) {
                tags[i] = PosTag::VBP;
                continue;
            }
            if ((beforeWord & kLetMake) != 0) {
                tags[i] = PosTag::VB;
                continue;
            }
        }
        if (tag == PosTag::NNS && known != nullptr && known->Allows(PosTag::VBZ) &&
            (prevWord & kHeSheIt) != 0) {
            tags[i] = PosTag::VBZ;
            continue;
        }
        // A word the lexicon does not know after "to" is a verb ("to behead").
        if (known == nullptr && prev == PosTag::TO && (tag == PosTag::NN || tag == PosTag::JJ)) {
            tags[i] = PosTag::VB;
            continue;
        }
        // An object pronoun follows a verb, not a noun: "behead them", "makes me".
        const std::uint32_t nextWord = flagsAt(i, 1);
        const bool objectNext = (nextWord & kObjectPronoun) != 0;
        const PosTag next = tagAt(i, 1);
        if (known != nullptr && objectNext) {
            if (tag == PosTag::NNS && known->Allows(PosTag::VBZ)) {
                tags[i] = PosTag::VBZ;
                continue;
            }
            if (tag == PosTag::NN && mayBeBase) {
                tags[i] = known->Allows(PosTag::VBP) && (prev == PosTag::PRP || prev == PosTag::NNS)
                              ? PosTag::VBP
                              : PosTag::VB;
                continue;
            }
        }
        // A singular subject, then "-s" before an object: "Xinhua reports that",
        // "the hymn talks about".
        if (tag == PosTag::NNS && known != nullptr && known->Allows(PosTag::VBZ) &&
            (prev == PosTag::NN || prev == PosTag::NNP) &&
            (next == PosTag::DT || next == PosTag::PRPS || (nextWord & kThat) != 0)) {
            tags[i] = PosTag::VBZ;
            continue;
        }
        // A participle between a determiner and a noun describes it: "the hidden costs".
        if ((tag == PosTag::VBN || tag == PosTag::VBD) && known != nullptr &&
            known->Allows(PosTag::JJ) && (prev == PosTag::DT || prev == PosTag::PRPS) &&
            (next == PosTag::NN || next == PosTag::NNS)) {
            tags[i] = PosTag::JJ;
            continue;
        }
        // "about 20", "around 5 pm": roughly.
        if (tag == PosTag::IN && next == PosTag::CD && (own & kRoughly) != 0) {
            tags[i] = PosTag::RB;
            continue;
        }
        // "please contact", "I highly doubt it".
        if ((tag == PosTag::NN || tag == PosTag::VBP) && mayBeBase && known->Allows(PosTag::VB) &&
            ((prevWord & kPlease) != 0 || (prev == PosTag::RB && tagAt(i, -2) == PosTag::PRP &&
                                           (beforeWord & kSubjectPronoun) != 0))) {
            tags[i] = (prevWord & kPlease) != 0 ? PosTag::VB : PosTag::VBP;
            continue;
        }
        // "... and view the future": a verb joined to the verb before the "and".
        if (tag == PosTag::NN && mayBeBase && prev == PosTag::CC &&
            (next == PosTag::DT || next == PosTag::PRPS || next == PosTag::PRP)) {
            for (std::size_t back = 2; back <= 5 && back <= i; ++back) {
                const PosTag before = tags[i - back];
                if (before == PosTag::VB || before == PosTag::VBP) {
                    tags[i] = before;
                    break;
                }
            }
            if (tags[i] != tag) {
                continue;
            }
        }
        // A preposition with no object is an adverb: "years ago", "never before.".
        if (tag == PosTag::IN && known != nullptr &&
            (known->Allows(PosTag::RB) || known->Allows(PosTag::RP)) &&
            (next == PosTag::Stop || next == PosTag::Comma || next == PosTag::Colon ||
             next == PosTag::CC || next == PosTag::None || (own & kAgo) != 0)) {
            tags[i] = PosTag::RB;
            continue;
        }
        // An adjective after a determiner with no noun after it is the noun ("the
        // interior looked new", "my favorite.").
        // ("a peculiar and exceptional position" joins two adjectives; "the hidden
        // costs" puts a participle before the noun.)
        const bool participleBeforeNoun =
            (next == PosTag::VBN || next == PosTag::VBG) && ClassOf(tagAt(i, 2)) == WordClass::Noun;
        if (tag == PosTag::JJ && known != nullptr && known->Allows(PosTag::NN) &&
            (prev == PosTag::DT || prev == PosTag::PRPS) &&
            !(next == PosTag::CC && ClassOf(tagAt(i, 2)) == WordClass::Adjective) &&
            !participleBeforeNoun &&
            (!IsNominalOrAdjective(next) || next == PosTag::VBN || next == PosTag::VBG)) {
            tags[i] = PosTag::NN;
            continue;
        }
        // After "very", "so", "too": an adjective ("very clean", "too complicated").
        if (known != nullptr && known->Allows(PosTag::JJ) &&
            (ClassOf(tag) == WordClass::Verb || tag == PosTag::NN) && (prevWord & kDegree) != 0) {
            tags[i] = PosTag::JJ;
            continue;
        }
        // A participle the lexicon also knows as an adjective, after a verb like "seem",
        // says how somebody is: "remain devoted". (After "be" it is mostly a passive.)
        if (tag == PosTag::VBN && known != nullptr && known->Allows(PosTag::JJ) &&
            (prevWord & kLinking) != 0) {
            tags[i] = PosTag::JJ;
            continue;
        }
        // After a determiner or possessive: a noun, not a verb ("your focus"), or an
        // adjective before one ("your prompt reply").
        if ((prev == PosTag::DT || prev == PosTag::PRPS || prev == PosTag::POS) &&
            known != nullptr && (tag == PosTag::VB || tag == PosTag::VBP) &&
            known->Allows(PosTag::JJ) &&
            (next == PosTag::NN || next == PosTag::NNS || next == PosTag::CC)) {
            tags[i] = PosTag::JJ;
            continue;
        }
        const bool determined =
            prev == PosTag::DT || prev == PosTag::PRPS || prev == PosTag::POS ||
            (prev == PosTag::JJ && (tagAt(i, -2) == PosTag::DT || tagAt(i, -2) == PosTag::PRPS));
        if (determined && known != nullptr) {
            if (ClassOf(tag) == WordClass::Verb && tag != PosTag::VBZ && tag != PosTag::VBG &&
                known->Allows(PosTag::NN) && (tokens[i - 1].flags & kThat) == 0) {
                tags[i] = PosTag::NN;
                continue;
            }
            if (tag == PosTag::VBZ && known->Allows(PosTag::NNS) &&
                (tokens[i - 1].flags & kThat) == 0) {
                tags[i] = PosTag::NNS;
                continue;
            }
        }
        // A singular noun cannot take a plural verb: in "a stern frown", the first is
        // the adjective and the second the noun.
        if (tag == PosTag::VBP && prev == PosTag::NN && known != nullptr &&
            known->Allows(PosTag::NN) && i >= 2 && tokens[i - 1].known != nullptr &&
            tokens[i - 1].known->Allows(PosTag::JJ) &&
            (tagAt(i, -2) == PosTag::DT || tagAt(i, -2) == PosTag::PRPS)) {
            tags[i - 1] = PosTag::JJ;
            tags[i] = PosTag::NN;
            continue;
        }
        // A word that may be an adjective straight after "be", with no noun after it,
        // is one: "the wine was light.".
        if (tag == PosTag::NN && known != nullptr && known->Allows(PosTag::JJ) &&
            (prevWord & kBe) != 0 && !IsNominalOrAdjective(next)) {
            tags[i] = PosTag::JJ;
            continue;
        }
        // No verb's base form follows "be": "was clean", "is fine".
        if ((tag == PosTag::VB || tag == PosTag::VBP) && known != nullptr &&
            known->Allows(PosTag::JJ) && (prevWord & kBe) != 0) {
            tags[i] = PosTag::JJ;
            continue;
        }
        // "5 pm": the time of day.
        if ((own & kAmPm) != 0 && prev == PosTag::CD) {
            tags[i] = PosTag::NN;
            continue;
        }
        // After "have" or "be": a participle.
        if (tag == PosTag::VBD && known != nullptr && known->Allows(PosTag::VBN) &&
            ((prevWord & kHaveOrBe) != 0 ||
             (prev == PosTag::RB && (beforeWord & kHaveOrWas) != 0))) {
            tags[i] = PosTag::VBN;
            continue;
        }
        if (tag == PosTag::VBN && known != nullptr && known->Allows(PosTag::VBD) &&
            (prev == PosTag::PRP || (prev == PosTag::RB && tagAt(i, -2) == PosTag::PRP))) {
            tags[i] = PosTag::VBD;
            continue;
        }
        // "There" is existential before a verb of being, else the place.
        if (tag == PosTag::EX && (nextWord & kBeing) == 0 &&
            !(tagAt(i, 1) == PosTag::MD || tagAt(i, 1) == PosTag::RB)) {
            tags[i] = PosTag::RB;
            continue;
        }
        // "like" after a subject, a modal or "to" is the verb.
        if ((own & kLike) != 0 && tag == PosTag::IN &&
            (prev == PosTag::PRP || prev == PosTag::NNS || prev == PosTag::NNP ||
             prev == PosTag::MD || prev == PosTag::TO || (prevWord & (kNot | kAlsoReally)) != 0)) {
            tags[i] = prev == PosTag::MD || prev == PosTag::TO || (prevWord & kNot) != 0
                          ? PosTag::VB
                          : PosTag::VBP;
            continue;
        }
        if ((own & kWhenHow) != 0 && tag == PosTag::RB) {
            tags[i] = PosTag::WRB;
            continue;
        }
    }
}

void PosTagger::TagSentence(const std::vector<std::string_view>& words,
                            std::vector<PosTag>& tags) const {
    std::vector<Piece> pieces;
    pieces.reserve(words.size());
    for (const std::string_view word : words) {
        pieces.push_back({word, nullptr, false});
    }
    TagPieces(pieces, tags);
}

void PosTagger::TagPieces(const std::vector<Piece>& pieces, std::vector<PosTag>& tags,
                          InitialMemo* memo) const {
    std::vector<Token> tokens;
    tokens.reserve(pieces.size());
    tags.assign(pieces.size(), PosTag::None);
    // The lower case the caller did not give, in one buffer made big enough at once,
    // so that the views into it stay put.
    std::size_t lowerBytes = 0;
    for (const Piece& piece : pieces) {
        lowerBytes += piece.lowerText.empty() ? piece.text.size() : 0;
    }
    std::string lowered;
    lowered.reserve(lowerBytes);
    for (const Piece& piece : pieces) {
        std::string_view lower = piece.lowerText;
        if (lower.empty()) {
            const std::size_t start = lowered.size();
            for (const char c : piece.text) {
                lowered.push_back(IsCapital(c) ? static_cast<char>(c - 'A' + 'a') : c);
            }
            lower = std::string_view(lowered).substr(start);
        }
        tokens.push_back({piece.text, lower, piece.lower, false, 0, 0});
        Token& token = tokens.back();
        if (!piece.lookedUp) {
            token.known = m_data.Find(token.lower);
        }
        token.word = WordNumber(token.lower, token.known);
        token.flags = WordFlags(token.lower, token.known);
    }
    bool sentenceStart = true;
    std::size_t firstWord = tokens.size();
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const std::string_view text = tokens[i].text;
        if (text.empty()) {
            tags[i] = PosTag::None;
            tokens[i].blocked = true;
            continue;
        }
        tags[i] = InitialOf(tokens[i], pieces[i].word, memo);
        const bool letters = IsSmall(tokens[i].lower[0]);
        if (sentenceStart && letters) {
            firstWord = i;
        }
        // Quotes and brackets before the first word leave it the first.
        sentenceStart = sentenceStart && !letters && !IsDigit(tokens[i].lower[0]);
        // Punctuation and numbers are what they are; a contraction's piece ("'s") is not.
        tokens[i].blocked = (!letters && text[0] != '\'') || IsNumber(text);
    }
    PreRules(tokens, tags);
    // The rules look up to kPad tokens away: the tags, words and flags get that many
    // blanks past either end, so that no look tests the sentence's ends. Kept per
    // thread, as a text's sentences come one after another.
    constexpr std::size_t kPad = 3;
    thread_local std::vector<PosTag> paddedTags;
    thread_local std::vector<std::uint16_t> paddedWords;
    thread_local std::vector<std::uint32_t> paddedFlags;
    const std::size_t n = tokens.size();
    paddedTags.assign(n + 2 * kPad, PosTag::None);
    paddedWords.assign(n + 2 * kPad, m_blankWord);
    paddedFlags.assign(n + 2 * kPad, 0);
    for (std::size_t i = 0; i < n; ++i) {
        paddedTags[kPad + i] = tags[i];
        paddedWords[kPad + i] = tokens[i].word;
        paddedFlags[kPad + i] = tokens[i].flags;
    }
    PosTag* const work = paddedTags.data() + kPad;
    ApplyRules(tokens, work, paddedWords.data() + kPad, false);
    ApplyRules(tokens, work, paddedWords.data() + kPad, true);
    PostRules(tokens, work, paddedFlags.data() + kPad, firstWord);
    std::copy(work, work + n, tags.begin());
}
