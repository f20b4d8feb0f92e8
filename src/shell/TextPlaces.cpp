#include "TextPlaces.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFileInfo>
#include <QVariantMap>
#include <algorithm>
#include <vector>

#include "SettingsStore.h"

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
std::vector<Entry> AllEntries(const QVariantMap& values) {
    std::vector<Entry> entries;
    const QString prefix = kGroup + QLatin1Char('/');
    for (auto it = values.lowerBound(prefix); it != values.end() && it.key().startsWith(prefix);
         ++it) {
        if (it.key().indexOf(QLatin1Char('/'), prefix.size()) >= 0) {
            continue;  // not an entry of the group itself
        }
        if (auto entry = ParseEntry(it.key(), it.value().toStringList())) {
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
    if (m_store == nullptr || !identity) {
        return std::nullopt;
    }
    const QString key = EntryKey(identity->path);
    const std::optional<Entry> entry = ParseEntry(key, m_store->Values().value(key).toStringList());
    if (!entry || entry->path != identity->path || entry->size != identity->size ||
        entry->modified != identity->modified) {
        return std::nullopt;
    }
    return entry->place;
}

void TextPlaces::Remember(const QString& path, const ReadingPlace& place) {
    const std::optional<FileIdentity> identity = Identify(path);
    if (m_store == nullptr || !m_store->Writable() || !identity) {
        return;
    }
    m_store->Change([&](QVariantMap& values) {
        std::vector<Entry> entries = AllEntries(values);
        Entry entry;
        entry.key = EntryKey(identity->path);
        entry.path = identity->path;
        entry.size = identity->size;
        entry.modified = identity->modified;
        entry.place = place;
        // Newer than every entry, even when the clock went back.
        entry.used = std::max(QDateTime::currentMSecsSinceEpoch(),
                              entries.empty() ? 0 : entries.front().used + 1);
        values.insert(entry.key, EntryFields(entry));
        std::erase_if(entries, [&](const Entry& other) { return other.key == entry.key; });
        for (std::size_t i = kMaxTexts - 1; i < entries.size(); ++i) {
            values.remove(entries[i].key);
        }
    });
}

QStringList TextPlaces::Recent() const {
    QStringList paths;
    if (m_store == nullptr) {
        return paths;
    }
    for (const Entry& entry : AllEntries(m_store->Values())) {
        if (paths.size() == kRecentCount) {
            break;
        }
        paths << entry.path;
    }
    return paths;
}

void TextPlaces::Forget(const QString& path) {
    if (m_store == nullptr || !m_store->Writable()) {
        return;
    }
    m_store->Change([&](QVariantMap& values) {
        for (const Entry& entry : AllEntries(values)) {
            if (entry.path == path) {
                values.remove(entry.key);
            }
        }
    });
}
