// The remapping hook's decision for one keyboard event, as pure logic: the
// Win32 hook procedure converts the event, asks here, and either passes the
// event on or swallows it. Portable: no Windows headers.
//
// Threading: everything here runs on the GUI thread, which owns KeyMaps. The
// only shared data is the OutputQueue; whoever appends to it holds QueueMutex
// (the Win32 shell takes it only when DecideRemap asks for output, so a
// passing event never touches the lock).
#pragma once

#include "engine/KeyModel.h"

namespace orvane {

// KBDLLHOOKSTRUCT flag bits the decision reads.
constexpr unsigned kFlagExtended = 0x01; // LLKHF_EXTENDED
constexpr unsigned kFlagInjected = 0x10; // LLKHF_INJECTED
constexpr unsigned kFlagUp = 0x80;       // LLKHF_UP

constexpr int kVkReturn = 13;
constexpr int kVkNumLock = 144;

// OutputQueue element bit above the stored 16-bit encoding: the code is a
// navigation key that NumLockOutputCode made from a keypad code, so it must be
// synthesised as the keypad's own (non-extended) key. Only the injector reads
// it; it never reaches a file.
constexpr int kKeypadOriginBit = 0x10000;
constexpr int kCodeMask = 0x7FFF; // bits 0..14: the key code

enum class Verdict { Pass, Swallow };

// Whether a key is down in the system as far as applications know (the
// Win32 shell asks GetAsyncKeyState, which a low-level hook sees as it was
// before the current event). Asked only at the press of a remapped key the
// hook has no memory of: if the key is already down, the press is an
// auto-repeat of one made while no hook was there to see it, and it passes.
using KeyDownQuery = bool (*)(int vkCode);

struct RemapDecision {
    Verdict verdict = Verdict::Pass;
    // Set on the release of a key whose press was swallowed: the sequence to
    // queue with AppendKeyOutput while holding QueueMutex. It is the sequence
    // of the map in force at the press; valid until the next event or the
    // next change of a map.
    const KeySequence* output = nullptr;
};

// What the hook does besides remapping.
enum class HookMode {
    Remap,         // installed and active
    PassEverything // suspended, or its removal waits for held swallowed keys
};

// Decides one event. Press and release are one decision: the verdict is
// taken at the press and kept in maps.held, and the release gets the same.
//  * injected: Pass, remembered nowhere;
//  * press of a key already held (auto-repeat): the verdict of its first press;
//  * press in PassEverything mode, with ActiveProfile outside 1..3, of a key
//    without entry or mapped to [itself], or of a key already down in the
//    system (keyDown): Pass, remembered as passed;
//  * press of a remapped key: Swallow, remembered with the map's sequence;
//  * release of a key whose press was swallowed: Swallow with output set,
//    in either mode;
//  * any other release (passed, or never seen): Pass.
// vkCode is rewritten in place to 108 for the keypad Enter (13 with flags
// exactly 0x01 or 0x81) in Remap mode, so the caller hands the rewritten
// record on. Allocation-free and lock-free.
RemapDecision DecideRemap(KeyMaps& maps, HookMode mode, int& vkCode, unsigned flags,
                          KeyDownQuery keyDown = nullptr);

// Appends the output of one remapped key: every code pressed in list order,
// then every code released in the same order, each through NumLockOutputCode.
// The caller holds QueueMutex for the whole call so the events of two keys
// never interleave.
void AppendKeyOutput(const KeySequence& sequence, int numLockState, OutputQueue& queue);

// DecideRemap and, on a swallowed key's release, AppendKeyOutput in one call
// (for callers that already hold the lock, and for tests).
Verdict RemapKeyEvent(KeyMaps& maps, HookMode mode, int& vkCode, unsigned flags, int numLockState,
                      OutputQueue& queue, KeyDownQuery keyDown = nullptr);

// The key a keypad code stands for on output. numLockState is
// GetKeyState(VK_NUMLOCK) as a signed 16-bit value widened to int: exactly 1
// means NumLock on and its key not held, and then every code stays itself.
// Otherwise the keypad digits 0..9 except 5 and the decimal point become the
// navigation keys the keypad gives with NumLock off; other codes stay.
int NumLockOutputCode(int code, int numLockState);

} // namespace orvane
