// The remapping decision, driven as scripts: a profile and key events in, the
// verdicts and the queue out.
#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "engine_script.h"

namespace orvane {
namespace {

using test::Play;

constexpr int kNumLockOn = 1;
constexpr int kNumLockOff = 0;
// GetKeyState(VK_NUMLOCK) as SHORT while the NumLock key is held down.
constexpr int kNumLockOnHeld = static_cast<short>(0xFF81);
constexpr int kNumLockOffHeld = static_cast<short>(0xFF80);

KeyMaps MapsWith(std::initializer_list<std::pair<const int, KeySequence>> entries,
                 int profile = 1) {
    KeyMaps maps;
    maps.remapSuspended = 0;
    maps.activeProfile = profile;
    *maps.ProfileMap(profile) = ProfileKeyMap(entries);
    return maps;
}

struct Case {
    const char* name;
    KeyMaps maps;
    int numLock;
    const char* events;
    const char* verdicts;
    const char* queue;
};

TEST(RemapDecision, Scripts) {
    KeyMaps suspended = MapsWith({{65, {66}}});
    suspended.remapSuspended = 1;
    KeyMaps profile0 = MapsWith({{65, {66}}});
    profile0.activeProfile = 0;
    KeyMaps profile4 = MapsWith({{65, {66}}});
    profile4.activeProfile = 4;
    KeyMaps profile2 = MapsWith({{65, {67}}}, 2);
    *profile2.ProfileMap(1) = ProfileKeyMap{{65, {66}}};

    const Case cases[] = {
        {"single key", MapsWith({{65, {66}}}), kNumLockOn, "d:65 u:65", "S S", "dn:66 up:66"},
        {"chord in list order, nothing while held", MapsWith({{70, {17, 67}}}), kNumLockOn,
         "d:70 d:70 d:70 u:70", "S S S S", "dn:17 dn:67 up:17 up:67"},
        {"releases in press order, not reversed", MapsWith({{70, {65, 66, 67}}}), kNumLockOn,
         "d:70 u:70", "S S", "dn:65 dn:66 dn:67 up:65 up:66 up:67"},
        {"two keys in a row stay apart", MapsWith({{70, {17, 67}}, {71, {72}}}), kNumLockOn,
         "d:70 d:71 u:70 u:71", "S S S S", "dn:17 dn:67 up:17 up:67 dn:72 up:72"},
        {"identity passes", MapsWith({{65, {65}}}), kNumLockOn, "d:65 u:65", "P65 P65", ""},
        {"no entry passes", MapsWith({{66, {67}}}), kNumLockOn, "d:65 u:65", "P65 P65", ""},
        {"sequence holding its own key twice is a remap", MapsWith({{65, {65, 65}}}), kNumLockOn,
         "d:65 u:65", "S S", "dn:65 dn:65 up:65 up:65"},
        {"injected passes even when remapped", MapsWith({{65, {66}}}), kNumLockOn,
         "d:65+inj u:65+inj", "P65 P65", ""},
        {"keypad Enter looked up as 108", MapsWith({{108, {65}}, {13, {13}}}), kNumLockOn,
         "d:13+ext u:13+ext d:13 u:13", "S S P13 P13", "dn:65 up:65"},
        {"keypad Enter with Alt stays 13", MapsWith({{108, {65}}}), kNumLockOn,
         "d:13+ext+alt u:13+ext+alt", "P13 P13", ""},
        {"keypad Enter handed on as 108", MapsWith({{65, {66}}}), kNumLockOn, "d:13+ext u:13+ext",
         "P108 P108", ""},
        {"injected keypad Enter keeps 13", MapsWith({{108, {65}}}), kNumLockOn, "d:13+ext+inj",
         "P13", ""},
        {"NumLock off: keypad code becomes navigation", MapsWith({{71, {100}}}), kNumLockOff,
         "d:71 u:71", "S S", "dn:37k up:37k"},
        {"NumLock on: keypad code stays", MapsWith({{71, {100}}}), kNumLockOn, "d:71 u:71", "S S",
         "dn:100 up:100"},
        {"NumLock key held counts as off", MapsWith({{71, {100}}}), kNumLockOnHeld, "d:71 u:71",
         "S S", "dn:37k up:37k"},
        {"NumLock held while off", MapsWith({{71, {110}}}), kNumLockOffHeld, "d:71 u:71", "S S",
         "dn:46k up:46k"},
        {"keypad 5 has no navigation key", MapsWith({{71, {101}}}), kNumLockOff, "d:71 u:71", "S S",
         "dn:101 up:101"},
        {"plain navigation key is not keypad", MapsWith({{71, {37}}}), kNumLockOff, "d:71 u:71",
         "S S", "dn:37 up:37"},
        {"mapped to code 0", MapsWith({{65, {0}}}), kNumLockOn, "d:65 u:65", "S S", "dn:0 up:0"},
        {"empty sequence swallows", MapsWith({{65, {}}}), kNumLockOn, "d:65 u:65", "S S", ""},
        {"code beyond 15 bits cannot pose as a release", MapsWith({{65, {0x8041, -1}}}), kNumLockOn,
         "d:65 u:65", "S S", "dn:32767 dn:32767 up:32767 up:32767"},
        {"suspended passes", suspended, kNumLockOn, "d:65 u:65", "P65 P65", ""},
        {"ActiveProfile 0 passes", profile0, kNumLockOn, "d:65 u:65", "P65 P65", ""},
        {"ActiveProfile 4 passes", profile4, kNumLockOn, "d:13+ext u:65", "P13 P65", ""},
        {"map of the profile in force", profile2, kNumLockOn, "d:65 u:65", "S S", "dn:67 up:67"},
        // Only a release whose press was swallowed is swallowed.
        {"release without its press passes", MapsWith({{65, {66}}}), kNumLockOn, "u:65", "P65", ""},
    };
    for (const Case& c : cases) {
        const test::ScriptResult r = Play(c.maps, c.events, c.numLock);
        EXPECT_EQ(r.verdicts, c.verdicts) << c.name;
        EXPECT_EQ(r.queue, c.queue) << c.name;
    }
}

TEST(NumLockOutputCode, Table) {
    const std::pair<int, int> keypad[] = {{96, 45},  {97, 35},  {98, 40},  {99, 34},  {100, 37},
                                          {102, 39}, {103, 36}, {104, 38}, {105, 33}, {110, 46}};
    for (auto [code, nav] : keypad) {
        EXPECT_EQ(NumLockOutputCode(code, 0), nav) << code;
        EXPECT_EQ(NumLockOutputCode(code, kNumLockOnHeld), nav) << code;
        EXPECT_EQ(NumLockOutputCode(code, 1), code) << code;
    }
    for (int code : {0, 13, 37, 95, 101, 106, 107, 108, 109, 111, 255}) {
        EXPECT_EQ(NumLockOutputCode(code, 0), code) << code;
    }
}

} // namespace
} // namespace orvane
