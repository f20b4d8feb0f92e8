#include "OwnSenseFile.h"

#include <algorithm>

#include "AsciiText.h"
#include "CodePage.h"
#include "PersonalWordList.h"
#include "TextLines.h"

namespace {

bool HasControl(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
}

struct Fields {
    std::string word, gloss, scope;
};

std::optional<Fields> SenseOf(std::string_view line) {
    const std::size_t first = line.find('\t');
    const std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos || line.find('\t', second + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    const std::optional<std::string> word = ListWordOf(line.substr(0, first));
    const std::string_view gloss = TrimOwnSenseField(line.substr(first + 1, second - first - 1));
    const std::string_view scope = TrimOwnSenseField(line.substr(second + 1));
    if (!word || !IsOwnGloss(gloss) || (scope != kEveryBook && !IsBookKey(scope))) {
        return std::nullopt;
    }
    return Fields{*word, std::string(gloss), std::string(scope)};
}

}  // namespace

std::string_view TrimOwnSenseField(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool IsOwnGloss(std::string_view gloss) {
    return !gloss.empty() && gloss.size() <= kLongestOwnGloss && !HasControl(gloss) &&
           TrimOwnSenseField(gloss).size() == gloss.size() && codepage::IsValidUtf8(gloss) &&
           codepage::Utf8ToGbk(gloss).has_value();
}

bool IsBookKey(std::string_view key) {
    return !key.empty() && key.size() <= kLongestBookKey && key != kEveryBook && !HasControl(key) &&
           codepage::IsValidUtf8(key);
}

OwnSenseText ParseOwnSenses(std::string_view bytes) {
    OwnSenseText text;
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    ForEachTextLine(bytes, [&](std::string_view line) {
        if (TrimOwnSenseField(line).empty()) {
            return;
        }
        if (std::optional<Fields> sense = SenseOf(line)) {
            text.senses[{std::move(sense->word), std::move(sense->scope)}] =
                std::move(sense->gloss);
        } else {
            text.skippedLines.emplace_back(line);
        }
    });
    return text;
}

std::string FormatOwnSenses(const OwnSenseText& text) {
    std::string bytes;
    for (const auto& [key, gloss] : text.senses) {
        bytes.append(key.first).append("\t").append(gloss).append("\t").append(key.second);
        bytes.push_back('\n');
    }
    for (const std::string& line : text.skippedLines) {
        // A line read with a CR left at its end lost one CR to its line end: it gets
        // it back, and a first line that starts with a BOM keeps it behind a BOM of
        // its own, so that the next read sees the same bytes.
        if (bytes.empty() && line.starts_with(kUtf8Bom)) {
            bytes.append(kUtf8Bom);
        }
        bytes.append(line).append(line.ends_with('\r') ? "\r\n" : "\n");
    }
    return bytes;
}
