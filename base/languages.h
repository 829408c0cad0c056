#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The languages vivar speaks: English, the language its texts are written
// in, and one for each translation built into the programs, the .qm made
// from translations/vivar_<language>.ts. The window reads them with Qt;
// vivar-sim, which loads no Qt, reads them here.
namespace languages {

struct Embedded {
    const char* language;
    const unsigned char* data;
    std::size_t size;
};
extern const Embedded kEmbedded[];
extern const std::size_t kEmbeddedCount;

// The built-in translation for a language, or null (English has none).
[[nodiscard]] const Embedded* embeddedFor(std::string_view language);
// Whether --language takes it.
[[nodiscard]] bool known(std::string_view language);
// "en, es": what --language takes, for its complaint.
[[nodiscard]] std::string names();

// The translation of a source text in a .qm file, found as Qt's
// QTranslator finds it; nothing when the file has none.
[[nodiscard]] std::optional<std::string> lookUp(const Embedded& translation, const char* context,
                                                 const char* source);

// Makes words::translate answer in a known language from its built-in .qm.
void speak(std::string_view language);

}  // namespace languages
