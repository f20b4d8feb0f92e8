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

// The code points of valid UTF-8 in UTF-16 or UTF-32, with a byte-order mark.
std::string EncodeWithMark(std::string_view utf8, int unitBytes, bool bigEndian) {
    std::string out;
    const auto put = [&](std::uint32_t unit) {
        for (int k = 0; k < unitBytes; ++k) {
            const int shift = 8 * (bigEndian ? unitBytes - 1 - k : k);
            out.push_back(static_cast<char>((unit >> shift) & 0xFF));
        }
    };
    put(0xFEFF);
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t length = codepage::Utf8SequenceAt(utf8, i);
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        i += length;
        if (unitBytes == 2 && code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return out;
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
    FUZZ_CHECK(text.find('\0') == std::string::npos);
    // A UTF-8 text is never re-read as something else.
    if (codepage::IsValidUtf8(bytes) && bytes.find('\0') == std::string_view::npos &&
        !bytes.starts_with("\xEF\xBB\xBF")) {
        FUZZ_CHECK(text == bytes);
    }
    // Whatever came out reads back the same from UTF-16 and UTF-32 of either order.
    for (const int unitBytes : {2, 4}) {
        for (const bool bigEndian : {false, true}) {
            FUZZ_CHECK(TextDecoder::Decode(EncodeWithMark(text, unitBytes, bigEndian)) == text);
        }
    }

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
        // Tokens, in order, cover the paragraph but for the blanks between them.
        const std::string_view line = p.m_strText;
        std::size_t at = 0;
        for (std::size_t j = 0; j < p.TokenCount(); ++j) {
            const TokenSpan span = p.Span(j);
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
