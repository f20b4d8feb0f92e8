#include "GlossOutput.h"

#include <cstdio>

#include "CParagraphList.h"
#include "CodePage.h"

namespace {

// The whole paragraph, with `glossed(word, gloss)` in place of each glossed token
// and `plain(bytes)` for everything between.
template <typename Plain, typename Glossed>
void WalkParagraph(const CParagraph& paragraph, Plain plain, Glossed glossed) {
    const std::string_view text = paragraph.m_strText;
    std::size_t done = 0;
    for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
        if (paragraph.Gloss(j).empty()) {
            continue;
        }
        const TokenSpan span = paragraph.Span(j);
        plain(text.substr(done, span.offset - done));
        glossed(paragraph.Word(j), codepage::GbkToUtf8Lossy(paragraph.Gloss(j)));
        done = span.offset + span.length;
    }
    plain(text.substr(done));
}

std::string EscapeHtml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string EscapeTsvField(std::string_view bytes) {
    std::string escaped;
    escaped.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\\':
                escaped += "\\\\";
                continue;
            case '\t':
                escaped += "\\t";
                continue;
            case '\r':
                escaped += "\\r";
                continue;
            case '\n':
                escaped += "\\n";
                continue;
            default:
                break;
        }
        if (byte < 0x20 || byte == 0x7F) {
            char hex[5];
            std::snprintf(hex, sizeof hex, "\\x%02x", byte);
            escaped += hex;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

void WriteGlossTsv(std::ostream& out, const CParagraphList& text, bool why) {
    std::string line;
    for (std::size_t p = 0; p < text.m_arrParagraphs.size(); ++p) {
        const CParagraph& paragraph = text.m_arrParagraphs[p];
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            line = std::to_string(p);
            line += '\t';
            line += std::to_string(j);
            line += '\t';
            line += EscapeTsvField(paragraph.Word(j));
            line += '\t';
            const std::string_view gloss = paragraph.Gloss(j);
            line += EscapeTsvField(codepage::GbkToUtf8Lossy(gloss));
            if (why) {
                line += '\t';
                line += gloss.empty()                       ? ""
                        : paragraph.GlossFromPhrase(j)      ? "phrase"
                        : paragraph.GlossIsOwnSense(j)      ? "own"
                        : paragraph.GlossChosenBySubject(j) ? "subject"
                        : paragraph.GlossChosenByContext(j) ? "part of speech"
                                                            : "entry";
            }
            line += '\n';
            out << line;
        }
    }
}

void WriteGlossText(std::ostream& out, const CParagraphList& text) {
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        WalkParagraph(
            paragraph, [&](std::string_view plain) { out << plain; },
            [&](std::string_view word, const std::string& gloss) {
                out << word << '[' << gloss << ']';
            });
        out << '\n';
    }
}

void WriteGlossHtml(std::ostream& out, const CParagraphList& text, std::string_view title) {
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
        << "<title>" << EscapeHtml(title) << "</title>\n"
        << "<style>body{max-width:40em;margin:auto;line-height:2.4}"
           "rt{color:#8080ff;font-size:0.6em}</style>\n"
        << "</head>\n<body>\n";
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        out << "<p>";
        WalkParagraph(
            paragraph, [&](std::string_view plain) { out << EscapeHtml(plain); },
            [&](std::string_view word, const std::string& gloss) {
                out << "<ruby>" << EscapeHtml(word) << "<rt>" << EscapeHtml(gloss)
                    << "</rt></ruby>";
            });
        out << "</p>\n";
    }
    out << "</body>\n</html>\n";
}
