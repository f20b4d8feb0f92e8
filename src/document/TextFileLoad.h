#pragma once

#include <optional>
#include <string>
#include <vector>

#include "CParagraphList.h"
#include "EpubBook.h"
#include "FileKind.h"
#include "ReadFileBytes.h"

class CDicMain;
class MarkIndex;
class ContextSenses;

// How the glosses of a freshly read text are chosen.
struct GlossChoice {
    double threshold = 0.0;
    bool medical = false;
    bool science = false;
    bool skipNames = true;
    bool additions = true;  // the further reductions and bare words (CParagraphList::SetAdditions)
    const ContextSenses* context = nullptr;  // chooses senses by use; nullptr: none
    bool subjects = true;                    // with a context, the text's subject chooses too
};

// A text or a book read, decoded, split and glossed apart from the document: the one
// way in for every kind of file, for the window (on its worker, with the progress
// bar) and the tool alike. The document takes the result in one step, or keeps what
// it shows when there is none.
struct TextFileLoad {
    std::optional<CParagraphList> paragraphs;  // set when the whole text was taken
    std::vector<BookChapter> chapters;         // a book's table of contents
    ReadFileProblem problem = ReadFileProblem::None;
    // Why a book was refused, for the reader (UTF-8); empty otherwise. A text's
    // problems are told by `problem` alone.
    std::string bookFailure;

    bool Ok() const { return paragraphs.has_value(); }

    // Reads `path` against a dictionary nobody changes meanwhile, as a book when
    // KindOfFile says so and as a text otherwise. `progress` hears the fraction done
    // and may cancel (problem Cancelled). Running out of memory anywhere is reported,
    // never thrown.
    static TextFileLoad Run(const std::string& path, const CDicMain& dic, const GlossChoice& gloss,
                            const CParagraphList::Progress& progress = {});
    // The same from bytes already read (standard input, say); `name` is what a book's
    // failure names. `marks`, when given, are applied as the text is glossed.
    static TextFileLoad FromBytes(std::string bytes, FileKind kind, const std::string& name,
                                  const CDicMain& dic, const GlossChoice& gloss,
                                  const CParagraphList::Progress& progress = {},
                                  const MarkIndex* marks = nullptr);
    // The same split but not glossed: where the window would set the text, for a
    // caller with no dictionary at hand.
    static TextFileLoad Unglossed(std::string bytes, FileKind kind, const std::string& name);
};
