#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The frame of the program's compiled data files (tagger.dat, senses.dat): a magic
// line, the payload's size and FNV-1a hash, then the payload, which the readers take
// apart with PayloadReader. A file that was cut or changed anywhere is refused whole.
namespace compiled {

std::string Frame(std::string_view magic, std::string_view payload);
// The payload of a framed file, or nullopt with the reason in `error`.
std::optional<std::string_view> Unframe(std::string_view bytes, std::string_view magic,
                                        std::string& error);

void PutU32(std::string& out, std::uint32_t value);
// The longest text PutText can store: its length goes in one byte, so the sources
// refuse anything longer rather than compile a file that cannot be read back.
inline constexpr std::size_t kLongestText = 255;
// A text of at most kLongestText bytes, after its length.
void PutText(std::string& out, std::string_view text);

// Reads a payload front to back; a read past its end makes it bad for good.
class PayloadReader {
public:
    explicit PayloadReader(std::string_view bytes) : m_rest(bytes) {}
    bool Ok() const { return m_ok; }
    bool AtEnd() const { return m_rest.empty(); }
    std::size_t Left() const { return m_rest.size(); }
    std::uint8_t U8();
    std::uint32_t U32();
    std::string_view Text();

private:
    std::string_view m_rest;
    bool m_ok = true;
};

}  // namespace compiled
