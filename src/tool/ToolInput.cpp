#include "ToolInput.h"

#include <iostream>
#include <iterator>

#include "EpubBook.h"
#include "FileKind.h"
#include "ReadFileBytes.h"
#include "TextFileLoad.h"

std::optional<std::string> ReadInputBytes(const std::string& input) {
    if (input == "-") {
        std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
        return std::cin.bad() ? std::nullopt : std::optional(std::move(bytes));
    }
    return ReadFileBytes(input);
}

std::optional<CParagraphList> ReadTextAsWindowDoes(const std::string& input,
                                                   std::string_view command) {
    std::optional<std::string> bytes = ReadInputBytes(input);
    if (!bytes) {
        std::cerr << "vellumwise-tool " << command << ": " << input << ": cannot read the file\n";
        return std::nullopt;
    }
    // Named .epub like the window's open command; on standard input, known by its bytes.
    const FileKind kind = input == "-" ? (LooksLikeEpub(*bytes) ? FileKind::Book : FileKind::Text)
                                       : KindOfFile(input);
    TextFileLoad load = TextFileLoad::Unglossed(std::move(*bytes), kind, input);
    if (!load.Ok()) {
        std::cerr << "vellumwise-tool " << command << ": "
                  << (load.bookFailure.empty() ? input + ": out of memory" : load.bookFailure)
                  << "\n";
        return std::nullopt;
    }
    return std::move(load.paragraphs);
}
