// dictionary.sqlite: the shipped entries, searches taken as text, and files that are no
// database or a damaged one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "EntryDatabase.h"
#include "EntryDatabaseSchema.h"
#include "TempDir.h"
#include "WordCardContent.h"

namespace {

const std::string kShipped = std::string(VELLUMWISE_BIN_DIR) + "/dictionary.sqlite";

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Contains(const std::vector<std::string>& words, const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

TEST(EntryDatabase, ShippedEntryHasEveryPart) {
    EntryDatabase db(kShipped);
    EXPECT_FALSE(db.Opened()) << "opened before the first question";
    const auto go = db.Find("go");
    ASSERT_TRUE(go) << db.Problem();
    EXPECT_EQ(go->word, "go");
    EXPECT_FALSE(go->phonetic.empty());
    ASSERT_GE(go->lines.size(), 2u);
    EXPECT_EQ(go->lines[0].label, "vi.");
    EXPECT_EQ(go->lines[0].senses.rfind("去，走", 0), 0u) << go->lines[0].senses;
    EXPECT_FALSE(go->definitions.empty());
    EXPECT_TRUE(Contains({"zk", "gk"}, go->tags.front()));
    EXPECT_EQ(go->collins, 5);
    EXPECT_TRUE(go->oxford);
    bool past = false;
    for (const auto& [code, form] : go->forms) {
        past = past || (code == 'p' && form == "went");
    }
    EXPECT_TRUE(past);
}

TEST(EntryDatabase, FindsByCaseAndByForm) {
    EntryDatabase db(kShipped);
    struct Case {
        const char* asked;
        const char* found;
    };
    for (const Case& c :
         {Case{"Book", "book"}, Case{"BOOK", "book"}, Case{"went", "go"}, Case{"wrote", "write"},
          Case{"Written", "write"}, Case{"happier", "happier"}}) {
        const auto entry = db.Find(c.asked);
        ASSERT_TRUE(entry) << c.asked;
        EXPECT_EQ(entry->word, c.found) << c.asked;
    }
    for (const char* none : {"", "qzxqzx", "go'; DROP TABLE entry; --", "%", "\xFF\xFE"}) {
        EXPECT_FALSE(db.Find(none)) << none;
    }
    EXPECT_TRUE(db.Available()) << "a question that finds nothing is no failure";
}

TEST(EntryDatabase, ChineseSearchFindsSensesShortAndLong) {
    EntryDatabase db(kShipped);
    EXPECT_TRUE(Contains(db.SearchSenses("书", 200), "book"));     // one character: scanned
    EXPECT_TRUE(Contains(db.SearchSenses("工作簿", 50), "book"));  // three: the index
    EXPECT_LE(db.SearchSenses("的", 7).size(), 7u);
    const auto happ = db.WordsStartingWith("Happ", 3);
    ASSERT_EQ(happ.size(), 3u);
    for (const auto& word : happ) {
        EXPECT_EQ(word.rfind("happ", 0), 0u) << word;
    }
    // An apostrophe or a quote inside the text is searched for, not read.
    EXPECT_TRUE(db.Available());
    db.SearchSenses("'", 5);
    db.SearchSenses("\"\"\"", 5);
    db.SearchSenses("\xE4\xB9", 5);
    EXPECT_TRUE(db.Available()) << db.Problem();
}

TEST(EntryDatabase, SearchBytesAreTextNeverSyntax) {
    EntryDatabase db(kShipped);
    const std::string longText(10000, 'a');
    std::string withNul("书\0书", 7);
    for (const std::string& text :
         {std::string("\"书"), std::string("书\" OR \"的"), std::string("NEAR(书 的)"),
          std::string("lines:书籍"), std::string("%书%"), std::string("*"), longText, withNul}) {
        const auto words = db.SearchSenses(text, 20);
        EXPECT_TRUE(words.empty()) << text.substr(0, 40);
        EXPECT_TRUE(db.Available()) << text.substr(0, 40) << ": " << db.Problem();
    }
    EXPECT_TRUE(db.WordsStartingWith("%", 5).empty());
    EXPECT_TRUE(db.WordsStartingWith("_o", 5).empty());
}

TEST(EntryDatabase, BadFilesAreUnavailableAndLeftAlone) {
    TempDir dir;
    const std::string shipped = FileBytes(kShipped);
    ASSERT_GT(shipped.size(), 1u << 20);
    std::string damaged = shipped;
    for (std::size_t i = 4096; i < damaged.size(); i += 4096) {
        damaged.replace(i, 12,
                        "\x5A\x5A\x5A\x5A\x5A\x5A\x5A\x5A\x5A\x5A\x5A\x5A");  // every page's header
    }
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
    };
    const Case cases[] = {
        {"missing", [](const std::string&) {}},
        {"empty", [](const std::string& p) { WriteFile(p, ""); }},
        {"text", [](const std::string& p) { WriteFile(p, std::string(8192, 'x')); }},
        {"truncated",
         [&](const std::string& p) { WriteFile(p, shipped.substr(0, shipped.size() / 2)); }},
        {"directory", [](const std::string& p) { std::filesystem::create_directory(p); }},
        {"dev-zero", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); }},
        {"damaged", [&](const std::string& p) { WriteFile(p, damaged); }},
    };
    for (const Case& c : cases) {
        const std::string path = dir.Path(c.name);
        c.make(path);
        const auto before = std::filesystem::exists(path) && std::filesystem::is_regular_file(path)
                                ? FileBytes(path)
                                : std::string();
        EntryDatabase db(path);
        // Every question, asked repeatedly, is answered with nothing.
        for (int round = 0; round < 2; ++round) {
            EXPECT_FALSE(db.Find("go") && db.Find("book") && !db.SearchSenses("书", 5).empty() &&
                         !db.SearchSenses("工作簿", 5).empty())
                << c.name;
        }
        if (std::string(c.name) != "damaged") {
            EXPECT_FALSE(db.Available()) << c.name;
        }
        if (!db.Available()) {
            EXPECT_FALSE(db.Problem().empty()) << c.name;
        }
        if (std::filesystem::is_regular_file(path)) {
            EXPECT_EQ(FileBytes(path), before) << c.name << " was written";
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Root()), {}),
                  std::filesystem::exists(std::filesystem::symlink_status(path)) ? 1 : 0)
            << c.name << ": a file was made beside it";
        std::filesystem::remove_all(path);
    }
}

