// gloss: the reading window's glossing of a text, printed for other programs.
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "DictionaryFile.h"
#include "GlossOutput.h"
#include "ReadFileBytes.h"
#include "TextDecoder.h"
#include "ToolCommands.h"
#include "VocabularyTable.h"

namespace {

constexpr const char* kGlossHelp =
    "usage: vellumwise-tool gloss [--dic PATH] [--level N] [--medical] [--science]\n"
    "                             [--names] [--format tsv|text|html] [FILE|-]\n"
    "Reads an English text (standard input for - or no FILE) exactly as the reading\n"
    "window opens it and prints its glosses, in UTF-8.\n"
    "\n"
    "  --dic PATH     the dictionary (default: main.dic beside this program)\n"
    "  --level N      vocabulary step 1-11, N x 2000 words known (default 3)\n"
    "  --medical      also consult the medical glossary\n"
    "  --science      also consult the science glossary\n"
    "  --names        gloss the words the text uses as names too (the reading\n"
    "                 window with 不注释人名 turned off); by default they get none\n"
    "  --format tsv   one line per token: PARAGRAPH TAB TOKEN-INDEX TAB TOKEN TAB GLOSS,\n"
    "                 indexes from 0, GLOSS empty for none; \\\\ \\t \\r \\n and \\xHH\n"
    "                 stand for a backslash and the control bytes (the default)\n"
    "  --format text  the text with each glossed word followed by [gloss]\n"
    "  --format html  one page with the glosses as ruby annotations\n";

struct GlossOptions {
    std::string dicPath;
    std::string levelText = std::to_string(kDefaultVocabLevel);
    bool medical = false;
    bool science = false;
    bool names = false;
    std::string format = "tsv";
    std::string input = "-";
};

std::string DefaultDictionary() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return ((error ? std::filesystem::path(".") : exe.parent_path()) / "main.dic").string();
}

// nullopt after printing the usage: the arguments cannot be understood.
std::optional<GlossOptions> ParseOptions(const ToolArguments& args) {
    GlossOptions options;
    options.dicPath = DefaultDictionary();
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
        if (arg == "--dic") {
            ok = value(options.dicPath);
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

std::optional<int> ParseLevel(const std::string& text) {
    std::size_t used = 0;
    try {
        const int level = std::stoi(text, &used);
        if (used == text.size() && level >= kMinVocabLevel && level <= kMaxVocabLevel) {
            return level;
        }
    } catch (const std::exception&) {
    }
    return std::nullopt;
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
        std::cerr << "vellumwise-tool gloss: the level must be a whole number from "
                  << kMinVocabLevel << " to " << kMaxVocabLevel << ", not '" << options->levelText
                  << "'\n";
        return kExitBadInput;
    }
    CDicMain dic;
    const DicFileResult loaded = LoadDictionaryFile(dic, options->dicPath);
    if (!loaded.Ok()) {
        std::cerr << "vellumwise-tool gloss: " << options->dicPath << ": " << loaded.detail << "\n";
        return kExitBadInput;
    }
    std::optional<std::string> bytes = ReadInput(options->input);
    if (!bytes) {
        std::cerr << "vellumwise-tool gloss: " << options->input << ": cannot read the file\n";
        return kExitBadInput;
    }
    std::string decoded = TextDecoder::Decode(*bytes);
    bytes.reset();  // a long text is held once, by the list, not three times over
    CParagraphList text;
    text.SetText(std::move(decoded));
    text.Annotate(&dic, ThresholdForLevel(*level), options->medical, options->science,
                  !options->names);

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
