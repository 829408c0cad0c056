#include "platform/fonts.h"

#include <QFontDatabase>

namespace platform {

// fontconfig answers every family with a text font that exists.
void useReadableFonts() {}

QFont fixedFont() { return QFontDatabase::systemFont(QFontDatabase::FixedFont); }

}  // namespace platform
