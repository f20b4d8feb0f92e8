#include "ProgramDirectory.h"

#include <filesystem>

std::string ProgramDirectory() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : exe.parent_path().string();
}
