#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

// What became of writing a file atomically.
struct AtomicWriteResult {
    int error = 0;       // the errno of the failure; 0 when the file was written
    std::string detail;  // for people: what was refused or which system error

    bool Ok() const { return error == 0; }
};

// Replaces the file at `path` by `bytes` so that any reader, and any crash, sees either
// the old file whole or the new one whole. The bytes go to a temporary file created
// exclusively in the target's folder, which then takes the target's name.
//
// A path cannot be redirected while this runs: the folder is opened once and every
// later step (the checks, the temporary, the rename) works relative to what was opened.
// A symbolic link at the target is followed only when the caller (effective user) or
// root owns the link: anyone else's link could point the caller's write at a file its
// planter may not touch, which is the rule the kernel's protected_symlinks applies to
// shared folders, here in every folder. The target must be a regular file the caller
// may write and that has a write bit; it keeps its permission bits (never widened:
// set-id bits are dropped) and, where the caller may give it, its owner. A new file
// gets `newFileMode` less the umask.
//
// The reader's own files take LinkRule::Refuse: in their private folder no link has a
// reason to be, so none is followed, not even the caller's own.
enum class LinkRule { FollowOwn, Refuse };
AtomicWriteResult WriteFileAtomically(const std::string& path, std::string_view bytes,
                                      mode_t newFileMode = 0666,
                                      LinkRule links = LinkRule::FollowOwn);

// The temporaries WriteFileAtomically makes for the file `name` end so: a save killed
// before its rename leaves "name.XXXXXX.saving".
constexpr const char* kTemporarySuffix = ".saving";
// A fresh name of that form, for a scratch file or folder of the same kind.
std::string TemporaryNameFor(const std::string& name);
// Whether `entry` is a temporary a save of `name` made.
bool IsTemporaryOf(const std::string& entry, const std::string& name);

// Writes an export the reader named: a device, FIFO or socket (/dev/null, a pipe) is
// written in place, as the reader meant; a symbolic link is refused (/dev/stdout
// would otherwise be followed to whatever file standard output is, and replace it);
// anything else is replaced atomically.
AtomicWriteResult WriteExportFile(const std::string& path, std::string_view bytes);

// Makes a write beyond the file-size limit (RLIMIT_FSIZE) fail with EFBIG instead of
// killing the process with SIGXFSZ, so that a save can remove its temporary file and
// say what went wrong. Each program calls it once at start.
void IgnoreFileSizeSignal();
