#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// The texts vivar's command line prints for a person (its help and its
// complaints), in their language where the window program has a
// translation. The core knows no Qt: the window program hands it the
// translation before reading its options. Without one every text is its
// English source, which is what vivar-sim, read by scripts, prints.
// Marks a text in a table for Qt's lupdate, which looks for this name; the
// text is translated where it is used. Qt defines it the same way.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace words {

using Translation = std::string (*)(const char* context, const char* source);
void useTranslation(Translation translation);

// The source text, or its translation. Sources are marked with this very
// call, so that Qt's lupdate finds them: words::translate("Ctx", "text").
[[nodiscard]] std::string translate(const char* context, const char* source);

// The text with each marker %1..%9 replaced by the value of that number, in
// one pass, so a translation may reorder them and a value's own "%2" stays.
[[nodiscard]] std::string fill(const std::string& text, std::initializer_list<std::string_view> values);

}  // namespace words
