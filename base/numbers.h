#pragma once

#include <cstdint>
#include <string_view>

// Parses a whole decimal number from min to max; false for anything else
// (signs, blanks, fractions, overflow).
[[nodiscard]] bool parseWholeNumber(std::string_view text, std::uint64_t min, std::uint64_t max, std::uint64_t& value);
