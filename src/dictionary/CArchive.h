#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when a loading archive runs out of bytes or meets a length that the
// remaining bytes cannot hold. Entries read completely before it stay loaded.
class CArchiveException : public std::runtime_error {
public:
    CArchiveException(const std::string& what, std::size_t offset)
        : std::runtime_error(what), m_nOffset(offset) {}
    std::size_t m_nOffset;  // byte offset in the archive where reading failed
};

// The binary archive of main.dic: little-endian numbers and length-prefixed
// byte strings. A storing archive appends to an in-memory buffer; a loading
// archive reads a byte range it does not own and checks every length against
// what remains, so a damaged file can never make it read past its end.
class CArchive {
public:
    static CArchive ForStoring() { return CArchive(); }
    static CArchive ForLoading(std::string_view bytes) { return CArchive(bytes); }

    bool IsStoring() const { return m_bStoring; }
    bool IsLoading() const { return !m_bStoring; }

    void WriteString(std::string_view text);
    void WriteInt32(std::int32_t value);
    void WriteDouble(double value);
    // The stored bytes so far (storing mode).
    const std::string& Bytes() const { return m_strOut; }

    std::string ReadString();
    std::int32_t ReadInt32();
    double ReadDouble();
    std::size_t Offset() const { return m_nPos; }
    std::size_t Remaining() const { return m_in.size() - m_nPos; }
    // The loaded bytes between two offsets already read past (loading mode).
    std::string_view BytesRead(std::size_t from) const { return m_in.substr(from, m_nPos - from); }

private:
    CArchive() : m_bStoring(true) {}
    explicit CArchive(std::string_view bytes) : m_bStoring(false), m_in(bytes) {}

    void WriteLittleEndian(std::uint64_t value, int bytes);
    std::uint64_t ReadLittleEndian(int bytes, const char* what);

    bool m_bStoring;
    std::string m_strOut;
    std::string_view m_in;
    std::size_t m_nPos = 0;
};
