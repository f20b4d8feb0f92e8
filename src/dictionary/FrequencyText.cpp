#include "FrequencyText.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

std::string FormatFrequency(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-inf" : "inf";
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view scientific(buffer, result.ptr - buffer);
    // scientific is [-]d[.ddd]e±XX: split it into sign, digits and exponent.
    const std::size_t e = scientific.find('e');
    std::string_view mantissa = scientific.substr(0, e);
    const int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
    std::string sign;
    if (!mantissa.empty() && mantissa.front() == '-') {
        sign = "-";
        mantissa.remove_prefix(1);
    }
    std::string digits;
    for (char c : mantissa) {
        if (c != '.') {
            digits.push_back(c);
        }
    }
    // Built by appending only: GCC 12 at -O3 misreads chains of operator+ here.
    std::string text = sign;
    if (exponent >= -4 && exponent < 16) {
        if (exponent < 0) {
            text.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
        } else if (static_cast<std::size_t>(exponent) + 1 >= digits.size()) {
            text.append(digits).append(exponent + 1 - digits.size(), '0').append(".0");
        } else {
            text.append(digits, 0, exponent + 1).append(".").append(digits, exponent + 1);
        }
    } else {
        text.append(digits, 0, 1);
        if (digits.size() > 1) {
            text.append(".").append(digits, 1);
        }
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "e%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        text.append(exponentText);
    }
    return text;
}

std::optional<double> ParseFrequency(std::string_view text) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}
