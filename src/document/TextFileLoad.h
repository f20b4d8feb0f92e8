#pragma once

#include <optional>
#include <string>

#include "CParagraphList.h"
#include "ReadFileBytes.h"

class CDicMain;
class ContextSenses;

// How the glosses of a freshly read text are chosen.
struct GlossChoice {
    double threshold = 0.0;
    bool medical = false;
    bool science = false;
    bool skipNames = true;
    const ContextSenses* context = nullptr;  // chooses senses by use; nullptr: none
};

// A text file read, decoded, split and glossed apart from the document, so that
// the work can run away from the window and the document takes the result in one
// step (or keeps what it shows when there is none).
struct TextFileLoad {
    std::optional<CParagraphList> paragraphs;  // set when the whole text was taken
    ReadFileProblem problem = ReadFileProblem::None;

    // Reads `path` against a dictionary nobody changes meanwhile. `progress` hears
    // the fraction done and may cancel (problem Cancelled). Running out of memory
    // anywhere is reported, never thrown.
    static TextFileLoad Run(const std::string& path, const CDicMain& dic, const GlossChoice& gloss,
                            const CParagraphList::Progress& progress = {});
};
