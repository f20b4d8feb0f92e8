#include "WindowPalette.h"

#include <QApplication>
#include <QPalette>
#include <optional>

namespace {

QColor ToColor(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QPalette NightPalette() {
    const SchemeColors night = ColorsOf(ColorScheme::Night);
    const QColor window = ToColor(night.window);
    const QColor base = ToColor(night.page);
    const QColor text = ToColor(night.text);
    const QColor accent = ToColor(night.gloss);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, text.darker(150));
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, base);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, Qt::white);
    palette.setColor(QPalette::Light, base.lighter(160));
    palette.setColor(QPalette::Midlight, base.lighter(130));
    palette.setColor(QPalette::Mid, base.lighter(110));
    palette.setColor(QPalette::Dark, window.darker(130));
    palette.setColor(QPalette::Shadow, Qt::black);
    palette.setColor(QPalette::Highlight, accent.darker(170));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, accent);
    palette.setColor(QPalette::LinkVisited, accent.darker(120));
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, text.darker(180));
    }
    return palette;
}

}  // namespace

void ApplyWindowPalette(ColorScheme scheme) {
    // The desktop's own palette, kept while the night one is in force.
    static std::optional<QPalette> light;
    const bool dark = scheme == ColorScheme::Night;
    if (dark == light.has_value() || qApp == nullptr) {
        return;
    }
    if (dark) {
        light = QApplication::palette();
        QApplication::setPalette(NightPalette());
    } else {
        QApplication::setPalette(*light);
        light.reset();
    }
}
