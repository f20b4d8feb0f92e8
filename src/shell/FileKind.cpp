#include "FileKind.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

FileKind KindOfFile(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".vwd" ? FileKind::Document : FileKind::Text;
}
