#include "ToolOptions.h"

#include <filesystem>
#include <iostream>

#include "CDicMain.h"
#include "DictionaryFile.h"
#include "ProgramDirectory.h"
#include "VocabularyTable.h"

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

std::string LevelError(std::string_view command, const std::string& text) {
    return "vellumwise-tool " + std::string(command) + ": the level must be a whole number from " +
           std::to_string(kMinVocabLevel) + " to " + std::to_string(kMaxVocabLevel) + ", not '" +
           text + "'\n";
}

DictionarySources DefaultDictionarySources() {
    return {(std::filesystem::path(ProgramDirectory()) / "main.dic").string(), {}, false};
}

std::optional<bool> TakeDictionaryOption(const ToolArguments& args, std::size_t& i,
                                         DictionarySources& sources) {
    const std::string& arg = args[i];
    if (arg != "--dic" && arg != "--supplement") {
        return std::nullopt;
    }
    if (i + 1 >= args.size()) {
        return false;
    }
    const std::string& value = args[++i];
    if (arg == "--dic") {
        sources.mainPath = value;
    } else {
        sources.supplementPath = value == "none" ? std::string() : value;
        sources.supplementNamed = true;
    }
    return true;
}

std::optional<LoadedDictionaries> LoadDictionaries(CDicMain& dic, const DictionarySources& sources,
                                                   std::string_view command) {
    // Like the reading window: the supplement lies beside main.dic.
    const MainAndSupplement loaded = LoadMainAndSupplement(
        dic, sources.mainPath,
        sources.supplementNamed ? std::optional<std::string>(sources.supplementPath)
                                : std::nullopt);
    if (!loaded.main.Ok()) {
        std::cerr << "vellumwise-tool " << command << ": " << sources.mainPath << ": "
                  << loaded.main.detail << "\n";
        return std::nullopt;
    }
    LoadedDictionaries counts;
    counts.mainEntries = loaded.mainEntries;
    if (loaded.supplement.Ok()) {
        counts.supplementEntries = dic.m_arrItems.size() - loaded.mainEntries;
    } else if (!loaded.supplementPath.empty() &&
               (loaded.supplement.kind != DicFileResult::Kind::Missing ||
                sources.supplementNamed)) {
        std::cerr << "vellumwise-tool " << command << ": " << loaded.supplementPath << ": "
                  << loaded.supplement.detail << "; going on with " << sources.mainPath
                  << " alone\n";
    }
    return counts;
}

bool WordOperands::Take(const std::string& arg) {
    if (arg == "-") {
        fromInput = true;
        return true;
    }
    if (arg.starts_with("-")) {
        return false;
    }
    named.push_back(arg);
    return true;
}

bool WordOperands::ForEach(std::string_view command,
                           const std::function<void(const std::string&)>& each) const {
    for (const std::string& word : named) {
        each(word);
    }
    if (!fromInput && !named.empty()) {
        return true;
    }
    std::string word;
    while (std::cin >> word) {
        each(word);
    }
    if (std::cin.bad()) {
        std::cerr << "vellumwise-tool " << command << ": cannot read standard input\n";
        return false;
    }
    return true;
}
