#pragma once

#include <string>

// How a file the reader names (Ctrl+O, a drop, the command line) is opened: a .vwd as
// the document, anything else as a text to read.
enum class FileKind {
    Document,
    Text,
};

FileKind KindOfFile(const std::string& path);
