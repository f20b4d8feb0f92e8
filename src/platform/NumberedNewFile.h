#pragma once

#include <optional>
#include <string>

// A file this process has just created, open for writing. Closed on destruction.
class NewFile {
public:
    NewFile(int fd, std::string path) : m_fd(fd), m_path(std::move(path)) {}
    ~NewFile();
    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&& other) noexcept;
    NewFile(const NewFile&) = delete;
    NewFile& operator=(const NewFile&) = delete;

    int Descriptor() const { return m_fd; }
    const std::string& Path() const { return m_path; }
    // A name that opens this very file whatever happens to its folder meanwhile.
    std::string DescriptorPath() const;

private:
    int m_fd;
    std::string m_path;
};

// Creates `path` new, or when that name is taken (by a file, a folder or a link,
// even a broken one) "stem (2).ext", "stem (3).ext", ..., the first one free.
// Never replaces or writes through anything that exists; nullopt (errno set) when
// the folder refuses.
std::optional<NewFile> CreateNumberedNewFile(const std::string& path);
