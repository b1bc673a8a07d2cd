// A key's release follows its press: scripts of key events and of what
// happens to the maps and the keyboard in between, played through the hook's
// decision and its lifetime, against what the application in front receives.
#include <gtest/gtest.h>

#include <bitset>
#include <sstream>
#include <string>

#include "engine/HookLifetime.h"
#include "engine/RemapDecision.h"
#include "engine_script.h"

namespace orvane {
namespace {

// What applications see as down: every event that reached them, physical or
// synthesised, as GetAsyncKeyState would.
std::bitset<256> g_downInSystem;
bool DownInSystem(int vk) {
    return g_downInSystem[vk & 0xFF];
}

// The hook as the Win32 shell runs it, with the application in front as a
// string of the events it received. Its output is synthesised at once.
//   dn:81 / up:81 / dn:13x  a physical key event (x: extended)
//   unplug / plug           the keyboard leaves / arrives (as the main dialog
//                           handles WM_DEVICECHANGE)
//   suspend                 RemapSuspended = 1 alone
//   switch:2                ActiveProfile = 2
//   set:81=88,89            a commit that changes one entry
//   load:81=88              a commit that replaces the whole map in force
// A switch or a commit changes the main window's model and hands its maps to
// the engine whole (KeyMaps::ReplaceProfileMaps), as the main dialog does.
//   hook?                   appends [hook] or [nohook]
class Scenario {
  public:
    Scenario() {
        *model_.ProfileMap(1) = {{81, {87}}, {75, {17, 67}}, {71, {}}, {108, {65}}};
        *model_.ProfileMap(2) = {{81, {69}}, {75, {75}}, {65, {66}}, {71, {72}}};
        maps_.ReplaceProfileMaps(model_);
        Plug();
    }

    std::string Run(const std::string& script) {
        g_downInSystem.reset();
        std::istringstream in(script);
        std::string tok;
        while (in >> tok) {
            Step(tok);
        }
        return client_;
    }

  private:
    void Step(const std::string& tok) {
        if (tok == "unplug") {
            if (lifetime_.RequestRemove(maps_.held) == HookLifetime::Action::Remove) {
                lifetime_.Removed(maps_.held);
            }
            maps_.remapSuspended = 1;
        } else if (tok == "plug") {
            Plug();
        } else if (tok == "suspend") {
            maps_.remapSuspended = 1;
        } else if (tok == "hook?") {
            Emit(lifetime_.IsInstalled() ? "[hook]" : "[nohook]");
        } else if (tok.starts_with("switch:")) {
            model_.activeProfile = std::stoi(tok.substr(7));
            maps_.ReplaceProfileMaps(model_);
        } else if (tok.starts_with("set:")) {
            const auto [key, seq] = Mapping(tok.substr(4));
            (*model_.ProfileMap(model_.activeProfile))[key] = seq;
            maps_.ReplaceProfileMaps(model_);
        } else if (tok.starts_with("load:")) {
            const auto [key, seq] = Mapping(tok.substr(5));
            *model_.ProfileMap(model_.activeProfile) = ProfileKeyMap{{key, seq}};
            maps_.ReplaceProfileMaps(model_);
        } else {
            Key(tok);
        }
    }

    void Plug() {
        if (lifetime_.RequestInstall() == HookLifetime::Action::Install) {
            lifetime_.Installed();
        }
        maps_.remapSuspended = 0;
    }

    void Key(const std::string& tok) {
        const bool up = tok.starts_with("up:");
        const bool ext = tok.back() == 'x';
        int vk = std::stoi(tok.substr(3));
        const unsigned flags = (up ? kFlagUp : 0u) | (ext ? kFlagExtended : 0u);
        if (!lifetime_.IsInstalled()) {
            Deliver(vk, up, ext);
            return;
        }
        OutputQueue queue;
        const Verdict v = RemapKeyEvent(maps_, lifetime_.Mode(), vk, flags, 1, queue, DownInSystem);
        if (v == Verdict::Pass) {
            Deliver(vk, up, ext);
        }
        for (int e : queue) {
            Deliver(e & kCodeMask, (e & kReleaseBit) != 0, false);
        }
        if (lifetime_.AfterEvent(maps_) == HookLifetime::Action::Remove) {
            lifetime_.Removed(maps_.held);
        }
    }

    void Deliver(int vk, bool up, bool ext) {
        g_downInSystem[vk & 0xFF] = !up;
        Emit((up ? "up:" : "dn:") + std::to_string(vk) + (ext ? "x" : ""));
    }

    void Emit(const std::string& s) { client_ += (client_.empty() ? "" : " ") + s; }

    static std::pair<int, KeySequence> Mapping(const std::string& text) {
        const size_t eq = text.find('=');
        KeySequence seq;
        std::istringstream codes(text.substr(eq + 1));
        std::string code;
        while (std::getline(codes, code, ',')) {
            seq.push_back(std::stoi(code));
        }
        return {std::stoi(text.substr(0, eq)), seq};
    }

