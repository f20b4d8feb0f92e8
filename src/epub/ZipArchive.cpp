#include "ZipArchive.h"

#include <zip.h>

#include "AsciiText.h"
#include "BookPath.h"
#include "EpubError.h"

ZipArchive::ZipArchive(std::string_view bytes, std::size_t inflateBudget)
    : m_budget(inflateBudget) {
    zip_error_t error;
    zip_error_init(&error);
    // libzip takes no bytes at all for an archive with no members.
    zip_source_t* source =
        bytes.empty() ? nullptr : zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    if (source != nullptr) {
        m_zip = zip_open_from_source(source, ZIP_RDONLY, &error);
        if (m_zip == nullptr) {
            zip_source_free(source);
        }
    }
    zip_error_fini(&error);
    if (m_zip == nullptr) {
        throw EpubError(EpubFault::NotZip, "这不是 ZIP 格式的文件");
    }
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name = zip_get_name(m_zip, static_cast<zip_uint64_t>(i), 0);
        if (name == nullptr) {
            continue;
        }
        // Nothing is ever written to disk, but a book with such names was made to
        // attack whatever unpacks it.
        if (!IsSafeMemberName(name)) {
            const std::string reason = std::string("文件名 ") + name + " 指向书外";
            zip_discard(m_zip);
            m_zip = nullptr;
            throw EpubError(EpubFault::UnsafeName, reason);
        }
        m_byName.emplace(name, static_cast<std::uint64_t>(i));
        m_byFoldedName.emplace(LowerAscii(name), static_cast<std::uint64_t>(i));
    }
}

ZipArchive::~ZipArchive() {
    if (m_zip != nullptr) {
        zip_discard(m_zip);
    }
}

bool ZipArchive::Find(const std::string& name, std::uint64_t* index) const {
    if (const auto exact = m_byName.find(name); exact != m_byName.end()) {
        *index = exact->second;
        return true;
    }
    if (const auto folded = m_byFoldedName.find(LowerAscii(name)); folded != m_byFoldedName.end()) {
        *index = folded->second;
        return true;
    }
    return false;
}

bool ZipArchive::Has(const std::string& name) const {
    std::uint64_t index = 0;
    return Find(name, &index);
}

std::string ZipArchive::Read(const std::string& name) {
    std::uint64_t index = 0;
    if (!Find(name, &index)) {
        throw EpubError(EpubFault::MissingItem, "缺少文件 " + name);
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, index, 0, &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0) {
        throw EpubError(EpubFault::BrokenMember, name + " 已损坏");
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && stat.encryption_method != ZIP_EM_NONE) {
        throw EpubError(EpubFault::Encrypted, name + " 已加密");
    }
    // The size is checked before anything is inflated; the stream is then never
    // read past it, whatever the compressed data would give.
    if (stat.size > m_budget) {
        throw EpubError(EpubFault::TooLarge,
                        name + " 解压后有 " + std::to_string(stat.size) + " 字节，超过了上限");
    }
    zip_file_t* file = zip_fopen_index(m_zip, index, 0);
    if (file == nullptr) {
        throw EpubError(EpubFault::BrokenMember, name + " 无法解压");
    }
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    std::size_t got = 0;
    bool broken = false;
    while (got < bytes.size()) {
        const zip_int64_t n = zip_fread(file, bytes.data() + got, bytes.size() - got);
        if (n <= 0) {
            broken = true;
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    char extra = 0;
    // Reading to the end lets libzip compare the checksum.
    if (!broken && zip_fread(file, &extra, 1) != 0) {
        broken = true;
    }
    zip_fclose(file);
    if (broken) {
        throw EpubError(EpubFault::BrokenMember, name + " 已损坏");
    }
    m_budget -= bytes.size();
    return bytes;
}
