// The settings file as a hand edit, another program or a broken disk may leave it: whatever
// it holds, the window starts with settings it can use, the reader's bytes are never lost
// (kept, or moved aside whole), and what a save writes reads back as the same settings.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "CodePage.h"
#include "FuzzCheck.h"
#include "ReadingSettings.h"
#include "SettingsStore.h"

namespace {

// A configuration folder of this run's own, private as the store demands.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::string base =
            (std::filesystem::temp_directory_path() / "vellumwise-fuzz-XXXXXX").string();
        FUZZ_CHECK(::mkdtemp(base.data()) != nullptr);
        ::setenv("XDG_CONFIG_HOME", base.c_str(), 1);
        const std::filesystem::path own = std::filesystem::path(base) / "Vellumwise";
        std::filesystem::create_directory(own);
        ::chmod(own.c_str(), 0700);
        return own;
    }();
    return folder;
}

std::optional<std::string> Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void CheckUsable(const ReadingSettings& settings) {
    FUZZ_CHECK(settings.vocabLevel >= kMinVocabLevel && settings.vocabLevel <= kMaxVocabLevel);
    FUZZ_CHECK(settings.glossPercent >= 60 && settings.glossPercent <= 100);
    FUZZ_CHECK(settings.autoScrollInterval >= 30 && settings.autoScrollInterval <= 240);
    FUZZ_CHECK(IsReadableFontHeight(settings.font.lfHeight));
    FUZZ_CHECK(!settings.font.lfFaceName.empty());
    FUZZ_CHECK(codepage::IsValidUtf8(settings.font.lfFaceName));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path file = Folder() / "Vellumwise.conf";
    const std::filesystem::path aside = Folder() / "Vellumwise.conf.damaged";
    std::filesystem::remove(aside);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    ::chmod(file.c_str(), 0600);

    SettingsStore store;
    const ReadingSettings settings = store.Reading();
    CheckUsable(settings);
    // Nothing the reader had is lost: the file is as it was, or moved aside whole.
    const std::optional<std::string> kept = Contents(file);
    const std::optional<std::string> moved = Contents(aside);
    FUZZ_CHECK(kept == bytes || (moved == bytes && store.Writable()));

    if (store.Writable()) {
        // Every setting changed from what the file held, so each is written; the next start
        // reads the same settings back.
        ReadingSettings changed = settings;
        changed.vocabLevel =
            settings.vocabLevel == kMaxVocabLevel ? kMinVocabLevel : kMaxVocabLevel;
        changed.skipNames = !settings.skipNames;
        store.SaveReading(changed);
        const std::optional<std::string> saved = Contents(file);
        FUZZ_CHECK(saved && codepage::IsValidUtf8(*saved));
        const SettingsStore again;
        FUZZ_CHECK(again.Reading() == changed);
    }
    return 0;
}
