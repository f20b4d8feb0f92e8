#include "SettingsStore.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <limits>
#include <optional>
#include <variant>

namespace {

constexpr const char* kOrganisation = "Vellumwise";
constexpr const char* kApplication = "Vellumwise";

void Warn(const QString& text) {
    std::fprintf(stderr, "Vellumwise: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// An int setting with the range outside which it makes no sense.
struct IntField {
    int ReadingSettings::*member;
    int min;
    int max;
};
using Field = std::variant<IntField, bool ReadingSettings::*, ColorRef ReadingSettings::*,
                           ReadingFont ReadingSettings::*, ColorScheme ReadingSettings::*,
                           PageLayout ReadingSettings::*>;

struct SettingRow {
    const char* key;
    Field field;
};

// Every reading setting kept between runs: one row each.
const SettingRow kReadingRows[] = {
    {"Reading/VocabularyStep",
     IntField{&ReadingSettings::vocabLevel, kMinVocabLevel, kMaxVocabLevel}},
    {"Reading/MedicalGlossary", &ReadingSettings::showMedical},
    {"Reading/ScienceGlossary", &ReadingSettings::showScience},
    {"Reading/SkipNames", &ReadingSettings::skipNames},
    {"Colors/Page", &ReadingSettings::pageColor},
    {"Colors/Text", &ReadingSettings::textColor},
    {"Colors/Gloss", &ReadingSettings::glossColor},
    {"Reading/Font", &ReadingSettings::font},
    {"Reading/GlossPercent", IntField{&ReadingSettings::glossPercent, 60, 100}},
    {"Colors/Scheme", &ReadingSettings::colorScheme},
    {"Reading/Layout", &ReadingSettings::pageLayout},
};

QString ColorText(ColorRef color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF))
        .name();
}

std::optional<ColorRef> ParseColor(const QString& text) {
    if (!text.startsWith(QLatin1Char('#')) || text.size() != 7) {
        return std::nullopt;
    }
    const QColor color = QColor::fromString(text);
    if (!color.isValid()) {
        return std::nullopt;
    }
    return Rgb(color.red(), color.green(), color.blue());
}

// "height,width,weight,italic,underline,strikeout,charset,quality,pitch,face": the
// face last, so that it may hold commas.
QString FontText(const ReadingFont& font) {
    QStringList parts;
    for (const int value : {font.lfHeight, font.lfWidth, font.lfWeight, int{font.lfItalic},
                            int{font.lfUnderline}, int{font.lfStrikeOut}, int{font.lfCharSet},
                            int{font.lfQuality}, int{font.lfPitchAndFamily}}) {
        parts << QString::number(value);
    }
    parts << QString::fromStdString(font.lfFaceName);
    return parts.join(QLatin1Char(','));
}

std::optional<ReadingFont> ParseFont(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    constexpr int kNumbers = 9;
    if (parts.size() < kNumbers + 1) {
        return std::nullopt;
    }
    int values[kNumbers];
    for (int i = 0; i < kNumbers; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) {
            return std::nullopt;
        }
    }
    const QString face = parts.mid(kNumbers).join(QLatin1Char(','));
    // A reading font from 4 to 400 pixels; anything else is not a font a reader chose.
    const int height = values[0] < 0 ? -values[0] : values[0];
    auto flag = [](int value) { return value == 0 || value == 1; };
    auto byte = [](int value) { return value >= 0 && value <= 255; };
    if (height < 4 || height > 400 || values[1] < 0 || values[1] > 400 || values[2] < 0 ||
        values[2] > 1000 || !flag(values[3]) || !flag(values[4]) || !flag(values[5]) ||
        !byte(values[6]) || !byte(values[7]) || !byte(values[8]) || face.trimmed().isEmpty()) {
        return std::nullopt;
    }
    ReadingFont font;
    font.lfHeight = values[0];
    font.lfWidth = values[1];
    font.lfWeight = values[2];
    font.lfItalic = values[3] != 0;
    font.lfUnderline = values[4] != 0;
    font.lfStrikeOut = values[5] != 0;
    font.lfCharSet = static_cast<std::uint8_t>(values[6]);
    font.lfQuality = static_cast<std::uint8_t>(values[7]);
    font.lfPitchAndFamily = static_cast<std::uint8_t>(values[8]);
    font.lfFaceName = face.toStdString();
    return font;
}

