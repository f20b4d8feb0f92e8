#include "PrivateFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "AtomicFile.h"
#include "ReadFileBytes.h"

const char* const kNoHomeMessage =
    "找不到用户的主文件夹（HOME 不是绝对路径，密码数据库里也没有），个人设置和词表本次都不保存。";

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

std::optional<std::string> UnderHome(const char* variable, const char* fallback) {
    if (const char* set = std::getenv(variable); IsAbsolute(set)) {
        return std::string(set);
    }
    const std::optional<std::string> home = HomeFolder();
    if (!home) {
        return std::nullopt;
    }
    return *home + (home->ends_with('/') ? "" : "/") + fallback;
}

std::string SystemError(int error) { return std::strerror(error); }

FileStamp StampOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<std::int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

// The components of an absolute path, without empty ones and ".".
std::vector<std::string> Components(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos) {
            slash = path.size();
        }
        const std::string part = path.substr(start, slash - start);
        if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    return parts;
}

// Why the folder `path` (already lstat'ed into `info`) may not be on the way to the
// reader's files; empty when it may.
std::string FolderProblem(const std::string& path, const struct stat& info, bool last) {
    if (!S_ISDIR(info.st_mode)) {
        return path + " 不是文件夹";
    }
    if (info.st_uid != ::geteuid() && info.st_uid != 0) {
        return "文件夹 " + path + " 属于另一个用户，为了安全不在其中读写个人文件";
    }
    const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    if (othersWrite && (last || (info.st_mode & S_ISVTX) == 0)) {
        return "文件夹 " + path + " 别的用户也能写入，为了安全不在其中读写个人文件";
    }
    return {};
}

}  // namespace

std::optional<std::string> HomeFolder() {
    if (const char* home = std::getenv("HOME"); IsAbsolute(home)) {
        return std::string(home);
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(static_cast<std::size_t>(size > 0 ? size : 16384));
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || !IsAbsolute(found->pw_dir)) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

std::optional<std::string> DataHome() { return UnderHome("XDG_DATA_HOME", ".local/share"); }
std::optional<std::string> ConfigHome() { return UnderHome("XDG_CONFIG_HOME", ".config"); }

KeptFolder OpenKeptFolder(const std::string& folder) {
    KeptFolder kept;
    kept.path = OpenPrivateFolder(folder, false, &kept.problem);
    if (kept.path) {
        return kept;
    }
    std::error_code error;
    if (!std::filesystem::exists(folder, error) && !error) {
        kept.missing = true;
        return kept;
    }
    kept.problem.clear();
    kept.path = OpenPrivateFolder(folder, false, &kept.problem);
    return kept;
}

std::optional<std::string> OpenPrivateFolder(const std::string& folder, bool create,
                                             std::string* problem) {
    auto refuse = [&](std::string why) -> std::optional<std::string> {
        *problem = std::move(why);
        return std::nullopt;
    };
    if (folder.empty()) {
        return refuse(kNoHomeMessage);
    }
    if (folder[0] != '/') {
        return refuse("个人文件夹 " + folder + " 不是绝对路径");
    }
    if (create) {
        std::string at;
        for (const std::string& part : Components(folder)) {
            at += "/" + part;
            if (::mkdir(at.c_str(), 0700) != 0 && errno != EEXIST) {
                return refuse("无法建立文件夹 " + at + "：" + SystemError(errno));
            }
        }
    }
    char* resolved = ::realpath(folder.c_str(), nullptr);
    if (resolved == nullptr) {
        return refuse("无法使用文件夹 " + folder + "：" + SystemError(errno));
    }
    const std::string canonical = resolved;
    std::free(resolved);
    // The canonical path has no link on it; a folder on it that others cannot write
    // cannot be swapped for one, so the path means the same folder until it is used.
    const std::vector<std::string> parts = Components(canonical);
    std::string at = "/";
    for (std::size_t i = 0; i <= parts.size(); ++i) {
        if (i > 0) {
            at += (i == 1 ? "" : "/") + parts[i - 1];
        }
        struct stat info {};
        if (::lstat(at.c_str(), &info) != 0) {
            return refuse("无法使用文件夹 " + at + "：" + SystemError(errno));
        }
        if (std::string why = FolderProblem(at, info, i == parts.size()); !why.empty()) {
            return refuse(std::move(why));
        }
    }
    return canonical;
}

PrivateFile ReadPrivateFile(const std::string& folder, const std::string& name) {
    PrivateFile file;
    const std::string path = folder + "/" + name;
    ReadFileProblem problem = ReadFileProblem::None;
    ReadFileOptions options;
    options.followLinks = false;
    std::optional<std::string> bytes = ReadFileBytes(path, &problem, options);
    const int error = errno;
    if (bytes) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0) {
            file.stamp = StampOf(info);
        }
        file.status = PrivateFile::Status::Read;
        file.bytes = std::move(*bytes);
        return file;
    }
    if (problem == ReadFileProblem::CannotRead && error == ENOENT) {
        return file;
    }
    file.status = PrivateFile::Status::Failed;
    switch (problem) {
        case ReadFileProblem::TooLarge:
            file.problem = "无法读取 " + path + "：文件太大";
            break;
        case ReadFileProblem::NotARegularFile:
            file.problem = "无法读取 " + path + "：不是普通文件";
            break;
        default:
            file.problem = "无法读取 " + path + "：" +
                           (error == ELOOP ? std::string("这是一个符号链接，为了安全不跟随")
                                           : SystemError(error));
    }
    return file;
}

