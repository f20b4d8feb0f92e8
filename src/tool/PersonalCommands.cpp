// wordbook and known: the reader's word book and known list from the command line,
// the same files the reading window keeps under $XDG_DATA_HOME/vellumwise.
#include <filesystem>
#include <iostream>

#include "AtomicFile.h"
#include "CDicMain.h"
#include "EntryDatabase.h"
#include "EntryDatabaseSchema.h"
#include "PersonalWords.h"
#include "PrivateFolder.h"
#include "ProgramDirectory.h"
#include "ReadFileBytes.h"
#include "ToolCommands.h"
#include "ToolOptions.h"
#include "WordBook.h"

namespace {

constexpr const char* kWordbookHelp =
    "usage: vellumwise-tool wordbook export --csv|--anki FILE|-\n"
    "Writes the word book ($XDG_DATA_HOME/vellumwise/wordbook.tsv) to FILE, or to\n"
    "standard output for -:\n"
    "  --csv    comma-separated values, UTF-8 with a BOM, for spreadsheet programs\n"
    "  --anki   tab-separated notes for Anki, fields word, phonetic, gloss, sentence\n"
    "           (the word in bold), book, date and tags: the book and the word's exam\n"
    "           tags from dictionary.sqlite beside this program, when it is there\n";

constexpr const char* kKnownHelp =
    "usage: vellumwise-tool known import [--dic PATH] [--supplement PATH|none] FILE\n"
    "Adds the words of FILE (one a line, or the first column of a CSV file) that the\n"
    "dictionary has to the known list ($XDG_DATA_HOME/vellumwise/known-words.txt);\n"
    "the header row of the word book's own CSV export is skipped.\n"
    "  --dic PATH     the dictionary (default: main.dic beside this program)\n"
    "  --supplement PATH|none  the supplement dictionary (default: supplement.dic\n"
    "                 beside main.dic, when there is one)\n";

}  // namespace

int RunWordbook(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kWordbookHelp;
        return kExitOk;
    }
    if (args.size() != 3 || args[0] != "export" || (args[1] != "--csv" && args[1] != "--anki")) {
        std::cerr << kWordbookHelp;
        return kExitUsage;
    }
    const std::string folder = PersonalWords::DefaultFolder();
    if (folder.empty()) {
        std::cerr << "vellumwise-tool wordbook: " << kNoHomeMessage << "\n";
        return kExitBadInput;
    }
    WordBook book;
    if (!LoadWordBook(folder, book)) {
        std::cerr << "vellumwise-tool wordbook: cannot read " << WordBookPath(folder) << "\n";
        return kExitBadInput;
    }
    EntryDatabase entries(
        (std::filesystem::path(ProgramDirectory()) / std::string(kEntryDatabaseFileName)).string());
    const std::string bytes = args[1] == "--csv" ? ExportCsv(book.entries)
                                                 : ExportAnki(book.entries, ExamTagsFrom(entries));
    if (args[2] == "-") {
        std::cout << bytes;
        std::cout.flush();
        return std::cout ? kExitOk : kExitBadInput;
    }
    const AtomicWriteResult written = WriteExportFile(args[2], bytes);
    if (!written.Ok()) {
        std::cerr << "vellumwise-tool wordbook: " << args[2] << ": " << written.detail << "\n";
        return kExitBadInput;
    }
    std::cout << book.entries.size() << " entries written to " << args[2] << "\n";
    return kExitOk;
}

int RunKnown(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kKnownHelp;
        return kExitOk;
    }
    DictionarySources sources = DefaultDictionarySources();
    std::string input;
    bool ok = !args.empty() && args[0] == "import";
    for (std::size_t i = 1; ok && i < args.size(); ++i) {
        if (const std::optional<bool> taken = TakeDictionaryOption(args, i, sources)) {
            ok = *taken;
        } else if (input.empty() && !args[i].starts_with("--")) {
            input = args[i];
        } else {
            ok = false;
        }
    }
    if (!ok || input.empty()) {
        std::cerr << kKnownHelp;
        return kExitUsage;
    }
    CDicMain dic;
    if (!LoadDictionaries(dic, sources, "known")) {
        return kExitBadInput;
    }
    const std::optional<std::string> bytes = ReadFileBytes(input);
    if (!bytes) {
        std::cerr << "vellumwise-tool known: " << input << ": cannot read the file\n";
        return kExitBadInput;
    }
    const std::string folder = PersonalWords::DefaultFolder();
    if (folder.empty()) {
        std::cerr << "vellumwise-tool known: " << kNoHomeMessage << "\n";
        return kExitBadInput;
    }
    PersonalWords words(folder);
    const std::string warning = words.Load();
    if (!warning.empty()) {
        std::cerr << warning;
    }
    const PersonalWords::ImportReport report = words.ImportKnown(dic, *bytes);
    std::cout << "took " << report.rows << (report.rows == 1 ? " row" : " rows")
              << (report.headerSkipped ? " (the header row skipped)" : "") << ": added "
              << report.added << ", already there " << report.alreadyThere << ", not in dictionary "
              << report.notInDictionary << ", not words " << report.skipped << "\n";
    if (!report.error.empty()) {
        std::cerr << "vellumwise-tool known: " << report.error << "\n";
    }
    // An unreadable list was not written: the words were not kept.
    if (!report.error.empty() || words.Unreadable()) {
        return kExitBadInput;
    }
    return kExitOk;
}
