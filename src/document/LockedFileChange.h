#pragma once

#include <functional>
#include <string>
#include <string_view>

// Applies `change` to the reader's file `name` in `folder` as the file holds it now,
// under the folder's lock: re-read, change, write atomically, so that two windows and
// the tool keep each other's changes. A file that could not be read is left as it is:
// writing would replace what it held. `what` names the file in messages (单词本).
// Empty when written, else what the reader is told.
std::string ChangeLockedFile(const std::string& folder, const std::string& name,
                             std::string_view what,
                             const std::function<std::string(std::string_view bytes)>& change);
