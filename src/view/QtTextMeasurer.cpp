#include "QtTextMeasurer.h"

#include <QString>

QtTextMeasurer::QtTextMeasurer(const QFont& font, int lineUnit)
    : m_metrics(font), m_nLineUnit(lineUnit) {
    m_widths.reserve(32768);
}

int QtTextMeasurer::TokenWidth(std::string_view token) {
    if (const auto found = m_widths.find(token); found != m_widths.end()) {
        return found->second;
    }
    QString text = QString::fromUtf8(token.data(), static_cast<qsizetype>(token.size()));
    text += QLatin1Char(' ');
    const int width = m_metrics.horizontalAdvance(text);
    m_widths.emplace(token, width);
    return width;
}
