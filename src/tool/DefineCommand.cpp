// define: a word's whole entry, as the word card shows it, from dictionary.sqlite.
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CDicMain.h"
#include "EntryDatabase.h"
#include "EntryDatabaseSchema.h"
#include "LowerCaseWord.h"
#include "ProgramDirectory.h"
#include "ToolCommands.h"
#include "ToolOptions.h"
#include "WordCardContent.h"

namespace {

constexpr const char* kDefineHelp =
    "usage: vellumwise-tool define [--db PATH] [--dic PATH] [--format text|tsv|json] WORD...|-\n"
    "Prints each word's whole entry: phonetic, every line of senses, English definitions,\n"
    "forms and marks. A word that is no headword is found through the forms the entries\n"
    "list (went: go), then through main.dic's word-form reductions.\n"
    "With no words (or -) the words are read from standard input, separated by blanks.\n"
    "\n"
    "  --db PATH      the entries (default: dictionary.sqlite beside this program)\n"
    "  --dic PATH     the dictionary whose reductions are tried (default: main.dic)\n"
    "  --format F     text (default), tsv (asked word, headword, phonetic, lines, definitions,\n"
    "                 forms, tags; several lines joined with \" | \") or json (one array)\n";

enum class Format { Text, Tsv, Json };

struct DefineOptions {
    std::string database;
    DictionarySources sources;
    Format format = Format::Text;
    WordOperands words;
};

std::optional<DefineOptions> ParseOptions(const ToolArguments& args) {
    DefineOptions options;
    options.database =
        (std::filesystem::path(ProgramDirectory()) / std::string(kEntryDatabaseFileName)).string();
    options.sources = DefaultDictionarySources();
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool ok = true;
        if (const auto taken = TakeDictionaryOption(args, i, options.sources)) {
            ok = *taken;
        } else if (arg == "--db" && i + 1 < args.size()) {
            options.database = args[++i];
        } else if (arg == "--format" && i + 1 < args.size()) {
            const std::string& format = args[++i];
            ok = format == "text" || format == "tsv" || format == "json";
            options.format = format == "tsv"    ? Format::Tsv
                             : format == "json" ? Format::Json
                                                : Format::Text;
        } else {
            ok = options.words.Take(arg);
        }
        if (!ok) {
            std::cerr << "vellumwise-tool define: cannot use '" << arg << "'\n" << kDefineHelp;
            return std::nullopt;
        }
    }
    return options;
}

std::string Joined(const std::vector<std::string>& parts) {
    std::string text;
    for (const auto& part : parts) {
        text += (text.empty() ? "" : std::string(kEntryLineBreak)) + part;
    }
    return text;
}

std::string LinesText(const FullEntry& entry) {
    std::vector<std::string> lines;
    for (const auto& line : entry.lines) {
        lines.push_back(line.label.empty() ? line.senses : line.label + " " + line.senses);
    }
    return Joined(lines);
}

// Control characters, quotes and backslashes escaped; other bytes as they are (UTF-8).
std::string Json(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            static const char* kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
    return out + '"';
}

std::string JsonList(const std::vector<std::string>& items) {
    std::string out = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += (i ? "," : "") + Json(items[i]);
    }
    return out + "]";
}

// Tabs and line breaks in a field would break the row; the data holds none, the asked
// word may.
std::string Field(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
        }
    }
    return text;
}

class Definer {
public:
    explicit Definer(DefineOptions options)
        : m_options(std::move(options)), m_entries(m_options.database) {}

    bool Available() { return m_entries.Available(); }
    const std::string& Problem() const { return m_entries.Problem(); }
    bool AllFound() const { return m_allFound; }

    void Define(std::ostream& out, const std::string& word) {
        std::optional<FullEntry> entry = m_entries.Find(word);
        if (!entry) {
            if (const auto headword = Reduced(word)) {
                entry = m_entries.Find(*headword);
            }
        }
        if (!entry) {
            m_allFound = false;
            std::cerr << "vellumwise-tool define: " << Field(word) << ": no entry\n";
            return;
        }
        switch (m_options.format) {
            case Format::Text:
                PrintText(out, word, *entry);
                break;
            case Format::Tsv:
                out << Field(word) << '\t' << entry->word << '\t' << entry->phonetic << '\t'
                    << LinesText(*entry) << '\t' << Joined(entry->definitions) << '\t'
                    << FormsText(*entry) << '\t' << TagsText(*entry) << '\n';
                break;
            case Format::Json:
                PrintJson(out, word, *entry);
                break;
        }
    }

