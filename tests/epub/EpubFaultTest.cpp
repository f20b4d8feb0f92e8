// Every way a book can be unreadable: refused with its reason, never a crash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "EpubBook.h"
#include "EpubWriter.h"
#include "TempDir.h"

namespace {

EpubWriter GoodBook() {
    return EpubWriter().Chapter("ch1.xhtml", "<p>Hello.</p>").Chapter("ch2.xhtml", "<p>Again.</p>");
}

// Rewrites the uncompressed size of every zip entry named `name` (local header and
// central directory), as a zip bomb that lies about its size would.
std::string WithDeclaredSize(std::string zip, const std::string& name, std::uint32_t size) {
    auto put32 = [&](std::size_t at) {
        for (int i = 0; i < 4; ++i) {
            zip[at + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        }
    };
    for (std::size_t at = 0; (at = zip.find("PK", at)) != std::string::npos; ++at) {
        if (zip.compare(at, 4, "PK\x03\x04", 4) == 0 &&
            zip.compare(at + 30, name.size(), name) == 0) {
            put32(at + 22);
        } else if (zip.compare(at, 4, "PK\x01\x02", 4) == 0 &&
                   zip.compare(at + 46, name.size(), name) == 0) {
            put32(at + 24);
        }
    }
    return zip;
}

std::string Encryption(const std::string& uri) {
    return "<?xml version=\"1.0\"?><encryption "
           "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\" "
           "xmlns:enc=\"http://www.w3.org/2001/04/xmlenc#\"><enc:EncryptedData>"
           "<enc:EncryptionMethod Algorithm=\"http://www.w3.org/2001/04/xmlenc#aes128-cbc\"/>"
           "<enc:CipherData><enc:CipherReference URI=\"" +
           uri + "\"/></enc:CipherData></enc:EncryptedData></encryption>";
}

TEST(EpubFaults, EachFaultIsRefusedWithItsReason) {
    struct Case {
        const char* what;
        std::string bytes;
        EpubFault fault;
        const char* named;  // what the reason has to name
    };
    const std::string zeros(300000, '\0');
    const Case cases[] = {
        {"empty file", "", EpubFault::NotZip, "ZIP"},
        {"a text file", "Chapter 1\nIt was late.\n", EpubFault::NotZip, "ZIP"},
        {"a cut-off zip", GoodBook().Bytes().substr(0, 200), EpubFault::NotZip, "ZIP"},
        {"no container", GoodBook().Remove("META-INF/container.xml").Bytes(),
         EpubFault::NoContainer, "META-INF/container.xml"},
        {"container names nothing",
         GoodBook().Set("META-INF/container.xml", "<container><rootfiles/></container>").Bytes(),
         EpubFault::NoContainer, "container.xml"},
        {"container not XML", GoodBook().Set("META-INF/container.xml", "\x01\x02 junk").Bytes(),
         EpubFault::NoContainer, "container.xml"},
        {"package document missing", GoodBook().Remove("OEBPS/content.opf").Bytes(),
         EpubFault::NoPackage, "OEBPS/content.opf"},
        {"package document not XML", GoodBook().Set("OEBPS/content.opf", "not xml at all").Bytes(),
         EpubFault::BrokenPackage, "OEBPS/content.opf"},
        {"package document cut short",
         GoodBook()
             .Set("OEBPS/content.opf",
                  "<?xml version=\"1.0\"?><package><manifest><item id=\"c1\" hr")
             .Bytes(),
         EpubFault::BrokenPackage, "OEBPS/content.opf"},
        {"spine item not in the archive", GoodBook().Remove("OEBPS/text/ch2.xhtml").Bytes(),
         EpubFault::MissingItem, "OEBPS/text/ch2.xhtml"},
        {"spine item not in the manifest",
         GoodBook()
             .Set("OEBPS/content.opf",
                  "<package><manifest><item id=\"c1\" href=\"text/ch1.xhtml\" "
                  "media-type=\"application/xhtml+xml\"/>"
                  "</manifest><spine><itemref idref=\"c1\"/><itemref "
                  "idref=\"gone\"/></spine></package>")
             .Bytes(),
         EpubFault::MissingItem, "gone"},
        {"spine item above the root",
         GoodBook()
             .Set("OEBPS/content.opf",
                  "<package><manifest><item id=\"c1\" href=\"../../x.xhtml\" "
                  "media-type=\"application/xhtml+xml\"/>"
                  "</manifest><spine><itemref idref=\"c1\"/></spine></package>")
             .Bytes(),
         EpubFault::MissingItem, "../../x.xhtml"},
        {"DRM on a chapter",
         GoodBook().Set("META-INF/encryption.xml", Encryption("OEBPS/text/ch2.xhtml")).Bytes(),
         EpubFault::Encrypted, "OEBPS/text/ch2.xhtml"},
        {"declared size past 512 MB",
         WithDeclaredSize(GoodBook().Bytes(), "OEBPS/text/ch1.xhtml", 600u << 20),
         EpubFault::TooLarge, "OEBPS/text/ch1.xhtml"},
        {"inflating past 20 times the archive",
         GoodBook().Set("OEBPS/text/ch1.xhtml", Xhtml("<p>x</p>") + "<!--" + zeros + "-->").Bytes(),
         EpubFault::TooLarge, "OEBPS/text/ch1.xhtml"},
        {"declared size smaller than the data",
         WithDeclaredSize(GoodBook().Bytes(), "OEBPS/text/ch1.xhtml", 10), EpubFault::BrokenMember,
         "OEBPS/text/ch1.xhtml"},
        {"path traversal", GoodBook().Set("../../evil.xhtml", "x").Bytes(), EpubFault::UnsafeName,
         "../../evil.xhtml"},
        {"absolute member name", GoodBook().Set("/etc/evil", "x").Bytes(), EpubFault::UnsafeName,
         "/etc/evil"},
        {"content is not markup",
         GoodBook().Set("OEBPS/text/ch2.xhtml", std::string("\x89PNG\r\n\x1a\n\0\0\0", 11)).Bytes(),
         EpubFault::MalformedContent, "OEBPS/text/ch2.xhtml"},
        {"content is plain words",
         GoodBook().Set("OEBPS/text/ch1.xhtml", "just words, no page").Bytes(),
         EpubFault::MalformedContent, "OEBPS/text/ch1.xhtml"},
        {"no text anywhere",
         EpubWriter()
             .Chapter("a.xhtml", "<p> </p><img src=\"x.png\"/>")
             .Chapter("b.xhtml", "")
             .Bytes(),
         EpubFault::Empty, "没有文字"},
        {"empty spine",
         GoodBook().Set("OEBPS/content.opf", "<package><manifest/><spine/></package>").Bytes(),
         EpubFault::Empty, "书脊"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const EpubResult result = ReadEpub(c.bytes);
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.fault, c.fault) << result.reason;
        EXPECT_NE(result.reason.find(c.named), std::string::npos) << result.reason;
    }
}

TEST(EpubFaults, FontObfuscationIsNotDrm) {
    const std::string bytes =
        GoodBook()
            .Set("OEBPS/fonts/serif.otf", "font bytes")
            .Set("META-INF/encryption.xml", Encryption("OEBPS/fonts/serif.otf"))
            .Bytes();
    const EpubResult result = ReadEpub(bytes);
    ASSERT_TRUE(result.Ok()) << result.reason;
    EXPECT_EQ(result.book->paragraphs, (std::vector<std::string>{"Hello.", "Again."}));
}

TEST(EpubFaults, TheMessageNamesTheFileAndTheReason) {
    TempDir dir;
    const std::string path = dir.Path("Broken Book.epub");
    WriteFile(path, "not a book");
    const EpubResult result = ReadEpubFile(path);
    EXPECT_EQ(EpubFailureMessage(path, result),
              "无法打开电子书 " + path + "：这不是 ZIP 格式的文件");

    const EpubResult missing = ReadEpubFile(dir.Path("gone.epub"));
    EXPECT_EQ(missing.fault, EpubFault::Unreadable);
    EXPECT_NE(EpubFailureMessage(dir.Path("gone.epub"), missing).find("gone.epub"),
              std::string::npos);
}

}  // namespace
