// tag and tagger2dat: the part-of-speech tagger from the command line.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <iterator>
#include <optional>

#include "CParagraphList.h"
#include "PhraseTable.h"
#include "PosTagger.h"
#include "ReadFileBytes.h"
#include "SenseTable.h"
#include "SubjectTable.h"
#include "TaggerData.h"
#include "TextTagging.h"
#include "ToolCommands.h"
#include "ToolFiles.h"
#include "ToolInput.h"
#include "ToolOptions.h"

namespace {

constexpr const char* kTagHelp =
    "usage: vellumwise-tool tag [--tagger PATH] [--tokens] [FILE|-]\n"
    "Prints the part of speech the reading window gives each word of a UTF-8 text\n"
    "(standard input for - or no FILE): WORD TAB PENN-TAG TAB CLASS, one word a\n"
    "line, CLASS one of NOUN PROPN VERB ADJ ADV X.\n"
    "\n"
    "  --tagger PATH  the compiled tagger (default: tagger.dat beside main.dic)\n"
    "  --tokens       the input is already split: one token a line, an empty line\n"
    "                 after each sentence; each token is tagged as it is\n";

constexpr const char* kTagger2DatHelp =
    "usage: vellumwise-tool tagger2dat LEXICON.TSV RULES.TSV OUT.DAT\n"
    "Compiles the tagger's lexicon and rules (data/tagger-lexicon.tsv,\n"
    "data/tagger-rules.tsv) into the file the program loads. Nothing is written\n"
    "when any line is malformed.\n";

constexpr const char* kPhrases2DatHelp =
    "usage: vellumwise-tool phrases2dat PHRASES.TSV OUT.DAT\n"
    "Compiles the phrases and compounds (data/phrases.tsv) into the file the\n"
    "program loads. Nothing is written when any line is malformed.\n";

constexpr const char* kSenses2DatHelp =
    "usage: vellumwise-tool senses2dat SENSES.TSV OUT.DAT\n"
    "Compiles the senses by part of speech (data/senses.tsv) into the file the\n"
    "program loads. Nothing is written when any line is malformed.\n";

constexpr const char* kSubjects2DatHelp =
    "usage: vellumwise-tool subjects2dat SUBJECT-WORDS.TSV SUBJECT-SENSES.TSV OUT.DAT\n"
    "Compiles the subjects of each word and the senses words lead with in a text\n"
    "of a subject (data/subject-*.tsv) into the file the program loads. Nothing is\n"
    "written when any line is malformed.\n";

void PrintTag(std::string_view word, PosTag tag) {
    std::cout << word << '\t' << PosTagName(tag) << '\t' << WordClassName(ClassOf(tag)) << '\n';
}

}  // namespace

std::string DefaultTaggerPath() {
    return (std::filesystem::path(DefaultDictionarySources().mainPath).parent_path() /
            std::string(kTaggerFileName))
        .string();
}

std::optional<TaggerData> LoadTaggerFile(const std::string& path, std::string& error) {
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return TaggerData::FromCompiled(*bytes, error);
}

