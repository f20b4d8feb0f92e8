// Text import: decoding, paragraph split, tokenizer and glossing on any bytes.
#include <cstdint>
#include <string>
#include <string_view>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "CodePage.h"
#include "FuzzCheck.h"
#include "TextDecoder.h"

namespace {

bool IsBlankAt(std::string_view text, std::size_t i, std::size_t* length) {
    if (text[i] == ' ' || text[i] == '\t') {
        *length = 1;
        return true;
    }
    if (text.substr(i, 2) == "\xC2\xA0") {
        *length = 2;
        return true;
    }
    return false;
}

// A small dictionary whose glosses are found by every reduction rule.
const CDicMain& Dictionary() {
    static const CDicMain* dic = [] {
        static constexpr IrregularVerbRow kVerbs[] = {{"go", "went", "gone"}};
        static constexpr GlossaryRow kTerms[] = {{"zircon", "\357\257"}};
        auto* d = new CDicMain(WordLists{kVerbs, kTerms, kTerms});
        std::vector<CDicItem> items;
        for (const char* word : {"go", "walk", "make", "city", "box", "the", "ab"}) {
            CDicItem item;
            item.m_strWord = word;
            item.m_strGloss = "\262\342";
            item.m_dFrequency = 1.0;
            items.push_back(item);
        }
        d->ReplaceItems(std::move(items));
        return d;
    }();
    return *dic;
}

std::string WithoutLineEnds(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            continue;
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = TextDecoder::Decode(bytes);
    FUZZ_CHECK(codepage::IsValidUtf8(text));

    CParagraphList list;
    list.SetText(text);
    const int count = list.Annotate(&Dictionary(), 10.0, true, true);
    FUZZ_CHECK(count == static_cast<int>(list.m_arrParagraphs.size()));

    // Paragraphs are the text without its line ends, in order, none empty.
    std::string joined;
    for (const CParagraph& p : list.m_arrParagraphs) {
        FUZZ_CHECK(!p.m_strText.empty());
        joined += p.m_strText;
    }
    FUZZ_CHECK(joined == WithoutLineEnds(text));

    for (const CParagraph& p : list.m_arrParagraphs) {
        FUZZ_CHECK(p.m_arrGlosses.size() == p.TokenCount());
        // Tokens, in order, cover the paragraph but for the blanks between them.
        const std::string_view line = p.m_strText;
        std::size_t at = 0;
        for (std::size_t j = 0; j < p.TokenCount(); ++j) {
            const TokenSpan span = p.m_arrWords[j];
            FUZZ_CHECK(span.offset >= at && span.offset + span.length <= line.size());
            for (std::size_t k = at; k < span.offset;) {
                std::size_t blank = 0;
                FUZZ_CHECK(IsBlankAt(line, k, &blank));
                k += blank;
            }
            for (std::size_t k = span.offset; k < span.offset + span.length; ++k) {
                std::size_t blank = 0;
                FUZZ_CHECK(!IsBlankAt(line, k, &blank));
            }
            at = span.offset + span.length;
            if (p.Word(j).size() < 2) {
                FUZZ_CHECK(p.Gloss(j).empty());
            }
        }
        for (std::size_t k = at; k < line.size();) {
            std::size_t blank = 0;
            FUZZ_CHECK(IsBlankAt(line, k, &blank));
            k += blank;
        }
    }
    return 0;
}
