#include "EpubBook.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "AsciiText.h"
#include "ContentText.h"
#include "EpubError.h"
#include "Markup.h"
#include "PackageDocument.h"
#include "ReadFileBytes.h"
#include "TableOfContents.h"
#include "XmlBudget.h"
#include "ZipArchive.h"

namespace {

// Where each content document's text begins, and its anchors the table of
// contents points at.
struct DocumentStart {
    std::size_t paragraph = 0;
    std::unordered_map<std::string, std::size_t> anchors;
};

std::vector<BookChapter> PlaceChapters(const std::vector<TocEntry>& entries,
                                       const std::unordered_map<std::string, DocumentStart>& starts,
                                       std::size_t paragraphCount) {
    std::vector<BookChapter> chapters;
    for (const TocEntry& entry : entries) {
        const auto start = starts.find(entry.target.member);
        if (start == starts.end()) {
            continue;  // points outside the text (an image, a missing file)
        }
        std::size_t paragraph = start->second.paragraph;
        if (const auto anchor = start->second.anchors.find(entry.target.fragment);
            !entry.target.fragment.empty() && anchor != start->second.anchors.end()) {
            paragraph = anchor->second;
        }
        // A heading at the very end of the book with no text after it.
        paragraph = std::min(paragraph, paragraphCount - 1);
        chapters.push_back({entry.title, paragraph, entry.depth});
    }
    return chapters;
}

EpubBook ReadBook(std::string_view bytes) {
    const std::size_t budget =
        std::min(kMaxInflatedBytes, bytes.size() > kMaxInflatedBytes / kMaxInflationRatio
                                        ? kMaxInflatedBytes
                                        : bytes.size() * kMaxInflationRatio);
    const XmlBudget parsed(
        std::clamp(bytes.size() * kParsedPerArchiveByte, kMinParsedBytes, kMaxParsedBytes));
    ZipArchive zip(bytes, budget);
    const PackageDocument package = ReadPackageDocument(zip);
    const std::vector<TocEntry> toc = ReadTableOfContents(zip, package);
    std::unordered_map<std::string, std::unordered_set<std::string>> wanted;
    for (const TocEntry& entry : toc) {
        if (!entry.target.fragment.empty()) {
            wanted[entry.target.member].insert(entry.target.fragment);
        }
    }

    EpubBook book;
    ContentText text(book.paragraphs, book.headings);
    std::unordered_map<std::string, DocumentStart> starts;
    const std::unordered_set<std::string> none;
    for (const std::string& member : package.reading) {
        const ContentDocument content = ParseXhtml(zip.Read(member));
        if (content.root == nullptr) {
            throw EpubError(EpubFault::MalformedContent, member + " 不是可以读出文字的 XHTML 文件");
        }
        // A document listed twice in the spine is read twice; its chapters point at
        // the first reading.
        auto [start, first] = starts.try_emplace(member);
        if (first) {
            start->second.paragraph = book.paragraphs.size();
        }
        const auto ids = wanted.find(member);
        std::unordered_map<std::string, std::size_t> ignored;
        text.Append(content.root, first && ids != wanted.end() ? ids->second : none,
                    first ? start->second.anchors : ignored);
    }
    if (book.paragraphs.empty()) {
        throw EpubError(EpubFault::Empty, "书中没有文字");
    }
    book.chapters = PlaceChapters(toc, starts, book.paragraphs.size());
    return book;
}

}  // namespace

std::string EpubBook::Text() const {
    std::size_t size = 0;
    for (const std::string& paragraph : paragraphs) {
        size += paragraph.size() + 1;
    }
    std::string text;
    text.reserve(size);
    for (const std::string& paragraph : paragraphs) {
        text += paragraph;
        text.push_back('\n');
    }
    return text;
}

EpubResult ReadEpub(std::string_view bytes) {
    EpubResult result;
    try {
        result.book = ReadBook(bytes);
    } catch (const EpubError& error) {
        result.fault = error.Fault();
        result.reason = error.what();
    } catch (const std::bad_alloc&) {
        result.fault = EpubFault::TooLarge;
        result.reason = "内存不足";
    }
    return result;
}

EpubResult ReadEpubFile(const std::string& path) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        EpubResult result;
        result.fault = EpubFault::Unreadable;
        result.reason = std::string("无法读取文件（") + std::strerror(errno) + "）";
        return result;
    }
    return ReadEpub(*bytes);
}

std::string EpubFailureMessage(const std::string& path, const EpubResult& result) {
    return "无法打开电子书 " + path + "：" + result.reason;
}

bool LooksLikeEpub(std::string_view bytes) {
    // A local file header (30 bytes), the name "mimetype", then its stored content.
    return bytes.size() >= 58 && bytes.substr(0, 4) == std::string_view("PK\x03\x04", 4) &&
           bytes.substr(30, 8) == "mimetype" && bytes.substr(38, 20) == "application/epub+zip";
}
