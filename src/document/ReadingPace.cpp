#include "ReadingPace.h"

#include <cmath>
#include <string>

void ReadingPace::Moved(std::int64_t nowMs, std::size_t token) {
    if (m_last && token > m_last->token && nowMs > m_last->ms) {
        const std::int64_t elapsed = nowMs - m_last->ms;
        const std::size_t advanced = token - m_last->token;
        const bool reading = elapsed <= kPauseMs && static_cast<double>(advanced) * 1000.0 <=
                                                        kFastestTokensPerSecond * elapsed;
        if (reading) {
            m_readingMs += elapsed;
            m_tokensRead += advanced;
        }
    }
    m_last = Sample{nowMs, token};
}

std::optional<double> ReadingPace::TokensPerMinute() const {
    if (m_readingMs < kEnoughMs || m_tokensRead < kEnoughTokens) {
        return std::nullopt;
    }
    return static_cast<double>(m_tokensRead) * 60000.0 / static_cast<double>(m_readingMs);
}

std::optional<std::int64_t> ReadingPace::MinutesFor(std::size_t tokens) const {
    const std::optional<double> pace = TokensPerMinute();
    if (!pace) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::ceil(static_cast<double>(tokens) / *pace));
}

std::string DurationText(std::int64_t minutes) {
    if (minutes < 1) {
        return "不到 1 分钟";
    }
    if (minutes < 60) {
        return "约 " + std::to_string(minutes) + " 分钟";
    }
    const std::int64_t hours = minutes / 60;
    const std::int64_t rest = minutes % 60;
    return "约 " + std::to_string(hours) + " 小时" +
           (rest == 0 ? std::string() : " " + std::to_string(rest) + " 分钟");
}
