#include "QtTextMeasurer.h"

#include <QRunnable>
#include <QString>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <exception>
#include <latch>

#include "QtReadingFont.h"

namespace {

constexpr std::size_t kInitialSlots = 1 << 15;
// Fewer new tokens than this are shaped on the calling thread: handing work to a
// thread costs more than shaping a few hundred words.
constexpr std::size_t kShareOutFrom = 2048;

// FNV-1a: tokens are a few bytes long, where it beats the general-purpose hashes.
std::uint64_t HashOf(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

int Measure(const QFontMetrics& metrics, std::string_view token) {
    // An unbroken word of megabytes is far wider than any page, and shaping it whole
    // takes seconds: its width is taken from its start, in proportion to its bytes.
    constexpr std::size_t kMeasuredBytes = 16384;
    std::string_view measured = token;
    if (token.size() > kMeasuredBytes) {
        std::size_t end = kMeasuredBytes;
        while (end > 0 && (static_cast<unsigned char>(token[end]) & 0xC0) == 0x80) {
            --end;  // not inside a character
        }
        measured = token.substr(0, end);
    }
    QString text = QString::fromUtf8(measured.data(), static_cast<qsizetype>(measured.size()));
    if (measured.size() < token.size()) {
        const double scaled = static_cast<double>(metrics.horizontalAdvance(text)) *
                              static_cast<double>(token.size()) /
                              static_cast<double>(std::max<std::size_t>(measured.size(), 1));
        return static_cast<int>(std::min(scaled, 1e9)) +
               metrics.horizontalAdvance(QLatin1Char(' '));
    }
    text += QLatin1Char(' ');
    return metrics.horizontalAdvance(text);
}

// A font equal to `font` that shares nothing with it. Copies of one font share the
// font engine they found last, and a thread reaching it replaces it with its own
// under Qt's font lock, so threads measuring with copies would take turns.
QFont OwnCopy(const QFont& font) {
    QFont own = font;
    own.setKerning(!font.kerning());  // a change makes the copy its own
    own.setKerning(font.kerning());
    return own;
}

}  // namespace

QtTextMeasurer::QtTextMeasurer(const QFont& font, int lineUnit)
    : m_font(font),
      m_metrics(font),
      m_headingMetrics(HeadingFontOf(font)),
      m_nLineUnit(lineUnit),
      m_slots(kInitialSlots) {}

int QtTextMeasurer::HeadingTokenWidth(std::string_view token) {
    const auto [kept, fresh] = m_headingWidths.try_emplace(std::string(token), 0);
    if (fresh) {
        kept->second = Measure(m_headingMetrics, token);
    }
    return kept->second;
}

QtTextMeasurer::Slot& QtTextMeasurer::SlotOf(std::string_view token, std::uint64_t hash) {
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.width == kEmpty || (slot.hash == hash && std::string_view(m_arena).substr(
                                                              slot.offset, slot.length) == token)) {
            return slot;
        }
    }
}

void QtTextMeasurer::Take(Slot& slot, std::string_view token, std::uint64_t hash, int width) {
    slot.hash = hash;
    slot.offset = static_cast<std::uint32_t>(m_arena.size());
    slot.length = static_cast<std::uint32_t>(token.size());
    slot.width = width;
    m_arena.append(token);
    if (++m_nCount * 2 > m_slots.size()) {
        Grow();
    }
}

int QtTextMeasurer::TokenWidth(std::string_view token) {
    const std::uint64_t hash = HashOf(token);
    Slot& slot = SlotOf(token, hash);
    if (slot.width != kEmpty) {
        return slot.width;
    }
    const int width = Measure(m_metrics, token);
    Take(slot, token, hash, width);
    return width;
}

void QtTextMeasurer::TokenWidths(std::span<const std::string_view> tokens, std::span<int> widths) {
    // Each token not measured yet takes its slot now, so that a repeated one is
    // measured once; the widths go in once all are measured.
    std::vector<std::string_view> fresh;
    std::vector<std::size_t> waiting;  // indices of tokens whose width is pending
    for (std::size_t i = 0; i < tokens.size() && i < widths.size(); ++i) {
        const std::uint64_t hash = HashOf(tokens[i]);
        Slot& slot = SlotOf(tokens[i], hash);
        if (slot.width >= 0) {
            widths[i] = slot.width;
            continue;
        }
        if (slot.width == kEmpty) {
            fresh.push_back(tokens[i]);
            Take(slot, tokens[i], hash, kPending);
        }
        waiting.push_back(i);
    }
    std::vector<int> measured(fresh.size());
    MeasureMany(fresh, measured);
    for (std::size_t k = 0; k < fresh.size(); ++k) {
        SlotOf(fresh[k], HashOf(fresh[k])).width = measured[k];
    }
    for (const std::size_t i : waiting) {
        widths[i] = SlotOf(tokens[i], HashOf(tokens[i])).width;
    }
}

void QtTextMeasurer::MeasureMany(const std::vector<std::string_view>& tokens,
                                 std::vector<int>& widths) const {
    const std::size_t parts =
        tokens.size() < kShareOutFrom
            ? 1
            : static_cast<std::size_t>(std::clamp(QThread::idealThreadCount(), 1, 8));
    // Part p takes every parts-th token from the p-th, so that long and short words
    // are spread evenly.
    auto measurePart = [&](const QFontMetrics& metrics, std::size_t part) {
        for (std::size_t k = part; k < tokens.size(); k += parts) {
            widths[k] = Measure(metrics, tokens[k]);
        }
    };
    // The threads write into `tokens` and `widths`, so nothing leaves this function,
    // not even an exception, before every one of them is done.
    std::latch done(static_cast<std::ptrdiff_t>(parts - 1));
    std::vector<char> failed(parts, 0);  // parts a pool thread could not finish
    QThreadPool* pool = QThreadPool::globalInstance();
    for (std::size_t part = 1; part < parts; ++part) {
        const bool started = pool->tryStart([&, part] {
            try {
                measurePart(QFontMetrics(OwnCopy(m_font)), part);
            } catch (...) {
                failed[part] = 1;
            }
            done.count_down();
        });
        if (!started) {  // the pool is busy: this thread does the part itself
            failed[part] = 1;
            done.count_down();
        }
    }
    std::exception_ptr own;
    try {
        measurePart(m_metrics, 0);
    } catch (...) {
        own = std::current_exception();
    }
    done.wait();
    if (own) {
        std::rethrow_exception(own);
    }
    // Here a failure is thrown to the caller, as any other measuring failure is.
    for (std::size_t part = 1; part < parts; ++part) {
        if (failed[part] != 0) {
            measurePart(m_metrics, part);
        }
    }
}

void QtTextMeasurer::Grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.width == kEmpty) {
            continue;
        }
        std::size_t i = slot.hash & mask;
        while (m_slots[i].width != kEmpty) {
            i = (i + 1) & mask;
        }
        m_slots[i] = slot;
    }
}
