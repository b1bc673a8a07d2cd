// The remapping decision per keyboard event: it runs in the hook, in the path
// of every key of the system.
#include <benchmark/benchmark.h>

#include "LandedDecision.h"
#include "engine/RemapDecision.h"

namespace {

using namespace orvane;

// Profile 1 as after a start: identity for every code, a few keys remapped.
KeyMaps BenchMaps() {
    KeyMaps maps;
    maps.remapSuspended = 0;
    maps.activeProfile = 1;
    SeedIdentity(*maps.ProfileMap(1));
    (*maps.ProfileMap(1))[65] = {66};
    (*maps.ProfileMap(1))[70] = {17, 67};
    (*maps.ProfileMap(1))[71] = {100};
    return maps;
}

// A key that stays itself, press and release alternately: the common case
// (the press costs one lookup and a verdict stored, the release a verdict
// read).
void RemapDecision_PassThrough(benchmark::State& state) {
    KeyMaps maps = BenchMaps();
    unsigned flags = 0;
    for (auto _ : state) {
        int vk = 90;
        benchmark::DoNotOptimize(DecideRemap(maps, HookMode::Remap, vk, flags));
        flags ^= kFlagUp;
    }
    state.SetLabel("target: <= 10 ns");
}
BENCHMARK(RemapDecision_PassThrough);

// The least any decision does: one lookup in the map in force.
void RemapDecision_PassThrough_Baseline(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    for (auto _ : state) {
        int vk = 90;
        benchmark::DoNotOptimize(vk);
        benchmark::DoNotOptimize(maps.ProfileMap(1)->find(vk));
    }
}
BENCHMARK(RemapDecision_PassThrough_Baseline)->Name("RemapDecision_PassThrough/Baseline");

// The same keystrokes, beside the decision that kept no verdict of a
// swallowed press.
void RemapDecision_PassThroughVsLanded(benchmark::State& state) {
    RemapDecision_PassThrough(state);
}
BENCHMARK(RemapDecision_PassThroughVsLanded);

void RemapDecision_PassThroughVsLanded_Baseline(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    landed::PassedKeys passed;
    unsigned flags = 0;
    for (auto _ : state) {
        int vk = 90;
        benchmark::DoNotOptimize(landed::DecideRemap(maps, passed, vk, flags));
        flags ^= kFlagUp;
    }
}
BENCHMARK(RemapDecision_PassThroughVsLanded_Baseline)
    ->Name("RemapDecision_PassThroughVsLanded/Baseline");

// A remapped key, press and release alternately, decisions only: the press
// stores the sequence of the map in force, the release takes it back.
void RemapDecision_RemappedKeystroke(benchmark::State& state) {
    KeyMaps maps = BenchMaps();
    unsigned flags = 0;
    for (auto _ : state) {
        int vk = 70;
        benchmark::DoNotOptimize(DecideRemap(maps, HookMode::Remap, vk, flags));
        flags ^= kFlagUp;
    }
    state.SetLabel("target: <= 10 ns");
}
BENCHMARK(RemapDecision_RemappedKeystroke);

void RemapDecision_RemappedKeystroke_Baseline(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    landed::PassedKeys passed;
    unsigned flags = 0;
    for (auto _ : state) {
        int vk = 70;
        benchmark::DoNotOptimize(landed::DecideRemap(maps, passed, vk, flags));
        flags ^= kFlagUp;
    }
}
BENCHMARK(RemapDecision_RemappedKeystroke_Baseline)
    ->Name("RemapDecision_RemappedKeystroke/Baseline");

// A key mapped to a chord: the decision of its press, then of its release
// with the four queue appends (the queue is emptied every round so it does
// not grow).
void RemapDecision_RemappedRelease(benchmark::State& state) {
    KeyMaps maps = BenchMaps();
    OutputQueue queue;
    for (auto _ : state) {
        int vk = 70;
        int press = 70;
        DecideRemap(maps, HookMode::Remap, press, 0); // its press, swallowed
        benchmark::DoNotOptimize(RemapKeyEvent(maps, HookMode::Remap, vk, kFlagUp, 1, queue));
        queue.clear();
    }
    state.SetLabel("target: <= 50 ns");
}
BENCHMARK(RemapDecision_RemappedRelease);

// The same four appends without the decision.
void RemapDecision_RemappedRelease_Baseline(benchmark::State& state) {
    OutputQueue queue;
    for (auto _ : state) {
        for (int e : {17, 67, 17 | kReleaseBit, 67 | kReleaseBit}) {
            queue.push_back(e);
        }
        benchmark::DoNotOptimize(queue.back());
        queue.clear();
    }
}
BENCHMARK(RemapDecision_RemappedRelease_Baseline)->Name("RemapDecision_RemappedRelease/Baseline");

} // namespace
