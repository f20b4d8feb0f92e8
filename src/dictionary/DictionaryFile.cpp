#include "DictionaryFile.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <vector>

#include "AtomicFile.h"
#include "CArchive.h"
#include "CDicMain.h"
#include "ReadFileBytes.h"

namespace {

DicFileResult Failure(DicFileResult::Kind kind, const std::string& path, std::string detail) {
    return {kind, path, std::move(detail)};
}

std::string SystemError(int error) { return std::strerror(error); }

}  // namespace

DicFileResult LoadDictionaryFile(CDicMain& dic, const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return Failure(DicFileResult::Kind::Missing, path, "no such file");
    }
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return Failure(DicFileResult::Kind::Unreadable, path, SystemError(errno));
    }
    return LoadDictionaryBytes(dic, *bytes, path);
}

std::int32_t ReadDictionaryRecords(CArchive& ar, std::vector<CDicItem>& records) {
    std::size_t recordStart = ar.Offset();
    const auto where = [&] {
        return "entry " + std::to_string(records.size() + 1) + " at byte offset " +
               std::to_string(recordStart);
    };
    // Runs one read, naming the entry in what it raises.
    const auto reading = [&](auto read) {
        try {
            return read();
        } catch (const CArchiveException& e) {
            throw CArchiveException(
                where() + ": " + e.what() + " (byte offset " + std::to_string(e.m_nOffset) + ")",
                e.m_nOffset);
        }
    };
    const std::int32_t count = reading([&] { return ar.ReadInt32(); });
    // No reserve(count): a damaged count must not allocate in proportion to itself.
    for (std::int32_t i = 0; i < count; ++i) {
        recordStart = ar.Offset();
        CDicItem item;
        reading([&] { item.Serialize(ar); });
        CArchive again = CArchive::ForStoring();
        item.Serialize(again);
        if (ar.BytesRead(recordStart) != again.Bytes()) {
            throw CArchiveException(where() + " is not a valid record", recordStart);
        }
        records.push_back(std::move(item));
    }
    return count;
}

DicFileResult LoadDictionaryBytes(CDicMain& dic, std::string_view bytes, const std::string& path) {
    CArchive ar = CArchive::ForLoading(bytes);
    std::vector<CDicItem> loaded;
    try {
        const std::int32_t count = ReadDictionaryRecords(ar, loaded);
        if (count < 0) {
            return Failure(DicFileResult::Kind::Malformed, path,
                           "negative entry count " + std::to_string(count));
        }
    } catch (const CArchiveException& e) {
        return Failure(DicFileResult::Kind::Malformed, path, e.what());
    }
    if (ar.Remaining() != 0) {
        return Failure(DicFileResult::Kind::Malformed, path,
                       std::to_string(ar.Remaining()) +
                           " unexpected bytes after the last entry, at byte offset " +
                           std::to_string(ar.Offset()));
    }
    dic.AppendItems(std::move(loaded));
    return {DicFileResult::Kind::Ok, path, {}};
}

DicFileResult SaveDictionaryFile(CDicMain& dic, const std::string& path) {
    CArchive ar = CArchive::ForStoring();
    dic.Serialize(ar);
    AtomicWriteResult written = WriteFileAtomically(path, ar.Bytes());
    if (!written.Ok()) {
        return Failure(DicFileResult::Kind::WriteFailed, path, std::move(written.detail));
    }
    return {DicFileResult::Kind::Ok, path, {}};
}

MainAndSupplement LoadMainAndSupplement(CDicMain& dic, const std::string& mainPath,
                                        const std::optional<std::string>& supplementPath) {
    MainAndSupplement loaded;
    loaded.main = LoadDictionaryFile(dic, mainPath);
    loaded.supplement.kind = DicFileResult::Kind::Missing;
    if (!loaded.main.Ok()) {
        return loaded;
    }
    loaded.mainEntries = dic.m_arrItems.size();
    loaded.supplementPath =
        supplementPath
            ? *supplementPath
            : (std::filesystem::path(mainPath).parent_path() / kSupplementFileName).string();
    if (!loaded.supplementPath.empty()) {
        loaded.supplement = LoadDictionaryFile(dic, loaded.supplementPath);
    }
    return loaded;
}
