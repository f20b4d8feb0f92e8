#include "FileKind.h"

#include <filesystem>

#include "AsciiText.h"

FileKind KindOfFile(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return EqualsIgnoringAsciiCase(extension, ".vwd") ? FileKind::Document : FileKind::Text;
}
