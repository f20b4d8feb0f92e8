#include "CParagraph.h"

#include <algorithm>

#include "ByteClass.h"

void SplitTokens(std::string_view text, std::vector<TokenSpan>& tokens) {
    auto add = [&tokens](std::size_t start, std::size_t end) {
        tokens.push_back(
            {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start)});
    };
    // A pending word that is still empty when a blank or separator arrives is
    // kept as an empty token: the layout gives it the width of one space.
    std::size_t wordStart = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!kMayEndWord[static_cast<unsigned char>(text[i])]) {
            ++i;
            continue;
        }
        const ClassifiedRun run = ClassifyFront(text.substr(i));
        if (run.kind != ByteClass::Word) {
            add(wordStart, i);
            if (run.kind == ByteClass::Separator) {
                add(i, i + run.length);
            }
            wordStart = i + run.length;
        }
        i += run.length;
    }
    if (wordStart < text.size()) {
        add(wordStart, text.size());
    }
}

const PhraseMatch* TextStore::PhraseOf(std::size_t k) const {
    // The last phrase that starts at or before k.
    const auto after = std::upper_bound(
        phrases.begin(), phrases.end(), k,
        [](std::size_t token, const PhraseMatch& phrase) { return token < phrase.firstToken; });
    if (after == phrases.begin()) {
        return nullptr;
    }
    const PhraseMatch& phrase = *(after - 1);
    return k < phrase.firstToken + phrase.tokenCount ? &phrase : nullptr;
}
