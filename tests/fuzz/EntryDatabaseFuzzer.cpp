// dictionary.sqlite as a damaged disk, a half-finished copy or another program may leave
// it: whatever the file holds, the reader answers every question without crashing,
// never writes the file, and says in valid UTF-8 why it cannot answer.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "CodePage.h"
#include "EntryDatabase.h"
#include "FuzzCheck.h"

namespace {

const std::string& ScratchPath() {
    static const std::string path =
        (std::filesystem::temp_directory_path() /
         ("vellumwise-fuzz-entries-" + std::to_string(::getpid()) + ".sqlite"))
            .string();
    return path;
}

void CheckEntry(const FullEntry& entry) {
    for (const SenseLine& line : entry.lines) {
        FUZZ_CHECK(!line.senses.empty() || !line.label.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& path = ScratchPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    {
        EntryDatabase database(path);
        for (const std::string_view word : {"go", "went", "Apple", ""}) {
            if (const auto entry = database.Find(word)) {
                CheckEntry(*entry);
            }
        }
        database.SearchSenses("苹果", 5);
        database.SearchSenses("\"*%'", 5);
        database.WordsStartingWith("a", 5);
        if (!database.Available()) {
            FUZZ_CHECK(!database.Problem().empty());
            FUZZ_CHECK(codepage::IsValidUtf8(database.Problem()));
        }
    }
    // Opened read-only: the bytes on disk are the bytes given.
    std::ifstream in(path, std::ios::binary);
    const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    FUZZ_CHECK(after.size() == size);
    FUZZ_CHECK(std::string_view(after) ==
               std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
