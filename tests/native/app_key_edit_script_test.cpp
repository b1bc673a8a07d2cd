// A whole key edit as a script: a click on a key cell, what the user does in
// the assignment dialog, OK or Cancel, then the engine's verdicts on real key
// events. The edit reaches the model only through FinishKeyEdit, and the
// engine only through the handover of the model's maps, as in the program.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "app/ProfileOps.h"
#include "assign/AssignDecisions.h"
#include "engine_script.h"
#include "storage/ProfileStore.h"
#include "storage_fixtures.h"

namespace orvane {
namespace {

// Tokens:
//   click:N            BeginKeyEdit on key cell N (the dialog opens)
//   capture:VK         the single-key tab, VK pressed while it is in force
//   function:ROW       the function tab, row ROW of the shortcut list
//   macro:M            the macro tab, macro M chosen
//   ok / cancel        the dialog ends; OK applies the edit (FinishKeyEdit)
//                      and hands the maps to the engine
//   d:VK / u:VK        a physical key event through the engine
// Answers the verdicts ("P<vk>" or "S") and the queue of the key events.
class KeyEditScript {
  public:
    KeyEditScript() {
        SeedIdentity(maps_);
        for (int i = 0; i < kCellCount; ++i)
            profiles_.working.keyAssignments[i].setName = cells_[i].name;
        profiles_.working.macroNames = {L"m0"};
        profiles_.working.macroEventLists = {{0, 17, 1, 0, 86, 1, 0, 86, 0, 0, 17, 0}};
        for (ProfileData& p : profiles_.stored)
            p = profiles_.working;
        engine_.ReplaceProfileMaps(maps_);
        engine_.remapSuspended = 0;
    }

    std::string Run(const std::string& script) {
        std::istringstream in(script);
        std::string tok;
        while (in >> tok)
            Step(tok);
        return verdicts_ + " | " + test::FormatQueue(queue_);
    }

    const KeyAssignment& Cell(int cell) const { return profiles_.working.keyAssignments[cell - 1]; }

  private:
    void Step(const std::string& tok) {
        const std::string arg = tok.substr(tok.find(':') + 1);
        if (tok.starts_with("click:")) {
            cell_ = std::stoi(arg);
            ASSERT_TRUE(BeginKeyEdit(model_, cell_, dialog_));
            input_ = OkInput{};
        } else if (tok.starts_with("capture:")) {
            dialog_.editMode = static_cast<int>(AssignmentKind::SingleKey);
            input_.latched = LatchedTab::SingleKey;
            input_.capturedKey = std::stoi(arg);
            input_.keyNameText = L"key" + std::to_wstring(input_.capturedKey);
        } else if (tok.starts_with("function:")) {
            dialog_.editMode = static_cast<int>(AssignmentKind::FunctionShortcut);
            input_.latched = LatchedTab::Function;
            input_.functionSelection = std::stoi(arg);
            input_.functionText =
                std::wstring(FunctionShortcutTable[input_.functionSelection].text);
        } else if (tok.starts_with("macro:")) {
            dialog_.editMode = static_cast<int>(AssignmentKind::Macro);
            dialog_.editMacro = std::stoi(arg);
            input_.latched = LatchedTab::Macro;
            input_.macroText = dialog_.macroNames[dialog_.editMacro];
        } else if (tok == "ok") {
            CommitAssignment(input_, media_, dialog_);
            FinishKeyEdit(model_, cell_, dialog_);
            engine_.ReplaceProfileMaps(maps_);
        } else if (tok == "cancel") {
            // Nothing is taken back.
        } else {
            Key(tok);
        }
    }

    void Key(const std::string& tok) {
        int vk = std::stoi(tok.substr(2));
        const unsigned flags = tok[0] == 'u' ? kFlagUp : 0u;
        const Verdict v = RemapKeyEvent(engine_, HookMode::Remap, vk, flags, 1, queue_);
        verdicts_ += (verdicts_.empty() ? "" : " ") +
                     (v == Verdict::Pass ? "P" + std::to_string(vk) : std::string("S"));
    }

    KeyButtons cells_ = fixture::TestButtons(); // key cell n has code 9 + n
    MediaKeyNames media_ = fixture::TestMediaNames(cells_);
    ProfileMaps maps_;
    Profiles profiles_;
    int modified_ = 0;
    MainModel model_{maps_, profiles_, cells_, modified_};
    KeyMaps engine_;
    AssignExchange dialog_;
    OkInput input_;
    int cell_ = 0;
    OutputQueue queue_;
    std::string verdicts_;
};

TEST(KeyEditScript, AnEditReachesTheHookThroughTheModel) {
    struct Case {
        const char* script;
        const char* want;
    } cases[] = {
        // Cell 3 is key 12.
        {"click:3 capture:81 ok d:12 u:12", "S S | dn:81 up:81"},
        {"click:3 capture:81 cancel d:12 u:12", "P12 P12 | "},
        {"click:3 function:4 ok d:12 u:12", "S S | dn:17 dn:67 up:17 up:67"},
        {"click:3 macro:0 ok d:12 u:12", "S S | dn:17 dn:86 up:17 up:86"},
        // An edit back to the key itself passes it again.
        {"click:3 capture:81 ok click:3 capture:12 ok d:12 u:12", "P12 P12 | "},
        // A key held across an edit of itself ends as it was pressed.
        {"click:3 capture:81 ok d:12 click:3 capture:87 ok u:12 d:12 u:12",
         "S S S S | dn:81 up:81 dn:87 up:87"},
        // Another key's edit leaves this one alone.
        {"click:4 capture:81 ok d:12 u:12 d:13 u:13", "P12 P12 S S | dn:81 up:81"},
    };
    for (const Case& c : cases) {
        KeyEditScript s;
        EXPECT_EQ(s.Run(c.script), c.want) << c.script;
    }
}

TEST(KeyEditScript, OkNamesTheCellAndCancelLeavesIt) {
    KeyEditScript ok;
    ok.Run("click:3 capture:81 ok");
    EXPECT_EQ(ok.Cell(3), (KeyAssignment{L"key81", 0, 0}));
    KeyEditScript cancelled;
    cancelled.Run("click:3 capture:81 cancel");
    EXPECT_EQ(cancelled.Cell(3), (KeyAssignment{L"K12", 0, 0}));
}

} // namespace
} // namespace orvane
