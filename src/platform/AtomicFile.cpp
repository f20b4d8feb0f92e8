#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <random>
#include <utility>

namespace {

// A file descriptor, closed at scope exit.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { Reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Reset();
            m_fd = std::exchange(other.m_fd, -1);
        }
        return *this;
    }
    int Get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closes now, answering the error close reports (a delayed write error shows here).
    int Close() {
        const int result = ::close(std::exchange(m_fd, -1));
        return result == 0 ? 0 : errno;
    }

private:
    void Reset() {
        if (m_fd >= 0) {
            ::close(std::exchange(m_fd, -1));
        }
    }
    int m_fd;
};

AtomicWriteResult Refused(int error, std::string detail) { return {error, std::move(detail)}; }
AtomicWriteResult SystemFailure(int error) { return {error, std::strerror(error)}; }

// "dir/name" gives ("dir", "name"), "name" gives (".", "name"), "/name" gives ("/", "name").
std::pair<std::string, std::string> SplitPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {".", path};
    }
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

bool IsFileName(const std::string& name) { return !name.empty() && name != "." && name != ".."; }

Descriptor OpenFolder(int at, const std::string& path) {
    Descriptor folder(::openat(at, path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder && errno == EACCES) {
        // A folder one may write and enter but not list: enough for every step but
        // its own fsync.
        folder = Descriptor(::openat(at, path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    }
    return folder;
}

constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kRandomLetters = 6;

std::string TemporaryStem(const std::string& name) {
    return name.substr(0, NAME_MAX - 1 - kRandomLetters - std::strlen(kTemporarySuffix)) + ".";
}

std::string TemporaryName(const std::string& name) {
    thread_local std::mt19937_64 random{std::random_device{}()};
    std::string temporary = TemporaryStem(name);
    for (std::size_t i = 0; i < kRandomLetters; ++i) {
        temporary.push_back(kLetters[random() % (sizeof kLetters - 1)]);
    }
    return temporary + kTemporarySuffix;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd, bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

}  // namespace

std::string TemporaryNameFor(const std::string& name) { return TemporaryName(name); }

bool IsTemporaryOf(const std::string& entry, const std::string& name) {
    const std::string stem = TemporaryStem(name);
    const std::size_t suffix = std::strlen(kTemporarySuffix);
    if (entry.size() != stem.size() + kRandomLetters + suffix || !entry.starts_with(stem) ||
        !entry.ends_with(kTemporarySuffix)) {
        return false;
    }
    for (std::size_t i = stem.size(); i < stem.size() + kRandomLetters; ++i) {
        if (std::strchr(kLetters, entry[i]) == nullptr) {
            return false;
        }
    }
    return true;
}

AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      mode_t newFileMode, LinkRule links) {
    auto [folderPath, name] = SplitPath(path);
    if (!IsFileName(name)) {
        return Refused(EISDIR, "not a regular file");
    }
    Descriptor folder = OpenFolder(AT_FDCWD, folderPath);
    if (!folder) {
        return SystemFailure(errno);
    }

    // Find what the name stands for, following only links their owner may have us follow.
    struct stat target {};
    bool exists = false;
    for (int hops = 0;; ++hops) {
        Descriptor entry(::openat(folder.Get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (!entry) {
            if (errno == ENOENT) {
                break;
            }
            return SystemFailure(errno);
        }
        if (::fstat(entry.Get(), &target) != 0) {
            return SystemFailure(errno);
        }
        if (!S_ISLNK(target.st_mode)) {
            exists = true;
            break;
        }
        if (links == LinkRule::Refuse) {
            return Refused(ELOOP, "a symbolic link, not followed");
        }
        if (hops == 40) {
            return SystemFailure(ELOOP);
        }
        if (target.st_uid != ::geteuid() && target.st_uid != 0) {
            return Refused(EPERM, "a symbolic link of another user, not followed");
        }
        // Read from the link just checked, not from whatever the name holds now.
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlinkat(entry.Get(), "", link.data(), link.size());
        if (length < 0) {
            return SystemFailure(errno);
        }
        if (static_cast<std::size_t>(length) == link.size()) {
            return SystemFailure(ENAMETOOLONG);
        }
        link.resize(static_cast<std::size_t>(length));
        auto [linkFolder, linkName] = SplitPath(link);
        if (!IsFileName(linkName)) {
            return Refused(EISDIR, "not a regular file");
        }
        Descriptor next = OpenFolder(folder.Get(), linkFolder);
        if (!next) {
            return SystemFailure(errno);
        }
        folder = std::move(next);
        name = std::move(linkName);
    }
    if (exists) {
        if (!S_ISREG(target.st_mode)) {
            return Refused(EINVAL, "not a regular file");
        }
        if ((target.st_mode & 0222) == 0 ||
            ::faccessat(folder.Get(), name.c_str(), W_OK, AT_EACCESS) != 0) {
            return Refused(EACCES, "the file is read-only");
        }
    }

    std::string temporary;
    Descriptor out;
    for (int attempt = 0; attempt < 100 && !out; ++attempt) {
        temporary = TemporaryName(name);
        // An existing file's mode is set once its bytes are in; until then only the
        // caller can read the temporary.
        out = Descriptor(::openat(folder.Get(), temporary.c_str(),
                                  O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                  exists ? 0600 : newFileMode));
        if (!out && errno != EEXIST) {
            return SystemFailure(errno);
        }
    }
    if (!out) {
        return SystemFailure(EEXIST);
    }
    int error = 0;
    if (!WriteAll(out.Get(), bytes)) {
        error = errno;
    } else if (exists) {
        if (target.st_uid != ::geteuid() || target.st_gid != ::getegid()) {
            // Best effort: only root may give a file away; anyone else keeps it.
            [[maybe_unused]] const int ignored = ::fchown(out.Get(), target.st_uid, target.st_gid);
        }
        if (::fchmod(out.Get(), target.st_mode & 0777) != 0) {
            error = errno;
        }
    }
    if (error == 0 && ::fsync(out.Get()) != 0) {
        error = errno;
    }
    if (const int closed = out.Close(); error == 0) {
        error = closed;
    }
    if (error == 0 &&
        ::renameat(folder.Get(), temporary.c_str(), folder.Get(), name.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlinkat(folder.Get(), temporary.c_str(), 0);
        return SystemFailure(error);
    }
    ::fsync(folder.Get());  // the rename itself reaches the disk; fails harmlessly on O_PATH
    return {};
}

AtomicWriteResult WriteExportFile(const std::string& path, std::string_view bytes) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0) {
        if (S_ISLNK(info.st_mode)) {
            return Refused(ELOOP, "a symbolic link, not followed (\"-\" is standard output)");
        }
        if (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) {
            Descriptor out(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
            if (!out) {
                return SystemFailure(errno);
            }
            if (!WriteAll(out.Get(), bytes)) {
                return SystemFailure(errno);
            }
            const int closed = out.Close();
            return closed == 0 ? AtomicWriteResult{} : SystemFailure(closed);
        }
    }
    return WriteFileAtomically(path, bytes, 0644, LinkRule::Refuse);
}

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }
