#include "base/words.h"

#include <atomic>

namespace words {
namespace {

std::atomic<Translation> current{nullptr};

}  // namespace

void useTranslation(Translation translation) { current = translation; }

std::string translate(const char* context, const char* source) {
    const Translation translation = current;
    return translation != nullptr ? translation(context, source) : std::string(source);
}

std::string fill(const std::string& text, std::initializer_list<std::string_view> values) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(text[i + 1] - '1');
            if (index < values.size()) {
                result += values.begin()[index];
                ++i;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

}  // namespace words
