#include "TextFileLoad.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

#include "CDicMain.h"
#include "TextDecoder.h"

namespace {

// Reading, decoding (or unpacking a book), splitting and glossing share the progress
// bar in rough proportion to the time each takes.
struct Stage {
    double from;
    double to;
};
constexpr Stage kReading{0.0, 0.25};
constexpr Stage kDecoding{0.25, 0.35};
constexpr Stage kSplitting{0.35, 0.8};
constexpr Stage kGlossing{0.8, 1.0};

CParagraphList::Progress Within(const CParagraphList::Progress& progress, Stage stage) {
    if (!progress) {
        return {};
    }
    return [&progress, stage](double fraction) {
        return progress(stage.from + (stage.to - stage.from) * fraction);
    };
}

// The text of the bytes, or of the book they hold; none when a book was refused.
std::optional<std::string> TextOf(std::string bytes, FileKind kind, const std::string& name,
                                  TextFileLoad& load, std::vector<std::size_t>& headings) {
    if (kind != FileKind::Book) {
        return TextDecoder::Decode(bytes);
    }
    EpubResult book = ReadEpub(bytes);
    if (!book.Ok()) {
        load.bookFailure = EpubFailureMessage(name, book);
        return std::nullopt;
    }
    load.chapters = std::move(book.book->chapters);
    headings = std::move(book.book->headings);
    return book.book->Text();
}

// FromBytes, and without a dictionary the text split but not glossed.
TextFileLoad LoadBytes(std::string bytes, FileKind kind, const std::string& name,
                       const CDicMain* dic, const GlossChoice& gloss,
                       const CParagraphList::Progress& progress, const MarkIndex* marks) {
    TextFileLoad load;
    try {
        if (progress && !progress(kDecoding.from)) {
            load.problem = ReadFileProblem::Cancelled;
            return load;
        }
        std::vector<std::size_t> headings;
        std::optional<std::string> text = TextOf(std::move(bytes), kind, name, load, headings);
        if (!text) {
            return load;
        }
        CParagraphList paragraphs;
        paragraphs.SetMarks(marks);
        paragraphs.SetAdditions(gloss.additions);
        paragraphs.SetContext(gloss.context);
        paragraphs.SetSubjectChoice(gloss.subjects);
        if (!paragraphs.SetText(std::move(*text), Within(progress, kSplitting)) ||
            (dic != nullptr &&
             paragraphs.Annotate(dic, gloss.threshold, gloss.medical, gloss.science,
                                 gloss.skipNames, Within(progress, kGlossing)) < 0)) {
            load.problem = ReadFileProblem::Cancelled;
            load.chapters.clear();
            return load;
        }
        paragraphs.SetHeadings(std::move(headings));
        load.paragraphs.emplace(std::move(paragraphs));
    } catch (const std::bad_alloc&) {
        load.paragraphs.reset();
        load.chapters.clear();
        load.problem = ReadFileProblem::OutOfMemory;
    } catch (const std::length_error&) {
        load.paragraphs.reset();
        load.chapters.clear();
        load.problem = ReadFileProblem::OutOfMemory;
    }
    return load;
}

}  // namespace

TextFileLoad TextFileLoad::FromBytes(std::string bytes, FileKind kind, const std::string& name,
                                     const CDicMain& dic, const GlossChoice& gloss,
                                     const CParagraphList::Progress& progress,
                                     const MarkIndex* marks) {
    return LoadBytes(std::move(bytes), kind, name, &dic, gloss, progress, marks);
}

TextFileLoad TextFileLoad::Unglossed(std::string bytes, FileKind kind, const std::string& name) {
    return LoadBytes(std::move(bytes), kind, name, nullptr, GlossChoice{}, {}, nullptr);
}

TextFileLoad TextFileLoad::Run(const std::string& path, const CDicMain& dic,
                               const GlossChoice& gloss, const CParagraphList::Progress& progress) {
    const FileKind kind = KindOfFile(path);
    TextFileLoad load;
    try {
        ReadFileOptions options;
        if (progress) {
            options.progress = [&progress](std::uint64_t done, std::uint64_t total) {
                const double fraction =
                    total == 0 ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
                return progress(kReading.from +
                                (kReading.to - kReading.from) * std::min(fraction, 1.0));
            };
        }
        std::optional<std::string> bytes = ReadFileBytes(path, &load.problem, options);
        if (!bytes) {
            if (kind == FileKind::Book && load.problem != ReadFileProblem::Cancelled) {
                // A book that cannot be read is a book that cannot be opened: said as
                // every other refusal of a book is, and nothing else changes.
                const int error = errno;
                EpubResult unreadable;
                unreadable.reason = std::string("无法读取文件（") + std::strerror(error) + "）";
                load.bookFailure = EpubFailureMessage(path, unreadable);
            }
            return load;
        }
        return FromBytes(std::move(*bytes), kind, path, dic, gloss, progress);
    } catch (const std::bad_alloc&) {
        load.problem = ReadFileProblem::OutOfMemory;
    } catch (const std::length_error&) {
        load.problem = ReadFileProblem::OutOfMemory;
    }
    return load;
}
