#pragma once

// Books made to exhaust a reader, about `archiveBytes` big as archives: the tests
// check what the reader makes of them, the benchmark how long and how much memory.

#include <cstddef>
#include <random>
#include <string>

#include "EpubWriter.h"

// An internal entity of 100 KB, referenced by every label of a long table of contents
// (an NCX, read recovering from errors) and in a chapter: each reference a few bytes,
// each expansion the whole entity. (Nested entities libxml2 itself refuses.)
inline std::string EntitySubset() {
    std::string laughs;
    for (int i = 0; i < 17000; ++i) {
        laughs += "laugh ";
    }
    return "<!ENTITY big \"" + laughs + "\">";
}

// Random bytes, stored uncompressed: they make the archive big, so that its budgets
// (a multiple of its size) are as large as a real book of that size has.
inline ZipMember Padding(std::size_t bytes) {
    std::mt19937 random(7);
    std::string noise(bytes, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    return {"OEBPS/images/cover.bin", noise, true};
}

inline std::string EntityBombBook(std::size_t archiveBytes, int labels = 20000) {
    const std::string entities = EntitySubset();
    const std::string top = "&big;";
    EpubWriter book;
    book.Chapter("one.xhtml", "<h1 id=\"c1\">One</h1><p>The apple fell.</p>");
    std::vector<ZipMember> members = book.Members();
    const std::string doctype = "<!DOCTYPE html [" + entities + "]>\n";
    members.push_back(
        {"OEBPS/text/one.xhtml", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + doctype +
                                     "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>" +
                                     top + "</title></head><body><h1 id=\"c1\">One " + top +
                                     "</h1><p>The apple fell.</p></body></html>\n"});
    std::string points;
    for (int i = 0; i < labels; ++i) {
        points += "<navPoint id=\"p" + std::to_string(i) + "\"><navLabel><text>" + top +
                  "</text></navLabel><content src=\"text/one.xhtml#c1\"/></navPoint>";
    }
    members.push_back(
        {"OEBPS/toc.ncx", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE ncx [" + entities +
                              "]>\n<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" "
                              "version=\"2005-1\"><head/><navMap>" +
                              points + "</navMap></ncx>\n"});
    // Later members of the same name replace earlier ones in the list below.
    std::vector<ZipMember> unique;
    for (auto it = members.rbegin(); it != members.rend(); ++it) {
        bool seen = false;
        for (const ZipMember& kept : unique) {
            seen = seen || kept.name == it->name;
        }
        if (!seen) {
            unique.insert(unique.begin(), *it);
        }
    }
    // The package document names the NCX only when the book has one.
    for (ZipMember& member : unique) {
        if (member.name == "OEBPS/content.opf") {
            const std::string item =
                "<item id=\"ncx\" href=\"toc.ncx\" "
                "media-type=\"application/x-dtbncx+xml\"/>\n</manifest>";
            member.bytes.replace(member.bytes.find("</manifest>"), 11, item);
            member.bytes.replace(member.bytes.find("<spine>"), 7, "<spine toc=\"ncx\">");
        }
    }
    unique.push_back(Padding(archiveBytes));
    return MakeZip(unique);
}

// A chapter of nothing but small elements, deflated to almost nothing: a tree many
// times the inflated size, which is itself within the inflation budget.
inline std::string DenseMarkupBook(std::size_t archiveBytes, std::size_t elements) {
    std::string body;
    body.reserve(elements * 7);
    for (std::size_t i = 0; i < elements; ++i) {
        body += "<i>a</i>";
    }
    std::vector<ZipMember> members =
        EpubWriter().Chapter("one.xhtml", "<p>" + body + "</p>").Members();
    members.push_back(Padding(archiveBytes));
    return MakeZip(members);
}

// A table of contents of `entries` entries, each title `titleBytes` long.
inline std::string LongTocBook(std::size_t entries, std::size_t titleBytes) {
    std::string list = "<ol>";
    const std::string title(titleBytes, 'x');
    for (std::size_t i = 0; i < entries; ++i) {
        list += "<li><a href=\"text/one.xhtml\">" + title + "</a></li>";
    }
    std::vector<ZipMember> members =
        EpubWriter().Chapter("one.xhtml", "<p>The apple fell.</p>").Nav(list + "</ol>").Members();
    members.push_back(Padding(entries * titleBytes / 10));
    return MakeZip(members);
}
