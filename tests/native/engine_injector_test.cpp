// The injector loop against a fake output: order, one element per cycle, the
// lock held only for the take, blocked while the queue is empty, and a clean
// stop.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "engine/Injector.h"
#include "engine_script.h"

namespace orvane {
namespace {

// Records what the loop does as one trace: outputs, "p" for the pacing
// pause, "w" for each time it blocks, "+" and "-" when output becomes pending
// and when it is no longer. wait() blocks until Signal() or wake, like the
// Win32 event, and counts its wake-ups.
class FakeIo {
  public:
    InjectorIo Io() {
        return {[this] {
                    queueMutex_.lock();
                    locked_ = true;
                    ++takes_;
                },
                [this] {
                    locked_ = false;
                    queueMutex_.unlock();
                },
                [this](const KeyOutput& k) { Record(test::FormatOutput(k), true); },
                [this] { Record("p", false); },
                [this] { Wait(); },
                [this] { Signal(); },
                [this](bool pending) { Record(pending ? "+" : "-", false); }};
    }

    std::mutex& QueueMutex() { return queueMutex_; }

    // What the producer does after queueing (SetEvent).
    void Signal() {
        {
            std::lock_guard lock(m_);
            signalled_ = true;
        }
        cv_.notify_all();
    }

    // Waits until n events were output or a deadline passes.
    bool WaitForOutputs(int n) {
        std::unique_lock lock(m_);
        return cv_.wait_for(lock, std::chrono::seconds(10), [&] { return outputs_ >= n; });
    }

    // Waits until the trace ends with the given text or a deadline passes.
    bool WaitForTraceEnd(const std::string& end) {
        std::unique_lock lock(m_);
        return cv_.wait_for(lock, std::chrono::seconds(10),
                            [&] { return trace_.size() >= end.size() && trace_.ends_with(end); });
    }

    std::string Trace() {
        std::lock_guard lock(m_);
        return trace_;
    }
    int WakeUps() {
        std::lock_guard lock(m_);
        return wakeUps_;
    }
    int Takes() const { return takes_; }
    int OutputsUnderLock() const { return outputsUnderLock_; }

    std::function<void()> onOutput; // called after each output is recorded

  private:
    void Wait() {
        std::unique_lock lock(m_);
        trace_ += (trace_.empty() ? "" : " ") + std::string("w");
        cv_.notify_all();
        cv_.wait(lock, [&] { return signalled_; });
        signalled_ = false;
        ++wakeUps_;
    }

    void Record(const std::string& what, bool output) {
        {
            std::lock_guard lock(m_);
            if (output) {
                ++outputs_;
                outputsUnderLock_ += locked_ ? 1 : 0;
            }
            trace_ += (trace_.empty() ? "" : " ") + what;
        }
        cv_.notify_all();
        if (output && onOutput) {
            onOutput();
        }
    }

    std::mutex queueMutex_;
    bool locked_ = false; // written under queueMutex_, read by the output
    std::atomic<int> takes_{0};
    std::mutex m_;
    std::condition_variable cv_;
    std::string trace_;
    bool signalled_ = false;
    int wakeUps_ = 0;
    int outputs_ = 0;
    int outputsUnderLock_ = 0;
};

TEST(Injector, BlocksWhileEmptyAndDrainsABurstInOrder) {
    OutputQueue queue;
    FakeIo io;
    Injector injector(queue, io.Io());
    injector.Start();
    // At rest: one look at the empty queue, then blocked.
    ASSERT_TRUE(io.WaitForTraceEnd("w"));
    EXPECT_EQ(io.Takes(), 1);
    {
        std::lock_guard lock(io.QueueMutex());
        for (int e : {17, 67, 17 | kReleaseBit, 67 | kReleaseBit, 0, kReleaseBit, 108}) {
            queue.push_back(e);
        }
    }
    io.Signal();
    ASSERT_TRUE(io.WaitForTraceEnd("- w"));
    // A wake-up with nothing queued (a stray signal) looks once and blocks
    // again, without a pause.
    io.Signal();
    ASSERT_TRUE(io.WaitForTraceEnd("- w w"));
    // One element per cycle, each followed by the pause, the element 0 too
    // (taken and dropped); output pending from the first element to the
    // empty queue.
    EXPECT_EQ(io.Trace(), "w dn:17 + p dn:67 p up:17 p up:67 p p up:0 p dn:13x p - w w");
    EXPECT_EQ(io.WakeUps(), 2);
    EXPECT_EQ(io.Takes(), 1 + 7 + 2);
    injector.Stop();
    EXPECT_FALSE(injector.Running());
    EXPECT_EQ(io.OutputsUnderLock(), 0);
    EXPECT_TRUE(queue.empty());
}

TEST(Injector, StopLeavesTheRestQueued) {
    OutputQueue queue{65, 66, 67, 65 | kReleaseBit};
    FakeIo io;
    Injector injector(queue, io.Io());
    // The stop request arrives while the first element is being output.
    io.onOutput = [&] { injector.RequestStop(); };
    injector.Start();
    ASSERT_TRUE(io.WaitForOutputs(1));
    injector.Stop();
    EXPECT_EQ(io.Trace(), "dn:65 + p -");
    EXPECT_EQ(test::FormatQueue(queue), "dn:66 dn:67 up:65");
}

TEST(Injector, StopWithoutStartTwiceAndWhileBlocked) {
    OutputQueue queue{65};
    FakeIo idle;
    Injector(queue, idle.Io()).Stop();
    EXPECT_EQ(idle.Trace(), "");
    FakeIo io;
    Injector injector(queue, io.Io());
    injector.Start();
    ASSERT_TRUE(io.WaitForTraceEnd("- w"));
    injector.Stop(); // wakes the blocked thread and joins it
    injector.Stop();
    EXPECT_FALSE(injector.Running());
    EXPECT_EQ(io.Trace(), "dn:65 + p - w");
}

} // namespace
} // namespace orvane
