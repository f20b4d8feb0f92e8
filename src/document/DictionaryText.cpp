#include "DictionaryText.h"

#include "CodePage.h"

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The line with its gloss field (between the first and second TAB) in GBK.
std::optional<std::string> GlossToGbk(std::string_view line) {
    const std::size_t glossStart = line.find('\t');
    if (glossStart == std::string_view::npos) {
        return std::string(line);
    }
    const std::size_t glossEnd = std::min(line.find('\t', glossStart + 1), line.size());
    const auto gloss = codepage::Utf8ToGbk(line.substr(glossStart + 1, glossEnd - glossStart - 1));
    if (!gloss) {
        return std::nullopt;
    }
    std::string converted(line.substr(0, glossStart + 1));
    converted += *gloss;
    converted += line.substr(glossEnd);
    return converted;
}

}  // namespace

DictionaryText DictionaryText::Parse(std::string_view text) {
    DictionaryText result;
    text = text.substr(0, text.find('\0'));
    const bool utf8 = codepage::IsValidUtf8(text);
    if (utf8 && text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    std::size_t lineNumber = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        ++lineNumber;
        std::size_t end = std::min(text.find('\n', start), text.size());
        const std::size_t next = end + 1;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        const std::string_view line = text.substr(start, end - start);
        start = next;
        if (line.empty()) {
            continue;
        }
        if (!utf8) {
            result.m_arrItems.emplace_back(line);
            continue;
        }
        const std::optional<std::string> converted = GlossToGbk(line);
        if (!converted) {
            result.m_arrItems.clear();
            result.m_strProblem = "第 " + std::to_string(lineNumber) +
                                  " 行的释义含有 GBK 编码无法表示的字符：" + std::string(line);
            return result;
        }
        result.m_arrItems.emplace_back(*converted);
    }
    return result;
}
