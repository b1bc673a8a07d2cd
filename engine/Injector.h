// The key injector loop: drains the OutputQueue one element per cycle and
// turns each element into one synthetic key event. Portable: the lock, the
// output and the pacing sleep are handed in, so the Win32 shell plugs in
// QueueMutex, keybd_event and Sleep(1) and tests plug in fakes.
//
// Each cycle: check the stop flag, take the front element under the lock,
// output it outside the lock, sleep. The lock is therefore held only while
// one element is taken, never during output or sleep, so the hook waits at
// most for one take. The sleep paces the output of one key into separate
// events; a cycle that finds the queue empty waits with `idle` instead, which
// may end early when new elements arrive, so a key's first event leaves at
// once. Elements still queued when the loop stops are dropped.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "engine/KeyModel.h"
#include "engine/KeyOutput.h"

namespace orvane {

struct InjectorIo {
    std::function<void()> lock;   // takes QueueMutex
    std::function<void()> unlock; // releases it
    std::function<void(const KeyOutput&)> output;
    std::function<void()> sleep; // the pacing after a cycle that took an element
    // After a cycle that found the queue empty: waits at most as long as sleep,
    // ending early when the producer signals new elements. Empty: sleep.
    std::function<void()> idle;
};

class Injector {
  public:
    // queue and everything io refers to must outlive the thread: Stop() (or
    // the destructor) joins it.
    Injector(OutputQueue& queue, InjectorIo io);
    ~Injector();
    Injector(const Injector&) = delete;
    Injector& operator=(const Injector&) = delete;

    // Starts the thread; a second call while running does nothing.
    void Start();
    // Asks the thread to end at the top of its next cycle; does not wait.
    // Callable from any thread, the injector's own included.
    void RequestStop() { stop_.store(true, std::memory_order_release); }
    // RequestStop, then waits for the thread to end. Safe to call more than
    // once and when never started; not from the injector thread itself.
    void Stop();
    bool Running() const { return thread_.joinable(); }

    // One cycle without the stop check and the sleep: takes and outputs at
    // most one element. Returns whether an element was taken.
    bool RunOnce();

  private:
    void Loop();

    OutputQueue& queue_;
    InjectorIo io_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace orvane
