// The reader's own files as a hand edit, a crash or another program may leave them: a
// word list and the word book. Whatever they hold, a save keeps every word and entry
// read, and the lists hold only words.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "PersonalWordList.h"
#include "WordBook.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const WordListText list = ParseWordList(bytes);
    for (const std::string& word : list.words) {
        FUZZ_CHECK(ListWordOf(word) == word);
    }
    const WordListText again = ParseWordList(FormatWordList(list));
    FUZZ_CHECK(std::includes(again.words.begin(), again.words.end(), list.words.begin(),
                             list.words.end()));
    FUZZ_CHECK(again.words.size() + again.skippedLines.size() <=
               list.words.size() + list.skippedLines.size());

    const ImportedWords imported = ParseImportList(bytes);
    for (const std::string& word : imported.words) {
        FUZZ_CHECK(ListWordOf(word) == word);
        FUZZ_CHECK(std::count(imported.words.begin(), imported.words.end(), word) == 1);
    }

    const WordBook book = ParseWordBook(bytes);
    const WordBook reread = ParseWordBook(FormatWordBook(book));
    FUZZ_CHECK(reread.entries == book.entries);
    // A lone CR a line held goes with its line end: nothing a reader wrote.
    FUZZ_CHECK(reread.otherLines.size() <= book.otherLines.size());
    for (const WordBookEntry& entry : book.entries) {
        FUZZ_CHECK(!entry.word.empty());
    }
    ExportCsv(book.entries);
    ExportAnki(book.entries);
    return 0;
}
