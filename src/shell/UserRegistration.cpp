#include "UserRegistration.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// Relative values are invalid by the XDG rules and are ignored like unset ones.
std::optional<std::filesystem::path> UserDataHome() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); IsAbsolute(dataHome)) {
        return dataHome;
    }
    if (const char* home = std::getenv("HOME"); IsAbsolute(home)) {
        return std::filesystem::path(home) / ".local" / "share";
    }
    return std::nullopt;
}

}  // namespace

Unregistration RemoveUserRegistration() {
    const std::optional<std::filesystem::path> found = UserDataHome();
    if (!found) {
        return Unregistration::NoDataFolder;
    }
    const std::filesystem::path& dataHome = *found;
    std::vector<std::filesystem::path> files = {
        dataHome / "applications" / "vellumwise.desktop",
        dataHome / "applications" / "vellumwise-text.desktop",
        dataHome / "mime" / "packages" / "vellumwise.xml",
        dataHome / "metainfo" / "org.example.vellumwise.metainfo.xml",
        dataHome / "icons" / "hicolor" / "scalable" / "apps" / "vellumwise.svg",
    };
    for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
        files.push_back(dataHome / "icons" / "hicolor" / size / "apps" / "vellumwise.png");
    }
    bool allRemoved = true;
    for (const std::filesystem::path& file : files) {
        std::error_code error;
        std::filesystem::remove(file, error);
        if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
            allRemoved = false;
        }
    }
    return allRemoved ? Unregistration::AllRemoved : Unregistration::SomeRemain;
}
