#pragma once

#include <string>
#include <string_view>

class CDicMain;

// What became of reading or writing a dictionary file.
struct DicFileResult {
    enum class Kind { Ok, Missing, Unreadable, Malformed, WriteFailed };
    Kind kind = Kind::Ok;
    std::string path;    // the file named by the caller
    std::string detail;  // for people: which entry, which byte offset, which system error

    bool Ok() const { return kind == Kind::Ok; }
};

// Appends the entries of a main.dic file to the dictionary and rebuilds its lookup
// index. The file must be exactly what the dictionary would store: a file cut short,
// with bytes after the last entry, or with a record no writer produces is refused
// whole, naming the entry and its byte offset, and the dictionary is left unchanged.
DicFileResult LoadDictionaryFile(CDicMain& dic, const std::string& path);
// The same for bytes already in memory; `path` only names them in the result.
DicFileResult LoadDictionaryBytes(CDicMain& dic, std::string_view bytes, const std::string& path);

// Stores the dictionary under path atomically: the bytes go to a temporary file
// beside the target, which then replaces it, so a failure leaves any old file whole.
// A target that is not a regular file or is read-only is refused.
DicFileResult SaveDictionaryFile(CDicMain& dic, const std::string& path);
