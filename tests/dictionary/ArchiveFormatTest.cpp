// The byte layout of main.dic: count, scrambled length-prefixed strings, numbers.
#include <gtest/gtest.h>

#include "CArchive.h"
#include "CDicMain.h"
#include "FixtureWordLists.h"
#include "TestBytes.h"

namespace {

std::string Store(CDicMain& dic) {
    CArchive ar = CArchive::ForStoring();
    dic.Serialize(ar);
    return ar.Bytes();
}

CDicItem Item(std::string word, std::string gloss, double frequency, int flag = 1) {
    CDicItem item;
    item.m_strWord = std::move(word);
    item.m_strGloss = std::move(gloss);
    item.m_dFrequency = frequency;
    item.m_nFlag = flag;
    return item;
}

TEST(ArchiveFormat, WorkedByteImages) {
    CDicMain empty(FixtureWordLists());
    EXPECT_EQ(ToHex(Store(empty)), "00 00 00 00");

    CDicMain withDefault(FixtureWordLists());
    withDefault.ReplaceItems({CDicItem()});
    EXPECT_EQ(ToHex(Store(withDefault)), "01 00 00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00");

    CArchive word = CArchive::ForStoring();
    word.WriteString(CDicItem::Scramble("abc"));
    EXPECT_EQ(ToHex(word.Bytes()), "06 8E 06 9F 06 B0 06");

    CDicMain apple(FixtureWordLists());
    apple.ReplaceItems({Item("a", "", 12.5, 7)});
    // 12.5 = 0x4029000000000000, little-endian.
    EXPECT_EQ(ToHex(Store(apple)), "01 00 00 00 02 8E 06 00 00 00 00 00 00 00 29 40 07 00 00 00");
}

TEST(ArchiveFormat, LengthPrefixForms) {
    struct Case {
        std::size_t length;
        std::string prefix;
    };
    const Case cases[] = {
        {0, "00"},
        {254, "FE"},
        {255, "FF FF 00"},
        {256, "FF 00 01"},  // a 128-byte gloss scrambles to 256 bytes
        {0xFFFD, "FF FD FF"},
        {0xFFFE, "FF FF FF FE FF 00 00"},
        {0x12345, "FF FF FF 45 23 01 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 'x');
        CArchive out = CArchive::ForStoring();
        out.WriteString(text);
        const std::string prefix = Hex(c.prefix);
        ASSERT_EQ(out.Bytes().size(), prefix.size() + c.length);
        EXPECT_EQ(ToHex(out.Bytes().substr(0, prefix.size())), c.prefix);

        CArchive in = CArchive::ForLoading(out.Bytes());
        EXPECT_EQ(in.ReadString(), text);
        EXPECT_EQ(in.Remaining(), 0u);
    }
}

TEST(ArchiveFormat, GlossOf128BytesHasThreeBytePrefix) {
    CArchive ar = CArchive::ForStoring();
    CDicItem item = Item("", std::string(128, '\x80'), 0.0);
    item.Serialize(ar);
    EXPECT_EQ(ToHex(ar.Bytes().substr(0, 4)), "00 FF 00 01");
    EXPECT_EQ(ar.Bytes().size(), 1 + 3 + 256 + 8 + 4u);
}

TEST(ArchiveFormat, EveryByteValueRoundTrips) {
    CDicMain dic(FixtureWordLists());
    std::vector<CDicItem> items;
    for (int b = 1; b <= 255; ++b) {
        const std::string text(3, static_cast<char>(b));
        items.push_back(Item(text, text + "g", b * 0.5, b));
    }
    dic.ReplaceItems(std::move(items));
    const std::string bytes = Store(dic);

    CDicMain loaded(FixtureWordLists());
    CArchive in = CArchive::ForLoading(bytes);
    loaded.Serialize(in);
    ASSERT_EQ(loaded.m_arrItems.size(), 255u);
    for (int b = 1; b <= 255; ++b) {
        const CDicItem& item = loaded.m_arrItems[b - 1];
        EXPECT_EQ(item.m_strWord, std::string(3, static_cast<char>(b)));
        EXPECT_EQ(item.m_strGloss, std::string(3, static_cast<char>(b)) + "g");
        EXPECT_EQ(item.m_dFrequency, b * 0.5);
        EXPECT_EQ(item.m_nFlag, b);
    }
}

TEST(ArchiveFormat, LoadingAppends) {
    CDicMain source(FixtureWordLists());
    source.ReplaceItems({Item("apple", "x", 1.0), Item("book", "y", 2.0)});
    const std::string bytes = Store(source);

    CDicMain dic(FixtureWordLists());
    for (int i = 0; i < 2; ++i) {
        CArchive in = CArchive::ForLoading(bytes);
        dic.Serialize(in);
    }
    ASSERT_EQ(dic.m_arrItems.size(), 4u);
    EXPECT_EQ(dic.m_arrItems[2].m_strWord, "apple");
    EXPECT_EQ(dic.m_arrItems[3].m_strWord, "book");
}

TEST(ArchiveFormat, TruncatedDataKeepsCompleteEntriesAndRaises) {
    CDicMain source(FixtureWordLists());
    source.ReplaceItems({Item("apple", "x", 1.0), Item("book", "y", 2.0)});
    const std::string bytes = Store(source);

    CDicMain dic(FixtureWordLists());
    CArchive in = CArchive::ForLoading(std::string_view(bytes).substr(0, bytes.size() - 1));
    EXPECT_THROW(dic.Serialize(in), CArchiveException);
    ASSERT_EQ(dic.m_arrItems.size(), 1u);
    EXPECT_EQ(dic.LookupExact("apple", 0.5), "Ignore");  // the kept entry is findable
}

// Serialize reads records as the file loader does: one that no writer produces (here
// a three-byte length prefix for a two-byte text) raises, keeping the entries before.
TEST(ArchiveFormat, LoadingRaisesAtARecordNoWriterProduces) {
    CDicMain source(FixtureWordLists());
    source.ReplaceItems({Item("apple", "x", 1.0)});
    std::string bytes = Store(source);
    bytes[0] = 2;
    bytes += Hex("FF 02 00 8E 06") + Hex("00") + std::string(8, '\0') + Hex("01 00 00 00");
    CDicMain dic(FixtureWordLists());
    CArchive in = CArchive::ForLoading(bytes);
    EXPECT_THROW(dic.Serialize(in), CArchiveException);
    ASSERT_EQ(dic.m_arrItems.size(), 1u);
    EXPECT_EQ(dic.m_arrItems[0].m_strWord, "apple");
}

TEST(ArchiveFormat, CountsThatHoldNothing) {
    for (const char* count : {"00 00 00 00", "FF FF FF FF", "00 00 00 80"}) {
        SCOPED_TRACE(count);
        CDicMain dic(FixtureWordLists());
        const std::string bytes = Hex(count);
        CArchive in = CArchive::ForLoading(bytes);
        dic.Serialize(in);
        EXPECT_TRUE(dic.m_arrItems.empty());
    }
    // A count far beyond the data fails at the end of the data, having allocated
    // nothing in proportion to the count.
    CDicMain dic(FixtureWordLists());
    const std::string huge = Hex("FF FF FF 7F 00 00");
    CArchive in = CArchive::ForLoading(huge);
    EXPECT_THROW(dic.Serialize(in), CArchiveException);
    EXPECT_LT(dic.m_arrItems.capacity(), 16u);
}

}  // namespace
