#pragma once

// Small EPUB books made by the tests, written with libzip into memory.

#include <zip.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

struct ZipMember {
    std::string name;
    std::string bytes;
    bool stored = false;  // no compression (the mimetype member must be stored)
};

// The members in order as one zip archive.
inline std::string MakeZip(const std::vector<ZipMember>& members) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (archive == nullptr) {
        std::abort();
    }
    zip_source_keep(buffer);
    for (const ZipMember& member : members) {
        zip_source_t* data =
            zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
        const zip_int64_t index =
            zip_file_add(archive, member.name.c_str(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            std::abort();
        }
        zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                                 member.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 9);
    }
    if (zip_close(archive) != 0) {
        std::abort();
    }
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer);
    zip_source_seek(buffer, 0, SEEK_SET);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return bytes;
}

// An XHTML content document around `body`.
inline std::string Xhtml(const std::string& body, const std::string& head = "<title>t</title>") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" "
           "xmlns:epub=\"http://www.idpf.org/2007/ops\">\n"
           "<head>" +
           head + "</head>\n<body>" + body + "</body>\n</html>\n";
}

// A book: content documents under OEBPS/text/, an optional EPUB 3 navigation
// document (OEBPS/nav.xhtml) and an optional NCX (OEBPS/toc.ncx). Any member can
// be replaced or left out afterwards to make a broken book.
class EpubWriter {
public:
    // `body` is the inside of <body>; the document is written around it.
    EpubWriter& Chapter(const std::string& file, const std::string& body, bool linear = true) {
        return Document(file, Xhtml(body), linear);
    }
    // A whole content document as given.
    EpubWriter& Document(const std::string& file, const std::string& bytes, bool linear = true) {
        m_chapters.push_back({file, bytes, linear});
        return *this;
    }
    // The <ol> of the EPUB 3 table of contents, hrefs relative to OEBPS/.
    EpubWriter& Nav(const std::string& list) {
        m_nav = list;
        return *this;
    }
    // The navPoints of an EPUB 2 NCX, srcs relative to OEBPS/.
    EpubWriter& Ncx(const std::string& navPoints) {
        m_ncx = navPoints;
        return *this;
    }
    EpubWriter& Set(const std::string& name, const std::string& bytes) {
        m_overrides[name] = bytes;
        return *this;
    }
    EpubWriter& Remove(const std::string& name) {
        m_removed.push_back(name);
        return *this;
    }

    std::vector<ZipMember> Members() const {
        std::vector<ZipMember> members;
        members.push_back({"mimetype", "application/epub+zip", true});
        members.push_back(
            {"META-INF/container.xml",
             "<?xml version=\"1.0\"?>\n<container version=\"1.0\" "
             "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
             "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" "
             "media-type=\"application/oebps-package+xml\"/></rootfiles>\n</container>\n"});
        std::string manifest, spine;
        int n = 0;
        for (const Entry& chapter : m_chapters) {
            const std::string id = "c" + std::to_string(++n);
            manifest += "<item id=\"" + id + "\" href=\"text/" + chapter.file +
                        "\" media-type=\"application/xhtml+xml\"/>\n";
            spine +=
                "<itemref idref=\"" + id + "\"" + (chapter.linear ? "" : " linear=\"no\"") + "/>\n";
        }
        if (!m_nav.empty()) {
            manifest +=
                "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" "
                "properties=\"nav\"/>\n";
        }
        if (!m_ncx.empty()) {
            manifest +=
                "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n";
        }
        const std::string version = m_nav.empty() ? "2.0" : "3.0";
        members.push_back(
            {"OEBPS/content.opf",
             "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<package "
             "xmlns=\"http://www.idpf.org/2007/opf\" version=\"" +
                 version +
                 "\" unique-identifier=\"id\">\n<metadata "
                 "xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
                 "<dc:identifier "
                 "id=\"id\">x</dc:identifier><dc:title>T</dc:title></metadata>\n<manifest>\n" +
                 manifest + "</manifest>\n<spine" + (m_ncx.empty() ? "" : " toc=\"ncx\"") + ">\n" +
                 spine + "</spine>\n</package>\n"});
        if (!m_nav.empty()) {
            members.push_back(
                {"OEBPS/nav.xhtml",
                 Xhtml("<nav epub:type=\"toc\" id=\"toc\"><h1>Contents</h1>" + m_nav +
                       "</nav>\n<nav epub:type=\"landmarks\" hidden=\"\"><ol><li><a href=\"text/" +
                       (m_chapters.empty() ? std::string() : m_chapters.front().file) +
                       "\">Start</a></li></ol></nav>")});
        }
        if (!m_ncx.empty()) {
            members.push_back(
                {"OEBPS/toc.ncx",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ncx "
                 "xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" "
                 "version=\"2005-1\"><head/><docTitle><text>T</text></docTitle>\n<navMap>" +
                     m_ncx + "</navMap></ncx>\n"});
        }
        for (const Entry& chapter : m_chapters) {
            members.push_back({"OEBPS/text/" + chapter.file, chapter.bytes});
        }
        for (auto& member : members) {
            if (const auto found = m_overrides.find(member.name); found != m_overrides.end()) {
                member.bytes = found->second;
            }
        }
        for (const auto& [name, bytes] : m_overrides) {
            bool present = false;
            for (const auto& member : members) {
                present = present || member.name == name;
            }
            if (!present) {
                members.push_back({name, bytes});
            }
        }
        std::erase_if(members, [&](const ZipMember& member) {
            for (const std::string& removed : m_removed) {
                if (member.name == removed) {
                    return true;
                }
            }
            return false;
        });
        return members;
    }

    std::string Bytes() const { return MakeZip(Members()); }

private:
    struct Entry {
        std::string file;
        std::string bytes;
        bool linear;
    };
    std::vector<Entry> m_chapters;
    std::string m_nav;
    std::string m_ncx;
    std::map<std::string, std::string> m_overrides;
    std::vector<std::string> m_removed;
};
