// The go-to-page field: whatever the reader types, a number is accepted only in the
// form blanks, sign, digits, blanks, and then equals the value clamped to 32 bits.
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "DialogInteger.h"
#include "FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view typed(reinterpret_cast<const char*>(data), size);
    const auto value = DialogInteger::Parse(typed);

    // An independent reading of the same rules.
    const std::string_view field = typed.substr(0, DialogInteger::kMaxCharacters);
    const std::size_t start = field.find_first_not_of(" \t");
    std::size_t i = start;
    bool wellFormed = start != std::string_view::npos;
    bool negative = false;
    std::string digits;
    if (wellFormed) {
        if (field[i] == '+' || field[i] == '-') {
            negative = field[i] == '-';
            ++i;
        }
        while (i < field.size() && field[i] >= '0' && field[i] <= '9') {
            digits.push_back(field[i++]);
        }
        wellFormed = !digits.empty() && field.find_first_not_of(" \t", i) == std::string_view::npos;
    }
    long long expected = 0;
    for (char d : digits) {
        expected = std::min<long long>(expected * 10 + (d - '0'), 1LL << 32);
    }
    expected =
        negative ? std::max<long long>(-expected, INT_MIN) : std::min<long long>(expected, INT_MAX);
    // A signed zero is refused: zero counts only when typed as the digit 0 first.
    if (wellFormed && expected == 0 && field[start] != '0') {
        wellFormed = false;
    }

    FUZZ_CHECK(value.has_value() == wellFormed);
    if (value) {
        FUZZ_CHECK(*value == expected);
        FUZZ_CHECK(DialogInteger::Parse(DialogInteger::Format(*value)) == value);
    }
    return 0;
}
