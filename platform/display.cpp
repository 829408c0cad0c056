#include "platform/display.h"

#include <cstdlib>
#include <string_view>

#include <X11/Xlib.h>

namespace platform {

bool displayAvailable() {
    // Another platform plugin chosen on purpose (offscreen, wayland) makes
    // its own checks.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0' && std::string_view(chosen).rfind("xcb", 0) != 0) {
        return true;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace platform
