#pragma once

#include <optional>
#include <string>

// The whole content of a regular file, or nullopt when it cannot be opened or
// read (missing, access denied, a directory); errno then tells why.
std::optional<std::string> ReadFileBytes(const std::string& path);
