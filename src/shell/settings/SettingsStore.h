#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ReadingSettings.h"

// The reader's settings between runs, in the desktop's usual place
// (~/.config/Vellumwise/Vellumwise.conf, QSettings' native format): the reading
// settings, the window's size and bars, the folder last opened from, the places of
// the texts read.
//
// The file is one of the reader's own files: read and saved only in a folder nobody
// else may write, never through a link, and saved whole atomically. QSettings formats
// the bytes, in a scratch folder inside that folder. Each change is made under the
// folder's lock to the file as it is then, so two windows keep each other's changes.
//
// A damaged file is moved aside to Vellumwise.conf.damaged, a warning goes to standard
// error, and the defaults are used; a file that cannot be read at all (permissions, an
// I/O error, a link) is not written this run. A single value that makes no sense
// falls back to its default with a warning.
class SettingsStore {
public:
    SettingsStore();

    // What the file holds, defaults where it holds nothing usable.
    ReadingSettings Reading() const;
    // Writes the settings that differ from what the file held.
    void SaveReading(const ReadingSettings& settings);
    // A scheme or layout the command line set for this run only: while the reading
    // settings still show it, saving keeps the file's own instead.
    void SetRunOnly(std::optional<ColorScheme> scheme, std::optional<PageLayout> layout);

    QByteArray WindowGeometry() const;
    QByteArray WindowState() const;
    void SaveWindow(const QByteArray& geometry, const QByteArray& state);

    // The folder's bytes as the file system has them: a name that is not UTF-8 is
    // kept as bytes, not turned into replacement characters that name no folder.
    std::string LastFolder() const;
    void SaveLastFolder(const std::string& folder);

    // Every key and value as last read or saved.
    const QVariantMap& Values() const { return m_values; }
    // Applies `change` to the values as the file holds them now and saves the result;
    // false (and nothing saved) when nothing may be written this run or the save failed.
    bool Change(const std::function<void(QVariantMap&)>& change);
    bool Writable() const { return m_writable; }

    // The settings file's path; empty without a home folder.
    static QString FilePath();
    // Removes the settings file (and a damaged one kept aside); false when one is left.
    static bool RemoveAll();

private:
    void Load();

    std::string m_folder;  // where the file is, as configured; empty without a home
    QVariantMap m_values;
    bool m_writable = true;
    ReadingSettings m_saved;
    std::optional<ColorScheme> m_runOnlyScheme;
    std::optional<PageLayout> m_runOnlyLayout;

    // The settings to write: a run-only choice still in force replaced by the file's.
    ReadingSettings WithoutRunOnly(const ReadingSettings& settings);
};
