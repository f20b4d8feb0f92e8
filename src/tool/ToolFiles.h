#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "ToolCommands.h"

// The commands that take only file names share how they answer --help, a wrong count
// of names, an unreadable input and a failed write, so their messages cannot drift.

// nullopt when `args` are `count` names to go on with; otherwise the exit status, after
// `help` on standard output (asked for) or standard error (a wrong count).
std::optional<int> HelpOrWrongCount(const ToolArguments& args, std::size_t count, const char* help);

// The bytes of `path`; nullopt after "vellumwise-tool: PATH: cannot read the file: WHY".
std::optional<std::string> ReadNamedFile(const std::string& path);

// `bytes` written over `path` atomically; false after a message naming the file.
bool WriteNamedFile(const std::string& path, const std::string& bytes);
