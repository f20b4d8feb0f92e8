#include "CArchive.h"

#include <bit>
#include <cstring>

void CArchive::WriteLittleEndian(std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        m_strOut.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

std::uint64_t CArchive::ReadLittleEndian(int bytes, const char* what) {
    if (Remaining() < static_cast<std::size_t>(bytes)) {
        throw CArchiveException(std::string("unexpected end of file in ") + what, m_nPos);
    }
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(m_in[m_nPos + i]))
                 << (8 * i);
    }
    m_nPos += bytes;
    return value;
}

// Length prefixes: one byte below 255; 0xFF and 16 bits below 0xFFFE;
// otherwise 0xFF, 0xFFFF and 32 bits.
void CArchive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteLittleEndian(length, 1);
    } else if (length < 0xFFFE) {
        WriteLittleEndian(0xFF, 1);
        WriteLittleEndian(length, 2);
    } else {
        WriteLittleEndian(0xFF, 1);
        WriteLittleEndian(0xFFFF, 2);
        WriteLittleEndian(static_cast<std::uint32_t>(length), 4);
    }
    m_strOut.append(text);
}

void CArchive::WriteInt32(std::int32_t value) {
    WriteLittleEndian(static_cast<std::uint32_t>(value), 4);
}

void CArchive::WriteDouble(double value) {
    WriteLittleEndian(std::bit_cast<std::uint64_t>(value), 8);
}

std::string CArchive::ReadString() {
    const std::size_t prefixAt = m_nPos;
    std::uint64_t length = ReadLittleEndian(1, "a string length");
    if (length == 0xFF) {
        length = ReadLittleEndian(2, "a string length");
        if (length == 0xFFFF) {
            length = ReadLittleEndian(4, "a string length");
        }
    }
    if (length > Remaining()) {
        throw CArchiveException(
            "string of " + std::to_string(length) + " bytes runs past the end of file", prefixAt);
    }
    std::string text(m_in.substr(m_nPos, length));
    m_nPos += length;
    return text;
}

std::int32_t CArchive::ReadInt32() {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(ReadLittleEndian(4, "a 32-bit number")));
}

double CArchive::ReadDouble() { return std::bit_cast<double>(ReadLittleEndian(8, "a frequency")); }
