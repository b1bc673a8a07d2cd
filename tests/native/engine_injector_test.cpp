// The injector loop against a fake output: order, one element per cycle, the
// lock held only for the take, and a clean stop.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "engine/Injector.h"
#include "engine_script.h"

namespace orvane {
namespace {

// Records outputs and cycle ends as one trace: "z" for the pacing sleep, "i"
// for the idle wait (repeats collapsed).
class FakeIo {
  public:
    InjectorIo Io() {
        return {[this] {
                    queueMutex_.lock();
                    locked_ = true;
                },
                [this] {
                    locked_ = false;
                    queueMutex_.unlock();
                },
                [this](const KeyOutput& k) { Record(test::FormatOutput(k), k); },
                [this] {
                    Record("z", {});
                    std::this_thread::yield();
                },
                [this] {
                    Record("i", {});
                    std::this_thread::yield();
                }};
    }

    std::mutex& QueueMutex() { return queueMutex_; }

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
    int OutputsUnderLock() const { return outputsUnderLock_; }

    std::function<void()> onOutput; // called after each output is recorded

  private:
    void Record(const std::string& what, const KeyOutput&) {
        {
            std::lock_guard lock(m_);
            const bool cycleEnd = what == "z" || what == "i";
            if (cycleEnd && !trace_.empty() && trace_.back() == what[0]) {
                return;
            }
            if (!cycleEnd) {
                ++outputs_;
                outputsUnderLock_ += locked_ ? 1 : 0;
            }
            trace_ += (trace_.empty() ? "" : " ") + what;
        }
        cv_.notify_all();
        if (what != "z" && what != "i" && onOutput) {
            onOutput();
        }
    }

    std::mutex queueMutex_;
    bool locked_ = false; // written under queueMutex_, read by the output
    std::mutex m_;
    std::condition_variable cv_;
    std::string trace_;
    int outputs_ = 0;
    int outputsUnderLock_ = 0;
};

TEST(Injector, DrainsInOrderOneElementPerCycle) {
    OutputQueue queue;
    FakeIo io;
    Injector injector(queue, io.Io());
    injector.Start();
    ASSERT_TRUE(io.WaitForTraceEnd("i"));
    {
        std::lock_guard lock(io.QueueMutex());
        for (int e : {17, 67, 17 | kReleaseBit, 67 | kReleaseBit, 0, kReleaseBit, 108}) {
            queue.push_back(e);
        }
    }
    ASSERT_TRUE(io.WaitForTraceEnd("dn:13x z i"));
    injector.Stop();
    EXPECT_FALSE(injector.Running());
    // Idle waits before the push; each taken element is followed by the
    // sleep, the element 0 too (taken and dropped); then idle again.
    EXPECT_EQ(io.Trace(), "i dn:17 z dn:67 z up:17 z up:67 z up:0 z dn:13x z i");
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
    EXPECT_EQ(io.Trace(), "dn:65 z");
    EXPECT_EQ(test::FormatQueue(queue), "dn:66 dn:67 up:65");
}

TEST(Injector, StopWithoutStartAndTwice) {
    OutputQueue queue{65};
    FakeIo io;
    Injector injector(queue, io.Io());
    injector.Stop();
    injector.Start();
    ASSERT_TRUE(io.WaitForOutputs(1));
    injector.Stop();
    injector.Stop();
    EXPECT_FALSE(injector.Running());
}

} // namespace
} // namespace orvane
