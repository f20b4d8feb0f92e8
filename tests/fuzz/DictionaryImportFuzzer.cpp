// Dictionary-list import: any bytes are refused with a reason, or give entries that
// survive being saved as main.dic and loaded again.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "CArchive.h"
#include "CDicMain.h"
#include "DictionaryFile.h"
#include "DictionaryText.h"
#include "FuzzCheck.h"

namespace {

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    DictionaryText parsed = DictionaryText::Parse(bytes);
    if (!parsed.Ok()) {
        FUZZ_CHECK(!parsed.Problem().empty());
        return 0;
    }
    CDicMain dic(WordLists{});
    dic.ReplaceItems(parsed.TakeItems());
    FUZZ_CHECK(dic.m_arrItems.size() <= size);

    CArchive out = CArchive::ForStoring();
    dic.Serialize(out);
    CDicMain again(WordLists{});
    const DicFileResult loaded = LoadDictionaryBytes(again, out.Bytes(), "import.dic");
    FUZZ_CHECK(loaded.Ok());
    FUZZ_CHECK(again.m_arrItems.size() == dic.m_arrItems.size());
    for (std::size_t i = 0; i < dic.m_arrItems.size(); ++i) {
        const CDicItem& a = dic.m_arrItems[i];
        const CDicItem& b = again.m_arrItems[i];
        FUZZ_CHECK(a.m_strWord == b.m_strWord && a.m_strGloss == b.m_strGloss);
        FUZZ_CHECK(SameDouble(a.m_dFrequency, b.m_dFrequency) && a.m_nFlag == b.m_nFlag);
    }
    return 0;
}
