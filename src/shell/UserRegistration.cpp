#include "UserRegistration.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

std::filesystem::path UserDataHome() {
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome != nullptr && *dataHome != '\0') {
        return dataHome;
    }
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : "") / ".local" / "share";
}

}  // namespace

bool RemoveUserRegistration() {
    const std::filesystem::path dataHome = UserDataHome();
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
    return allRemoved;
}
