// vellumwise-tool: the command-line companion of the reading window.
#include <cstring>
#include <iostream>
#include <string>

#include "AtomicFile.h"
#include "ToolCommands.h"

namespace {

constexpr const char* kUsage =
    "usage: vellumwise-tool COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  dic2tsv MAIN.DIC         print a dictionary as word TAB gloss TAB frequency\n"
    "  tsv2dic IN.TSV OUT.DIC   build a dictionary from such a list\n"
    "  gloss [OPTIONS] [FILE]   print the glosses of a text as the reading window shows them\n"
    "  lookup [OPTIONS] WORD... show the entry each word reaches and whether it is glossed\n"
    "  define [OPTIONS] WORD... print each word's whole entry, as the word card shows it\n"
    "  wordbook export --csv|--anki FILE   export the word book\n"
    "  known import FILE        add a word list to the known words\n"
    "  tag [OPTIONS] [FILE]     print the part of speech of each word of a text\n"
    "  tagger2dat LEX RULES OUT compile the tagger's data\n"
    "  senses2dat IN.TSV OUT    compile the senses by part of speech\n"
    "  phrases2dat IN.TSV OUT   compile the phrases and compounds\n"
    "  subjects2dat W S OUT     compile the subjects and their senses\n"
    "  layout [OPTIONS] [FILE]  print where the reading window sets each token\n"
    "\n"
    "'vellumwise-tool COMMAND --help' describes one command.\n";

struct Command {
    const char* name;
    int (*run)(const ToolArguments& args);
};

constexpr Command kCommands[] = {
    {"dic2tsv", RunDic2Tsv},
    {"tsv2dic", RunTsv2Dic},
    {"gloss", RunGloss},
    {"lookup", RunLookup},
    {"wordbook", RunWordbook},
    {"known", RunKnown},
    {"tag", RunTag},
    {"tagger2dat", RunTagger2Dat},
    {"senses2dat", RunSenses2Dat},
    {"phrases2dat", RunPhrases2Dat},
    {"subjects2dat", RunSubjects2Dat},
    {"layout", RunLayout},
    {"define", RunDefine},
};

}  // namespace

int main(int argc, char** argv) {
    IgnoreFileSizeSignal();
    if (argc < 2) {
        std::cerr << kUsage;
        return kExitUsage;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return kExitOk;
    }
    const ToolArguments args(argv + 2, argv + argc);
    for (const Command& known : kCommands) {
        if (command == known.name) {
            return known.run(args);
        }
    }
    std::cerr << "vellumwise-tool: unknown command '" << command << "'\n" << kUsage;
    return kExitUsage;
}
