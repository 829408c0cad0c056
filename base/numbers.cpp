#include "base/numbers.h"

#include <charconv>
#include <system_error>

bool parseWholeNumber(std::string_view text, std::uint64_t min, std::uint64_t max, std::uint64_t& value) {
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return false;
    }
    std::uint64_t parsed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (error != std::errc{} || end != text.data() + text.size() || parsed < min || parsed > max) {
        return false;
    }
    value = parsed;
    return true;
}
