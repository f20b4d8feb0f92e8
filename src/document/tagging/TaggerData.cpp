#include "TaggerData.h"

#include <algorithm>
#include <cstring>

#include "CompiledFile.h"
#include "TsvFile.h"

namespace {

// How a condition reads its three operands: t a tag, w a word, - unused.
struct ConditionInfo {
    std::string_view name;
    RuleCondition condition;
    std::string_view operands;
};

constexpr ConditionInfo kConditions[] = {
    {"STARTWORD", RuleCondition::StartWord, "w--"},
    {"PREVTAG", RuleCondition::PrevTag, "t--"},
    {"NEXTTAG", RuleCondition::NextTag, "t--"},
    {"NEXTTAG2", RuleCondition::NextTag2, "t--"},
    {"PREVTAG2", RuleCondition::PrevTag2, "t--"},
    {"PREV1OR2TAG", RuleCondition::Prev1Or2Tag, "t--"},
    {"PREV1OR2OR3TAG", RuleCondition::Prev1Or2Or3Tag, "t--"},
    {"NEXT1OR2TAG", RuleCondition::Next1Or2Tag, "t--"},
    {"NEXT1OR2OR3TAG", RuleCondition::Next1Or2Or3Tag, "t--"},
    {"PREVWORD", RuleCondition::PrevWord, "w--"},
    {"PREV2WD", RuleCondition::PrevWord2, "w--"},
    {"PREV1OR2WD", RuleCondition::Prev1Or2Word, "w--"},
    {"NEXTWD", RuleCondition::NextWord, "w--"},
    {"NEXT2WD", RuleCondition::NextWord2, "w--"},
    {"NEXT1OR2WD", RuleCondition::Next1Or2Word, "w--"},
    {"PREVWORDPREVTAG", RuleCondition::PrevWordPrevTag, "wt-"},
    {"CURRENTWD", RuleCondition::CurrentWord, "w--"},
    {"WDPREVTAG", RuleCondition::WordPrevTag, "tw-"},
    {"WDPREVWD", RuleCondition::WordPrevWord, "ww-"},
    {"WDNEXTTAG", RuleCondition::WordNextTag, "wt-"},
    {"WDNEXTWD", RuleCondition::WordNextWord, "ww-"},
    {"SURROUNDTAG", RuleCondition::SurroundTag, "tt-"},
    {"SURROUNDTAGWD", RuleCondition::SurroundTagWord, "wtt"},
    {"PREV2TAG", RuleCondition::Prev2Tags, "tt-"},
    {"NEXT2TAG", RuleCondition::Next2Tags, "tt-"},
    {"PREV2TAGNEXTTAG", RuleCondition::Prev2TagsNextTag, "ttt"},
    {"PREV2WORDS", RuleCondition::Prev2Words, "ww-"},
    {"END", RuleCondition::End, "---"},
};

const ConditionInfo* FindCondition(std::string_view name) {
    for (const ConditionInfo& info : kConditions) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

const ConditionInfo* FindCondition(RuleCondition condition) {
    for (const ConditionInfo& info : kConditions) {
        if (info.condition == condition) {
            return &info;
        }
    }
    return nullptr;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

// Sets the rule's operands from their text; false when a tag operand names no tag.
bool SetOperands(TaggerRule& rule, const ConditionInfo& info,
                 const std::array<std::string_view, 3>& operands) {
    for (std::size_t i = 0; i < 3; ++i) {
        if (info.operands[i] == 't') {
            const std::optional<PosTag> tag = ParsePosTag(operands[i]);
            if (!tag) {
                return false;
            }
            rule.tags[i] = *tag;
        } else if (info.operands[i] == 'w') {
            if (operands[i].empty() || operands[i].size() > compiled::kLongestText) {
                return false;
            }
            rule.words[i] = Lower(operands[i]);
        }
    }
    return true;
}

constexpr std::string_view kMagic = "VWTAGGER1\n";

using compiled::PayloadReader;
using compiled::PutText;
using compiled::PutU32;

std::optional<PosTag> TagFromByte(std::uint8_t byte) {
    if (byte == 0 || byte >= kPosTagCount) {
        return std::nullopt;
    }
    return static_cast<PosTag>(byte);
}

}  // namespace

PosTag LexiconTags::FirstVerb() const {
    for (std::size_t i = 0; i < count; ++i) {
        if (ClassOf(tags[i]) == WordClass::Verb) {
            return tags[i];
        }
    }
    return PosTag::None;
}

void TaggerData::AddWord(std::string word, const LexiconTags& tags) {
    const auto [it, added] =
        m_index.emplace(std::move(word), static_cast<std::uint32_t>(m_tags.size()));
    if (added) {
        static_assert(kPosTagCount <= 64, "LexiconTags::allowed has a bit for each tag");
        m_words.push_back(it->first);
        LexiconTags& kept = m_tags.emplace_back(tags);
        kept.allowed = 0;
        for (std::size_t t = 0; t < kept.count; ++t) {
            kept.allowed |= std::uint64_t{1} << static_cast<unsigned>(kept.tags[t]);
        }
    }
}

const LexiconTags* TaggerData::Find(std::string_view word) const {
    const auto it = m_index.find(word);
    return it == m_index.end() ? nullptr : &m_tags[it->second];
}

std::optional<TaggerData> TaggerData::FromTsv(std::string_view lexicon, std::string_view rules,
                                              std::string& error) {
    TaggerData data;
    try {
        for (const TsvRow& row : ParseTsv(lexicon, 2)) {
            LexiconTags tags;
            std::string_view rest = row.fields[1];
            while (!rest.empty()) {
                const std::size_t bar = rest.find('|');
                const std::optional<PosTag> tag = ParsePosTag(rest.substr(0, bar));
                if (!tag || tags.count == LexiconTags::kMost || row.fields[0].empty() ||
                    row.fields[0].size() > compiled::kLongestText) {
                    error = "lexicon line " + std::to_string(row.line) + ": bad word or tags";
                    return std::nullopt;
                }
                tags.tags[tags.count++] = *tag;
                rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
            }
            if (tags.count == 0) {
                error = "lexicon line " + std::to_string(row.line) + ": no tags";
                return std::nullopt;
            }
            data.AddWord(std::string(row.fields[0]), tags);
        }
        for (const TsvRow& row : ParseTsv(rules, 8)) {
            TaggerRule rule;
            const ConditionInfo* info = FindCondition(row.fields[2]);
            const std::optional<PosTag> from = ParsePosTag(row.fields[0]);
            const std::optional<PosTag> to = ParsePosTag(row.fields[1]);
            const bool flagsOk = (row.fields[6] == "0" || row.fields[6] == "1") &&
                                 (row.fields[7] == "0" || row.fields[7] == "1");
            if (info == nullptr || !from || !to || !flagsOk ||
                !SetOperands(rule, *info, {row.fields[3], row.fields[4], row.fields[5]})) {
                error = "rules line " + std::to_string(row.line) + ": bad rule";
                return std::nullopt;
            }
            rule.from = *from;
            rule.to = *to;
            rule.condition = info->condition;
            rule.secondPassOnly = row.fields[6] == "1";
            rule.checkLexicon = row.fields[7] == "1";
            data.m_rules.push_back(std::move(rule));
        }
    } catch (const TsvError& e) {
        error = e.what();
        return std::nullopt;
    }
    return data;
}

std::string TaggerData::Compile() const {
    std::string payload;
    PutU32(payload, static_cast<std::uint32_t>(m_words.size()));
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        PutText(payload, m_words[i]);
        payload.push_back(static_cast<char>(m_tags[i].count));
        for (std::size_t t = 0; t < m_tags[i].count; ++t) {
            payload.push_back(static_cast<char>(m_tags[i].tags[t]));
        }
    }
    PutU32(payload, static_cast<std::uint32_t>(m_rules.size()));
    for (const TaggerRule& rule : m_rules) {
        payload.push_back(static_cast<char>(rule.from));
        payload.push_back(static_cast<char>(rule.to));
        payload.push_back(static_cast<char>(rule.condition));
        payload.push_back(
            static_cast<char>((rule.secondPassOnly ? 1 : 0) | (rule.checkLexicon ? 2 : 0)));
        const ConditionInfo* info = FindCondition(rule.condition);
        for (std::size_t i = 0; i < 3; ++i) {
            if (info->operands[i] == 't') {
                PutText(payload, PosTagName(rule.tags[i]));
            } else {
                PutText(payload, rule.words[i]);
            }
        }
    }
    return compiled::Frame(kMagic, payload);
}

std::optional<TaggerData> TaggerData::FromCompiled(std::string_view bytes, std::string& error) {
    const std::optional<std::string_view> payload = compiled::Unframe(bytes, kMagic, error);
    if (!payload) {
        return std::nullopt;
    }
    // The hash says the bytes are the ones written; the reads still check every
    // number, so that a file written by another version cannot do harm either.
    TaggerData data;
    PayloadReader in(*payload);
    const std::uint32_t words = in.U32();
    if (words > in.Left() / 3) {
        error = "the file is damaged";
        return std::nullopt;
    }
    data.m_tags.reserve(words);
    data.m_words.reserve(words);
    data.m_index.reserve(words);
    for (std::uint32_t w = 0; w < words && in.Ok(); ++w) {
        const std::string_view word = in.Text();
        LexiconTags tags;
        tags.count = in.U8();
        if (word.empty() || tags.count == 0 || tags.count > LexiconTags::kMost) {
            error = "the file is damaged";
            return std::nullopt;
        }
        for (std::size_t t = 0; t < tags.count; ++t) {
            const std::optional<PosTag> tag = TagFromByte(in.U8());
            if (!tag) {
                error = "the file is damaged";
                return std::nullopt;
            }
            tags.tags[t] = *tag;
        }
        data.AddWord(std::string(word), tags);
    }
    const std::uint32_t rules = in.U32();
    for (std::uint32_t r = 0; r < rules && in.Ok(); ++r) {
        TaggerRule rule;
        const std::optional<PosTag> from = TagFromByte(in.U8());
        const std::optional<PosTag> to = TagFromByte(in.U8());
        const std::uint8_t condition = in.U8();
        const std::uint8_t flags = in.U8();
        const ConditionInfo* info = FindCondition(static_cast<RuleCondition>(condition));
        const std::array<std::string_view, 3> operands = {in.Text(), in.Text(), in.Text()};
        if (!from || !to || info == nullptr || flags > 3 || !SetOperands(rule, *info, operands)) {
            error = "the file is damaged";
            return std::nullopt;
        }
        rule.from = *from;
        rule.to = *to;
        rule.condition = info->condition;
        rule.secondPassOnly = (flags & 1) != 0;
        rule.checkLexicon = (flags & 2) != 0;
        data.m_rules.push_back(std::move(rule));
    }
    if (!in.Ok() || !in.AtEnd()) {
        error = "the file is damaged";
        return std::nullopt;
    }
    return data;
}
