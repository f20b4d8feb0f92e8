// gloss: the reading window's glossing of a text, printed for other programs.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "DictionaryFile.h"
#include "EpubBook.h"
#include "FileKind.h"
#include "GlossOutput.h"
#include "PersonalWords.h"
#include "ReadFileBytes.h"
#include "TextFileLoad.h"
#include "ToolCommands.h"
#include "ToolOptions.h"
#include "VocabularyTable.h"

namespace {

constexpr const char* kGlossHelp =
    "usage: vellumwise-tool gloss [--dic PATH] [--supplement PATH|none] [--level N]\n"
    "                             [--medical] [--science] [--names] [--no-personal]\n"
    "                             [--format tsv|text|html] [FILE|-]\n"
    "Reads an English text or EPUB book (standard input for - or no FILE) exactly as\n"
    "the reading window opens it and prints its glosses, in UTF-8.\n"
    "\n"
    "  --dic PATH     the dictionary (default: main.dic beside this program)\n"
    "  --supplement PATH|none\n"
    "                 the words main.dic cannot hold, loaded after it (default:\n"
    "                 supplement.dic beside main.dic, if there); none leaves it out\n"
    "  --level N      vocabulary step 1-11, N x 2000 words known (default 3)\n"
    "  --medical      also consult the medical glossary\n"
    "  --science      also consult the science glossary\n"
    "  --names        gloss the words the text uses as names too (the reading\n"
    "                 window with 不注释人名 turned off); by default they get none\n"
    "  --no-personal  ignore the reader's known and new word lists\n"
    "                 (read from $XDG_DATA_HOME/vellumwise by default)\n"
    "  --format tsv   one line per token: PARAGRAPH TAB TOKEN-INDEX TAB TOKEN TAB GLOSS,\n"
    "                 indexes from 0, GLOSS empty for none; \\\\ \\t \\r \\n and \\xHH\n"
    "                 stand for a backslash and the control bytes (the default)\n"
    "  --format text  the text with each glossed word followed by [gloss]\n"
    "  --format html  one page with the glosses as ruby annotations\n";

struct GlossOptions {
    DictionarySources sources;
    std::string levelText = std::to_string(kDefaultVocabLevel);
    bool medical = false;
    bool science = false;
    bool names = false;
    bool personal = true;
    std::string format = "tsv";
    std::string input = "-";
};

// nullopt after printing the usage: the arguments cannot be understood.
std::optional<GlossOptions> ParseOptions(const ToolArguments& args) {
    GlossOptions options;
    options.sources = DefaultDictionarySources();
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= args.size()) {
                return false;
            }
            into = args[++i];
            return true;
        };
        bool ok = true;
        if (const auto taken = TakeDictionaryOption(args, i, options.sources)) {
            ok = *taken;
        } else if (arg == "--level") {
            ok = value(options.levelText);
        } else if (arg == "--format") {
            ok = value(options.format) &&
                 (options.format == "tsv" || options.format == "text" || options.format == "html");
        } else if (arg == "--medical") {
            options.medical = true;
        } else if (arg == "--science") {
            options.science = true;
        } else if (arg == "--names") {
            options.names = true;
        } else if (arg == "--no-personal") {
            options.personal = false;
        } else if ((arg == "-" || !arg.starts_with("-")) && !haveInput) {
            options.input = arg;
            haveInput = true;
        } else {
            ok = false;
        }
        if (!ok) {
            std::cerr << "vellumwise-tool gloss: cannot use '" << arg << "'\n" << kGlossHelp;
            return std::nullopt;
        }
    }
    return options;
}

std::optional<std::string> ReadInput(const std::string& input) {
    if (input == "-") {
        std::string bytes(std::istreambuf_iterator<char>(std::cin), {});
        return std::cin.bad() ? std::nullopt : std::optional(std::move(bytes));
    }
    return ReadFileBytes(input);
}

}  // namespace

int RunGloss(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kGlossHelp;
        return kExitOk;
    }
    const std::optional<GlossOptions> options = ParseOptions(args);
    if (!options) {
        return kExitUsage;
    }
    const std::optional<int> level = ParseLevel(options->levelText);
    if (!level) {
        std::cerr << LevelError("gloss", options->levelText);
        return kExitBadInput;
    }
    CDicMain dic;
    if (!LoadDictionaries(dic, options->sources, "gloss")) {
        return kExitBadInput;
    }
    std::optional<std::string> bytes = ReadInput(options->input);
    if (!bytes) {
        std::cerr << "vellumwise-tool gloss: " << options->input << ": cannot read the file\n";
        return kExitBadInput;
    }
    PersonalWords personal(options->personal ? PersonalWords::DefaultFolder() : std::string());
    const std::string warning = personal.Load();
    if (!warning.empty()) {
        std::cerr << "vellumwise-tool gloss: " << warning;
    }
    const MarkIndex marks(dic, personal);
    // Named .epub like the window's open command; on standard input, known by its bytes.
    const FileKind kind = options->input == "-"
                              ? (LooksLikeEpub(*bytes) ? FileKind::Book : FileKind::Text)
                              : KindOfFile(options->input);
    const TextFileLoad load = TextFileLoad::FromBytes(
        std::move(*bytes), kind, options->input, dic,
        GlossChoice{ThresholdForLevel(*level), options->medical, options->science, !options->names},
        {}, &marks);
    if (!load.Ok()) {
        if (!load.bookFailure.empty()) {
            std::cerr << "vellumwise-tool gloss: " << load.bookFailure << "\n";
        } else {
            std::cerr << "vellumwise-tool gloss: " << options->input << ": out of memory\n";
        }
        return kExitBadInput;
    }
    const CParagraphList& text = *load.paragraphs;

    if (options->format == "text") {
        WriteGlossText(std::cout, text);
    } else if (options->format == "html") {
        const std::string title = options->input == "-"
                                      ? std::string("Vellumwise")
                                      : std::filesystem::path(options->input).filename().string();
        WriteGlossHtml(std::cout, text, title);
    } else {
        WriteGlossTsv(std::cout, text);
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}
