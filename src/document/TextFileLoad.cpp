#include "TextFileLoad.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "CDicMain.h"
#include "TextDecoder.h"

namespace {

// Reading, decoding, splitting and glossing share the progress bar in rough
// proportion to the time each takes.
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

}  // namespace

TextFileLoad TextFileLoad::Run(const std::string& path, const CDicMain& dic,
                               const GlossChoice& gloss, const CParagraphList::Progress& progress) {
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
            return load;
        }
        if (progress && !progress(kDecoding.from)) {
            load.problem = ReadFileProblem::Cancelled;
            return load;
        }
        std::string text = TextDecoder::Decode(*bytes);
        bytes.reset();  // the file's bytes are not needed beside the text
        CParagraphList paragraphs;
        paragraphs.SetContext(gloss.context);
        if (!paragraphs.SetText(std::move(text), Within(progress, kSplitting)) ||
            paragraphs.Annotate(&dic, gloss.threshold, gloss.medical, gloss.science,
                                gloss.skipNames, Within(progress, kGlossing)) < 0) {
            load.problem = ReadFileProblem::Cancelled;
            return load;
        }
        load.paragraphs.emplace(std::move(paragraphs));
    } catch (const std::bad_alloc&) {
        load.paragraphs.reset();
        load.problem = ReadFileProblem::OutOfMemory;
    } catch (const std::length_error&) {
        load.paragraphs.reset();
        load.problem = ReadFileProblem::OutOfMemory;
    }
    return load;
}
