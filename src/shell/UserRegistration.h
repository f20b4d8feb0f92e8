#pragma once

// The desktop's counterparts of the shell file-type entries: the desktop entries,
// the icons, the *.vwd MIME type and the software-centre description, when
// installed for the current user under $XDG_DATA_HOME (by default ~/.local/share).
// Removing them is what "/Unregister" does; returns false when one of them is
// still there afterwards.
bool RemoveUserRegistration();
