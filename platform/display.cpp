#include "platform/display.h"

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include <X11/Xlib.h>

namespace platform {
namespace {

constexpr int kConnectionAttempts = 5;
constexpr std::chrono::milliseconds kBetweenAttempts{200};

}  // namespace

bool displayAvailable() {
    // Another platform plugin chosen on purpose (offscreen, wayland) makes
    // its own checks.
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen != nullptr && *chosen != '\0' && std::string_view(chosen).rfind("xcb", 0) != 0) {
        return true;
    }
    // A busy X server can refuse a connection for a moment; a display that
    // is named is given a few chances before the program gives up on it.
    const char* named = std::getenv("DISPLAY");
    const int attempts = named != nullptr && *named != '\0' ? kConnectionAttempts : 1;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        if (Display* display = XOpenDisplay(nullptr)) {
            XCloseDisplay(display);
            return true;
        }
        if (attempt < attempts) {
            std::this_thread::sleep_for(kBetweenAttempts);
        }
    }
    return false;
}

}  // namespace platform
