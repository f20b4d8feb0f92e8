#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

struct ProgramResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;  // standard output (standard error goes to `err` when asked)
};

// Runs a shell command line and collects its standard output and exit status.
inline ProgramResult RunProgram(const std::string& commandLine) {
    ProgramResult result;
    FILE* pipe = ::popen(commandLine.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 65536> buffer;
    std::size_t got;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.out.append(buffer.data(), got);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}
