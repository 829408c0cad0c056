#pragma once

namespace platform {

// Whether Qt will find a display; Qt itself aborts the process when it
// cannot connect to one.
[[nodiscard]] bool displayAvailable();

}  // namespace platform
