#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ToolCommands.h"

class CDicMain;

// The vocabulary step of --level: a whole number from kMinVocabLevel to kMaxVocabLevel.
std::optional<int> ParseLevel(const std::string& text);
// Printed when ParseLevel refuses a value.
std::string LevelError(std::string_view command, const std::string& text);

// Which dictionary files a command loads: main.dic beside this program and
// supplement.dic beside main.dic, as the reading window does, unless --dic or
// --supplement name others.
struct DictionarySources {
    std::string mainPath;
    std::string supplementPath;  // when named; empty for --supplement none
    bool supplementNamed = false;
};

DictionarySources DefaultDictionarySources();

// Takes --dic PATH or --supplement PATH|none at args[i], moving i past its value.
// nullopt when args[i] is neither; false when its value is missing.
std::optional<bool> TakeDictionaryOption(const ToolArguments& args, std::size_t& i,
                                         DictionarySources& sources);

// Where each file's entries lie in the loaded list.
struct LoadedDictionaries {
    std::size_t mainEntries = 0;
    std::size_t supplementEntries = 0;
};

// Loads main.dic, then the supplement after it. A main.dic that cannot be loaded is
// an error (nullopt after a message on standard error). A supplement is skipped when
// "none", or when the default one is absent; a damaged one (or a named one that is
// absent) gets a message and the command goes on with main.dic alone.
std::optional<LoadedDictionaries> LoadDictionaries(CDicMain& dic, const DictionarySources& sources,
                                                   std::string_view command);

// The words a command is given: those named on its command line, then, with "-" or when
// none is named, every blank-separated word of standard input.
struct WordOperands {
    std::vector<std::string> named;
    bool fromInput = false;

    // Takes a word or "-"; false for anything that looks like an option.
    bool Take(const std::string& arg);
    // Calls `each` for every word in order; false when standard input could not be read,
    // after a message naming `command`.
    bool ForEach(std::string_view command,
                 const std::function<void(const std::string&)>& each) const;
};
