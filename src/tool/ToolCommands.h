#pragma once

#include <string>
#include <vector>

// Exit statuses of every command.
constexpr int kExitOk = 0;
constexpr int kExitBadInput = 1;
constexpr int kExitUsage = 2;

using ToolArguments = std::vector<std::string>;

// A command's own --help (or -h) as its only argument.
inline bool WantsHelp(const ToolArguments& args) {
    return args.size() == 1 && (args[0] == "--help" || args[0] == "-h");
}

int RunDic2Tsv(const ToolArguments& args);
int RunTsv2Dic(const ToolArguments& args);
int RunGloss(const ToolArguments& args);
int RunLookup(const ToolArguments& args);
int RunDefine(const ToolArguments& args);
int RunWordbook(const ToolArguments& args);
int RunKnown(const ToolArguments& args);
int RunTag(const ToolArguments& args);
int RunTagger2Dat(const ToolArguments& args);
int RunSenses2Dat(const ToolArguments& args);
int RunPhrases2Dat(const ToolArguments& args);
int RunSubjects2Dat(const ToolArguments& args);
int RunLayout(const ToolArguments& args);
