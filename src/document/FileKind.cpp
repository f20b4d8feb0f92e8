#include "FileKind.h"

#include "LowerCaseWord.h"

namespace {

// The name's last extension, dot included, in lower case; none for a name that is
// only an extension (".epub" is a hidden file, not a book).
std::string ExtensionOf(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) {
        return {};
    }
    return LowerAscii(name.substr(dot));
}

}  // namespace

FileKind KindOfFile(std::string_view path) {
    const std::string extension = ExtensionOf(path);
    if (extension == ".vwd") {
        return FileKind::Document;
    }
    return extension == ".epub" ? FileKind::Book : FileKind::Text;
}
