#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The folders that hold the reader's own files (settings, places, word lists, the word
// book), and the one way in and out of them. Nobody but the reader may be able to put
// a file or a link there: a file read from such a folder is the reader's, and a save
// cannot be pointed at anything else.

// The user's home folder: $HOME when it is an absolute path, else the password
// database's entry for the effective user; nullopt when neither gives one.
std::optional<std::string> HomeFolder();
// $XDG_DATA_HOME when it is an absolute path, else HOME/.local/share; nullopt without
// a home. ConfigHome likewise with $XDG_CONFIG_HOME and HOME/.config.
std::optional<std::string> DataHome();
std::optional<std::string> ConfigHome();

// What the reader is told when there is no home to keep anything in.
extern const char* const kNoHomeMessage;

// How long a change waits for another program's change to the same folder.
constexpr std::chrono::milliseconds kFolderLockTimeout{5000};

// When a file was last replaced, as far as a re-read can be skipped on it.
struct FileStamp {
    std::uint64_t device = 0, inode = 0, size = 0;
    std::int64_t modifiedNs = 0, changedNs = 0;
    bool operator==(const FileStamp&) const = default;
};

// A file of a private folder as read now.
struct PrivateFile {
    enum class Status { Read, Missing, Failed };
    Status status = Status::Missing;
    std::string bytes;
    std::string problem;  // for the reader when Failed (UTF-8)
    FileStamp stamp;      // when Read
};

// Checks a folder the way OpenSSH's StrictModes checks a home: every folder from the
// root down is owned by the user or root; none may be written by others unless it is
// sticky (as /tmp, where only an entry's owner may remove or replace it), and the
// folder itself is written by nobody else. Answers the folder's canonical path, or
// nullopt with the reason in `problem`. With `create`, missing folders are made first,
// readable by the user alone.
std::optional<std::string> OpenPrivateFolder(const std::string& folder, bool create,
                                             std::string* problem);

// A private folder to read what is kept in it: `path` when it may be used; `missing` when
// there is none yet (nothing kept); else why not in `problem`. A folder that another
// process makes between the first look and the second is taken.
struct KeptFolder {
    std::optional<std::string> path;
    bool missing = false;
    std::string problem;
};
KeptFolder OpenKeptFolder(const std::string& folder);

// Reads `name` in a checked folder without following a link.
PrivateFile ReadPrivateFile(const std::string& folder, const std::string& name);

// One change to files of a private folder: the folder is checked (and made), then
// locked against every other change made this way, by this or another process, until
// the change is dropped. Read what is there now, write what follows from it.
class FolderChange {
public:
    explicit FolderChange(const std::string& folder,
                          std::chrono::milliseconds timeout = kFolderLockTimeout);
    ~FolderChange();
    FolderChange(const FolderChange&) = delete;
    FolderChange& operator=(const FolderChange&) = delete;

    bool Ok() const { return m_problem.empty(); }
    // Why the folder could not be used or locked, for the reader.
    const std::string& Problem() const { return m_problem; }

    PrivateFile Read(const std::string& name) const;
    // The file's stamp without reading it; nullopt when missing or unreadable.
    std::optional<FileStamp> Stamp(const std::string& name) const;
    // Replaces the file atomically (new files readable by the user alone). Empty when
    // written, else why not (the folder's problem, or the system's words).
    std::string Write(const std::string& name, std::string_view bytes) const;
    // A new empty folder, readable by the user alone, named like a temporary of `name`
    // so that one left by a killed program goes at the next start; the caller removes it.
    std::optional<std::string> ScratchFolder(const std::string& name) const;
    // Removes what a killed save of these files left behind.
    void RemoveStaleTemporaries(const std::vector<std::string>& names) const;

private:
    std::string m_folder;
    std::string m_problem;
    int m_lock = -1;
};

// At start: when a save of one of `names` was killed and left its temporary file in
// `folder`, takes the folder's lock and removes it. Does nothing otherwise.
void RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names);
