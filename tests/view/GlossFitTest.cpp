// Which senses of a gloss are drawn before the next gloss on its line covers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CParagraphList.h"
#include "CodePage.h"
#include "GlossFit.h"
#include "GlossedLines.h"
#include "ITextMeasurer.h"
#include "TextLayout.h"

namespace {

// A token is 10 per byte and 10 for its space; a gloss 5 per GBK byte, so a
// Chinese character is 10 wide.
class FixedMeasurer : public ITextMeasurer {
public:
    int TokenWidth(std::string_view token) override {
        return static_cast<int>(token.size()) * 10 + 10;
    }
    int LineUnit() const override { return 20; }
};

int GlossWidth(std::string_view gbk) { return static_cast<int>(gbk.size()) * 5; }

std::string Gbk(const std::string& utf8) { return codepage::Utf8ToGbk(utf8).value(); }

struct Line {
    const char* what;
    std::string text;
    std::vector<std::string> glosses;  // UTF-8, one per token, "" for none
    std::vector<std::string> shown;    // what each token's gloss shows
};

TEST(GlossFit, ShowsTheSensesThatFitBeforeTheNextGloss) {
    const std::string wide(70, 'w');  // 710 wide: a line of its own in a 720 column
    const Line lines[] = {
        {"fits whole", "Mock Turtle", {"嘲笑，戏弄", "海龟"}, {"嘲笑，戏弄", "海龟"}},
        {"two senses of three fit",
         "Mock Turtle",
         {"嘲笑，戏弄，模仿", "海龟"},
         {"嘲笑，戏弄", "海龟"}},
        {"one sense fits", "Mo Turtle", {"嘲笑，戏弄", "海龟"}, {"嘲笑", "海龟"}},
        {"the first sense even when it does not fit",
         "ox Turtle",
         {"大大公牛，阉牛", "海龟"},
         {"大大公牛", "海龟"}},
        {"one sense only: all of it",
         "ox Turtle",
         {"大大公牛阉牛", "海龟"},
         {"大大公牛阉牛", "海龟"}},
        {"an unglossed word between gives room",
         "Mock the Turtle",
         {"嘲笑，戏弄，模仿", "", "海龟"},
         {"嘲笑，戏弄，模仿", "", "海龟"}},
        {"the last gloss of a line runs on",
         "said Mock",
         {"说", "嘲笑，戏弄，模仿，假的，仿制的"},
         {"说", "嘲笑，戏弄，模仿，假的，仿制的"}},
        {"the next gloss on the next line covers nothing",
         "Mock " + wide,
         {"嘲笑，戏弄，模仿", "宽"},
         {"嘲笑，戏弄，模仿", "宽"}},
        {"ASCII separators count too",
         "Mock Turtle",
         {"嘲笑,戏弄;模仿", "海龟"},
         {"嘲笑,戏弄", "海龟"}},
        {"semicolons of the full width",
         "Mock Turtle",
         {"嘲笑；戏弄；模仿", "海龟"},
         {"嘲笑；戏弄", "海龟"}},
        {"a leading separator is no empty sense",
         "ox Turtle",
         {"，大大公牛，阉牛", "海龟"},
         {"，大大公牛", "海龟"}},
        // Former fault: 保 ends in byte A3 and 珸 starts with AC; read byte by byte
        // they hold a "，" and the gloss would be cut inside a character.
        {"separators are whole characters",
         "ox Turtle",
         {"保珸保珸", "海龟"},
         {"保珸保珸", "海龟"}},
    };
    for (const Line& line : lines) {
        CParagraphList text;
        SetLines(text, {line.text});
        const CParagraph& paragraph = text.m_arrParagraphs[0];
        ASSERT_EQ(paragraph.TokenCount(), line.glosses.size()) << line.what;
        std::vector<std::string> gbk;
        for (const std::string& gloss : line.glosses) {
            gbk.push_back(Gbk(gloss));
        }
        GlossFirstParagraph(text, gbk);
        FixedMeasurer measurer;
        LayoutText(text, measurer, 800, PageLayout::Original);
        for (std::size_t j = 0; j < gbk.size(); ++j) {
            const std::string_view shown = FittedGloss(gbk[j], GlossRoom(paragraph, j), GlossWidth);
            EXPECT_EQ(codepage::GbkToUtf8Lossy(shown), line.shown[j])
                << line.what << ", token " << j;
        }
    }
}

TEST(GlossFit, RoomReachesTheNextGlossedTokenOnTheSameLine) {
    CParagraphList text;
    SetLines(text, {"ab cd ef gh " + std::string(70, 'w')});
    GlossFirstParagraph(text, {"x", "", "y", "", "z"});
    const CParagraph& paragraph = text.m_arrParagraphs[0];
    FixedMeasurer measurer;
    LayoutText(text, measurer, 800, PageLayout::Original);
    // ab, cd, ef and gh (30 each) on line 0; the wide token alone on line 1.
    ASSERT_EQ(paragraph.Line(4), 1);
    EXPECT_EQ(GlossRoom(paragraph, 0), 60);  // cd has no gloss: up to ef
    EXPECT_EQ(GlossRoom(paragraph, 2), -1);  // the next glossed token is on line 1
    EXPECT_EQ(GlossRoom(paragraph, 4), -1);  // the last token
}

TEST(GlossFit, RoomReachesIntoTheLineTheBookLayoutFlowsOn) {
    CParagraphList text;
    SetLines(text, {"ab cd", "ab ef"});
    GlossFirstParagraph(text, {"x", ""});
    FixedMeasurer measurer;
    const BookFlow flow{{LineStart::Paragraph, LineStart::Continues}, TokenJoinsOf(text), {}};
    LayoutText(text, measurer, 800, PageLayout::Book, &flow);
    const CParagraph& first = text.m_arrParagraphs[0];
    const CParagraph& second = text.m_arrParagraphs[1];
    // "ab cd ab ef" on one line: the second ab at 60.
    ASSERT_EQ(second.m_nTop, first.m_nTop);
    ASSERT_EQ(second.X(0), 60);
    EXPECT_EQ(GlossRoom(first, 0, &second), 60);
    EXPECT_EQ(GlossRoom(first, 0), -1);
}

}  // namespace
