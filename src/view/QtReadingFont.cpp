#include "QtReadingFont.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace {

constexpr int kFamilyMask = 0xF0;
constexpr int kRoman = 0x10;
constexpr int kSwiss = 0x20;
constexpr int kModern = 0x30;
constexpr int kScript = 0x40;
constexpr int kDecorative = 0x50;

QFont::StyleHint StyleHintOf(const ReadingFont& font) {
    switch (font.lfPitchAndFamily & kFamilyMask) {
        case kRoman: return QFont::Serif;
        case kSwiss: return QFont::SansSerif;
        case kModern: return QFont::Monospace;
        case kScript: return QFont::Cursive;
        case kDecorative: return QFont::Decorative;
        default: break;
    }
    // "Don't care" faces: the name is the only hint left, and the default reading
    // face is a serif one.
    const QString face = QString::fromStdString(font.lfFaceName);
    if (face.contains(QLatin1String("Serif"), Qt::CaseInsensitive) &&
        !face.contains(QLatin1String("Sans"), Qt::CaseInsensitive)) {
        return QFont::Serif;
    }
    return QFont::AnyStyle;
}

}  // namespace

QFont ToQFont(const ReadingFont& record) {
    QFont font(QString::fromStdString(record.lfFaceName));
    font.setStyleHint(StyleHintOf(record));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(record.lfWeight == 0 ? 400 : record.lfWeight, 1, 1000)));
    font.setItalic(record.lfItalic);
    font.setUnderline(record.lfUnderline);
    font.setStrikeOut(record.lfStrikeOut);
    font.setKerning(false);
    if (record.lfHeight < 0) {
        font.setPixelSize(-record.lfHeight);
    } else if (record.lfHeight > 0) {
        int size = record.lfHeight;
        font.setPixelSize(size);
        while (size > 1 && QFontMetrics(font).height() > record.lfHeight) {
            font.setPixelSize(--size);
        }
    }
    return font;
}

ReadingFont GlossFontOf(const ReadingFont& font) {
    ReadingFont gloss = font;
    gloss.lfHeight = static_cast<int>(font.lfHeight * 0.6);
    return gloss;
}