FolderChange::FolderChange(const std::string& folder, std::chrono::milliseconds timeout) {
    const std::optional<std::string> canonical = OpenPrivateFolder(folder, true, &m_problem);
    if (!canonical) {
        return;
    }
    m_folder = *canonical;
    const std::string lockPath = m_folder + "/.lock";
    m_lock = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (m_lock < 0) {
        m_problem = "无法锁定文件夹 " + m_folder + "：" + SystemError(errno);
        return;
    }
    // Another window or the tool holds the lock only while it re-reads and saves; one
    // that holds it longer has hung, and the reader is told instead of waiting forever.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (::flock(m_lock, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            m_problem = "文件夹 " + m_folder + " 被另一个程序锁住了，没有保存";
            ::close(m_lock);
            m_lock = -1;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

FolderChange::~FolderChange() {
    if (m_lock >= 0) {
        ::close(m_lock);  // releases the flock
    }
}

PrivateFile FolderChange::Read(const std::string& name) const {
    if (!Ok()) {
        PrivateFile failed;
        failed.status = PrivateFile::Status::Failed;
        failed.problem = m_problem;
        return failed;
    }
    return ReadPrivateFile(m_folder, name);
}

std::optional<FileStamp> FolderChange::Stamp(const std::string& name) const {
    struct stat info {};
    if (!Ok() || ::lstat((m_folder + "/" + name).c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return StampOf(info);
}

std::string FolderChange::Write(const std::string& name, std::string_view bytes) const {
    if (!Ok()) {
        return m_problem;
    }
    const AtomicWriteResult written =
        WriteFileAtomically(m_folder + "/" + name, bytes, 0600, LinkRule::Refuse);
    return written.detail;
}

void FolderChange::RemoveStaleTemporaries(const std::vector<std::string>& names) const {
    if (!Ok()) {
        return;
    }
    DIR* dir = ::opendir(m_folder.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string entryName = entry->d_name;
        for (const std::string& name : names) {
            struct stat info {};
            // Only saves hold the lock, and this holds it: no save is under way.
            if (!IsTemporaryOf(entryName, name) ||
                ::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                info.st_uid != ::geteuid()) {
                continue;
            }
            if (S_ISREG(info.st_mode)) {
                ::unlinkat(::dirfd(dir), entry->d_name, 0);
            } else if (S_ISDIR(info.st_mode)) {
                std::error_code ignored;  // a scratch folder (see ScratchFolder)
                std::filesystem::remove_all(m_folder + "/" + entryName, ignored);
            }
        }
    }
    ::closedir(dir);
}

std::optional<std::string> FolderChange::ScratchFolder(const std::string& name) const {
    if (!Ok()) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = m_folder + "/" + TemporaryNameFor(name);
        if (::mkdir(path.c_str(), 0700) == 0) {
            return path;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return std::nullopt;
}

void RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names) {
    std::string problem;
    const std::optional<std::string> canonical = OpenPrivateFolder(folder, false, &problem);
    if (!canonical) {
        return;
    }
    bool found = false;
    if (DIR* dir = ::opendir(canonical->c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            for (const std::string& name : names) {
                found = found || IsTemporaryOf(entry->d_name, name);
            }
        }
        ::closedir(dir);
    }
    if (found) {
        FolderChange(*canonical, std::chrono::milliseconds(500)).RemoveStaleTemporaries(names);
    }
}
