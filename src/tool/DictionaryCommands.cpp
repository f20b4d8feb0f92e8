// dic2tsv and tsv2dic: converting between main.dic and its UTF-8 source list.
#include <sys/stat.h>

#include <iostream>
#include <stdexcept>

#include "CDicMain.h"
#include "DictionaryFile.h"
#include "DictionaryTsv.h"
#include "ToolCommands.h"
#include "ToolFiles.h"

namespace {

constexpr const char* kDic2TsvHelp =
    "usage: vellumwise-tool dic2tsv MAIN.DIC\n"
    "Prints every entry of the dictionary file in list order as\n"
    "word TAB gloss (UTF-8) TAB frequency, one entry a line.\n";

constexpr const char* kTsv2DicHelp =
    "usage: vellumwise-tool tsv2dic IN.TSV OUT.DIC\n"
    "Builds a dictionary file from a UTF-8 list of word TAB gloss TAB frequency\n"
    "lines (lines beginning with # and empty lines are skipped). Nothing is\n"
    "written when any line is malformed or no line holds an entry.\n";

}  // namespace

int RunDic2Tsv(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 1, kDic2TsvHelp)) {
        return *status;
    }
    CDicMain dic;
    const DicFileResult loaded = LoadDictionaryFile(dic, args[0]);
    if (!loaded.Ok()) {
        std::cerr << "vellumwise-tool: " << args[0] << ": " << loaded.detail << "\n";
        return kExitBadInput;
    }
    try {
        std::cout << DictionaryToTsv(dic);
    } catch (const std::exception& e) {
        std::cerr << "vellumwise-tool: " << args[0] << ": " << e.what() << "\n";
        return kExitBadInput;
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}

int RunTsv2Dic(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 2, kTsv2DicHelp)) {
        return *status;
    }
    // The output replaces its file: named like the input (or a link to it), the
    // source would be lost for a dictionary made of it.
    struct stat input {};
    struct stat output {};
    if (::stat(args[0].c_str(), &input) == 0 && ::stat(args[1].c_str(), &output) == 0 &&
        input.st_dev == output.st_dev && input.st_ino == output.st_ino) {
        std::cerr << "vellumwise-tool: " << args[1] << ": is the input file, not written over\n";
        return kExitUsage;
    }
    const std::optional<std::string> text = ReadNamedFile(args[0]);
    if (!text) {
        return kExitBadInput;
    }
    CDicMain dic;
    try {
        AppendEntriesFromTsv(dic, *text);
    } catch (const std::runtime_error& e) {
        std::cerr << "vellumwise-tool: " << args[0] << ": " << e.what() << "\n";
        return kExitBadInput;
    }
    const DicFileResult saved = SaveDictionaryFile(dic, args[1]);
    if (!saved.Ok()) {
        std::cerr << "vellumwise-tool: " << args[1] << ": " << saved.detail << "\n";
        return kExitBadInput;
    }
    return kExitOk;
}
