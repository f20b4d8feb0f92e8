#include "NumberedNewFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

NewFile::~NewFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

NewFile::NewFile(NewFile&& other) noexcept : m_fd(other.m_fd), m_path(std::move(other.m_path)) {
    other.m_fd = -1;
}

NewFile& NewFile::operator=(NewFile&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = other.m_fd;
        m_path = std::move(other.m_path);
        other.m_fd = -1;
    }
    return *this;
}

std::string NewFile::DescriptorPath() const { return "/proc/self/fd/" + std::to_string(m_fd); }

std::optional<NewFile> CreateNumberedNewFile(const std::string& path) {
    const std::filesystem::path wanted(path);
    const std::string folderAndStem = (wanted.parent_path() / wanted.stem()).string();
    const std::string extension = wanted.extension().string();
    constexpr int kMostTries = 10000;
    for (int number = 1; number <= kMostTries; ++number) {
        const std::string name =
            number == 1 ? path : folderAndStem + " (" + std::to_string(number) + ")" + extension;
        // O_EXCL also refuses a symbolic link at the name, wherever it points.
        const int fd =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0) {
            return NewFile(fd, name);
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    errno = EEXIST;
    return std::nullopt;
}
