#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// Larger files are refused rather than read: the text model and its glosses need
// several times the file's size in memory.
constexpr std::uint64_t kMaxReadFileBytes = std::uint64_t{2} << 30;  // 2 GiB

// Why ReadFileBytes answered nothing.
enum class ReadFileProblem {
    None,
    CannotRead,       // missing, access denied, a directory, an I/O error: errno tells
    NotARegularFile,  // a device, FIFO or socket, never read (it may never end)
    TooLarge,         // more than the limit
    OutOfMemory,
    Cancelled,  // the progress callback said stop
};

struct ReadFileOptions {
    std::uint64_t maxBytes = kMaxReadFileBytes;
    // Called now and then with the bytes read so far and the file's size; answering
    // false stops the read.
    std::function<bool(std::uint64_t done, std::uint64_t total)> progress;
    // False for the reader's own files: a link there is refused (ELOOP), never read.
    bool followLinks = true;
};

// The whole content of a regular file, or nullopt with the reason in `problem`
// (and errno). Opening never blocks, so a FIFO cannot hang the caller.
std::optional<std::string> ReadFileBytes(const std::string& path,
                                         ReadFileProblem* problem = nullptr,
                                         const ReadFileOptions& options = {});
