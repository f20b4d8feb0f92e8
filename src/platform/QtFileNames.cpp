#include "QtFileNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <QFile>
#include <memory>

std::string FileNameBytes(const QString& path) {
    const std::string encoded = QFile::encodeName(path).toStdString();
    struct stat info {};
    if (!path.contains(QChar::ReplacementCharacter) || ::lstat(encoded.c_str(), &info) == 0) {
        return encoded;
    }
    const std::size_t slash = encoded.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : encoded.substr(0, slash + 1);
    const QString wanted = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir) {
        return encoded;
    }
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (QFile::decodeName(entry->d_name) == wanted) {
            found = entry->d_name;
            ++matches;
        }
    }
    if (matches != 1) {
        return encoded;
    }
    return slash == std::string::npos ? found : encoded.substr(0, slash + 1) + found;
}
