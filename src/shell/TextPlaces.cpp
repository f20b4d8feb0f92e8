#include "TextPlaces.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <vector>

namespace {

const QString kGroup = QStringLiteral("Texts");

// What a file is identified by: its canonical path (so a link or "./" names the same
// file), its size and its modification time.
struct FileIdentity {
    QString path;
    qint64 size = -1;
    qint64 modified = -1;  // milliseconds since the epoch, UTC
};

std::optional<FileIdentity> Identify(const QString& path) {
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (canonical.isEmpty() || !info.isFile()) {
        return std::nullopt;
    }
    return FileIdentity{canonical, info.size(), info.lastModified().toMSecsSinceEpoch()};
}

// Settings keys may not hold "/": the path's hash names the entry.
QString EntryKey(const QString& canonicalPath) {
    return kGroup + QLatin1Char('/') +
           QString::fromLatin1(
               QCryptographicHash::hash(canonicalPath.toUtf8(), QCryptographicHash::Sha1).toHex());
}

struct Entry {
    QString key;
    QString path;
    qint64 size = -1;
    qint64 modified = -1;
    ReadingPlace place;
    qint64 used = 0;  // when it was last read, for the order
};

// Fields: path, size, modified, paragraph, token, step, used.
std::optional<Entry> ParseEntry(const QString& key, const QStringList& fields) {
    if (fields.size() != 7 || fields[0].isEmpty()) {
        return std::nullopt;
    }
    qint64 numbers[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = false;
        numbers[i] = fields[i + 1].toLongLong(&ok);
        if (!ok || (numbers[i] < 0 && i != 1)) {
            return std::nullopt;
        }
    }
    Entry entry;
    entry.key = key;
    entry.path = fields[0];
    entry.size = numbers[0];
    entry.modified = numbers[1];
    entry.place.topWord = {static_cast<std::size_t>(numbers[2]),
                           static_cast<std::size_t>(numbers[3])};
    entry.place.vocabLevel = static_cast<int>(std::clamp<qint64>(numbers[4], 0, 1000));
    entry.used = numbers[5];
    return entry;
}

QStringList EntryFields(const Entry& entry) {
    return {entry.path,
            QString::number(entry.size),
            QString::number(entry.modified),
            QString::number(entry.place.topWord.paragraph),
            QString::number(entry.place.topWord.token),
            QString::number(entry.place.vocabLevel),
            QString::number(entry.used)};
}

// Every entry, newest first; entries that make no sense are left out.
std::vector<Entry> AllEntries(QSettings& file) {
    std::vector<Entry> entries;
    file.beginGroup(kGroup);
    const QStringList keys = file.childKeys();
    file.endGroup();
    for (const QString& key : keys) {
        const QString full = kGroup + QLatin1Char('/') + key;
        if (auto entry = ParseEntry(full, file.value(full).toStringList())) {
            entries.push_back(*entry);
        }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.used > b.used; });
    return entries;
}

}  // namespace

std::optional<ReadingPlace> TextPlaces::Recall(const QString& path) const {
    const std::optional<FileIdentity> identity = Identify(path);
    if (m_pFile == nullptr || !identity) {
        return std::nullopt;
    }
    const QString key = EntryKey(identity->path);
    const std::optional<Entry> entry = ParseEntry(key, m_pFile->value(key).toStringList());
    if (!entry || entry->path != identity->path || entry->size != identity->size ||
        entry->modified != identity->modified) {
        return std::nullopt;
    }
    return entry->place;
}

void TextPlaces::Remember(const QString& path, const ReadingPlace& place) {
    const std::optional<FileIdentity> identity = Identify(path);
    if (m_pFile == nullptr || !identity) {
        return;
    }
    std::vector<Entry> entries = AllEntries(*m_pFile);
    Entry entry;
    entry.key = EntryKey(identity->path);
    entry.path = identity->path;
    entry.size = identity->size;
    entry.modified = identity->modified;
    entry.place = place;
    // Newer than every entry, even when the clock went back.
    entry.used = std::max(QDateTime::currentMSecsSinceEpoch(),
                          entries.empty() ? 0 : entries.front().used + 1);
    m_pFile->setValue(entry.key, EntryFields(entry));
    std::erase_if(entries, [&](const Entry& other) { return other.key == entry.key; });
    for (std::size_t i = kMaxTexts - 1; i < entries.size(); ++i) {
        m_pFile->remove(entries[i].key);
    }
    m_pFile->sync();
}

QStringList TextPlaces::Recent() const {
    QStringList paths;
    if (m_pFile == nullptr) {
        return paths;
    }
    for (const Entry& entry : AllEntries(*m_pFile)) {
        if (paths.size() == kRecentCount) {
            break;
        }
        paths << entry.path;
    }
    return paths;
}

void TextPlaces::Forget(const QString& path) {
    if (m_pFile == nullptr) {
        return;
    }
    for (const Entry& entry : AllEntries(*m_pFile)) {
        if (entry.path == path) {
            m_pFile->remove(entry.key);
        }
    }
    m_pFile->sync();
}