std::optional<bool> ParseBool(const QString& text) {
    if (text == QLatin1String("true") || text == QLatin1String("1")) {
        return true;
    }
    if (text == QLatin1String("false") || text == QLatin1String("0")) {
        return false;
    }
    return std::nullopt;
}

template <class... Ts>
struct Overloaded : Ts... {
    using Ts::operator()...;
};

// Reads one row into `settings`; false when the value is there but makes no sense.
bool ReadRow(const QSettings& file, const SettingRow& row, ReadingSettings& settings) {
    const QString text = file.value(QString::fromLatin1(row.key)).toString();
    return std::visit(
        Overloaded{
            [&](const IntField& field) {
                bool ok = false;
                const int value = text.toInt(&ok);
                if (!ok || value < field.min || value > field.max) {
                    return false;
                }
                settings.*field.member = value;
                return true;
            },
            [&](bool ReadingSettings::*member) {
                const std::optional<bool> value = ParseBool(text);
                if (value) {
                    settings.*member = *value;
                }
                return value.has_value();
            },
            [&](ColorRef ReadingSettings::*member) {
                const std::optional<ColorRef> value = ParseColor(text);
                if (value) {
                    settings.*member = *value;
                }
                return value.has_value();
            },
            [&](ReadingFont ReadingSettings::*member) {
                const std::optional<ReadingFont> value = ParseFont(text);
                if (value) {
                    settings.*member = *value;
                }
                return value.has_value();
            },
            [&](ColorScheme ReadingSettings::*member) {
                const std::optional<ColorScheme> value = ColorSchemeNamed(text.toStdString());
                if (value) {
                    settings.*member = *value;
                }
                return value.has_value();
            },
            [&](PageLayout ReadingSettings::*member) {
                const std::optional<PageLayout> value = PageLayoutNamed(text.toStdString());
                if (value) {
                    settings.*member = *value;
                }
                return value.has_value();
            },
        },
        row.field);
}

QString RowText(const SettingRow& row, const ReadingSettings& settings) {
    return std::visit(
        Overloaded{
            [&](const IntField& field) { return QString::number(settings.*field.member); },
            [&](bool ReadingSettings::*member) {
                return settings.*member ? QStringLiteral("true") : QStringLiteral("false");
            },
            [&](ColorRef ReadingSettings::*member) { return ColorText(settings.*member); },
            [&](ReadingFont ReadingSettings::*member) { return FontText(settings.*member); },
            [&](ColorScheme ReadingSettings::*member) {
                return QString::fromLatin1(ColorSchemeName(settings.*member));
            },
            [&](PageLayout ReadingSettings::*member) {
                return QString::fromLatin1(PageLayoutName(settings.*member));
            },
        },
        row.field);
}

std::unique_ptr<QSettings> OpenFile() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QString::fromLatin1(kOrganisation),
                                       QString::fromLatin1(kApplication));
}

QString DamagedPath(const QString& path) { return path + QStringLiteral(".damaged"); }

}  // namespace

QString SettingsStore::FilePath() { return OpenFile()->fileName(); }

SettingsStore::SettingsStore() : m_pSettings(OpenFile()) {
    const QString path = m_pSettings->fileName();
    const bool unreadable = QFileInfo::exists(path) && !QFileInfo(path).isReadable();
    if (unreadable || m_pSettings->status() != QSettings::NoError) {
        // Moved aside, the reader's file survives for repair, and this run starts a
        // fresh one; where it cannot be moved, it is not written over.
        m_pSettings.reset();
        QFile::remove(DamagedPath(path));
        const bool moved = QFile::rename(path, DamagedPath(path));
        m_pSettings = OpenFile();
        m_bWritable = moved && m_pSettings->status() == QSettings::NoError;
        Warn(moved
                 ? QStringLiteral("设置文件无法读取，已改名为 %1，使用默认设置")
                       .arg(DamagedPath(path))
                 : QStringLiteral("设置文件无法读取，使用默认设置，本次不保存设置：%1").arg(path));
    }
    m_saved = Reading();
}