TEST(EntryDatabase, ExchangeAndLinesSplit) {
    const auto forms = SplitForms("p:went/d:gone/bad/i:");
    ASSERT_EQ(forms.size(), 2u);
    EXPECT_EQ(forms[1], (std::pair<char, std::string>{'d', "gone"}));
    EXPECT_EQ(SplitEntryLines("a | b |  | c"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(TagName("cet6"), "六级");
    EXPECT_EQ(FormName('p'), "过去式");
    EXPECT_EQ(TagName("bogus"), "");
}

}  // namespace

namespace {

FullEntry Wind() {
    FullEntry entry;
    entry.word = "wind";
    entry.phonetic = "wind";
    entry.lines = {{"n.", "风，气息，趋势"}, {"vt.", "使通风，缠绕"}, {"vi.", "蜿蜒，缠绕"}};
    entry.forms = {{'p', "wound"}, {'d', "wound"}, {'0', "wind"}};
    entry.tags = {"zk", "gre", "bogus"};
    entry.collins = 4;
    entry.oxford = true;
    return entry;
}

TEST(WordCard, TheLineOfTheShownSenseComesFirstAndMarked) {
    struct Case {
        const char* shown;
        const char* firstLabel;  // after composing
        bool marked;
    };
    for (const Case& c :
         {Case{"缠绕，使通风", "vt.", true}, Case{"趋势", "n.", true}, Case{"风", "n.", true},
          Case{"通风", "n.", false}, Case{"", "n.", false}}) {
        const WordCardContent card = ComposeWordCard("Winding", c.shown, Wind());
        ASSERT_EQ(card.lines.size(), 3u) << c.shown;
        EXPECT_EQ(card.lines[0].label, c.firstLabel) << c.shown;
        EXPECT_EQ(card.lines[0].chosen, c.marked) << c.shown;
        EXPECT_EQ(std::count_if(card.lines.begin(), card.lines.end(),
                                [](const auto& l) { return l.chosen; }),
                  c.marked ? 1 : 0);
        EXPECT_EQ(card.word, "wind");
        EXPECT_EQ(card.asked, "Winding");
    }
    const WordCardContent card = ComposeWordCard("wind", "风", Wind());
    EXPECT_EQ(card.forms, "过去式 wound，过去分词 wound");
    EXPECT_EQ(card.tags, "中考 GRE · 柯林斯 **** · 牛津 3000");
    EXPECT_TRUE(card.full);
    const WordCardContent bare = ComposeWordCard("zebra", "斑马", std::nullopt);
    EXPECT_FALSE(bare.full);
    EXPECT_EQ(bare.word, "zebra");
    EXPECT_EQ(bare.shown, "斑马");
    EXPECT_TRUE(bare.lines.empty());
}

}  // namespace
