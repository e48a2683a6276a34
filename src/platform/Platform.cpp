#include "platform/Platform.h"

#include <stdexcept>

namespace platform {

namespace {
Platform* current = nullptr;
}

Platform& CurrentPlatform() {
    if (current == nullptr) throw std::logic_error("no platform has been set");
    return *current;
}

void SetCurrentPlatform(Platform* platform) { current = platform; }

}  // namespace platform
