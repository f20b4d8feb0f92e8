#include "QtReadingFont.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kFamilyMask = 0xF0;
constexpr int kRoman = 0x10;
constexpr int kSwiss = 0x20;
constexpr int kModern = 0x30;
constexpr int kScript = 0x40;
constexpr int kDecorative = 0x50;

QFont::StyleHint StyleHintOf(const ReadingFont& font) {
    switch (font.lfPitchAndFamily & kFamilyMask) {
        case kRoman:
            return QFont::Serif;
        case kSwiss:
            return QFont::SansSerif;
        case kModern:
            return QFont::Monospace;
        case kScript:
            return QFont::Cursive;
        case kDecorative:
            return QFont::Decorative;
        default:
            break;
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

const char* GenericFamilyOf(QFont::StyleHint hint) {
    switch (hint) {
        case QFont::Serif:
            return "serif";
        case QFont::Monospace:
            return "monospace";
        case QFont::Cursive:
            return "cursive";
        case QFont::Decorative:
            return "fantasy";
        default:
            return "sans-serif";
    }
}

bool CoversLanguage(FcPattern* font, const char* language) {
    FcLangSet* languages = nullptr;
    return FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch &&
           FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(language)) == FcLangEqual;
}

bool IsCjkFace(FcPattern* font) {
    return CoversLanguage(font, "zh-cn") || CoversLanguage(font, "ja") ||
           CoversLanguage(font, "ko");
}

// The first family fontconfig ranks for `family` (then `generic`) in `language`
// that `wanted` accepts, or an empty string. Fontconfig adds the locale's
// languages to every query, and its rules for them put CJK faces first (a serif
// under zh_CN is Noto Serif CJK SC even when asked for English), so the ranking
// is filtered rather than taken at its first answer.
template <typename Wanted>
QString RankedFamily(const QString& family, const char* generic, const char* language,
                     Wanted wanted) {
    const auto pattern = std::unique_ptr<FcPattern, decltype(&FcPatternDestroy)>(FcPatternCreate(),
                                                                                 FcPatternDestroy);
    if (!family.isEmpty()) {
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    }
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
    FcPatternAddString(pattern.get(), FC_LANG, reinterpret_cast<const FcChar8*>(language));
    FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const auto fonts = std::unique_ptr<FcFontSet, decltype(&FcFontSetDestroy)>(
        FcFontSort(nullptr, pattern.get(), FcFalse, nullptr, &result), FcFontSetDestroy);
    if (!fonts) {
        return {};
    }
    for (int i = 0; i < fonts->nfont; ++i) {
        FcChar8* name = nullptr;
        if (wanted(fonts->fonts[i]) &&
            FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) == FcResultMatch) {
            return QString::fromUtf8(reinterpret_cast<const char*>(name));
        }
    }
    return {};
}

// The face the record's text is drawn in. An installed face is the reader's
// choice and stays, whatever it is; a missing one ("MS Serif") becomes the
// best-ranked face of its kind that is not a CJK face, so that the locale
// never turns the English words into a CJK font's Latin letters.
QString ReadingFamily(const ReadingFont& record) {
    const QString face = QString::fromStdString(record.lfFaceName);
    const char* generic = GenericFamilyOf(StyleHintOf(record));
    // Asked on every font change: fontconfig's sort takes milliseconds.
    static QHash<QString, QString> substitutes;
    const QString key = face + QLatin1Char('/') + QLatin1String(generic);
    if (const auto found = substitutes.constFind(key); found != substitutes.constEnd()) {
        return *found;
    }
    QString family = face;
    if (!QFontDatabase::hasFamily(face)) {
        const QString latin =
            RankedFamily(face, generic, "en", [](FcPattern* font) { return !IsCjkFace(font); });
        if (!latin.isEmpty()) {
            family = latin;
        }
    }
    substitutes.insert(key, family);
    return family;
}

}  // namespace

QString GlossFamily() {
    static const QString family = [] {
        // Simplified Chinese forms: the CJK faces share one code point for 骨 and
        // its Japanese form, and fontconfig's fallback under C or en_US picks the
        // Japanese face.
        for (const char* preferred :
             {"Noto Sans CJK SC", "Source Han Sans SC", "Source Han Sans CN", "WenQuanYi Micro Hei",
              "WenQuanYi Zen Hei"}) {
            if (QFontDatabase::hasFamily(QString::fromLatin1(preferred))) {
                return QString::fromLatin1(preferred);
            }
        }
        return RankedFamily({}, "sans-serif", "zh-cn",
                            [](FcPattern* font) { return CoversLanguage(font, "zh-cn"); });
    }();
    return family;
}

QFont ToQFont(const ReadingFont& record) {
    QFont font;
    // The gloss face second: Chinese characters in the text take its forms too.
    font.setFamilies({ReadingFamily(record), GlossFamily()});
    font.setStyleHint(StyleHintOf(record));
    font.setWeight(static_cast<QFont::Weight>(
        std::clamp(record.lfWeight == 0 ? 400 : record.lfWeight, 1, 1000)));
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
    const int pixels =
        font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * dpi / 72.0);
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

ReadingFont GlossFontOf(const ReadingFont& font, int percent) {
    ReadingFont gloss = font;
    gloss.lfHeight = font.lfHeight * percent / 100;
    return gloss;
}

QFont ToGlossQFont(const ReadingFont& font, int percent) {
    QFont gloss = ToQFont(GlossFontOf(font, percent));
    gloss.setFamilies({GlossFamily()});
    gloss.setStyleHint(QFont::SansSerif);
    // A Chinese face's cell is its em square, so the gloss height, a cell height or
    // not, is the characters' size: 12 pixels at the default font, where a Latin
    // face's cell would leave them at 10 and grey.
    gloss.setPixelSize(std::max(1, std::abs(GlossFontOf(font, percent).lfHeight)));
    // Compared at 10 to 14 pixels: vertical-only (slight) hinting with antialiasing
    // gives the most solid strokes; no hinting blurs them, full hinting is no better
    // and worse at 10 and 14, and monochrome fills the dense characters' gaps. Stated
    // here so that a desktop set to no hinting does not blur the glosses.
    gloss.setHintingPreference(QFont::PreferVerticalHinting);
    return gloss;
}

int LineUnitOf(const ReadingFont& record, const QFont& text, const QFont& gloss) {
    return std::max(
        {std::abs(record.lfHeight), QFontMetrics(text).height(), QFontMetrics(gloss).height()});
}

QFont HeadingFontOf(const QFont& text) {
    QFont heading = text;
    heading.setWeight(text.weight() >= QFont::Bold ? QFont::Black : QFont::Bold);
    return heading;
}
