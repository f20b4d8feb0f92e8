// The EPUB reader on any bytes: a book or a reason, never a crash; a book's text
// splits back into exactly its paragraphs and its chapters point inside them.
#include <cstdint>
#include <string_view>

#include "CParagraphList.h"
#include "CodePage.h"
#include "EpubBook.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const EpubResult result = ReadEpub(bytes);
    if (!result.Ok()) {
        FUZZ_CHECK(!result.reason.empty());
        FUZZ_CHECK(codepage::IsValidUtf8(result.reason));
        return 0;
    }
    const EpubBook& book = *result.book;
    FUZZ_CHECK(!book.paragraphs.empty());
    for (const std::string& paragraph : book.paragraphs) {
        FUZZ_CHECK(!paragraph.empty());
        FUZZ_CHECK(paragraph.find('\n') == std::string::npos);
        FUZZ_CHECK(paragraph.front() != ' ' && paragraph.back() != ' ');
        FUZZ_CHECK(codepage::IsValidUtf8(paragraph));
    }
    for (const BookChapter& chapter : book.chapters) {
        FUZZ_CHECK(chapter.paragraph < book.paragraphs.size());
        FUZZ_CHECK(!chapter.title.empty());
        FUZZ_CHECK(chapter.depth >= 0);
        FUZZ_CHECK(codepage::IsValidUtf8(chapter.title));
    }
    CParagraphList text;
    text.SetText(book.Text());
    FUZZ_CHECK(text.m_arrParagraphs.size() == book.paragraphs.size());
    for (std::size_t i = 0; i < book.paragraphs.size(); ++i) {
        FUZZ_CHECK(text.m_arrParagraphs[i].m_strText == book.paragraphs[i]);
    }
    return 0;
}
