#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// The reader's own pace: how many tokens of text go past the top of the window per
// minute of reading. It is fed the top word's place in the text (its token number)
// each time the window moves, with the time; a move forward counts with the time since
// the one before, unless the reader was away (a pause longer than kPauseMs) or jumped
// (a chapter, a page, a bookmark: faster than anyone reads). Moving back counts nothing.
class ReadingPace {
public:
    static constexpr std::int64_t kPauseMs = 5 * 60 * 1000;
    // A glossed English page is read at some 100 to 400 words a minute; ten times the
    // fastest is no longer reading.
    static constexpr double kFastestTokensPerSecond = 60.0;
    // The pace is told only after this much reading, so that the first page turn of a
    // session does not promise the reader an hour for a long chapter.
    static constexpr std::int64_t kEnoughMs = 2 * 60 * 1000;
    static constexpr std::size_t kEnoughTokens = 300;

    void Moved(std::int64_t nowMs, std::size_t token);
    // A new text: the next move starts afresh (what was read keeps counting).
    void Restart() { m_last.reset(); }

    // Tokens per minute, once the reader has read enough.
    std::optional<double> TokensPerMinute() const;
    // Minutes to read `tokens` at that pace, rounded up; none before it is known.
    std::optional<std::int64_t> MinutesFor(std::size_t tokens) const;

    std::int64_t ReadingMs() const { return m_readingMs; }
    std::size_t TokensRead() const { return m_tokensRead; }
    // The pace carried over from an earlier session (kept by the window's settings).
    void Resume(std::int64_t readingMs, std::size_t tokensRead) {
        m_readingMs = readingMs;
        m_tokensRead = tokensRead;
    }

private:
    struct Sample {
        std::int64_t ms;
        std::size_t token;
    };
    std::optional<Sample> m_last;
    std::int64_t m_readingMs = 0;
    std::size_t m_tokensRead = 0;
};

// "约 5 分钟", "约 1 小时 20 分钟", "不到 1 分钟" for the status bar (UTF-8).
std::string DurationText(std::int64_t minutes);
