#pragma once

#include <optional>
#include <string>
#include <string_view>

// The shortest decimal text that reads back to the same double, written the way
// Python's repr writes floats (fixed notation for exponents -4..15, else d.ddde±XX),
// so that the data tools and the program print the same bytes for the same score.
std::string FormatFrequency(double value);

// Parses a whole field as a frequency; nullopt unless the field is exactly one number.
std::optional<double> ParseFrequency(std::string_view text);
