#include "TextPlaces.h"

#include <sys/stat.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QVariantMap>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "CodePage.h"
#include "SettingsStore.h"

namespace {

const QString kGroup = QStringLiteral("Texts");

// What a file is identified by: its canonical path (so a link or "./" names the same
// file), its size and its modification time.
struct FileIdentity {
    QString path;  // as stored (see StoredPath)
    qint64 size = -1;
    qint64 modified = -1;  // milliseconds since the epoch, UTC
};

constexpr QLatin1StringView kBase64Mark("b64:");

// A path as the settings file holds it: UTF-8 as it is, any other bytes in base64.
// A canonical path begins with "/", so the mark cannot be a path's own start.
QString StoredPath(const std::string& bytes) {
    if (codepage::IsValidUtf8(bytes)) {
        return QString::fromStdString(bytes);
    }
    return kBase64Mark + QString::fromLatin1(QByteArray::fromStdString(bytes).toBase64());
}

std::string PathBytes(const QString& stored) {
    if (stored.startsWith(kBase64Mark)) {
        return QByteArray::fromBase64(stored.mid(kBase64Mark.size()).toLatin1()).toStdString();
    }
    return stored.toStdString();
}

std::optional<FileIdentity> Identify(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr) {
        return std::nullopt;
    }
    const std::string canonical = resolved;
    std::free(resolved);
    struct stat info {};
    if (::stat(canonical.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return FileIdentity{
        StoredPath(canonical), static_cast<qint64>(info.st_size),
        static_cast<qint64>(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000};
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

std::optional<ReadingPlace> TextPlaces::Recall(const std::string& path) const {
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

void TextPlaces::Remember(const std::string& path, const ReadingPlace& place) {
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

std::vector<std::string> TextPlaces::Recent() const {
    std::vector<std::string> paths;
    if (m_store == nullptr) {
        return paths;
    }
    for (const Entry& entry : AllEntries(m_store->Values())) {
        if (paths.size() == kRecentCount) {
            break;
        }
        paths.push_back(PathBytes(entry.path));
    }
    return paths;
}

void TextPlaces::Forget(const std::string& path) {
    if (m_store == nullptr || !m_store->Writable()) {
        return;
    }
    m_store->Change([&](QVariantMap& values) {
        for (const Entry& entry : AllEntries(values)) {
            if (entry.path == StoredPath(path)) {
                values.remove(entry.key);
            }
        }
    });
}
