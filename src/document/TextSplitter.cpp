#include "TextSplitter.h"

#include <algorithm>

#include "CParagraph.h"
#include "Parallel.h"

namespace {

// Calls `take` with every non-empty line of the text. LF ends a line whether or
// not a CR comes before it; a CR anywhere else stays in the line.
template <typename Take>
void ForEachLine(std::string_view text, Take take) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            take(text.substr(start));
            return;
        }
        std::size_t end = lf;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        if (end > start) {
            take(text.substr(start, end - start));
        }
        start = lf + 1;
    }
}

// Stretches are asked whether to go on once every this many lines: often enough for
// a progress bar, too seldom to cost anything.
constexpr std::size_t kAskEvery = 4096;
// A stretch shorter than this is not worth a thread of its own.
constexpr std::size_t kMinStretchBytes = 256 * 1024;

// Splits the lines of one stretch into `out`; false when told to stop.
// `goOn` is told how many of the stretch's bytes are done.
bool SplitStretch(std::string_view text, SplitText& out,
                  const std::function<bool(std::size_t)>& goOn) {
    std::vector<TokenSpan> tokens;  // one line's, reused
    bool stopped = false;
    ForEachLine(text, [&](std::string_view line) {
        if (stopped) {
            return;
        }
        if (out.lines.size() % kAskEvery == kAskEvery - 1 &&
            !goOn(static_cast<std::size_t>(line.data() - text.data()))) {
            stopped = true;
            return;
        }
        tokens.clear();
        SplitTokens(line, tokens);
        const std::size_t first = out.tokenOffsets.size();
        out.evidence.StartParagraph();
        for (const TokenSpan& span : tokens) {
            const std::string_view token = line.substr(span.offset, span.length);
            const std::uint32_t id = out.words.IdOf(token);
            out.evidence.Add(token, id, out.words);
            out.tokenOffsets.push_back(span.offset);
            out.tokenWords.push_back(id == WordTable::kNoWord ? SplitText::kEmptyToken - span.length
                                                              : id);
        }
        out.lines.push_back({line, first, static_cast<std::uint32_t>(tokens.size())});
    });
    return !stopped;
}

// Cuts `text` after line ends into about `count` stretches of similar size.
std::vector<std::string_view> Stretches(std::string_view text, std::size_t count) {
    std::vector<std::string_view> stretches;
    std::size_t start = 0;
    for (std::size_t i = 1; i < count && start < text.size(); ++i) {
        const std::size_t target = std::max(start, text.size() * i / count);
        const std::size_t lf = text.find('\n', target);
        if (lf == std::string_view::npos) {
            break;
        }
        stretches.push_back(text.substr(start, lf + 1 - start));
        start = lf + 1;
    }
    stretches.push_back(text.substr(start));
    return stretches;
}

}  // namespace

void SplitText::Join(SplitText&& later) {
    std::vector<std::uint32_t> renumber(later.words.Size());
    for (std::uint32_t id = 0; id < renumber.size(); ++id) {
        renumber[id] = words.IdOf(later.words.Word(id));
    }
    evidence.Join(later.evidence, renumber, words);
    const std::size_t base = tokenOffsets.size();
    tokenOffsets.insert(tokenOffsets.end(), later.tokenOffsets.begin(), later.tokenOffsets.end());
    later.tokenOffsets = {};
    tokenWords.reserve(tokenWords.size() + later.tokenWords.size());
    for (const std::uint32_t word : later.tokenWords) {
        tokenWords.push_back(word >= kOneByteToken ? word : renumber[word]);
    }
    later.tokenWords = {};
    lines.reserve(lines.size() + later.lines.size());
    for (const SplitLine& line : later.lines) {
        lines.push_back({line.text, base + line.firstToken, line.tokenCount});
    }
    later.lines = {};
}

bool SplitLines(std::string_view text, std::size_t threads, const SplitProgress& progress,
                SplitText& out) {
    out = SplitText();
    const std::size_t count = std::clamp<std::size_t>(text.size() / kMinStretchBytes, 1,
                                                      std::max<std::size_t>(threads, 1));
    const std::vector<std::string_view> stretches = Stretches(text, count);
    std::vector<SplitText> later(stretches.size() - 1);
    const double firstSize = static_cast<double>(std::max<std::size_t>(stretches[0].size(), 1));
    const bool finished = RunInParts(stretches.size(), [&](std::size_t part, const GoOn& goOn) {
        if (part > 0) {
            return SplitStretch(stretches[part], later[part - 1],
                                [&](std::size_t) { return goOn(); });
        }
        return SplitStretch(stretches[0], out, [&](std::size_t done) {
            return goOn() && (!progress || progress(static_cast<double>(done) / firstSize));
        });
    });
    if (!finished) {
        out = SplitText();
        return false;
    }
    for (SplitText& stretch : later) {
        out.Join(std::move(stretch));
    }
    return true;
}
