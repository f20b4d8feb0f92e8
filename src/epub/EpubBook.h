#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One entry of a book's table of contents: where its heading's text begins.
struct BookChapter {
    std::string title;      // UTF-8, blanks collapsed
    std::size_t paragraph;  // index into EpubBook::paragraphs
    int depth;              // 0 for the top level, 1 for a chapter inside a part, ...
};

// What an .epub holds for reading: its text in reading order, one paragraph per
// block element, and its table of contents.
struct EpubBook {
    // UTF-8; none empty, none with a line end, none starting or ending with a blank.
    std::vector<std::string> paragraphs;
    std::vector<BookChapter> chapters;
    // The paragraphs set as titles (h1-h3), by index, in order.
    std::vector<std::size_t> headings;

    // The paragraphs one per line: split like a UTF-8 text file, it gives back
    // exactly these paragraphs, so a chapter's index is a paragraph index there too.
    std::string Text() const;
};

// Why a book cannot be read.
enum class EpubFault {
    Unreadable,        // the file itself cannot be read
    NotZip,            // not a zip archive
    NoContainer,       // META-INF/container.xml missing or naming no package document
    NoPackage,         // the package document it names is missing
    BrokenPackage,     // the package document has no manifest or spine
    MissingItem,       // a spine item is not in the manifest or not in the archive
    Encrypted,         // content files encrypted (DRM)
    TooLarge,          // inflating would pass the size limit (a zip bomb)
    UnsafeName,        // a member name leaves the archive (absolute, "..")
    BrokenMember,      // a member's data is damaged (bad size or checksum)
    MalformedContent,  // a content document is not markup at all
    Empty,             // no text anywhere
};

struct EpubResult {
    std::optional<EpubBook> book;
    EpubFault fault = EpubFault::Unreadable;
    std::string reason;  // UTF-8, for the reader; names the member at fault

    bool Ok() const { return book.has_value(); }
};

// Inflated bytes one book may take: at most this, and at most kMaxInflationRatio
// times the archive's own size (a book's text compresses three to five times).
constexpr std::size_t kMaxInflatedBytes = std::size_t{512} << 20;
constexpr std::size_t kMaxInflationRatio = 20;
// What the markup parser may hold at once (its nodes, text and entities): at least
// the floor, kParsedPerArchiveByte times the archive's size, at most the ceiling.
constexpr std::size_t kMinParsedBytes = std::size_t{128} << 20;
constexpr std::size_t kParsedPerArchiveByte = 40;
constexpr std::size_t kMaxParsedBytes = std::size_t{1} << 30;
// A table of contents longer than this, or a title longer, is cut: the 章节 menu
// shows every entry, and no reader picks from more.
constexpr std::size_t kMaxChapters = 5000;
constexpr std::size_t kMaxTitleBytes = 300;

// Reads a whole book from the bytes of an .epub file.
EpubResult ReadEpub(std::string_view bytes);
EpubResult ReadEpubFile(const std::string& path);

// "无法打开电子书 PATH：REASON" for a failed result.
std::string EpubFailureMessage(const std::string& path, const EpubResult& result);

// Whether bytes start like an EPUB (a zip whose first member is the "mimetype" file
// saying application/epub+zip), for input that has no name.
bool LooksLikeEpub(std::string_view bytes);
