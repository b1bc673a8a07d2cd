// The key injector loop: drains the OutputQueue one element per cycle and
// turns each element into one synthetic key event. Portable: the lock, the
// output, the pacing pause and the blocking wait are handed in, so the Win32
// shell plugs in QueueMutex, keybd_event, a 1 ms timer and an event, and
// tests plug in fakes.
//
// Each cycle: check the stop flag, take the front element under the lock,
// output it outside the lock, pause. The lock is therefore held only while
// one element is taken, never during output or the pause, so the hook waits
// at most for one take. The pause paces the output of one key into separate
// events. A cycle that finds the queue empty blocks in `wait` with no
// timeout: an idle injector costs nothing and wakes only when the producer
// signals new elements or a stop is requested. Elements still queued when the
// loop stops are dropped.
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
    std::function<void()> pace; // the pause after a cycle that took an element
    // Blocks until `wake` is called or the producer signals new elements;
    // returns at once if either happened since the last return.
    std::function<void()> wait;
    std::function<void()> wake; // ends a wait; called by RequestStop
    // true when the injector starts draining after a wait, false before it
    // blocks again: a pacing that needs a raised timer resolution holds it
    // only in between. May be empty.
    std::function<void(bool pending)> pending;
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
    // Asks the thread to end at the top of its next cycle (waking it if it
    // waits); does not wait. Callable from any thread, the injector's own
    // included.
    void RequestStop();
    // RequestStop, then waits for the thread to end. Safe to call more than
    // once and when never started; not from the injector thread itself.
    void Stop();
    bool Running() const { return thread_.joinable(); }

    // One cycle without the stop check and the pause: takes and outputs at
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
