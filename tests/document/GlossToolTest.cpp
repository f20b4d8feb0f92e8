// vellumwise-tool gloss, run as a script runs it.
#include <gtest/gtest.h>

#include <string>

#include "DocumentFixture.h"
#include "EpubWriter.h"
#include "RunProgram.h"

namespace {

const std::string kTool = std::string(VELLUMWISE_BIN_DIR) + "/vellumwise-tool";
const std::string kFixtures = VELLUMWISE_FIXTURES_DIR;

// Written independently of the tool: this form is what other programs parse.
std::string Escaped(std::string_view bytes) {
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (b < 0x20 || b == 0x7f) {
            const char* hex = "0123456789abcdef";
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
        } else
            out += c;
    }
    return out;
}

std::string DocumentAsTsv(const CVellumwiseDoc& doc) {
    std::string tsv;
    const auto& paragraphs = doc.m_paragraphs.m_arrParagraphs;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        for (std::size_t j = 0; j < paragraphs[p].TokenCount(); ++j) {
            tsv += std::to_string(p) + "\t" + std::to_string(j) + "\t" +
                   Escaped(paragraphs[p].Word(j)) + "\t" +
                   Escaped(codepage::GbkToUtf8Lossy(paragraphs[p].Gloss(j))) + "\n";
        }
    }
    return tsv;
}

class GlossTool : public StartedDocument {
protected:
    ProgramResult Gloss(const std::string& arguments) {
        return RunProgram(Quoted(kTool) + " gloss --dic " + Quoted(m_dir.Path("main.dic")) + " " +
                          arguments + " 2>" + Quoted(m_dir.Path("err")));
    }
    std::string LastError() { return ReadFile(m_dir.Path("err")); }
};

TEST_F(GlossTool, TsvEqualsWhatTheDocumentHoldsAfterOpeningTheFile) {
    const std::string files[] = {kFixtures + "/mixed.txt", kFixtures + "/windows-1252.txt",
                                 kFixtures + "/utf16le-bom.txt", kFixtures + "/utf8-bom.txt",
                                 std::string(VELLUMWISE_CORPUS_DIR) + "/war-and-peace.txt"};
    for (const std::string& path : files) {
        SCOPED_TRACE(path);
        m_doc.OpenTextFile(path);
        const ProgramResult result = Gloss(Quoted(path));
        ASSERT_EQ(result.status, 0) << LastError();
        EXPECT_EQ(result.out, DocumentAsTsv(m_doc));
    }
}

// The novel's paragraphs (blank-line separated, lines joined) as a book of several
// content documents and as a text with one paragraph a line: the same paragraphs.
struct SameBook {
    std::string epub;
    std::string text;
};

SameBook NovelAsBookAndText(std::size_t paragraphCount) {
    const std::string novel = ReadFile(std::string(VELLUMWISE_CORPUS_DIR) + "/war-and-peace.txt");
    std::vector<std::string> paragraphs;
    std::string current;
    std::size_t start = 0;
    while (start < novel.size() && paragraphs.size() < paragraphCount) {
        std::size_t end = novel.find('\n', start);
        end = end == std::string::npos ? novel.size() : end;
        std::string line = novel.substr(start, end - start);
        start = end + 1;
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        line.erase(0, line.find_first_not_of(' ') == std::string::npos
                          ? line.size()
                          : line.find_first_not_of(' '));
        if (line.empty()) {
            if (!current.empty()) paragraphs.push_back(std::move(current));
            current.clear();
        } else {
            current += (current.empty() ? "" : " ") + line;
        }
    }
    SameBook book;
    EpubWriter writer;
    std::string body;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        book.text += paragraphs[i] + "\n";
        std::string escaped;
        for (char c : paragraphs[i]) {
            escaped += c == '&'   ? std::string("&amp;")
                       : c == '<' ? std::string("&lt;")
                                  : std::string(1, c);
        }
        body += "<p>" + escaped + "</p>\n";
        if (i % 300 == 299 || i + 1 == paragraphs.size()) {
            writer.Chapter("part" + std::to_string(i / 300) + ".xhtml", body);
            body.clear();
        }
    }
    book.epub = writer.Bytes();
    return book;
}

