#include "platform/display.h"

namespace platform {

// Every Windows session has its desktop.
bool displayAvailable() { return true; }

}  // namespace platform
