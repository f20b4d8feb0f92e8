#include "ToolFiles.h"

#include <cerrno>
#include <cstring>
#include <iostream>

#include "AtomicFile.h"
#include "ReadFileBytes.h"

std::optional<int> HelpOrWrongCount(const ToolArguments& args, std::size_t count,
                                    const char* help) {
    if (WantsHelp(args)) {
        std::cout << help;
        return kExitOk;
    }
    if (args.size() != count) {
        std::cerr << help;
        return kExitUsage;
    }
    return std::nullopt;
}

std::optional<std::string> ReadNamedFile(const std::string& path) {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        std::cerr << "vellumwise-tool: " << path
                  << ": cannot read the file: " << std::strerror(errno) << "\n";
    }
    return bytes;
}

bool WriteNamedFile(const std::string& path, const std::string& bytes) {
    const AtomicWriteResult written = WriteFileAtomically(path, bytes);
    if (!written.Ok()) {
        std::cerr << "vellumwise-tool: " << path << ": " << written.detail << "\n";
        return false;
    }
    return true;
}