TEST_F(GlossTool, AnEpubGlossesLikeTheDocumentAndLikeTheSameText) {
    const SameBook book = NovelAsBookAndText(2000);
    const std::string epub = WriteText("novel.epub", book.epub);
    const std::string text = WriteText("novel.txt", book.text);
    m_doc.OpenTextFile(epub);
    ASSERT_TRUE(m_platform.m_messages.empty());
    ASSERT_EQ(m_doc.m_paragraphs.m_arrParagraphs.size(), 2000u);
    const ProgramResult fromEpub = Gloss(Quoted(epub));
    ASSERT_EQ(fromEpub.status, 0) << LastError();
    EXPECT_EQ(fromEpub.out, DocumentAsTsv(m_doc));
    const ProgramResult fromText = Gloss(Quoted(text));
    EXPECT_TRUE(fromEpub.out == fromText.out);
    // Without a name, a book is known by its first bytes.
    const ProgramResult fromPipe = Gloss("- < " + Quoted(epub));
    EXPECT_TRUE(fromPipe.out == fromEpub.out);

    const std::string broken = WriteText("broken.epub", "PK\x03\x04 not a book");
    const ProgramResult refused = Gloss(Quoted(broken));
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(LastError().find("无法打开电子书 " + broken + "："), std::string::npos)
        << LastError();
}

TEST_F(GlossTool, SettingsMatchTheDocumentsAfterApplyingThem) {
    const std::string path = std::string(VELLUMWISE_CORPUS_DIR) + "/war-and-peace.txt";
    m_doc.OpenTextFile(path);
    m_doc.ApplyVocabulary(1, 111.360763, true, true);
    const ProgramResult result = Gloss("--level 1 --medical --science < " + Quoted(path));
    ASSERT_EQ(result.status, 0) << LastError();
    EXPECT_EQ(result.out, DocumentAsTsv(m_doc));
    EXPECT_NE(result.out, Gloss(Quoted(path)).out);
}

TEST_F(GlossTool, NamesOptionMatchesTheDocumentWithTheSwitchOff) {
    // The test dictionary knows "apple": this text uses it as a name.
    const std::string path = WriteText("in.txt", "Then Apple came, and Apple said.\n");
    m_doc.OpenTextFile(path);
    const ProgramResult skipped = Gloss(Quoted(path));
    ASSERT_EQ(skipped.status, 0) << LastError();
    EXPECT_EQ(skipped.out, DocumentAsTsv(m_doc));
    EXPECT_EQ(skipped.out.find("苹果"), std::string::npos);
    m_doc.SetSkipNames(false);
    const ProgramResult glossed = Gloss("--names " + Quoted(path));
    ASSERT_EQ(glossed.status, 0) << LastError();
    EXPECT_EQ(glossed.out, DocumentAsTsv(m_doc));
    EXPECT_NE(glossed.out.find("Apple\t苹果"), std::string::npos);
}

TEST_F(GlossTool, TsvEscapesControlBytesAndBackslashes) {
    const std::string path = WriteText("in.txt", "Apple\\x\rb\x01\x7f\n");
    const ProgramResult result = Gloss(Quoted(path));
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "0\t0\tApple\t苹果\n"
              "0\t1\t\\\\\t\n"
              "0\t2\tx\\rb\\x01\\x7f\t\n");
}

TEST_F(GlossTool, TextAndHtmlShowEachGlossBesideItsWord) {
    const std::string path = WriteText("in.txt", "An apple <&> a clock.\nbook\n");
    const ProgramResult text = Gloss("--format text " + Quoted(path));
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, "An apple[苹果] <&> a clock[钟].\nbook\n");
    const ProgramResult html = Gloss("--format html " + Quoted(path));
    EXPECT_EQ(html.status, 0);
    EXPECT_NE(html.out.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.out.find("<p>An <ruby>apple<rt>苹果</rt></ruby> &lt;&amp;&gt; a "
                            "<ruby>clock<rt>钟</rt></ruby>.</p>\n<p>book</p>"),
              std::string::npos)
        << html.out;
}

TEST_F(GlossTool, ErrorsAndBadUsage) {
    struct Case {
        const char* name;
        std::string arguments;
        int status;
    };
    const std::string text = Quoted(WriteText("in.txt", "apple"));
    WriteFile(m_dir.Path("bad.dic"), "not a dictionary");
    const Case cases[] = {
        {"missing file", Quoted(m_dir.Path("missing.txt")), 1},
        {"level too high", "--level 12 " + text, 1},
        {"level not a number", "--level three " + text, 1},
        {"level zero", "--level 0 " + text, 1},
        {"unreadable dictionary", "--dic " + Quoted(m_dir.Path("bad.dic")) + " " + text, 1},
        {"missing dictionary", "--dic " + Quoted(m_dir.Path("none.dic")) + " " + text, 1},
        {"unknown option", "--fast " + text, 2},
        {"unknown format", "--format pdf " + text, 2},
        {"two files", text + " " + text, 2},
        {"option without its value", text + " --level", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramResult result = Gloss(c.arguments);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, "");
        EXPECT_FALSE(LastError().empty());
    }
}

TEST(GlossToolDefaults, UsesTheMainDicBesideTheTool) {
    const ProgramResult result =
        RunProgram("printf 'x y' | " + Quoted(kTool) + " gloss 2>/dev/null");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "0\t0\tx\t\n0\t1\ty\t\n");
}

}  // namespace
