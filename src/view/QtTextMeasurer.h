#pragma once

#include <QFont>
#include <QFontMetrics>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ITextMeasurer.h"

// Measures tokens with the reading font's metrics. A novel has some 700,000 tokens
// but only about 20,000 distinct ones, so each distinct token is measured once; a
// measurer belongs to one font and is replaced when the font changes.
//
// The cache is an open-addressing table over one byte arena: a layout looks up
// every token of the text, and node-based maps spend most of that time chasing
// pointers.
class QtTextMeasurer : public ITextMeasurer {
public:
    QtTextMeasurer(const QFont& font, int lineUnit);

    int TokenWidth(std::string_view token) override;
    // Shapes the tokens not measured yet on as many threads as the machine has
    // processors: a novel's first layout is mostly shaping.
    void TokenWidths(std::span<const std::string_view> tokens, std::span<int> widths) override;
    int LineUnit() const override { return m_nLineUnit; }
    // Titles are a few hundred tokens of a book: measured apart, kept by spelling.
    int HeadingTokenWidth(std::string_view token) override;
    std::size_t DistinctTokens() const { return m_nCount; }

private:
    static constexpr int kEmpty = -1;    // a free slot
    static constexpr int kPending = -2;  // taken by a batch, measured before it returns
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t offset = 0;  // into m_arena
        std::uint32_t length = 0;
        int width = kEmpty;
    };

    // The slot holding `token`, or the free slot where it would go.
    Slot& SlotOf(std::string_view token, std::uint64_t hash);
    // Takes the free slot `slot` for `token`; the table may grow, moving every slot.
    void Take(Slot& slot, std::string_view token, std::uint64_t hash, int width);
    void Grow();
    // Measures `tokens` into `widths`, sharing them out between threads.
    void MeasureMany(const std::vector<std::string_view>& tokens, std::vector<int>& widths) const;

    QFont m_font;
    QFontMetrics m_metrics;
    QFontMetrics m_headingMetrics;
    std::unordered_map<std::string, int> m_headingWidths;
    int m_nLineUnit;
    std::string m_arena;
    std::vector<Slot> m_slots;  // size a power of two, at most half full
    std::size_t m_nCount = 0;
};