int RunTag(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kTagHelp;
        return kExitOk;
    }
    std::string taggerPath = DefaultTaggerPath();
    std::string input = "-";
    bool tokens = false;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--tagger" && i + 1 < args.size()) {
            taggerPath = args[++i];
        } else if (args[i] == "--tokens") {
            tokens = true;
        } else if (!haveInput && (args[i] == "-" || !args[i].starts_with("-"))) {
            input = args[i];
            haveInput = true;
        } else {
            std::cerr << kTagHelp;
            return kExitUsage;
        }
    }
    std::string error;
    const std::optional<TaggerData> data = LoadTaggerFile(taggerPath, error);
    if (!data) {
        std::cerr << "vellumwise-tool tag: " << taggerPath << ": " << error << "\n";
        return kExitBadInput;
    }
    std::optional<std::string> text = ReadInputBytes(input);
    if (!text) {
        std::cerr << "vellumwise-tool tag: " << input
                  << ": cannot read the file: " << std::strerror(errno) << "\n";
        return kExitBadInput;
    }
    const PosTagger tagger(*data);
    if (tokens) {
        std::vector<std::string_view> sentence;
        std::vector<PosTag> tags;
        auto flush = [&] {
            tagger.TagSentence(sentence, tags);
            for (std::size_t i = 0; i < sentence.size(); ++i) {
                PrintTag(sentence[i], tags[i]);
            }
            if (!sentence.empty()) {
                std::cout << '\n';
            }
            sentence.clear();
        };
        std::string_view rest = *text;
        while (!rest.empty()) {
            const std::size_t lf = rest.find('\n');
            std::string_view line = rest.substr(0, lf);
            rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (line.empty()) {
                flush();
            } else {
                sentence.push_back(line);
            }
        }
        flush();
    } else {
        CParagraphList list;
        list.SetText(std::move(*text));
        const std::vector<PosTag> tags = TagText(list.Store(), list.m_arrParagraphs, tagger);
        for (const CParagraph& paragraph : list.m_arrParagraphs) {
            for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
                const PosTag tag = tags[paragraph.FirstToken() + j];
                if (tag != PosTag::None) {
                    PrintTag(paragraph.Word(j), tag);
                }
            }
        }
    }
    std::cout.flush();
    return std::cout ? kExitOk : kExitBadInput;
}

int RunTagger2Dat(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 3, kTagger2DatHelp)) {
        return *status;
    }
    const std::optional<std::string> lexicon = ReadNamedFile(args[0]);
    const std::optional<std::string> rules = lexicon ? ReadNamedFile(args[1]) : std::nullopt;
    if (!rules) {
        return kExitBadInput;
    }
    std::string error;
    const std::optional<TaggerData> data = TaggerData::FromTsv(*lexicon, *rules, error);
    if (!data) {
        std::cerr << "vellumwise-tool: " << error << "\n";
        return kExitBadInput;
    }
    return WriteNamedFile(args[2], data->Compile()) ? kExitOk : kExitBadInput;
}

int RunSenses2Dat(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 2, kSenses2DatHelp)) {
        return *status;
    }
    const std::optional<std::string> text = ReadNamedFile(args[0]);
    if (!text) {
        return kExitBadInput;
    }
    std::string error;
    const std::optional<SenseTable> table = SenseTable::FromTsv(*text, error);
    if (!table) {
        std::cerr << "vellumwise-tool: " << args[0] << ": " << error << "\n";
        return kExitBadInput;
    }
    return WriteNamedFile(args[1], table->Compile()) ? kExitOk : kExitBadInput;
}

int RunPhrases2Dat(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 2, kPhrases2DatHelp)) {
        return *status;
    }
    const std::optional<std::string> text = ReadNamedFile(args[0]);
    if (!text) {
        return kExitBadInput;
    }
    std::string error;
    const std::optional<PhraseTable> table = PhraseTable::FromTsv(*text, error);
    if (!table) {
        std::cerr << "vellumwise-tool: " << args[0] << ": " << error << "\n";
        return kExitBadInput;
    }
    return WriteNamedFile(args[1], table->Compile()) ? kExitOk : kExitBadInput;
}

int RunSubjects2Dat(const ToolArguments& args) {
    if (const std::optional<int> status = HelpOrWrongCount(args, 3, kSubjects2DatHelp)) {
        return *status;
    }
    const std::optional<std::string> words = ReadNamedFile(args[0]);
    const std::optional<std::string> senses = words ? ReadNamedFile(args[1]) : std::nullopt;
    if (!senses) {
        return kExitBadInput;
    }
    std::string error;
    const std::optional<SubjectTable> table = SubjectTable::FromTsv(*words, *senses, error);
    if (!table) {
        std::cerr << "vellumwise-tool: " << args[0] << ", " << args[1] << ": " << error << "\n";
        return kExitBadInput;
    }
    return WriteNamedFile(args[2], table->Compile()) ? kExitOk : kExitBadInput;
}
