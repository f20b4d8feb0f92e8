#include "CompiledFile.h"

namespace compiled {

namespace {

std::uint32_t Fnv1a(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash;
}

}  // namespace

std::string Frame(std::string_view magic, std::string_view payload) {
    std::string bytes(magic);
    PutU32(bytes, static_cast<std::uint32_t>(payload.size()));
    PutU32(bytes, Fnv1a(payload));
    bytes.append(payload);
    return bytes;
}

std::optional<std::string_view> Unframe(std::string_view bytes, std::string_view magic,
                                        std::string& error) {
    if (bytes.size() < magic.size() + 8 || bytes.substr(0, magic.size()) != magic) {
        error = "not a file of this kind";
        return std::nullopt;
    }
    PayloadReader header(bytes.substr(magic.size(), 8));
    const std::uint32_t size = header.U32();
    const std::uint32_t hash = header.U32();
    const std::string_view payload = bytes.substr(magic.size() + 8);
    if (payload.size() != size || Fnv1a(payload) != hash) {
        error = "the file is damaged";
        return std::nullopt;
    }
    return payload;
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

void PutText(std::string& out, std::string_view text) {
    out.push_back(static_cast<char>(text.size()));
    out.append(text);
}

std::uint8_t PayloadReader::U8() {
    if (m_rest.empty()) {
        m_ok = false;
        return 0;
    }
    const auto value = static_cast<std::uint8_t>(m_rest[0]);
    m_rest.remove_prefix(1);
    return value;
}

std::uint32_t PayloadReader::U32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(U8()) << (8 * i);
    }
    return value;
}

std::string_view PayloadReader::Text() {
    const std::size_t length = U8();
    if (length > m_rest.size()) {
        m_ok = false;
        return {};
    }
    const std::string_view text = m_rest.substr(0, length);
    m_rest.remove_prefix(length);
    return text;
}

}  // namespace compiled
