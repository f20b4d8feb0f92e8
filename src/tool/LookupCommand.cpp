// lookup: why a word is or is not glossed — the entry it reaches, where that entry
// came from, its score and gloss, and whether a vocabulary step glosses it.
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CDicMain.h"
#include "CodePage.h"
#include "FrequencyText.h"
#include "FurtherReductions.h"
#include "LowerCaseWord.h"
#include "ToolCommands.h"
#include "ToolOptions.h"
#include "VocabularyTable.h"

namespace {

constexpr const char* kLookupHelp =
    "usage: vellumwise-tool lookup [--dic PATH] [--supplement PATH|none] [--level N]\n"
    "                              WORD...|-\n"
    "Looks words up as the reading window does (ASCII letters lower-cased, then the\n"
    "word-form reductions, then the further ones for a word the window would\n"
    "reduce further: -ly, -ness, -er, -est, British spellings, Latin plurals)\n"
    "and prints, per word, TAB-separated:\n"
    "  the word, the entry reached (empty if none), its file (main, supplement or\n"
    "  import), its score, its gloss, and yes or no: whether step N glosses the word.\n"
    "With no words (or -) the words are read from standard input, separated by blanks.\n"
    "\n"
    "  --dic PATH     the dictionary (default: main.dic beside this program)\n"
    "  --supplement PATH|none\n"
    "                 the words main.dic cannot hold, loaded after it (default:\n"
    "                 supplement.dic beside main.dic, if there); none leaves it out\n"
    "  --level N      vocabulary step 1-11, N x 2000 words known (default 3)\n";

struct LookupOptions {
    DictionarySources sources;
    std::string levelText = std::to_string(kDefaultVocabLevel);
    WordOperands words;
};

std::optional<LookupOptions> ParseOptions(const ToolArguments& args) {
    LookupOptions options;
    options.sources = DefaultDictionarySources();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool ok = true;
        if (const auto taken = TakeDictionaryOption(args, i, options.sources)) {
            ok = *taken;
        } else if (arg == "--level") {
            ok = i + 1 < args.size();
            if (ok) {
                options.levelText = args[++i];
            }
        } else {
            ok = options.words.Take(arg);
        }
        if (!ok) {
            std::cerr << "vellumwise-tool lookup: cannot use '" << arg << "'\n" << kLookupHelp;
            return std::nullopt;
        }
    }
    return options;
}

const char* FileOf(std::size_t position, const LoadedDictionaries& loaded) {
    if (position < loaded.mainEntries) {
        return "main";
    }
    return position < loaded.mainEntries + loaded.supplementEntries ? "supplement" : "import";
}

void PrintLookup(std::ostream& out, const CDicMain& dic, const LoadedDictionaries& loaded,
                 const std::string& word, double threshold) {
    const std::string lower = LowerAscii(word);
    out << word << '\t';
    if (const auto position = dic.FindReachedEntry(lower)) {
        const CDicItem& item = dic.m_arrItems[*position];
        out << item.m_strWord << '\t' << FileOf(*position, loaded) << '\t'
            << FormatFrequency(item.m_dFrequency) << '\t'
            << codepage::GbkToUtf8Lossy(item.m_strGloss) << '\t';
        out << (dic.TranslateView(lower, threshold, false, false).empty() ? "no" : "yes") << '\n';
        return;
    }
    // As the window does for a word it writes small: the further reductions.
    const std::optional<FurtherAnswer> further = TranslateFurther(dic, lower, threshold);
    const CDicItem* base = further ? dic.FindEntry(further->reachedWord) : nullptr;
    if (base == nullptr) {
        out << "\t\t\t\tno\n";
        return;
    }
    const auto position = static_cast<std::size_t>(base - dic.m_arrItems.data());
    out << base->m_strWord << '\t' << FileOf(position, loaded) << '\t'
        << FormatFrequency(base->m_dFrequency) << '\t'
        << codepage::GbkToUtf8Lossy(further->gloss.empty() ? base->m_strGloss : further->gloss)
        << '\t' << (further->gloss.empty() ? "no" : "yes") << '\n';
}

}  // namespace

int RunLookup(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kLookupHelp;
        return kExitOk;
    }
    std::optional<LookupOptions> options = ParseOptions(args);
    if (!options) {
        return kExitUsage;
    }
    const std::optional<int> level = ParseLevel(options->levelText);
    if (!level) {
        std::cerr << LevelError("lookup", options->levelText);
        return kExitBadInput;
    }
    CDicMain dic;
    const std::optional<LoadedDictionaries> loaded =
        LoadDictionaries(dic, options->sources, "lookup");
    if (!loaded) {
        return kExitBadInput;
    }
    const double threshold = ThresholdForLevel(*level);
    if (!options->words.ForEach("lookup", [&](const std::string& word) {
            PrintLookup(std::cout, dic, *loaded, word, threshold);
        })) {
        return kExitBadInput;
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}
