#include "assign/CaptureEvent.h"

namespace orvane {

std::uint64_t PackHookKeyEvent(const HookKeyEvent& event) {
    return (static_cast<std::uint64_t>(event.vkCode) & 0xFF) |
           (static_cast<std::uint64_t>(event.scanCode) & 0xFFFF) << 8 |
           (static_cast<std::uint64_t>(event.flags) & 0xFF) << 24 |
           static_cast<std::uint64_t>(event.time) << 32;
}

std::optional<HookKeyEvent> UnpackHookKeyEvent(std::uint64_t message, std::uint64_t packed) {
    const bool isDown = message == kHookKeyDown || message == kHookSysKeyDown;
    if (!isDown && message != kHookKeyUp && message != kHookSysKeyUp)
        return std::nullopt;
    HookKeyEvent event;
    event.vkCode = static_cast<int>(packed & 0xFF);
    event.scanCode = static_cast<int>(packed >> 8 & 0xFFFF);
    event.flags = static_cast<int>(packed >> 24 & 0xFF);
    event.time = static_cast<std::uint32_t>(packed >> 32);
    event.isDown = isDown;
    return event;
}

} // namespace orvane
