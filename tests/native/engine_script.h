// Script helpers for the engine tests: key events in as text, the verdicts and
// the queue out as one string each.
#pragma once

#include <sstream>
#include <string>

#include "engine/KeyOutput.h"
#include "engine/RemapDecision.h"

namespace orvane::test {

// One queue element: "dn:17", "up:17", with "k" appended for a code that
// stands for a keypad key (e.g. "dn:37k").
inline std::string FormatElement(int element) {
    std::string s = (element & kReleaseBit) ? "up:" : "dn:";
    s += std::to_string(element & kCodeMask);
    if (element & kKeypadOriginBit) {
        s += "k";
    }
    return s;
}

inline std::string FormatQueue(const OutputQueue& queue) {
    std::string s;
    for (int e : queue) {
        s += (s.empty() ? "" : " ") + FormatElement(e);
    }
    return s;
}

// One synthesised event: "dn:13x" with "x" for the extended flag.
inline std::string FormatOutput(const KeyOutput& k) {
    return (k.keyUp ? "up:" : "dn:") + std::to_string(k.vk) + (k.extended ? "x" : "");
}

struct ScriptResult {
    std::string verdicts; // "P<vk handed on>" or "S" per event
    std::string queue;
};

// Plays events through RemapKeyEvent. Each token is "d:<vk>" (press) or
// "u:<vk>" (release), optionally followed by "+ext" (0x01), "+inj" (0x10),
// "+alt" (0x20).
inline ScriptResult Play(KeyMaps maps, const std::string& events, int numLockState) {
    OutputQueue queue;
    std::string verdicts;
    std::istringstream in(events);
    std::string tok;
    while (in >> tok) {
        unsigned flags = tok[0] == 'u' ? kFlagUp : 0;
        std::string rest = tok.substr(2);
        const size_t plus = rest.find('+');
        const std::string mods = plus == std::string::npos ? "" : rest.substr(plus);
        int vk = std::stoi(rest.substr(0, plus));
        if (mods.find("+ext") != std::string::npos)
            flags |= kFlagExtended;
        if (mods.find("+inj") != std::string::npos)
            flags |= kFlagInjected;
        if (mods.find("+alt") != std::string::npos)
            flags |= 0x20;
        const Verdict v = RemapKeyEvent(maps, HookMode::Remap, vk, flags, numLockState, queue);
        verdicts += (verdicts.empty() ? "" : " ") +
                    (v == Verdict::Pass ? "P" + std::to_string(vk) : std::string("S"));
    }
    return {verdicts, FormatQueue(queue)};
}

} // namespace orvane::test
