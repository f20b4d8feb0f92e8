#include "QtReadingFont.h"

#include <QFontInfo>
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

ReadingFont ToReadingFont(const QFont& font, int dpi) {
    ReadingFont record;
    const int pixels = font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * dpi / 72.0);
    record.lfHeight = -std::max(1, pixels);
    record.lfWeight = font.weight();
    record.lfItalic = font.italic();
    record.lfUnderline = font.underline();
    record.lfStrikeOut = font.strikeOut();
    record.lfFaceName = font.family().toStdString();
    return record;
}

QFont ToDialogFont(const ReadingFont& record, int dpi) {
    QFont font = ToQFont(record);
    // The face actually drawn: the dialog lists only installed ones, and would fall
    // back to its own default for a name fontconfig substitutes ("MS Serif").
    // The same for its style: without one the dialog selects the first it lists,
    // which may be "Condensed Italic".
    const QFontInfo drawn(font);
    font.setFamily(drawn.family());
    font.setStyleName(drawn.styleName());
    if (font.pixelSize() > 0 && dpi > 0) {
        font.setPointSizeF(font.pixelSize() * 72.0 / dpi);
    }
    return font;
}

ReadingFont GlossFontOf(const ReadingFont& font) {
    ReadingFont gloss = font;
    gloss.lfHeight = static_cast<int>(font.lfHeight * 0.6);
    return gloss;
}
