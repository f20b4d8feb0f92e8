#include "QtTextMeasurer.h"

#include <QString>
#include <algorithm>

namespace {

constexpr std::size_t kInitialSlots = 1 << 15;

// FNV-1a: tokens are a few bytes long, where it beats the general-purpose hashes.
std::uint64_t HashOf(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace

QtTextMeasurer::QtTextMeasurer(const QFont& font, int lineUnit)
    : m_metrics(font), m_nLineUnit(lineUnit), m_slots(kInitialSlots) {}

int QtTextMeasurer::Measure(std::string_view token) const {
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
        const double scaled = static_cast<double>(m_metrics.horizontalAdvance(text)) *
                              static_cast<double>(token.size()) /
                              static_cast<double>(std::max<std::size_t>(measured.size(), 1));
        return static_cast<int>(std::min(scaled, 1e9)) +
               m_metrics.horizontalAdvance(QLatin1Char(' '));
    }
    text += QLatin1Char(' ');
    return m_metrics.horizontalAdvance(text);
}

int QtTextMeasurer::TokenWidth(std::string_view token) {
    const std::uint64_t hash = HashOf(token);
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = m_slots[i];
        if (slot.width < 0) {
            slot.hash = hash;
            slot.offset = static_cast<std::uint32_t>(m_arena.size());
            slot.length = static_cast<std::uint32_t>(token.size());
            slot.width = Measure(token);
            m_arena.append(token);
            const int width = slot.width;
            if (++m_nCount * 2 > m_slots.size()) {
                Grow();
            }
            return width;
        }
        if (slot.hash == hash &&
            std::string_view(m_arena).substr(slot.offset, slot.length) == token) {
            return slot.width;
        }
    }
}

void QtTextMeasurer::Grow() {
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.width < 0) {
            continue;
        }
        std::size_t i = slot.hash & mask;
        while (m_slots[i].width >= 0) {
            i = (i + 1) & mask;
        }
        m_slots[i] = slot;
    }
}
