// The assignment dialog's state that needs no window: the four mode tabs and
// the mode they stand for, and the capture hook's key event as its message
// carries it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "assign/CaptureEvent.h"
#include "assign/ModeTabs.h"

namespace orvane {
namespace {

// The four tabs as the dialog drives them: a tab's command (a release over
// the pressed tab, Space or Enter) sets the mode and latches its tab.
struct Tabs {
    std::array<BitButtonState, 4> b;
    ModeTabs tabs{{&b[0], &b[1], &b[2], &b[3]}};
    int mode = 0;

    void Command(int m) {
        mode = m;
        tabs.Select(TabOfMode(mode));
    }
    // down<i> press on tab i; up<i> released over it (its command runs);
    // out<i> released elsewhere; key<i> Space or Enter on the focused tab;
    // clear: the Clear button (single key).
    void Play(const std::string& script) {
        std::istringstream in(script);
        for (std::string e; in >> e;) {
            const int i = e.back() - '0';
            if (e.rfind("down", 0) == 0) {
                b[i].OnButtonDown();
            } else if (e.rfind("up", 0) == 0) {
                b[i].OnButtonUp(true);
                Command(i); // BN_CLICKED
            } else if (e.rfind("out", 0) == 0) {
                b[i].OnButtonUp(false);
            } else if (e.rfind("key", 0) == 0) {
                Command(i);
            } else if (e == "clear") {
                Command(0);
            } else {
                ADD_FAILURE() << "unknown event " << e;
            }
        }
    }
    std::string Latched() const {
        std::string s;
        for (int i = 0; i < 4; ++i)
            s += b[i].latched ? '1' : '0';
        return s;
    }
};

TEST(ModeTabs, ExactlyTheTabOfTheModeIsLatchedAfterEverySequence) {
    struct Case {
        int opening; // the mode the dialog opens in
        const char* script;
        int mode;
        const char* latched; // tabs 0..3
    };
    const Case cases[] = {
        {0, "", 0, "1000"},
        {3, "", 3, "0001"},
        {4, "", 4, "0100"}, // the library alone shows the macro tab
        {0, "down1 up1", 1, "0100"},
        {0, "key2", 2, "0010"},
        {0, "key3 key3", 3, "0001"},
        {0, "down2 out2", 0, "1000"}, // no command: nothing changes
        {0, "down0 out0", 0, "1000"}, // the latched tab pressed and released elsewhere
        {2, "down2 out2 down2 out2", 2, "0010"},
        {0, "key1 down1 out1 key3", 3, "0001"},
        {1, "down3 out3 down1 up1", 1, "0100"},
        {3, "clear", 0, "1000"},
        {2, "down1 up1 key2 down0 out0", 2, "0010"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.opening) + ": " + c.script);
        Tabs t;
        t.Command(c.opening);
        t.Play(c.script);
        EXPECT_EQ(t.mode, c.mode);
        EXPECT_EQ(t.Latched(), c.latched);
        EXPECT_EQ(t.tabs.Latched(), TabOfMode(t.mode));
    }
}

TEST(ModeTabs, SelectAnswersWhichLatchesChangedAndLatchedNeedsExactlyOne) {
    std::array<BitButtonState, 4> b;
    ModeTabs tabs{{&b[0], &b[1], &b[2], &b[3]}};
    EXPECT_EQ(tabs.Latched(), LatchedTab::None);
    EXPECT_EQ(tabs.Select(LatchedTab::Multimedia),
              (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(tabs.Select(LatchedTab::Function), (std::array<bool, 4>{false, false, true, true}));
    b[0].latched = 1;
    EXPECT_EQ(tabs.Latched(), LatchedTab::None) << "two latched tabs name no mode";
    EXPECT_EQ(tabs.Select(LatchedTab::None), (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(TabOfMode(7), LatchedTab::None);
}

TEST(CaptureEvent, TheFieldsSurviveTheMessageAndAnyParametersAreSafe) {
    HookKeyEvent e;
    e.vkCode = 254;
    e.scanCode = 0x1E;
    e.flags = 0x81;
    e.time = 0xFFFFFFF0u;
    for (std::uint64_t msg : {kHookKeyDown, kHookSysKeyDown, kHookKeyUp, kHookSysKeyUp}) {
        auto back = UnpackHookKeyEvent(msg, PackHookKeyEvent(e));
        ASSERT_TRUE(back) << msg;
        EXPECT_EQ(back->vkCode, 254);
        EXPECT_EQ(back->scanCode, 0x1E);
        EXPECT_EQ(back->flags, 0x81);
        EXPECT_EQ(back->time, 0xFFFFFFF0u);
        EXPECT_EQ(back->isDown, msg == kHookKeyDown || msg == kHookSysKeyDown);
    }
    // A message that names no key event carries nothing.
    for (std::uint64_t msg : {0ull, 0x102ull, 0x103ull, 0x1FFFF0100ull, ~0ull})
        EXPECT_FALSE(UnpackHookKeyEvent(msg, PackHookKeyEvent(e))) << msg;
    // Any lParam, forged or garbage, is only numbers: each field in its range.
    for (std::uint64_t garbage : {0ull, ~0ull, 0xDEADBEEFCAFEF00Dull}) {
        auto got = UnpackHookKeyEvent(kHookKeyDown, garbage);
        ASSERT_TRUE(got);
        EXPECT_GE(got->vkCode, 0);
        EXPECT_LE(got->vkCode, 255);
        EXPECT_LE(got->scanCode, 0xFFFF);
        EXPECT_LE(got->flags, 0xFF);
        // Recording it touches nothing outside the lists.
        AssignExchange library;
        library.macroNames = {L"m"};
        library.macroEventLists = {{}};
        KeyDownState state;
        RecordMacroEvent(library, 0, state, *got);
        EXPECT_LE(library.macroEventLists[0].size(), 3u);
    }
}

} // namespace
} // namespace orvane
