// The remapping hook's decision for one keyboard event, as pure logic: the
// Win32 hook procedure converts the event, asks here, and either passes the
// event on or swallows it. Portable: no Windows headers.
//
// Threading: everything here runs on the GUI thread, which owns KeyMaps. The
// only shared data is the OutputQueue; whoever appends to it holds QueueMutex
// (the Win32 shell takes it only when DecideRemap asks for output, so a
// passing event never touches the lock).
#pragma once

#include <bitset>

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

// What the hook remembers between events: the keys whose press it passed on.
// Their release is passed on too, even when a profile switch or a commit
// remapped the key in between; swallowing it would leave the key down in the
// system (a stuck Ctrl, for one). GUI thread only, like KeyMaps.
struct PassedKeys {
    std::bitset<256> down;
};

struct RemapDecision {
    Verdict verdict = Verdict::Pass;
    // Set on the release of a remapped key: the sequence to queue with
    // AppendKeyOutput while holding QueueMutex. Points into the map in force
    // and stays valid until the GUI thread changes that map.
    const KeySequence* output = nullptr;
};

// Decides one event. vkCode is rewritten in place when the keypad Enter (13
// with flags exactly 0x01 or 0x81) is turned into 108, so the caller can hand
// the rewritten record on. Allocation-free and lock-free.
//  * suspended, injected, ActiveProfile outside 1..3, no entry, or [vkCode]:
//    Pass;
//  * release of a key whose press was passed on: Pass;
//  * press of a remapped key (auto-repeat included): Swallow, nothing queued;
//  * release of a remapped key: Swallow with output set.
// The map in force at each event decides; passed records the passed presses.
RemapDecision DecideRemap(const KeyMaps& maps, PassedKeys& passed, int& vkCode, unsigned flags);

// Appends the output of one remapped key: every code pressed in list order,
// then every code released in the same order, each through NumLockOutputCode.
// The caller holds QueueMutex for the whole call so the events of two keys
// never interleave.
void AppendKeyOutput(const KeySequence& sequence, int numLockState, OutputQueue& queue);

// DecideRemap and, on a remapped release, AppendKeyOutput in one call (for
// callers that already hold the lock, and for tests).
Verdict RemapKeyEvent(const KeyMaps& maps, PassedKeys& passed, int& vkCode, unsigned flags,
                      int numLockState, OutputQueue& queue);

// The key a keypad code stands for on output. numLockState is
// GetKeyState(VK_NUMLOCK) as a signed 16-bit value widened to int: exactly 1
// means NumLock on and its key not held, and then every code stays itself.
// Otherwise the keypad digits 0..9 except 5 and the decimal point become the
// navigation keys the keypad gives with NumLock off; other codes stay.
int NumLockOutputCode(int code, int numLockState);

} // namespace orvane
