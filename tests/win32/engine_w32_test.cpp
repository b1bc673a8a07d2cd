// The Win32 engine's own promises: identity seeding, one hook at most, a
// clean stop of the injector thread on every destruction, and pacing that
// holds no raised timer resolution at rest.
#include <gtest/gtest.h>

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

} // namespace
} // namespace orvane
