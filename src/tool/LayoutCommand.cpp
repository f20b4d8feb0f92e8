// layout: where the reading window sets every token of a text, for scripts and tests.
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <iostream>
#include <optional>

#include "CParagraphList.h"
#include "GlossOutput.h"
#include "PageLayout.h"
#include "QtReadingFont.h"
#include "QtTextMeasurer.h"
#include "ReadingSettings.h"
#include "TextLayout.h"
#include "ToolCommands.h"
#include "ToolInput.h"

namespace {

constexpr const char* kLayoutHelp =
    "usage: vellumwise-tool layout [--width N] [--font FAMILY,SIZE] [--original] [FILE|-]\n"
    "Reads a text or EPUB book as the reading window opens it and prints where the\n"
    "window's layout sets each token, in layout pixels, measured with the window's fonts\n"
    "(no display is needed).\n"
    "\n"
    "  --width N           the page width (default 800, as the window's page)\n"
    "  --font FAMILY,SIZE  the reading font, SIZE in points as the font dialog gives\n"
    "                      it (default: the window's first-start font)\n"
    "  --original          the original layout (原样排版) instead of the book layout\n"
    "\n"
    "For each paragraph: P TAB PARAGRAPH TAB TOP TAB HEIGHT TAB SET, SET being `heading`\n"
    "for a title set in the heading face (the book layout's chapter lines and EPUB\n"
    "titles) and `text` otherwise, then one line per token:\n"
    "PARAGRAPH TAB LINE TAB X TAB WIDTH TAB TOKEN, indexes from 0, X from the text\n"
    "column's left edge, WIDTH the token's own advance without any space after it;\n"
    "tokens are escaped as `gloss --format tsv` escapes them.\n";

struct LayoutOptions {
    int pageWidth = 800;
    std::optional<QFont> font;  // in points
    PageLayout layout = PageLayout::Book;
    std::string input = "-";
};

std::optional<QFont> ParseFont(const std::string& text) {
    const QString description = QString::fromStdString(text);
    const qsizetype comma = description.lastIndexOf(QLatin1Char(','));
    bool ok = false;
    const double points = comma > 0 ? description.mid(comma + 1).trimmed().toDouble(&ok) : 0.0;
    if (!ok || points < 3 || points > 300) {
        return std::nullopt;
    }
    QFont font(description.left(comma).trimmed());
    font.setPointSizeF(points);
    return font;
}

std::optional<LayoutOptions> ParseOptions(const ToolArguments& args) {
    LayoutOptions options;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool ok = true;
        if (arg == "--width" && i + 1 < args.size()) {
            const std::string& value = args[++i];
            std::size_t used = 0;
            try {
                options.pageWidth = std::stoi(value, &used);
            } catch (const std::exception&) {
                used = 0;
            }
            ok = used == value.size() && options.pageWidth >= 100 && options.pageWidth <= 100000;
        } else if (arg == "--font" && i + 1 < args.size()) {
            options.font = ParseFont(args[++i]);
            ok = options.font.has_value();
        } else if (arg == "--original") {
            options.layout = PageLayout::Original;
        } else if ((arg == "-" || !arg.starts_with("-")) && !haveInput) {
            options.input = arg;
            haveInput = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "vellumwise-tool layout: cannot use '" << arg << "'\n" << kLayoutHelp;
            return std::nullopt;
        }
    }
    return options;
}

// `headings`: the paragraphs set as titles, in order. The original layout's widths
// hold a space after the token; the book layout's are the token's own, as it is set
// (in the heading face, or as an em dash).
void WriteLayout(std::ostream& out, const CParagraphList& text, QtTextMeasurer& measurer,
                 PageLayout layout, const std::vector<std::size_t>& headings) {
    const int space = layout == PageLayout::Book ? 0 : measurer.TokenWidth({});
    const std::vector<CParagraph>& paragraphs = text.m_arrParagraphs;
    auto heading = headings.begin();
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        const CParagraph& paragraph = paragraphs[i];
        while (heading != headings.end() && *heading < i) {
            ++heading;
        }
        const bool isHeading = heading != headings.end() && *heading == i;
        out << "P\t" << i << '\t' << paragraph.m_nTop << '\t' << paragraph.m_nHeight << '\t'
            << (isHeading ? "heading" : "text") << '\n';
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            const std::string_view token = paragraph.Word(j);
            out << i << '\t' << paragraph.Line(j) << '\t' << paragraph.X(j) << '\t'
                << paragraph.Width(j) - space << '\t' << EscapeTsvField(token) << '\n';
        }
    }
}

}  // namespace

int RunLayout(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kLayoutHelp;
        return kExitOk;
    }
    const std::optional<LayoutOptions> options = ParseOptions(args);
    if (!options) {
        return kExitUsage;
    }
    std::optional<CParagraphList> text = ReadTextAsWindowDoes(options->input, "layout");
    if (!text) {
        return kExitBadInput;
    }
    // The window's fonts without a display: the offscreen platform measures with the
    // same fontconfig faces.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "vellumwise-tool";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    ReadingFont record = ReadingSettings{}.font;
    if (options->font) {
        record = ToReadingFont(
            *options->font,
            static_cast<int>(QGuiApplication::primaryScreen()->logicalDotsPerInchY()));
    }
    const QFont textFont = ToQFont(record);
    const QFont glossFont = ToGlossQFont(record, ReadingSettings{}.glossPercent);
    QtTextMeasurer measurer(textFont, LineUnitOf(record, textFont, glossFont));

    const BookFlow flow = BookFlow::Of(*text);
    LayoutText(*text, measurer, options->pageWidth, options->layout, &flow);
    static const std::vector<std::size_t> kNone;
    WriteLayout(std::cout, *text, measurer, options->layout,
                options->layout == PageLayout::Book ? flow.headings : kNone);
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}
