#pragma once

#include <QFont>
#include <QFontMetrics>
#include <string>
#include <string_view>
#include <unordered_map>

#include "ITextMeasurer.h"

// Measures tokens with the reading font's metrics. A novel has some 700,000 tokens
// but only about 20,000 distinct ones, so each distinct token is measured once; a
// measurer belongs to one font and is replaced when the font changes.
class QtTextMeasurer : public ITextMeasurer {
public:
    QtTextMeasurer(const QFont& font, int lineUnit);

    int TokenWidth(std::string_view token) override;
    int LineUnit() const override { return m_nLineUnit; }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    QFontMetrics m_metrics;
    int m_nLineUnit;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_widths;
};
