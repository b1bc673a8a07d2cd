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

// Seen from a low-level hook, the key state before the current event.
bool KeyDownInSystem(int vk) {
    return GetAsyncKeyState(vk) < 0;
}

} // namespace

RemapEngine::RemapEngine(PacingKind pacing)
    : queueMutex_(CreateMutexW(nullptr, FALSE, nullptr)),
      outputReady_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), pacing_(pacing),
      injector_(queue_, MakeInjectorIo()) {
    SeedIdentity(maps_);
    g_engine = this;
    // Without its lock or its wake-up the injector would race or spin:
    // rather remap nothing (the caller tells the user).
    if (queueMutex_ && outputReady_) {
        injector_.Start();
        ready_ = injector_.Running();
    }
}

InjectorIo RemapEngine::MakeInjectorIo() {
    return InjectorIo{
        [this] { WaitForSingleObject(queueMutex_.Get(), INFINITE); },
        [this] { ReleaseMutex(queueMutex_.Get()); },
        SynthesiseKey,
        [this] { pacing_.Pause(); },
        [this] { WaitForSingleObject(outputReady_.Get(), INFINITE); },
        [this] { SetEvent(outputReady_.Get()); },
        [this](bool pending) { pacing_.SetPending(pending); },
    };
}

RemapEngine::~RemapEngine() {
    Unhook();
    injector_.Stop();
    if (g_engine == this) {
        g_engine = nullptr;
    }
}

void RemapEngine::ReplaceMaps(const ProfileMaps& model) {
    maps_.ReplaceProfileMaps(model);
}

void RemapEngine::PutProfileInForce(int p) {
    maps_.activeProfile = p;
}

void RemapEngine::KeyboardPresent(bool present) {
    if (present) {
        InstallRemapHook();
        maps_.remapSuspended = 0;
    } else {
        RemoveRemapHook();
        maps_.remapSuspended = 1;
    }
}

void RemapEngine::InstallRemapHook() {
    if (!ready_ || lifetime_.RequestInstall() != HookLifetime::Action::Install) {
        return;
    }
    hook_.Reset(SetWindowsHookExW(WH_KEYBOARD_LL, RemapHook, GetModuleHandleW(nullptr), 0));
    if (hook_) {
        lifetime_.Installed();
    }
}

void RemapEngine::RemoveRemapHook() {
    if (lifetime_.RequestRemove(maps_.held) == HookLifetime::Action::Remove) {
        Unhook();
    }
}

void RemapEngine::Unhook() {
    // The handle is let go only when the removal succeeded; else the hook
    // passes everything and the next event tries again.
    if (hook_ && UnhookWindowsHookEx(hook_.Get())) {
        hook_.Release();
        lifetime_.Removed(maps_.held);
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
    int vk = static_cast<int>(event.vkCode);
    const RemapDecision d = DecideRemap(maps_, lifetime_.Mode(), vk, event.flags, KeyDownInSystem);
    event.vkCode = static_cast<DWORD>(vk); // the keypad Enter travels on as 108
    if (d.output != nullptr && !d.output->empty()) {
        QueueOutput(*d.output);
    }
    const LRESULT result =
        d.verdict == Verdict::Pass ? CallNextHookEx(hook_.Get(), code, wParam, lParam) : 1;
    // A hook asked to go (or suspended) leaves once no swallowed key is held.
    if (lifetime_.AfterEvent(maps_) == HookLifetime::Action::Remove) {
        Unhook();
    }
    return result;
}

void RemapEngine::QueueOutput(const KeySequence& sequence) {
    const int numLockState = static_cast<SHORT>(GetKeyState(VK_NUMLOCK));
    {
        // Held for the whole output of this key so two keys never interleave.
        win::MutexLock lock(queueMutex_.Get());
        AppendKeyOutput(sequence, numLockState, queue_);
    }
    SetEvent(outputReady_.Get());
}

} // namespace orvane