ReadingSettings SettingsStore::Reading() const {
    ReadingSettings settings;
    if (!m_bWritable) {
        return settings;
    }
    for (const SettingRow& row : kReadingRows) {
        if (m_pSettings->contains(QString::fromLatin1(row.key)) &&
            !ReadRow(*m_pSettings, row, settings)) {
            Warn(QStringLiteral("设置 %1 的值无效，使用默认值").arg(QString::fromLatin1(row.key)));
        }
    }
    // A file from before the scheme was kept holds its colours alone, drawn then on white
    // boxes: the scheme they are, or the classic one, keeps that page as it was.
    if (!m_pSettings->contains(QStringLiteral("Colors/Scheme")) &&
        m_pSettings->contains(QStringLiteral("Colors/Page"))) {
        settings.colorScheme =
            SchemeWithColors(settings.pageColor, settings.textColor, settings.glossColor)
                .value_or(ColorScheme::Classic);
    }
    return settings;
}

void SettingsStore::SetRunOnly(std::optional<ColorScheme> scheme,
                               std::optional<PageLayout> layout) {
    m_runOnlyScheme = scheme;
    m_runOnlyLayout = layout;
}

ReadingSettings SettingsStore::WithoutRunOnly(const ReadingSettings& settings) {
    ReadingSettings kept = settings;
    if (m_runOnlyScheme) {
        const SchemeColors colors = ColorsOf(*m_runOnlyScheme);
        if (settings.colorScheme == *m_runOnlyScheme && settings.pageColor == colors.page &&
            settings.textColor == colors.text && settings.glossColor == colors.gloss) {
            kept.colorScheme = m_saved.colorScheme;
            kept.pageColor = m_saved.pageColor;
            kept.textColor = m_saved.textColor;
            kept.glossColor = m_saved.glossColor;
        } else {
            m_runOnlyScheme.reset();  // the reader chose other colours: those are kept
        }
    }
    if (m_runOnlyLayout) {
        if (settings.pageLayout == *m_runOnlyLayout) {
            kept.pageLayout = m_saved.pageLayout;
        } else {
            m_runOnlyLayout.reset();
        }
    }
    return kept;
}

void SettingsStore::SaveReading(const ReadingSettings& chosen) {
    const ReadingSettings settings = WithoutRunOnly(chosen);
    if (!m_bWritable || settings == m_saved) {
        return;
    }
    for (const SettingRow& row : kReadingRows) {
        const QString text = RowText(row, settings);
        if (text != RowText(row, m_saved) || !m_pSettings->contains(QString::fromLatin1(row.key))) {
            m_pSettings->setValue(QString::fromLatin1(row.key), text);
        }
    }
    m_saved = settings;
    m_pSettings->sync();
}

QByteArray SettingsStore::WindowGeometry() const {
    return m_bWritable ? m_pSettings->value(QStringLiteral("Window/Geometry")).toByteArray()
                       : QByteArray();
}

QByteArray SettingsStore::WindowState() const {
    return m_bWritable ? m_pSettings->value(QStringLiteral("Window/State")).toByteArray()
                       : QByteArray();
}

void SettingsStore::SaveWindow(const QByteArray& geometry, const QByteArray& state) {
    if (!m_bWritable) {
        return;
    }
    m_pSettings->setValue(QStringLiteral("Window/Geometry"), geometry);
    m_pSettings->setValue(QStringLiteral("Window/State"), state);
    m_pSettings->sync();
}

QString SettingsStore::LastFolder() const {
    return m_bWritable ? m_pSettings->value(QStringLiteral("Files/LastFolder")).toString()
                       : QString();
}

void SettingsStore::SaveLastFolder(const QString& folder) {
    if (!m_bWritable || folder.isEmpty() || folder == LastFolder()) {
        return;
    }
    m_pSettings->setValue(QStringLiteral("Files/LastFolder"), folder);
    m_pSettings->sync();
}

bool SettingsStore::RemoveAll() {
    const QString path = FilePath();
    for (const QString& file : {path, DamagedPath(path)}) {
        QFile::remove(file);
    }
    QDir().rmdir(QFileInfo(path).absolutePath());
    return !QFileInfo::exists(path) && !QFileInfo::exists(DamagedPath(path));
}
