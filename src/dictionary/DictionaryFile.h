#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CArchive;
class CDicItem;
class CDicMain;

// What became of reading or writing a dictionary file.
struct DicFileResult {
    enum class Kind { Ok, Missing, Unreadable, Malformed, WriteFailed };
    Kind kind = Kind::Ok;
    std::string path;    // the file named by the caller
    std::string detail;  // for people: which entry, which byte offset, which system error

    bool Ok() const { return kind == Kind::Ok; }
};

// The second dictionary file beside main.dic: words main.dic's fixed layout cannot
// hold, appended after main.dic's entries.
inline constexpr std::string_view kSupplementFileName = "supplement.dic";

// The one reader of main.dic records. Reads the entry count and the records after it
// from a loading archive into `records`, each record checked to be exactly what the
// dictionary would store (anything else would be silently changed by the next save).
// Throws CArchiveException naming the entry and its byte offset at the first record
// that is cut short or not valid; `records` then holds the entries read before it.
// Returns the count as stored: a negative count reads no record.
std::int32_t ReadDictionaryRecords(CArchive& ar, std::vector<CDicItem>& records);

// Appends the entries of a main.dic file to the dictionary (CDicMain::AppendItems:
// the lookup index follows, and an earlier entry of a word keeps deciding, so a
// supplement loaded after main.dic adds words without changing main.dic's). The file must be
// exactly what the dictionary would store: a file cut short, with bytes after the last entry, or
// with a record no writer produces is refused whole, naming the entry and its byte offset, and the
// dictionary is left unchanged.
DicFileResult LoadDictionaryFile(CDicMain& dic, const std::string& path);
// The same for bytes already in memory; `path` only names them in the result.
DicFileResult LoadDictionaryBytes(CDicMain& dic, std::string_view bytes, const std::string& path);

// What reading main.dic and then the supplement gave.
struct MainAndSupplement {
    DicFileResult main;
    DicFileResult supplement;    // Kind::Missing when there is none, or none was wanted
    std::string supplementPath;  // empty: none was wanted
    std::size_t mainEntries = 0;
};

// main.dic, then the supplement: the one beside main.dic unless another path is given
// (an empty one: none). A supplement that cannot be taken is left out whole and the
// dictionary keeps main.dic's entries; a main.dic that cannot be taken stops there.
MainAndSupplement LoadMainAndSupplement(CDicMain& dic, const std::string& mainPath,
                                        const std::optional<std::string>& supplementPath = {});

// Stores the dictionary under path with WriteFileAtomically: a failure leaves any old
// file whole, and neither a link planted by someone else nor a swap of the path
// during the save can make it replace another file. A target that is not a regular
// file or is read-only is refused.
DicFileResult SaveDictionaryFile(CDicMain& dic, const std::string& path);
