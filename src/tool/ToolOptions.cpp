#include "ToolOptions.h"

#include <filesystem>
#include <iostream>

#include "CDicMain.h"
#include "DictionaryFile.h"
#include "VocabularyTable.h"

namespace {

std::filesystem::path ProgramDirectory() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : exe.parent_path();
}

}  // namespace

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
    return {(ProgramDirectory() / "main.dic").string(), {}, false};
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
    const DicFileResult main = LoadDictionaryFile(dic, sources.mainPath);
    if (!main.Ok()) {
        std::cerr << "vellumwise-tool " << command << ": " << sources.mainPath << ": "
                  << main.detail << "\n";
        return std::nullopt;
    }
    LoadedDictionaries loaded;
    loaded.mainEntries = dic.m_arrItems.size();
    // Like the reading window: the supplement lies beside main.dic.
    const std::string path =
        sources.supplementNamed
            ? sources.supplementPath
            : (std::filesystem::path(sources.mainPath).parent_path() / kSupplementFileName)
                  .string();
    if (path.empty()) {
        return loaded;
    }
    const DicFileResult supplement = LoadDictionaryFile(dic, path);
    if (supplement.Ok()) {
        loaded.supplementEntries = dic.m_arrItems.size() - loaded.mainEntries;
    } else if (supplement.kind != DicFileResult::Kind::Missing || sources.supplementNamed) {
        std::cerr << "vellumwise-tool " << command << ": " << path << ": " << supplement.detail
                  << "; going on with " << sources.mainPath << " alone\n";
    }
    return loaded;
}