    void Finish(std::ostream& out) {
        if (m_options.format == Format::Json) {
            out << (m_jsonItems ? "\n]\n" : "[]\n");
        }
    }

private:
    std::optional<std::string> Reduced(const std::string& word) {
        if (!m_dicTried) {
            m_dicTried = true;
            std::ostringstream ignored;
            m_dicLoaded = LoadDictionaries(m_dic, m_options.sources, "define").has_value();
        }
        if (!m_dicLoaded) {
            return std::nullopt;
        }
        LowerCaseWord lower;
        if (const auto position = m_dic.FindReachedEntry(lower.Of(word))) {
            return m_dic.m_arrItems[*position].m_strWord;
        }
        return std::nullopt;
    }

    static void PrintText(std::ostream& out, const std::string& word, const FullEntry& entry) {
        out << entry.word;
        if (!entry.phonetic.empty()) {
            out << " /" << entry.phonetic << '/';
        }
        if (word != entry.word) {
            out << " (" << Field(word) << ')';
        }
        out << '\n';
        for (const auto& line : entry.lines) {
            out << "  " << (line.label.empty() ? "" : line.label + " ") << line.senses << '\n';
        }
        for (const auto& definition : entry.definitions) {
            out << "  = " << definition << '\n';
        }
        if (const std::string forms = FormsText(entry); !forms.empty()) {
            out << "  " << forms << '\n';
        }
        if (const std::string tags = TagsText(entry); !tags.empty()) {
            out << "  " << tags << '\n';
        }
    }

    void PrintJson(std::ostream& out, const std::string& word, const FullEntry& entry) {
        std::vector<std::string> lines;
        out << (m_jsonItems++ ? ",\n" : "[\n") << "{\"asked\":" << Json(word)
            << ",\"word\":" << Json(entry.word) << ",\"phonetic\":" << Json(entry.phonetic)
            << ",\"lines\":[";
        for (std::size_t i = 0; i < entry.lines.size(); ++i) {
            out << (i ? "," : "") << "{\"label\":" << Json(entry.lines[i].label)
                << ",\"senses\":" << Json(entry.lines[i].senses) << '}';
        }
        out << "],\"definitions\":" << JsonList(entry.definitions) << ",\"forms\":{";
        for (std::size_t i = 0; i < entry.forms.size(); ++i) {
            out << (i ? "," : "") << Json(std::string(FormName(entry.forms[i].first))) << ':'
                << Json(entry.forms[i].second);
        }
        std::vector<std::string> tags;
        for (const auto& tag : entry.tags) {
            tags.emplace_back(TagName(tag).empty() ? tag : std::string(TagName(tag)));
        }
        out << "},\"tags\":" << JsonList(tags) << ",\"collins\":" << entry.collins
            << ",\"oxford\":" << (entry.oxford ? "true" : "false") << '}';
    }

    DefineOptions m_options;
    EntryDatabase m_entries;
    CDicMain m_dic;
    bool m_dicTried = false;
    bool m_dicLoaded = false;
    bool m_allFound = true;
    int m_jsonItems = 0;
};

}  // namespace

int RunDefine(const ToolArguments& args) {
    if (WantsHelp(args)) {
        std::cout << kDefineHelp;
        return kExitOk;
    }
    std::optional<DefineOptions> options = ParseOptions(args);
    if (!options) {
        return kExitUsage;
    }
    const WordOperands words = options->words;
    Definer definer(std::move(*options));
    if (!definer.Available()) {
        std::cerr << "vellumwise-tool define: 完整词条不可用: " << definer.Problem() << '\n';
        return kExitBadInput;
    }
    if (!words.ForEach("define",
                       [&](const std::string& word) { definer.Define(std::cout, word); })) {
        return kExitBadInput;
    }
    definer.Finish(std::cout);
    std::cout.flush();
    if (!std::cout || !definer.Available()) {
        return kExitBadInput;
    }
    return definer.AllFound() ? kExitOk : kExitBadInput;
}
