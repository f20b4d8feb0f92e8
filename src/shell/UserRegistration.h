#pragma once

// The desktop's counterparts of the shell file-type entries: the desktop entries,
// the icons, the *.vwd MIME type and the software-centre description, when
// installed for the current user under $XDG_DATA_HOME (by default ~/.local/share).
// Removing them is what "/Unregister" does.
enum class Unregistration {
    AllRemoved,
    SomeRemain,
    // Neither $XDG_DATA_HOME nor $HOME names an absolute folder: nothing is touched,
    // since a relative path would land in whatever folder the program started from.
    NoDataFolder,
};
Unregistration RemoveUserRegistration();
