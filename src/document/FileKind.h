#pragma once

#include <string_view>

// What a file the reader names is, decided once from its name wherever it comes from
// (the command line, the open dialog, a drop, the recent list, the tool): a .vwd is
// the document, an .epub a book, anything else a text to read.
enum class FileKind {
    Document,
    Book,
    Text,
};

FileKind KindOfFile(std::string_view path);
