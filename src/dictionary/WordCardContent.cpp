#include "WordCardContent.h"

#include <algorithm>

namespace {

constexpr std::string_view kSenseBreak = "，";

std::string FirstSense(const std::string& gloss) {
    const auto end = gloss.find(kSenseBreak);
    return gloss.substr(0, end);
}

// True when the line lists `sense` as one of its senses, whole.
bool ListsSense(const std::string& senses, const std::string& sense) {
    if (sense.empty()) {
        return false;
    }
    std::size_t start = 0;
    while (start <= senses.size()) {
        const auto end = senses.find(kSenseBreak, start);
        const auto item =
            senses.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (item == sense) {
            return true;
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + kSenseBreak.size();
    }
    return false;
}

}  // namespace

std::string FormsText(const FullEntry& entry) {
    std::string text;
    for (const auto& [code, form] : entry.forms) {
        const auto name = FormName(code);
        if (name.empty()) {
            continue;
        }
        if (!text.empty()) {
            text += "，";
        }
        text += std::string(name) + " " + form;
    }
    return text;
}

std::string TagsText(const FullEntry& entry) {
    std::string text;
    for (const auto& tag : entry.tags) {
        const auto name = TagName(tag);
        if (!name.empty()) {
            text += (text.empty() ? "" : " ") + std::string(name);
        }
    }
    auto add = [&text](const std::string& part) { text += (text.empty() ? "" : " · ") + part; };
    if (entry.collins > 0) {
        add("柯林斯 " + std::string(static_cast<std::size_t>(std::min(entry.collins, 5)), '*'));
    }
    if (entry.oxford) {
        add("牛津 3000");
    }
    return text;
}

WordCardContent ComposeWordCard(const std::string& asked, const std::string& shown,
                                const std::optional<FullEntry>& entry) {
    WordCardContent card;
    card.asked = asked;
    card.word = entry ? entry->word : asked;
    card.shown = shown;
    if (!entry) {
        return card;
    }
    card.full = true;
    card.phonetic = entry->phonetic;
    const std::string first = FirstSense(shown);
    for (const auto& line : entry->lines) {
        card.lines.push_back({line.label, line.senses, false});
    }
    const auto chosen = std::find_if(
        card.lines.begin(), card.lines.end(),
        [&first](const WordCardContent::Line& line) { return ListsSense(line.senses, first); });
    if (chosen != card.lines.end()) {
        chosen->chosen = true;
        std::rotate(card.lines.begin(), chosen, chosen + 1);
    }
    card.definitions = entry->definitions;
    card.forms = FormsText(*entry);
    card.tags = TagsText(*entry);
    return card;
}
