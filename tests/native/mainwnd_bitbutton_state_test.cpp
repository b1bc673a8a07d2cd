// The skinned button's state machine: mouse events in, state, latched and
// the face drawn out.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "skin/BitButtonState.h"

namespace orvane {
namespace {

// Runs space-separated events on `b`: move (tracking granted), move! (the
// tracking request failed), hover, leave, down, up (over the button),
// upout (released elsewhere), latch (SetLatched), stop (the owner sets 2).
void Play(BitButtonState& b, const std::string& script) {
    std::istringstream events(script);
    std::string e;
    while (events >> e) {
        if (e == "move" || e == "move!") {
            if (b.WantsTracking())
                b.OnTrackRequested(e == "move");
        } else if (e == "hover") {
            b.OnMouseHover();
        } else if (e == "leave") {
            b.OnMouseLeave();
        } else if (e == "down") {
            b.OnButtonDown();
        } else if (e == "up" || e == "upout") {
            b.OnButtonUp(e == "up");
        } else if (e == "latch") {
            b.SetLatched();
        } else if (e == "stop") {
            b.state = BitButtonState::kNoTracking;
        } else {
            ADD_FAILURE() << "unknown event " << e;
        }
    }
}

const char* Name(ButtonFace f) {
    switch (f) {
    case ButtonFace::Normal:
        return "normal";
    case ButtonFace::Over:
        return "over";
    case ButtonFace::Down:
        return "down";
    case ButtonFace::Disabled:
        return "disabled";
    }
    return "?";
}

TEST(BitButtonState, EventsToStateLatchAndFace) {
    struct Case {
        int latching;
        const char* script;
        int state, latched;
        const char* face;
    };
    const Case cases[] = {
        // An ordinary button.
        {0, "", 3, 0, "normal"},
        {0, "move", 1, 0, "down"}, // before the hover notice; no repaint follows the move
        {0, "move!", 0, 0, "over"},
        {0, "move hover", 0, 0, "over"},
        {0, "move hover leave", 3, 0, "normal"},
        {0, "move hover down", 1, 1, "down"},
        {0, "move hover down up", 1, 1, "down"}, // kept until the mouse moves or leaves
        {0, "move hover down up move hover", 0, 1, "over"},
        {0, "move hover down up leave", 3, 1, "normal"}, // latched is ignored
        {0, "move hover down upout", 3, 0, "normal"},
        {0, "latch", 3, 1, "normal"},
        {0, "stop", 2, 0, "normal"},
        {0, "stop move move!", 2, 0, "normal"}, // no tracking while 2
        // A latching button.
        {1, "latch", 3, 1, "down"},
        {1, "move", 1, 0, "normal"},
        {1, "move hover down", 1, 1, "down"},
        {1, "move hover down up leave", 3, 1, "down"},
        {1, "move hover down up move hover", 0, 1, "over"},
        {1, "latch move", 1, 1, "down"},
        // A release elsewhere runs no command: the latch is as before the press.
        {1, "latch down upout", 3, 1, "down"},
        {1, "latch down upout leave", 3, 1, "down"},
        {1, "down upout", 3, 0, "normal"},
        {1, "latch upout", 3, 1, "down"}, // no press here (a double click's second)
        {1, "down up upout", 3, 1, "down"},
        {1, "latch stop", 2, 1, "down"},
        {1, "stop", 2, 0, "normal"},
        {1, "latch hover", 0, 1, "over"},
    };
    for (const Case& c : cases) {
        BitButtonState b;
        b.latching = c.latching;
        Play(b, c.script);
        SCOPED_TRACE(std::string("latching ") + std::to_string(c.latching) + ": " + c.script);
        EXPECT_EQ(b.state, c.state);
        EXPECT_EQ(b.latched, c.latched);
        EXPECT_STREQ(Name(b.Face(false)), c.face);
    }
}

TEST(BitButtonState, DisabledWinsAndOddOwnerValuesStillDrawAFace) {
    for (int latching : {0, 1, 7})
        for (int state : {0, 1, 2, 3, -1, 9})
            for (int latched : {0, 1}) {
                BitButtonState b;
                b.latching = latching;
                b.state = state;
                b.latched = latched;
                EXPECT_EQ(b.Face(true), ButtonFace::Disabled);
                // A state the class never produces draws the resting face.
                if (state != 0 && state != 1) {
                    bool down = latching == 1 && latched;
                    EXPECT_EQ(b.Face(false), down ? ButtonFace::Down : ButtonFace::Normal)
                        << latching << " " << state << " " << latched;
                }
            }
}

} // namespace
} // namespace orvane
