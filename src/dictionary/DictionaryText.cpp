#include "DictionaryText.h"

#include <optional>

#include "AsciiText.h"
#include "CodePage.h"
#include "FrequencyText.h"
#include "TextLines.h"

namespace {

constexpr std::size_t kFieldCount = 3;

using Reader = DictionaryText::Reader;

// Why a line is refused, with the texts a message quotes (UTF-8, already cut).
struct LineProblem {
    enum class Kind { NulByte, NotUtf8, NotGbk, FieldCount, EmptyWord, Frequency, GlossNotGbk };
    Kind kind;
    std::string line;  // the whole line
    std::string word;
    std::string field;      // the frequency, for Frequency
    std::size_t count = 0;  // fields found, for FieldCount; bad byte in the gloss, for GlossNotGbk
};

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string WindowMessage(std::size_t lineNumber, const LineProblem& p) {
    using Kind = LineProblem::Kind;
    const std::string line = "第 " + std::to_string(lineNumber) + " 行";
    switch (p.kind) {
        case Kind::NulByte:
            return line + "含有空字节（NUL），这不是文本词典";
        case Kind::NotUtf8:
        case Kind::NotGbk:
            return line + "既不是有效的 UTF-8 文本，也不是有效的 GBK 文本";
        case Kind::FieldCount:
            return line + "应有以制表符分隔的三项（单词、释义、词频），却有 " +
                   std::to_string(p.count) + " 项：" + p.line;
        case Kind::EmptyWord:
            return line + "的单词为空：" + p.line;
        case Kind::Frequency:
            return line + "的词频“" + p.field + "”不是数字：" + p.line;
        case Kind::GlossNotGbk:
            return line + "的释义含有 GBK 编码无法表示的字符：" + p.line;
    }
    return line;
}

std::string ToolMessage(std::size_t lineNumber, const LineProblem& p) {
    using Kind = LineProblem::Kind;
    const std::string line = "line " + std::to_string(lineNumber) + ": ";
    switch (p.kind) {
        case Kind::NulByte:
            return line + "a NUL byte: this is not a text list";
        case Kind::NotUtf8:
        case Kind::NotGbk:
            return line + "not valid UTF-8";
        case Kind::FieldCount:
            return line + "expected 3 tab-separated fields, found " + std::to_string(p.count) +
                   ": " + Quoted(p.line);
        case Kind::EmptyWord:
            return line + "the word is empty: " + Quoted(p.line);
        case Kind::Frequency:
            return line + Quoted(p.word) + ": the frequency " + Quoted(p.field) +
                   " is not a number";
        case Kind::GlossNotGbk:
            return line + Quoted(p.word) + ": the gloss has a character GBK cannot hold at byte " +
                   std::to_string(p.count);
    }
    return line;
}

// Reads one line that is not empty and no comment into `item`, or says why not.
std::optional<LineProblem> ReadLine(std::string_view line, bool gbkFile, CDicItem& item) {
    using Kind = LineProblem::Kind;
    if (line.find('\0') != std::string_view::npos) {
        return LineProblem{Kind::NulByte, {}, {}, {}, 0};
    }
    // Quoted texts are UTF-8 whatever the file; a GBK line is converted for them only.
    const auto quote = [&](std::string_view text) {
        return gbkFile ? QuoteForMessage(codepage::GbkToUtf8Lossy(text.substr(0, 4 * 80)))
                       : QuoteForMessage(text);
    };
    if (gbkFile && !codepage::GbkToUtf8(line)) {
        return LineProblem{Kind::NotGbk, {}, {}, {}, 0};
    }
    std::vector<std::string_view> fields;
    for (std::string_view rest = line;;) {
        const std::size_t tab = rest.find('\t');
        fields.push_back(rest.substr(0, tab));
        if (tab == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(tab + 1);
    }
    if (fields.size() != kFieldCount) {
        return LineProblem{Kind::FieldCount, quote(line), {}, {}, fields.size()};
    }
    const std::string_view word = fields[0];
    if (word.empty()) {
        return LineProblem{Kind::EmptyWord, quote(line), {}, {}, 0};
    }
    const auto frequency = ParseFrequency(fields[2]);
    if (!frequency) {
        return LineProblem{Kind::Frequency, quote(line), quote(word), quote(fields[2]), 0};
    }
    std::string gloss(fields[1]);
    if (!gbkFile) {
        std::size_t bad = 0;
        auto converted = codepage::Utf8ToGbk(fields[1], &bad);
        if (!converted) {
            return LineProblem{Kind::GlossNotGbk, quote(line), quote(word), {}, bad};
        }
        gloss = std::move(*converted);
    }
    item.m_strWord = word;
    item.m_strGloss = std::move(gloss);
    item.m_dFrequency = *frequency;
    return std::nullopt;
}

}  // namespace

std::string QuoteForMessage(std::string_view text, std::size_t limit) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == limit) {
            return std::string(text.substr(0, i)) + "…";
        }
    }
    return std::string(text);
}

DictionaryText DictionaryText::Parse(std::string_view text, Reader reader) {
    DictionaryText result;
    const bool utf8 = codepage::IsValidUtf8(text);
    if (utf8 && text.starts_with(kUtf8Bom)) {
        text.remove_prefix(kUtf8Bom.size());
    }
    const bool gbkFile = !utf8 && reader == Reader::WindowImport;
    std::size_t lineNumber = 0;
    bool failed = false;
    ForEachTextLine(text, [&](std::string_view line) {
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            return true;
        }
        std::optional<LineProblem> problem;
        CDicItem item;
        if (!utf8 && !gbkFile && !codepage::IsValidUtf8(line)) {
            problem = LineProblem{LineProblem::Kind::NotUtf8, {}, {}, {}, 0};
        } else {
            problem = ReadLine(line, gbkFile, item);
        }
        if (problem) {
            result.m_items.clear();
            result.m_problemLine = lineNumber;
            result.m_problem = reader == Reader::WindowImport ? WindowMessage(lineNumber, *problem)
                                                              : ToolMessage(lineNumber, *problem);
            failed = true;
            return false;
        }
        result.m_items.push_back(std::move(item));
        return true;
    });
    if (failed) {
        return result;
    }
    if (result.m_items.empty()) {
        result.m_problem =
            reader == Reader::WindowImport ? "文件中没有词条" : "the file holds no entries";
    }
    return result;
}
