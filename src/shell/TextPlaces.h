#pragma once

#include <optional>
#include <string>
#include <vector>

#include "TextPlace.h"

class SettingsStore;

// Where the reader left each text file, kept in the settings file's "Texts" group:
// one entry per file, under a key made from its canonical path. An entry holds the
// path, the file's size and modification time when it was read, the word at the top
// and the step. A place is given back only while the size and time are unchanged: the
// same path with other bytes is another text. The most recently read come first;
// beyond kMaxTexts the oldest is dropped. Paths are the file system's bytes, whatever
// they are: a name that is not UTF-8 is kept as well (base64, marked "b64:").
class TextPlaces {
public:
    static constexpr int kMaxTexts = 200;
    static constexpr int kRecentCount = 8;

    // Null: nothing is remembered. Each change is made to the settings file as it is
    // then, so two windows keep each other's places.
    explicit TextPlaces(SettingsStore* store) : m_store(store) {}

    // The place remembered for the file as it is now.
    std::optional<ReadingPlace> Recall(const std::string& path) const;
    // Records the file's place, and that it was read now.
    void Remember(const std::string& path, const ReadingPlace& place);
    // The paths read most recently, newest first, at most kRecentCount.
    std::vector<std::string> Recent() const;
    void Forget(const std::string& path);

private:
    SettingsStore* m_store;
};
