// gloss: the reading window's glossing of a text, printed for other programs.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

#include "CDicMain.h"
#include "CParagraphList.h"
#include "ContextSenses.h"
#include "DictionaryFile.h"
#include "EpubBook.h"
#include "FileKind.h"
#include "GlossOutput.h"
#include "OwnSenses.h"
#include "PersonalWords.h"
#include "TextFileLoad.h"
#include "ToolCommands.h"
#include "ToolInput.h"
#include "ToolOptions.h"
#include "VocabularyTable.h"

namespace {

constexpr const char* kGlossHelp =
    "usage: vellumwise-tool gloss [--dic PATH] [--supplement PATH|none] [--level N]\n"
    "                             [--medical] [--science] [--names] [--no-personal]\n"
    "                             [--no-context] [--original] [--why]\n"
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
    "  --no-personal  ignore the reader's known and new word lists and own senses\n"
    "                 (read from $XDG_DATA_HOME/vellumwise by default); the own\n"
    "                 senses for this book are those kept under FILE's name\n"
    "  --no-context   give every word its entry's gloss, whatever its use (by default\n"
    "                 a word's part of speech in its sentence chooses among its senses,\n"
    "                 and in a text found to be about one subject, that subject's)\n"
    "  --original     the original glossing, every addition turned off at once:\n"
    "                 main.dic alone, names glossed, no personal lists, no context,\n"
    "                 and only the original word-form reductions\n"
    "  --why          (tsv) a fifth column: what chose the gloss, \"phrase\" (the\n"
    "                 gloss of the phrase the word opens), \"own\" (the reader's\n"
    "                 own sense), \"subject\", \"part of speech\" or \"entry\"\n"
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
    bool original = false;
    bool context = true;
    bool why = false;
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
        } else if (arg == "--no-context") {
            options.context = false;
        } else if (arg == "--why") {
            options.why = true;
        } else if (arg == "--original") {
            options.original = true;
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
    if (options.original) {
        options.sources.supplementPath.clear();
        options.sources.supplementNamed = true;
        options.names = true;
        options.personal = false;
        options.context = false;
    }
    return options;
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
    std::optional<std::string> bytes = ReadInputBytes(options->input);
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
    OwnSenses ownSenses(options->personal ? PersonalWords::DefaultFolder() : std::string());
    if (const std::string sensesWarning = ownSenses.Load(); !sensesWarning.empty()) {
        std::cerr << "vellumwise-tool gloss: " << sensesWarning;
    }
    // The book's key, as the window keeps it: the file's name (standard input has none).
    const std::string book = options->input == "-"
                                 ? std::string()
                                 : std::filesystem::path(options->input).filename().string();
    const OwnSenseIndex senses(dic, ownSenses, IsBookKey(book) ? book : std::string());
    std::unique_ptr<ContextSenses> context;
    if (options->context) {
        std::string problem;
        // Beside main.dic, as the window has them. A dictionary named with --dic
        // may come without them: only the default one's absence is news.
        const std::filesystem::path folder =
            std::filesystem::path(options->sources.mainPath).parent_path();
        const bool named = options->sources.mainPath != DefaultDictionarySources().mainPath;
        context = ContextSenses::Load(folder.string(), problem);
        const bool absent = !std::filesystem::exists(folder / std::string(kTaggerFileName)) &&
                            !std::filesystem::exists(folder / std::string(kSensesFileName));
        if (!context && !(named && absent)) {
            std::cerr << "vellumwise-tool gloss: " << problem
                      << "; every word gets its entry's gloss\n";
        }
        const bool phrasesAbsent = !std::filesystem::exists(folder / std::string(kPhrasesFileName));
        if (context && !context->PhraseProblem().empty() && !(named && phrasesAbsent)) {
            std::cerr << "vellumwise-tool gloss: " << context->PhraseProblem()
                      << "; no phrase is glossed as one\n";
        }
        if (context && !context->SubjectProblem().empty() && !named) {
            std::cerr << "vellumwise-tool gloss: " << context->SubjectProblem()
                      << "; no text is given a subject\n";
        }
    }
    // Named .epub like the window's open command; on standard input, known by its bytes.
    const FileKind kind = options->input == "-"
                              ? (LooksLikeEpub(*bytes) ? FileKind::Book : FileKind::Text)
                              : KindOfFile(options->input);
    TextFileLoad load = TextFileLoad::FromBytes(std::move(*bytes), kind, options->input, dic,
                                                GlossChoice{.threshold = ThresholdForLevel(*level),
                                                            .medical = options->medical,
                                                            .science = options->science,
                                                            .skipNames = !options->names,
                                                            .additions = !options->original,
                                                            .context = context.get()},
                                                {}, &marks);
    if (!load.Ok()) {
        if (!load.bookFailure.empty()) {
            std::cerr << "vellumwise-tool gloss: " << load.bookFailure << "\n";
        } else {
            std::cerr << "vellumwise-tool gloss: " << options->input << ": out of memory\n";
        }
        return kExitBadInput;
    }
    if (!senses.Empty()) {
        load.paragraphs->SetOwnSenses(&senses);
        load.paragraphs->ReapplyMarks(&dic);
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
        WriteGlossTsv(std::cout, text, options->why);
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}
