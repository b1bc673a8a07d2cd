#include "engine/RemapEngine.w32.h"

#include "engine/RemapDecision.h"

namespace orvane {

namespace {

// The engine the hook procedure serves. Set and cleared on the GUI thread,
// which is also the only thread that runs the hook.
RemapEngine* g_engine = nullptr;

void SynthesiseKey(const KeyOutput& key) {
    const BYTE vk = static_cast<BYTE>(key.vk);
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    DWORD flags = key.keyUp ? KEYEVENTF_KEYUP : 0;
    if (key.extended) {
        flags |= KEYEVENTF_EXTENDEDKEY;
    }
    keybd_event(vk, scan, flags, 0);
}

} // namespace

RemapEngine::RemapEngine()
    : queueMutex_(CreateMutexW(nullptr, FALSE, nullptr)),
      outputReady_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      injector_(queue_, InjectorIo{
                            [this] { WaitForSingleObject(queueMutex_, INFINITE); },
                            [this] { ReleaseMutex(queueMutex_); },
                            SynthesiseKey,
                            [] { Sleep(1); },
                            // An idle injector wakes as soon as a key's output
                            // is queued instead of at its next poll.
                            [this] { WaitForSingleObject(outputReady_, 1); },
                        }) {
    for (ProfileKeyMap& map : maps_.profile) {
        SeedIdentity(map);
    }
    SeedIdentity(maps_.working);
    g_engine = this;
    injector_.Start();
}

RemapEngine::~RemapEngine() {
    RemoveRemapHook();
    injector_.Stop();
    if (queueMutex_ != nullptr) {
        CloseHandle(queueMutex_);
    }
    if (outputReady_ != nullptr) {
        CloseHandle(outputReady_);
    }
    if (g_engine == this) {
        g_engine = nullptr;
    }
}

void RemapEngine::InstallRemapHook() {
    if (hook_ != nullptr) {
        return;
    }
    hook_ = SetWindowsHookExW(WH_KEYBOARD_LL, RemapHook, GetModuleHandleW(nullptr), 0);
}

void RemapEngine::RemoveRemapHook() {
    if (hook_ != nullptr && UnhookWindowsHookEx(hook_)) {
        hook_ = nullptr;
    }
}

LRESULT CALLBACK RemapEngine::RemapHook(int code, WPARAM wParam, LPARAM lParam) {
    RemapEngine* engine = g_engine;
    // A negative code must go straight on, unprocessed.
    if (engine == nullptr || code < 0) {
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    return engine->OnKeyEvent(code, wParam, *reinterpret_cast<KBDLLHOOKSTRUCT*>(lParam));
}

LRESULT RemapEngine::OnKeyEvent(int code, WPARAM wParam, KBDLLHOOKSTRUCT& event) {
    const LPARAM lParam = reinterpret_cast<LPARAM>(&event);
    if (maps_.remapSuspended != 0) {
        RemoveRemapHook();
        return CallNextHookEx(hook_, code, wParam, lParam);
    }
    int vk = static_cast<int>(event.vkCode);
    const RemapDecision d = DecideRemap(maps_, passed_, vk, event.flags);
    event.vkCode = static_cast<DWORD>(vk); // the keypad Enter travels on as 108
    if (d.verdict == Verdict::Pass) {
        return CallNextHookEx(hook_, code, wParam, lParam);
    }
    if (d.output != nullptr) {
        const int numLockState = static_cast<SHORT>(GetKeyState(VK_NUMLOCK));
        // Held for the whole output of this key so two keys never interleave.
        WaitForSingleObject(queueMutex_, INFINITE);
        AppendKeyOutput(*d.output, numLockState, queue_);
        ReleaseMutex(queueMutex_);
        SetEvent(outputReady_);
    }
    return 1;
}

} // namespace orvane
