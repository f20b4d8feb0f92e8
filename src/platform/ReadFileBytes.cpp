#include "ReadFileBytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace {

// Closes the descriptor on every way out, keeping errno as it was.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            const int error = errno;
            ::close(m_fd);
            errno = error;
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

private:
    int m_fd;
};

std::optional<std::string> Fail(ReadFileProblem* problem, ReadFileProblem why, int error) {
    if (problem != nullptr) {
        *problem = why;
    }
    errno = error;
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, ReadFileProblem* problem,
                                         const ReadFileOptions& options) {
    if (problem != nullptr) {
        *problem = ReadFileProblem::None;
    }
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer forever.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY |
                                                     (options.followLinks ? 0 : O_NOFOLLOW)));
    if (fd.Get() < 0) {
        return Fail(problem, ReadFileProblem::CannotRead, errno);
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return Fail(problem, ReadFileProblem::CannotRead, errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return Fail(problem, ReadFileProblem::CannotRead, EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return Fail(problem, ReadFileProblem::NotARegularFile, EINVAL);
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > options.maxBytes) {
        return Fail(problem, ReadFileProblem::TooLarge, EFBIG);
    }
    std::string bytes;
    try {
        bytes.reserve(static_cast<std::size_t>(size));
        constexpr std::size_t kChunk = std::size_t{1} << 20;
        char spare[65536];
        std::uint64_t sinceProgress = 0;
        for (;;) {
            // Read straight into the string while it has room: a 2 GiB text has no
            // space for a second copy. Past the size the file had, grow as needed.
            ssize_t got;
            const std::size_t room = bytes.capacity() - bytes.size();
            if (room >= sizeof spare) {
                const std::size_t at = bytes.size();
                const std::size_t want = room < kChunk ? room : kChunk;
                bytes.resize(at + want);
                got = ::read(fd.Get(), bytes.data() + at, want);
                bytes.resize(at + (got > 0 ? static_cast<std::size_t>(got) : 0));
            } else {
                got = ::read(fd.Get(), spare, sizeof spare);
                if (got > 0) {
                    bytes.append(spare, static_cast<std::size_t>(got));
                }
            }
            if (got < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return Fail(problem, ReadFileProblem::CannotRead, errno);
            }
            if (got == 0) {
                break;
            }
            // A file that grows while it is read (a log, /proc) is held to the limit too.
            if (bytes.size() > options.maxBytes) {
                return Fail(problem, ReadFileProblem::TooLarge, EFBIG);
            }
            sinceProgress += static_cast<std::uint64_t>(got);
            if (options.progress && sinceProgress >= (std::uint64_t{4} << 20)) {
                sinceProgress = 0;
                if (!options.progress(bytes.size(), size)) {
                    return Fail(problem, ReadFileProblem::Cancelled, ECANCELED);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        return Fail(problem, ReadFileProblem::OutOfMemory, ENOMEM);
    } catch (const std::length_error&) {
        return Fail(problem, ReadFileProblem::OutOfMemory, ENOMEM);
    }
    return bytes;
}
