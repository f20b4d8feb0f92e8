#include "SettingsStore.h"

#include <QColor>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <optional>
#include <tuple>
#include <variant>

#include "CodePage.h"
#include "PrivateFolder.h"

namespace {

constexpr const char* kOrganisation = "Vellumwise";

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
    {"Reading/ContextSenses", &ReadingSettings::contextSenses},
    {"Reading/SubjectSenses", &ReadingSettings::subjectSenses},
    {"Reading/WordCard", &ReadingSettings::wordCard},
    {"Colors/Page", &ReadingSettings::pageColor},
    {"Colors/Text", &ReadingSettings::textColor},
    {"Colors/Gloss", &ReadingSettings::glossColor},
    {"Reading/Font", &ReadingSettings::font},
    {"Reading/GlossPercent", IntField{&ReadingSettings::glossPercent, 60, 100}},
    {"Colors/Scheme", &ReadingSettings::colorScheme},
    {"Reading/Layout", &ReadingSettings::pageLayout},
    {"Reading/AutoScrollInterval", IntField{&ReadingSettings::autoScrollInterval, 30, 240}},
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
    auto flag = [](int value) { return value == 0 || value == 1; };
    auto byte = [](int value) { return value >= 0 && value <= 255; };
    if (!IsReadableFontHeight(values[0]) || values[1] < 0 || values[1] > 400 || values[2] < 0 ||
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
// Spelt out for compilers without aggregate deduction (clang before 17).
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

// Reads one row into `settings`; false when the value is there but makes no sense.
bool ReadRow(const QVariantMap& file, const SettingRow& row, ReadingSettings& settings) {
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

constexpr const char* kFileName = "Vellumwise.conf";
constexpr const char* kDamagedName = "Vellumwise.conf.damaged";

std::string SettingsFolder() {
    const std::optional<std::string> config = ConfigHome();
    return config ? *config + "/" + kOrganisation : std::string();
}

// QSettings reads and writes only files: it gets one in a scratch folder inside the
// private folder, never the reader's file itself, which is read and written by us.
std::optional<QVariantMap> ParseSettings(const FolderChange& change, const std::string& bytes,
                                         bool* damaged) {
    // The program writes UTF-8 text: other bytes are damage QSettings would read past,
    // keeping what it understood and dropping the rest at the next save.
    if (!codepage::IsValidUtf8(bytes) || bytes.find('\0') != std::string::npos) {
        *damaged = true;
        return std::nullopt;
    }
    const std::optional<std::string> scratch = change.ScratchFolder(kFileName);
    if (!scratch) {
        return std::nullopt;
    }
    std::optional<QVariantMap> values;
    {
        const QString path = QString::fromStdString(*scratch + "/" + kFileName);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly) &&
            file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                static_cast<qint64>(bytes.size())) {
            file.close();
            const QSettings settings(path, QSettings::NativeFormat);
            *damaged = settings.status() != QSettings::NoError;
            if (!*damaged) {
                values.emplace();
                for (const QString& key : settings.allKeys()) {
                    values->insert(key, settings.value(key));
                }
            }
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(*scratch, ignored);
    return values;
}

std::optional<QByteArray> FormatSettings(const FolderChange& change, const QVariantMap& values) {
    const std::optional<std::string> scratch = change.ScratchFolder(kFileName);
    if (!scratch) {
        return std::nullopt;
    }
    std::optional<QByteArray> bytes;
    {
        const QString path = QString::fromStdString(*scratch + "/" + kFileName);
        bool written = false;
        {
            QSettings settings(path, QSettings::NativeFormat);
            for (auto it = values.begin(); it != values.end(); ++it) {
                settings.setValue(it.key(), it.value());
            }
            settings.sync();
            written = settings.status() == QSettings::NoError;
        }
        QFile file(path);
        if (written && (values.isEmpty() || file.open(QIODevice::ReadOnly))) {
            bytes = values.isEmpty() ? QByteArray() : file.readAll();
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(*scratch, ignored);
    return bytes;
}

}  // namespace

QString SettingsStore::FilePath() {
    const std::string folder = SettingsFolder();
    return folder.empty() ? QString() : QString::fromStdString(folder + "/" + kFileName);
}

SettingsStore::SettingsStore() : m_folder(SettingsFolder()) {
    Load();
    m_saved = Reading();
}

void SettingsStore::Load() {
    if (m_folder.empty()) {
        m_writable = false;
        Warn(QString::fromUtf8(kNoHomeMessage));
        return;
    }
    const KeptFolder kept = OpenKeptFolder(m_folder);
    if (kept.missing) {
        return;  // a first start: the folder is made at the first save
    }
    if (!kept.path) {
        m_writable = false;
        Warn(QString::fromStdString(kept.problem) + QStringLiteral("，本次不保存设置"));
        return;
    }
    const FolderChange change(m_folder);
    if (!change.Ok()) {
        m_writable = false;
        Warn(QString::fromStdString(change.Problem()) + QStringLiteral("，本次不保存设置"));
        return;
    }
    change.RemoveStaleTemporaries({kFileName});
    const PrivateFile file = change.Read(kFileName);
    if (file.status == PrivateFile::Status::Missing) {
        return;
    }
    if (file.status == PrivateFile::Status::Failed) {
        // Its values are not known, so any save would lose them.
        m_writable = false;
        Warn(QStringLiteral("%1，使用默认设置，本次不保存设置")
                 .arg(QString::fromStdString(file.problem)));
        return;
    }
    bool damaged = false;
    if (std::optional<QVariantMap> values = ParseSettings(change, file.bytes, &damaged)) {
        m_values = std::move(*values);
        return;
    }
    const std::string path = m_folder + "/" + kFileName;
    const std::string aside = m_folder + "/" + kDamagedName;
    // Moved aside, the reader's file survives for repair, and this run starts a fresh
    // one; where it cannot be moved, it is not written over.
    const bool moved = damaged && std::rename(path.c_str(), aside.c_str()) == 0;
    m_writable = moved;
    Warn(moved ? QStringLiteral("设置文件无法读取，已改名为 %1，使用默认设置")
                     .arg(QString::fromStdString(aside))
               : QStringLiteral("设置文件无法读取，使用默认设置，本次不保存设置：%1")
                     .arg(QString::fromStdString(path)));
}

bool SettingsStore::Change(const std::function<void(QVariantMap&)>& change) {
    if (!m_writable) {
        return false;
    }
    const FolderChange folder(m_folder);
    if (!folder.Ok()) {
        Warn(QString::fromStdString(folder.Problem()) + QStringLiteral("，设置没有保存"));
        return false;
    }
    // Another window may have saved since this one read: its values are kept.
    const PrivateFile file = folder.Read(kFileName);
    bool damaged = false;
    std::optional<QVariantMap> current;
    if (file.status == PrivateFile::Status::Missing) {
        current.emplace();
    } else if (file.status == PrivateFile::Status::Read) {
        current = ParseSettings(folder, file.bytes, &damaged);
    }
    if (!current) {
        m_writable = false;
        Warn(QStringLiteral("设置文件 %1 无法读取，本次不再保存设置")
                 .arg(QString::fromStdString(m_folder + "/" + kFileName)));
        return false;
    }
    change(*current);
    const std::optional<QByteArray> bytes = FormatSettings(folder, *current);
    const std::string problem =
        bytes ? folder.Write(kFileName, std::string_view(bytes->constData(),
                                                         static_cast<std::size_t>(bytes->size())))
              : std::string("无法整理设置");
    if (!problem.empty()) {
        Warn(QStringLiteral("无法保存设置 %1：%2")
                 .arg(QString::fromStdString(m_folder + "/" + kFileName),
                      QString::fromStdString(problem)));
        return false;
    }
    m_values = std::move(*current);
    return true;
}

ReadingSettings SettingsStore::Reading() const {
    ReadingSettings settings;
    for (const SettingRow& row : kReadingRows) {
        if (m_values.contains(QString::fromLatin1(row.key)) && !ReadRow(m_values, row, settings)) {
            Warn(QStringLiteral("设置 %1 的值无效，使用默认值").arg(QString::fromLatin1(row.key)));
        }
    }
    // A file from before the scheme was kept holds its colours alone, drawn then on white
    // boxes: the scheme they are, or the classic one, keeps that page as it was.
    if (!m_values.contains(QStringLiteral("Colors/Scheme")) &&
        m_values.contains(QStringLiteral("Colors/Page"))) {
        settings.colorScheme =
            SchemeWithColors(settings.pageColor, settings.textColor, settings.glossColor)
                .value_or(ColorScheme::Classic);
    }
    // A scheme named without its colours (written by hand, or a colour that made no sense)
    // takes them from the scheme: night text never lands on the default page.
    if (!m_values.contains(QStringLiteral("Colors/Scheme"))) {
        return settings;
    }
    const SchemeColors scheme = ColorsOf(settings.colorScheme);
    for (const auto& [key, member, fallback] :
         {std::tuple{"Colors/Page", &ReadingSettings::pageColor, scheme.page},
          std::tuple{"Colors/Text", &ReadingSettings::textColor, scheme.text},
          std::tuple{"Colors/Gloss", &ReadingSettings::glossColor, scheme.gloss}}) {
        if (!ParseColor(m_values.value(QString::fromLatin1(key)).toString())) {
            settings.*member = fallback;
        }
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
    if (!m_writable || settings == m_saved) {
        return;
    }
    const ReadingSettings before = m_saved;
    // Only the settings this window changed: another window's other choices stay. A value
    // that makes no sense is replaced by what this window uses in its place.
    const bool saved = Change([&](QVariantMap& values) {
        for (const SettingRow& row : kReadingRows) {
            const QString text = RowText(row, settings);
            ReadingSettings scratch;
            if (text != RowText(row, before) || !values.contains(QString::fromLatin1(row.key)) ||
                !ReadRow(values, row, scratch)) {
                values.insert(QString::fromLatin1(row.key), text);
            }
        }
    });
    if (saved) {
        m_saved = settings;
    }
}

QByteArray SettingsStore::WindowGeometry() const {
    return m_values.value(QStringLiteral("Window/Geometry")).toByteArray();
}

QByteArray SettingsStore::WindowState() const {
    return m_values.value(QStringLiteral("Window/State")).toByteArray();
}

void SettingsStore::SaveWindow(const QByteArray& geometry, const QByteArray& state) {
    Change([&](QVariantMap& values) {
        values.insert(QStringLiteral("Window/Geometry"), geometry);
        values.insert(QStringLiteral("Window/State"), state);
    });
}

std::string SettingsStore::LastFolder() const {
    const QVariant value = m_values.value(QStringLiteral("Files/LastFolder"));
    if (value.typeId() == QMetaType::QByteArray) {
        return value.toByteArray().toStdString();
    }
    return value.toString().toStdString();
}

void SettingsStore::SaveLastFolder(const std::string& folder) {
    if (folder.empty() || folder == LastFolder()) {
        return;
    }
    // Readable text in the file when it is UTF-8, as it always was; bytes otherwise.
    const QByteArray bytes = QByteArray::fromStdString(folder);
    const QString text = QString::fromUtf8(bytes);
    const QVariant value = text.toUtf8() == bytes ? QVariant(text) : QVariant(bytes);
    Change([&](QVariantMap& values) { values.insert(QStringLiteral("Files/LastFolder"), value); });
}

bool SettingsStore::RemoveAll() {
    const std::string folder = SettingsFolder();
    if (folder.empty()) {
        return true;
    }
    std::error_code ignored;
    for (const char* name : {kFileName, kDamagedName, ".lock"}) {
        std::filesystem::remove(folder + "/" + name, ignored);
    }
    std::filesystem::remove(folder, ignored);  // only when empty
    return !std::filesystem::exists(folder + "/" + kFileName, ignored) &&
           !std::filesystem::exists(folder + "/" + kDamagedName, ignored);
}
