#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>

#include "ReadingSettings.h"

// The reader's settings between runs, in the desktop's usual place
// (~/.config/Vellumwise/Vellumwise.conf, QSettings' native format): the reading
// settings, the window's size and bars, the folder last opened from. QSettings locks
// the file while it writes, so two windows never mix half-written files; the last
// write of a key wins.
//
// A damaged or unreadable file is never written over: it is moved aside to
// Vellumwise.conf.damaged (or, when that fails, left alone and nothing is saved this
// run), a warning goes to standard error, and the defaults are used. A single value
// that makes no sense falls back to its default with a warning.
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

    QString LastFolder() const;
    void SaveLastFolder(const QString& folder);

    // The settings file itself, for the places of the texts read; null when nothing
    // may be written this run.
    QSettings* File() { return m_bWritable ? m_pSettings.get() : nullptr; }
    const QSettings* File() const { return m_pSettings.get(); }

    // The settings file's path.
    static QString FilePath();
    // Removes the settings file (and a damaged one kept aside); false when one is left.
    static bool RemoveAll();

private:
    std::unique_ptr<QSettings> m_pSettings;
    bool m_bWritable = true;
    ReadingSettings m_saved;
    std::optional<ColorScheme> m_runOnlyScheme;
    std::optional<PageLayout> m_runOnlyLayout;

    // The settings to write: a run-only choice still in force replaced by the file's.
    ReadingSettings WithoutRunOnly(const ReadingSettings& settings);
};
