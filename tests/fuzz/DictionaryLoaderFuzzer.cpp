// main.dic loader: any bytes are either refused, leaving the dictionary untouched,
// or accepted and then stored back to exactly the same bytes.
#include <cstdint>
#include <string_view>

#include "CArchive.h"
#include "CDicMain.h"
#include "DictionaryFile.h"
#include "FuzzCheck.h"

namespace {

const WordLists kNoLists{};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CDicMain dic(kNoLists);
    const DicFileResult result = LoadDictionaryBytes(dic, bytes, "fuzz.dic");
    if (!result.Ok()) {
        FUZZ_CHECK(result.kind == DicFileResult::Kind::Malformed);
        FUZZ_CHECK(dic.m_arrItems.empty());
        FUZZ_CHECK(!result.detail.empty());
        return 0;
    }
    CArchive again = CArchive::ForStoring();
    dic.Serialize(again);
    FUZZ_CHECK(again.Bytes() == bytes);
    // Every loaded word is found by exact lookup (first equal entry decides).
    for (const CDicItem& item : dic.m_arrItems) {
        const std::string answer = dic.LookupExact(item.m_strWord, 1e300);
        FUZZ_CHECK(item.m_strWord.size() < 2 || answer != "Unknown");
    }
    // The archive-level loader agrees with the strict one on accepted input.
    CDicMain lenient(kNoLists);
    CArchive in = CArchive::ForLoading(bytes);
    lenient.Serialize(in);
    FUZZ_CHECK(lenient.m_arrItems.size() == dic.m_arrItems.size());
    return 0;
}
