// The reader's own-senses file as a hand edit, a crash or another program may leave it:
// whatever it holds, every sense read is one the page can show, and a save gives back
// the same senses and the same skipped lines, byte for byte.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "OwnSenseFile.h"
#include "PersonalWordList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const OwnSenseText text = ParseOwnSenses(bytes);
    for (const auto& [key, gloss] : text.senses) {
        FUZZ_CHECK(ListWordOf(key.first) == key.first);
        FUZZ_CHECK(IsOwnGloss(gloss));
        FUZZ_CHECK(key.second == kEveryBook || IsBookKey(key.second));
    }
    const OwnSenseText again = ParseOwnSenses(FormatOwnSenses(text));
    FUZZ_CHECK(again.senses == text.senses);
    FUZZ_CHECK(again.skippedLines == text.skippedLines);
    return 0;
}