    ProfileMaps model_; // the main window's
    KeyMaps maps_;      // the engine's
    HookLifetime lifetime_;
    std::string client_;
};

// Profile 1: Q (81) -> W (87), K (75) -> Ctrl+C, G (71) -> nothing, keypad
// Enter (108) -> A. Profile 2: Q -> E (69), K itself, A (65) -> B, G -> H.
TEST(KeyRelease, FollowsItsPress) {
    const struct {
        const char* script;
        const char* client;
    } cases[] = {
        {"dn:81 up:81", "dn:87 up:87"},
        {"dn:81 dn:81 dn:81 up:81", "dn:87 up:87"}, // auto-repeat swallowed, nothing queued
        {"up:81", "up:81"},                         // a release the hook never saw pressed
        // A profile switch under a held key: the press's map decides.
        {"dn:81 switch:2 up:81 dn:81 up:81", "dn:87 up:87 dn:69 up:69"},
        {"dn:75 switch:2 up:75", "dn:17 dn:67 up:17 up:67"},
        {"dn:71 switch:2 up:71", ""},
        {"dn:65 switch:2 up:65 dn:65 up:65", "dn:65 up:65 dn:66 up:66"},
        {"switch:2 dn:75 switch:1 up:75", "dn:75 up:75"},
        // A commit under a held key, in place or replacing the map.
        {"dn:81 set:81=88,89 up:81 dn:81 up:81", "dn:87 up:87 dn:88 dn:89 up:88 up:89"},
        {"dn:75 load:75=88 up:75 dn:75 up:75", "dn:17 dn:67 up:17 up:67 dn:88 up:88"},
        {"dn:71 set:71=72 up:71", ""},
        {"dn:65 set:65=66 up:65", "dn:65 up:65"},
        // Unplugged under a held key: the hook stays until its release.
        {"dn:81 unplug hook? up:81 hook?", "[hook] dn:87 up:87 [nohook]"},
        {"dn:81 unplug dn:81 dn:65 up:65 dn:75 up:75 up:81", "dn:65 up:65 dn:75 up:75 dn:87 up:87"},
        {"dn:75 unplug up:75", "dn:17 dn:67 up:17 up:67"},
        {"dn:71 unplug hook? up:71 hook?", "[hook] [nohook]"},
        {"dn:65 unplug hook? up:65", "dn:65 [nohook] up:65"},
        {"dn:13x unplug up:13x", "dn:65 up:65"},
        {"dn:81 suspend hook? up:81 hook?", "[hook] dn:87 up:87 [nohook]"},
        // A key pressed while the hook passes everything is passed to its end.
        {"dn:81 dn:75 unplug up:81 dn:65 plug dn:65 up:65 up:75",
         "dn:87 up:87 dn:65 dn:65 up:65 dn:17 dn:67 up:17 up:67"},
        {"dn:81 unplug dn:75 plug up:81 dn:75 up:75", "dn:75 dn:87 up:87 dn:75 up:75"},
        // Replugged under a held key: the same hook, one output.
        {"dn:81 unplug plug unplug plug unplug plug hook? up:81 dn:81 up:81",
         "[hook] dn:87 up:87 dn:87 up:87"},
        {"dn:81 unplug plug unplug up:81 hook?", "dn:87 up:87 [nohook]"},
        // Pressed with no hook, released with the hook back: the application
        // gets the key itself, its auto-repeat included, and no macro.
        {"unplug dn:75 plug up:75", "dn:75 up:75"},
        {"unplug dn:75 plug dn:75 dn:75 up:75 dn:75 up:75",
         "dn:75 dn:75 dn:75 up:75 dn:17 dn:67 up:17 up:67"},
    };
    for (const auto& c : cases) {
        Scenario s;
        EXPECT_EQ(s.Run(c.script), c.client) << c.script;
    }
}

TEST(KeyRelease, OnlyASwallowedReleaseAsksForOutput) {
    KeyMaps maps;
    maps.remapSuspended = 0;
    *maps.ProfileMap(1) = {{65, {66}}};
    int vk = 65;
    EXPECT_EQ(DecideRemap(maps, HookMode::Remap, vk, 0).output, nullptr);
    vk = 66;
    EXPECT_EQ(DecideRemap(maps, HookMode::Remap, vk, kFlagUp).output, nullptr);
    vk = 65;
    const RemapDecision d = DecideRemap(maps, HookMode::Remap, vk, kFlagUp);
    ASSERT_NE(d.output, nullptr);
    EXPECT_EQ(*d.output, KeySequence{66});
    EXPECT_EQ(maps.held.SwallowedCount(), 0);
}

// The held sequence survives whatever replaces the map it came from, and a
// copy of the maps owns its own.
TEST(HeldKeys, PinnedSequencesOutliveTheirMap) {
    KeyMaps maps;
    maps.remapSuspended = 0;
    *maps.ProfileMap(1) = {{65, {66, 67}}};
    int vk = 65;
    DecideRemap(maps, HookMode::Remap, vk, 0);
    KeyMaps copy = maps;
    *maps.ProfileMap(1) = {};
    maps.ProfileMap(1)->clear();
    EXPECT_EQ(*maps.held.Output(65), (KeySequence{66, 67}));
    copy.ProfileMap(1)->clear();
    vk = 65;
    const RemapDecision d = DecideRemap(copy, HookMode::Remap, vk, kFlagUp);
    ASSERT_NE(d.output, nullptr);
    EXPECT_EQ(*d.output, (KeySequence{66, 67}));
    EXPECT_EQ(copy.held.SwallowedCount(), 0);
    EXPECT_EQ(maps.held.SwallowedCount(), 1);
}

} // namespace
} // namespace orvane
