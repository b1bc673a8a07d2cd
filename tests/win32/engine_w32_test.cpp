// The Win32 engine's own promises: identity seeding, one hook at most, a
// clean stop of the injector thread on every destruction, and pacing that
// holds no raised timer resolution at rest.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

#include "engine/Injector.h"
#include "engine/RemapEngine.w32.h"

namespace orvane {
namespace {

TEST(RemapEngine, SeedsItsProfileMapsWithIdentity) {
    RemapEngine engine;
    EXPECT_TRUE(engine.Ready());
    for (const ProfileKeyMap* map :
         {engine.ProfileMap(1), engine.ProfileMap(2), engine.ProfileMap(3)}) {
        ASSERT_EQ(map->size(), 254u);
        EXPECT_EQ(map->begin()->first, 1);
        EXPECT_EQ(map->rbegin()->first, 254);
        for (const auto& [key, seq] : *map) {
            ASSERT_EQ(seq, KeySequence{key});
        }
    }
}

// This shows the engine's own bookkeeping of its hook handle only. That a
// second install puts no second hook into the system, observed from outside
// with real keys, is e2e test_engine's test_second_install_adds_no_hook.
TEST(RemapEngine, InstallsOneHookAtMost) {
    RemapEngine engine;
    EXPECT_FALSE(engine.HookInstalled());
    engine.InstallRemapHook();
    ASSERT_TRUE(engine.HookInstalled());
    engine.InstallRemapHook(); // a second call adds no second hook...
    engine.RemoveRemapHook();  // ...so one removal leaves none behind
    EXPECT_FALSE(engine.HookInstalled());
    engine.RemoveRemapHook();
    EXPECT_FALSE(engine.HookInstalled());
    engine.InstallRemapHook(); // and it can be installed again
    EXPECT_TRUE(engine.HookInstalled());
}

TEST(RemapEngine, EnginesComeAndGoOneAfterAnother) {
    // Each destruction removes the hook and joins the injector before its
    // mutex closes; a thread left behind would hang or crash the next rounds.
    for (int i = 0; i < 5; ++i) {
        RemapEngine engine;
        engine.InstallRemapHook();
        EXPECT_TRUE(engine.HookInstalled());
    }
}

// The raised timer resolution of the fallback pacing is held only while
// output is pending, never at rest; the high-resolution timer needs none.
TEST(PacingTimer, RaisesThePeriodOnlyWhileOutputIsPending) {
    PacingTimer fallback(PacingKind::RaisedPeriod);
    ASSERT_FALSE(fallback.HighResolution());
    EXPECT_FALSE(fallback.PeriodRaised());
    fallback.SetPending(true);
    EXPECT_TRUE(fallback.PeriodRaised());
    fallback.Pause();
    fallback.SetPending(true); // no second hold
    fallback.SetPending(false);
    EXPECT_FALSE(fallback.PeriodRaised());

    PacingTimer best;
    best.SetPending(true);
    EXPECT_EQ(best.PeriodRaised(), !best.HighResolution());
    best.Pause();
}

// What the pacing asked of the system's timer resolution. The calls come
// from the injector thread; the test reads them on its own.
std::atomic<int> g_periodBegins{0};
std::atomic<int> g_periodEnds{0};
std::atomic<int> g_otherPeriods{0}; // calls for anything but 1 ms

MMRESULT WINAPI CountBeginPeriod(UINT ms) {
    ++(ms == 1 ? g_periodBegins : g_otherPeriods);
    return TIMERR_NOERROR;
}

MMRESULT WINAPI CountEndPeriod(UINT ms) {
    ++(ms == 1 ? g_periodEnds : g_otherPeriods);
    return TIMERR_NOERROR;
}

bool WaitFor(const std::atomic<int>& value, int atLeast) {
    for (int i = 0; i < 10000 && value.load() < atLeast; ++i) {
        Sleep(1);
    }
    return value.load() >= atLeast;
}

// The real injector loop paced by the fallback timer: each burst of output
// raises the resolution once when it starts and gives it back once when the
// queue runs dry, so the system's count of raises stays balanced and a
// resting injector holds none.
TEST(PacingTimer, OneRaiseAndOneRestorePerBurst) {
    g_periodBegins = g_periodEnds = g_otherPeriods = 0;
    PacingTimer pacing(PacingKind::RaisedPeriod, {CountBeginPeriod, CountEndPeriod});
    ASSERT_FALSE(pacing.HighResolution());
    OutputQueue queue;
    std::mutex queueMutex;
    win::UniqueHandleObject outputReady(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    ASSERT_TRUE(outputReady);
    std::atomic<int> outputs{0};
    Injector injector(queue, {[&] { queueMutex.lock(); }, [&] { queueMutex.unlock(); },
                              [&](const KeyOutput&) { ++outputs; }, [&] { pacing.Pause(); },
                              [&] { WaitForSingleObject(outputReady.Get(), INFINITE); },
                              [&] { SetEvent(outputReady.Get()); },
                              [&](bool pending) { pacing.SetPending(pending); }});
    injector.Start();
    constexpr int kBursts = 3;
    for (int burst = 1; burst <= kBursts; ++burst) {
        {
            std::lock_guard lock(queueMutex);
            for (int vk : {65, 65 | kReleaseBit, 66, 66 | kReleaseBit}) {
                queue.push_back(vk);
            }
        }
        SetEvent(outputReady.Get());
        ASSERT_TRUE(WaitFor(g_periodEnds, burst)) << "burst " << burst << " ended";
        EXPECT_EQ(outputs.load(), 4 * burst);
        EXPECT_EQ(g_periodBegins.load(), burst) << "burst " << burst;
        EXPECT_EQ(g_periodEnds.load(), burst) << "burst " << burst;
        EXPECT_FALSE(pacing.PeriodRaised());
    }
    injector.Stop();
    EXPECT_EQ(g_periodBegins.load(), kBursts);
    EXPECT_EQ(g_periodEnds.load(), kBursts);
    EXPECT_EQ(g_otherPeriods.load(), 0);
}

// A timer destroyed while output is pending gives the resolution back; the
// high-resolution timer never touches it.
TEST(PacingTimer, RestoresAtDestructionAndLeavesItAloneOnTheHighResolutionTimer) {
    g_periodBegins = g_periodEnds = g_otherPeriods = 0;
    {
        PacingTimer fallback(PacingKind::RaisedPeriod, {CountBeginPeriod, CountEndPeriod});
        fallback.SetPending(true);
        fallback.Pause();
    }
    EXPECT_EQ(g_periodBegins.load(), 1);
    EXPECT_EQ(g_periodEnds.load(), 1);

    g_periodBegins = g_periodEnds = 0;
    PacingTimer best(PacingKind::Best, {CountBeginPeriod, CountEndPeriod});
    best.SetPending(true);
    best.Pause();
    best.SetPending(false);
    const int expected = best.HighResolution() ? 0 : 1;
    EXPECT_EQ(g_periodBegins.load(), expected);
    EXPECT_EQ(g_periodEnds.load(), expected);
    EXPECT_EQ(g_otherPeriods.load(), 0);
}

} // namespace
} // namespace orvane
