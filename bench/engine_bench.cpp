// The remapping decision per keyboard event: it runs in the hook, in the path
// of every key of the system.
#include <benchmark/benchmark.h>

#include "engine/RemapDecision.h"

namespace {

using namespace orvane;

// Profile 1 as after a start: identity for every code, a few keys remapped.
KeyMaps BenchMaps() {
    KeyMaps maps;
    maps.remapSuspended = 0;
    maps.activeProfile = 1;
    SeedIdentity(maps.profile[0]);
    maps.profile[0][65] = {66};
    maps.profile[0][70] = {17, 67};
    maps.profile[0][71] = {100};
    return maps;
}

// A key that stays itself, press and release alternately: the common case
// (the press costs one lookup, the release of a passed press a bit test).
void RemapDecision_PassThrough(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    PassedKeys passed;
    unsigned flags = 0;
    for (auto _ : state) {
        int vk = 90;
        benchmark::DoNotOptimize(DecideRemap(maps, passed, vk, flags));
        flags ^= kFlagUp;
    }
    state.SetLabel("target: <= 50 ns");
}
BENCHMARK(RemapDecision_PassThrough);

// The least any decision does: one lookup in the map in force.
void RemapDecision_PassThrough_Baseline(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    for (auto _ : state) {
        int vk = 90;
        benchmark::DoNotOptimize(vk);
        benchmark::DoNotOptimize(maps.profile[0].find(vk));
    }
}
BENCHMARK(RemapDecision_PassThrough_Baseline)->Name("RemapDecision_PassThrough/Baseline");

// Release of a key mapped to a chord: decision and the four queue appends
// (the queue is emptied every round so it does not grow).
void RemapDecision_RemappedRelease(benchmark::State& state) {
    const KeyMaps maps = BenchMaps();
    PassedKeys passed;
    OutputQueue queue;
    for (auto _ : state) {
        int vk = 70;
        benchmark::DoNotOptimize(RemapKeyEvent(maps, passed, vk, kFlagUp, 1, queue));
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
