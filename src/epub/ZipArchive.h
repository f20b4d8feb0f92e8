#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

struct zip;

// A zip archive read from memory with libzip, for the book reader: member names are
// checked once when it opens, and every member read counts against one budget of
// inflated bytes, so that neither a single member nor many members sharing the same
// compressed data (a zip bomb) can take more memory than the limit.
class ZipArchive {
public:
    // Throws EpubError: NotZip, UnsafeName. `bytes` must outlive the archive.
    ZipArchive(std::string_view bytes, std::size_t inflateBudget);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Members are looked up by exact name first, then without regard to ASCII case
    // (some books' references differ from their file names in case only).
    bool Has(const std::string& name) const;
    // The member's inflated bytes. Throws EpubError: MissingItem, TooLarge,
    // Encrypted (zip encryption), BrokenMember.
    std::string Read(const std::string& name);

private:
    bool Find(const std::string& name, std::uint64_t* index) const;

    zip* m_zip = nullptr;
    std::size_t m_budget;  // inflated bytes still allowed
    std::unordered_map<std::string, std::uint64_t> m_byName;
    std::unordered_map<std::string, std::uint64_t> m_byFoldedName;
};
