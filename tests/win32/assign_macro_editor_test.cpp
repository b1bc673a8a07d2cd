// The macro editor of the key-assignment dialog under Wine, on a dialog built
// in memory that holds only the macro controls, driven by messages the way
// the capture hook and the user would drive it.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "assign/CaptureEvent.h"
#include "assign/MacroEditor.w32.h"
#include "win/Dialog.h"

namespace orvane {
namespace {

// A DLGTEMPLATE in memory with the macro controls at their template ids.
// The dialog stays hidden unless a test shows it.
class MacroTemplate {
  public:
    MacroTemplate() {
        const int buttons[] = {1017, 1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026};
        Add<DWORD>(WS_POPUP | DS_SETFONT);
        Add<DWORD>(0);
        Add<WORD>(static_cast<WORD>(std::size(buttons) + 2));
        Add<short>(0), Add<short>(0), Add<short>(300), Add<short>(200);
        Add<WORD>(0), Add<WORD>(0);
        AddText(L"");
        Add<WORD>(8);
        AddText(L"MS Shell Dlg");
        short x = 5;
        for (int id : buttons) {
            Item(WS_TABSTOP | BS_PUSHBUTTON, x, 180, 30, 14, id, 0x0080, L"b");
            x += 32;
        }
        Item(CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 5, 5, 120, 80, 1130, 0x0085,
             L"");
        Item(LVS_REPORT | LVS_SINGLESEL | WS_BORDER, 5, 25, 200, 150, 1131, 0, L"");
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    template <typename T> void Add(T v) {
        const auto* p = reinterpret_cast<const WORD*>(&v);
        words_.insert(words_.end(), p, p + sizeof(T) / 2);
    }
    void AddText(const wchar_t* text) {
        for (; *text; ++text)
            words_.push_back(static_cast<WORD>(*text));
        words_.push_back(0);
    }
    // classAtom 0: the list view, by class name.
    void Item(DWORD style, short x, short y, short cx, short cy, int id, WORD classAtom,
              const wchar_t* text) {
        if (words_.size() % 2)
            words_.push_back(0);
        Add<DWORD>(WS_CHILD | WS_VISIBLE | style);
        Add<DWORD>(0);
        Add<short>(x), Add<short>(y), Add<short>(cx), Add<short>(cy);
        Add<WORD>(static_cast<WORD>(id));
        if (classAtom)
            Add<WORD>(0xFFFF), Add<WORD>(classAtom);
        else
            AddText(WC_LISTVIEWW);
        AddText(text);
        Add<WORD>(0);
    }
    std::vector<WORD> words_;
};

struct Prompt {
    std::wstring text;
    std::wstring caption;
    UINT type;
    bool hookIn; // the capture hook was installed while the box showed
};

// The capture hook's message for one key event.
LPARAM Packed(int vk, int scan, int flags, bool down) {
    HookKeyEvent e;
    e.vkCode = vk;
    e.scanCode = scan;
    e.flags = flags | (down ? 0 : LLKHF_UP);
    return static_cast<LPARAM>(PackHookKeyEvent(e));
}

// Counts the messages a control gets, by subclassing it.
class MessageCounter {
  public:
    explicit MessageCounter(HWND control) : control_(control) {
        SetPropW(control, L"counter", this);
        old_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~MessageCounter() {
        SetWindowLongPtrW(control_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old_));
        RemovePropW(control_, L"counter");
    }
    std::map<UINT, int> counts;
    int insertsWithRedraw = 0; // LVM_INSERTITEMW while the control draws

  private:
    static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = static_cast<MessageCounter*>(GetPropW(w, L"counter"));
        ++self->counts[msg];
        if (msg == WM_SETREDRAW)
            self->redraw_ = wp != FALSE;
        if (msg == LVM_INSERTITEMW && self->redraw_)
            ++self->insertsWithRedraw;
        return CallWindowProcW(self->old_, w, msg, wp, lp);
    }
    HWND control_;
    WNDPROC old_ = nullptr;
    bool redraw_ = true;
};

// The dialog around the editor: lets the editor register with its routing
// and forwards the hook's events as CSetCongfig does, runs a script inside
// its modal loop, then ends.
class EditorDialog : public win::Dialog {
  public:
    EditorDialog(const DLGTEMPLATE* t, AssignExchange& exchange)
        : Dialog(t, nullptr), editor(exchange, MakeHost()) {
        editor.RegisterWith(*this);
    }

    MacroEditor editor;
    std::function<void(EditorDialog&)> script;
    std::vector<Prompt> prompts;
    int answer = IDOK;
    int hookInstalls = 0, hookRemovals = 0, okCount = 0;
    std::vector<bool> recordShown; // each showRecording call
    bool HookIn() const { return hookInstalls > hookRemovals; }

    HWND Item(int id) const { return GetDlgItem(Hwnd(), id); }
    void Click(int id) {
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Item(id)));
    }
    // As the capture hook hands an event over (it posts; sent here so the
    // event is in when Key returns).
    void Key(int vk, int scan, int flags, bool down) {
        SendMessageW(Hwnd(), WM_USER + 102, down ? WM_KEYDOWN : WM_KEYUP,
                     Packed(vk, scan, flags, down));
    }
    // Runs what is queued for the dialog as its modal loop does.
    void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageW(Hwnd(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    HWND ComboEdit() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Item(1130), &info);
        return info.hwndItem;
    }
    // Typing into the combo's edit field (the combo reports CBN_EDITCHANGE).
    void Type(const std::wstring& text) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(Item(1130), &info);
        SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
        SendMessageW(info.hwndItem, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void SelectMacro(int index) {
        SendMessageW(Item(1130), CB_SETCURSEL, index, 0);
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(1130, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(1130)));
    }
    void KillComboFocus() {
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(1130, CBN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(Item(1130)));
    }
    std::vector<std::wstring> Rows() const {
        std::vector<std::wstring> rows;
        HWND list = Item(1131);
        const int n = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            std::wstring row;
            for (int col = 0; col < 2; ++col) {
                wchar_t text[64] = {};
                LVITEMW item{};
                item.iSubItem = col;
                item.pszText = text;
                item.cchTextMax = 64;
                SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
                row += (col ? L" " : L"") + std::wstring(text);
            }
            rows.push_back(row);
        }
        return rows;
    }
    int SelectedRow() const {
        return static_cast<int>(
            SendMessageW(Item(1131), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    void SelectRow(int row) {
        LVITEMW state{};
        state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(Item(1131), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
    }
    std::vector<std::wstring> ComboItems() const {
        std::vector<std::wstring> items;
        const int n = static_cast<int>(SendMessageW(Item(1130), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < n; ++i) {
            wchar_t text[512] = {};
            SendMessageW(Item(1130), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    bool EventButtonsEnabled() const {
        for (int id : {1020, 1021, 1022, 1023, 1024, 1025, 1026})
            if (!IsWindowEnabled(Item(id)))
                return false;
        return true;
    }

  protected:
    BOOL OnInitDialog() override {
        editor.Open(Hwnd());
        editor.Refill();
        editor.LoadEventList();
        PostMessageW(Hwnd(), WM_APP, 0, 0);
        return Dialog::OnInitDialog();
    }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        switch (msg) {
        case WM_APP:
            if (script)
                script(*this);
            EndDialog(IDOK);
            result = 0;
            return true;
        case WM_USER + 102:
            if (auto event = UnpackHookKeyEvent(wp, static_cast<std::uint64_t>(lp)))
                editor.OnRecordEvent(*event);
            result = 0;
            return true;
        }
        return Dialog::OnMessage(msg, wp, lp, result);
    }
    // As CSetCongfig's OK: Enter during a rename ends the rename.
    void OnOK() override {
        if (editor.EndRenameOnEnter())
            return;
        ++okCount;
    }

  private:
    MacroEditorHost MakeHost() {
        MacroEditorHost host;
        host.installCaptureHook = [this] { ++hookInstalls; };
        host.removeCaptureHook = [this] { ++hookRemovals; };
        host.showRecording = [this](bool on) { recordShown.push_back(on); };
        host.messageBox = [this](HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
            prompts.push_back({text, caption, type, HookIn()});
            return answer;
        };
        return host;
    }
};

void SetNumLock(bool on) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_NUMLOCK] = on ? 1 : 0;
    SetKeyboardState(keys);
}

class MacroEditorTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&icc);
    }
    void SetUp() override { SetNumLock(true); }

    // Runs the script in an opened dialog; the exchange keeps the result.
    void Run(const std::function<void(EditorDialog&)>& script) { RunWith(dialog_, script); }
    void RunWith(EditorDialog& dialog, const std::function<void(EditorDialog&)>& script) {
        dialog.script = script;
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }

    MacroTemplate template_;
    AssignExchange exchange_;
    EditorDialog dialog_{template_.Get(), exchange_};
};

// Key events with their scan codes as a US keyboard reports them.
constexpr int kShift = VK_SHIFT, kShiftScan = 0x2A, kA = 'A', kAScan = 0x1E;

TEST_F(MacroEditorTest, RecordsShiftAAsFourRowsAndTheLibraryFollows) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        d.Click(1020);
        d.Key(kShift, kShiftScan, 0, true);
        d.Key(kA, kAScan, 0, true);
        d.Key(kA, kAScan, 0, true); // auto-repeat of the held key
        d.Key(kA, kAScan, 0, false);
        d.Key(kShift, kShiftScan, 0, false);
        d.Click(1020);
        EXPECT_EQ(d.Rows(),
                  (std::vector<std::wstring>{L"Shift down", L"A down", L"A up", L"Shift up"}));
    });
    const MacroEventList expected = {kShiftScan << 16,
                                     kShift,
                                     1,
                                     kAScan << 16,
                                     kA,
                                     1,
                                     (kAScan << 16) + (0x80 << 24),
                                     kA,
                                     0,
                                     (kShiftScan << 16) + (0x80 << 24),
                                     kShift,
                                     0};
    EXPECT_EQ(exchange_.macroEventLists[0], expected);
    EXPECT_EQ(MacroKeySequence(exchange_.macroEventLists[0]), (KeySequence{kShift, kA}));
    // The list shows the library again at the next opening.
    Run([](EditorDialog& d) { EXPECT_EQ(d.Rows().size(), 4u); });
}

TEST_F(MacroEditorTest, RecordingNormalisesTheCodeTheHookReports) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        d.Click(1020);
        // Keypad Enter (Enter with the extended flag) and keypad 4 with
        // NumLock off (Left without the extended flag).
        d.Key(VK_RETURN, 0x1C, LLKHF_EXTENDED, true);
        d.Key(VK_RETURN, 0x1C, LLKHF_EXTENDED, false);
        d.Key(VK_LEFT, 0x4B, 0, true);
        d.Key(VK_LEFT, 0x4B, LLKHF_EXTENDED, false);
        d.Click(1020);
    });
    const MacroEventList& events = exchange_.macroEventLists[0];
    ASSERT_EQ(events.size(), 12u);
    EXPECT_EQ(events[1], 108);
    EXPECT_EQ(events[4], 108);
    EXPECT_EQ(events[7], 100);
    EXPECT_EQ(events[10], 37);
}

TEST_F(MacroEditorTest, RecordTogglesTheHookTheLibraryControlsAndWarnsWithoutNumLock) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    for (bool numLock : {true, false}) {
        SCOPED_TRACE(numLock ? "NumLock on" : "NumLock off");
        dialog_.prompts.clear();
        dialog_.recordShown.clear();
        dialog_.hookInstalls = dialog_.hookRemovals = 0;
        Run([numLock](EditorDialog& d) {
            SetNumLock(numLock);
            d.Click(1020);
            EXPECT_TRUE(d.editor.IsRecording());
            EXPECT_EQ(d.hookInstalls, 1);
            for (int id : {1017, 1018, 1130})
                EXPECT_FALSE(IsWindowEnabled(d.Item(id))) << id;
            // A quick second click arrives as a double click.
            SendMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(1020, BN_DOUBLECLICKED),
                         reinterpret_cast<LPARAM>(d.Item(1020)));
            EXPECT_FALSE(d.editor.IsRecording());
            EXPECT_EQ(d.hookRemovals, 1);
            EXPECT_EQ(d.recordShown, (std::vector<bool>{true, false})) << "Record's face";
            for (int id : {1017, 1018, 1130})
                EXPECT_TRUE(IsWindowEnabled(d.Item(id))) << id;
        });
        if (numLock) {
            EXPECT_TRUE(dialog_.prompts.empty());
        } else {
            ASSERT_EQ(dialog_.prompts.size(), 2u); // at start and at stop
            for (const Prompt& p : dialog_.prompts) {
                EXPECT_EQ(p.text, L"Keypad not locked");
                EXPECT_EQ(p.caption, L"");
                EXPECT_EQ(p.type, static_cast<UINT>(MB_OK));
                // A box shown with the hook in could not be answered from
                // the keyboard, and every key would go into the macro.
                EXPECT_FALSE(p.hookIn);
            }
        }
    }
}

TEST_F(MacroEditorTest, DeleteEventSelectsTheFollowingRowAndMovesStopAtTheEnds) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        d.Click(1020);
        for (int vk : {'A', 'B', 'C'}) {
            d.Key(vk, vk == 'A' ? 0x1E : vk == 'B' ? 0x30 : 0x2E, 0, true);
            d.Key(vk, vk == 'A' ? 0x1E : vk == 'B' ? 0x30 : 0x2E, 0, false);
        }
        d.Click(1020);
        const struct {
            int from;
            int command;
            int expected;
        } moves[] = {{2, 1023, 0}, {3, 1026, 5}, {0, 1024, 0},
                     {5, 1025, 5}, {2, 1024, 1}, {2, 1025, 3}};
        for (const auto& m : moves) {
            d.SelectRow(m.from);
            d.Click(m.command);
            EXPECT_EQ(d.SelectedRow(), m.expected) << m.from << " " << m.command;
        }
        d.SelectRow(2); // B down
        d.Click(1021);
        EXPECT_EQ(d.Rows(),
                  (std::vector<std::wstring>{L"A down", L"A up", L"B up", L"C down", L"C up"}));
        EXPECT_EQ(d.SelectedRow(), 2);
        d.SelectRow(4); // the last row: nothing follows it
        d.Click(1021);
        EXPECT_EQ(d.Rows().size(), 4u);
        EXPECT_EQ(d.SelectedRow(), -1);
        d.Click(1021); // no selected row: nothing happens
        EXPECT_EQ(d.Rows().size(), 4u);
    });
    EXPECT_EQ(MacroKeySequence(exchange_.macroEventLists[0]), (KeySequence{'A', 'C'}));
    EXPECT_EQ(exchange_.macroEventLists[0].size(), 12u);
    Run([](EditorDialog& d) {
        d.Click(1022);
        EXPECT_TRUE(d.Rows().empty());
    });
    EXPECT_TRUE(exchange_.macroEventLists[0].empty());
}

TEST_F(MacroEditorTest, AddNumbersNamesForTheWholeRunAndSelectsTheNewMacro) {
    exchange_.macroNames = {L"define0"};
    exchange_.macroEventLists = {{30 << 16, 'A', 1}};
    Run([](EditorDialog& d) {
        d.Click(1017);
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"define0", L"define0"}));
        EXPECT_EQ(d.editor.SelectedMacro(), 1);
        EXPECT_TRUE(d.Rows().empty());
        d.SelectMacro(0);
        EXPECT_EQ(d.Rows().size(), 1u);
        d.SelectMacro(1);
        d.Click(1018);
    });
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"define0"}));
    Run([](EditorDialog& d) { d.Click(1017); }); // a later opening goes on counting
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"define0", L"define1"}));
    EXPECT_EQ(exchange_.macroEventLists.size(), 2u);
    EXPECT_EQ(exchange_.editMacro, 1);
}

TEST_F(MacroEditorTest, DeletingAMacroAsksForBoundKeysAndKeepsTheOthersPointingRight) {
    const MacroNames names = {L"one", L"two", L"three"};
    const MacroEventLists lists = {{1}, {2}, {3}};
    const MacroAssignments bound = {{'X', 0}, {'Y', 1}, {'Z', 2}};
    exchange_.macroNames = names;
    exchange_.macroEventLists = lists;
    exchange_.macroAssignments = bound;
    exchange_.editMacro = 1;
    dialog_.answer = IDCANCEL;
    Run([](EditorDialog& d) { d.Click(1018); });
    ASSERT_EQ(dialog_.prompts.size(), 1u);
    EXPECT_EQ(dialog_.prompts[0].text, L"Some key settings are detected pointing to this macro, "
                                       L"and you really need to delete this macro ?");
    EXPECT_EQ(dialog_.prompts[0].caption, L"keyboard");
    EXPECT_EQ(dialog_.prompts[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONEXCLAMATION));
    EXPECT_EQ(exchange_.macroNames, names);
    EXPECT_EQ(exchange_.macroAssignments, bound);

    dialog_.answer = IDOK;
    Run([](EditorDialog& d) {
        d.Click(1018);
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"one", L"three"}));
        EXPECT_EQ(d.editor.SelectedMacro(), 0);
    });
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"one", L"three"}));
    EXPECT_EQ(exchange_.macroEventLists, (MacroEventLists{{1}, {3}}));
    EXPECT_EQ(exchange_.macroAssignments, (MacroAssignments{{'X', 0}, {'Z', 1}}));
    EXPECT_EQ(exchange_.editMacro, 0);

    // No key bound to it: no question. The first of two leaves the new first.
    exchange_.macroAssignments.clear();
    dialog_.prompts.clear();
    Run([](EditorDialog& d) {
        d.SelectMacro(0);
        d.Click(1018);
        EXPECT_EQ(d.editor.SelectedMacro(), 0);
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"three"}));
    });
    EXPECT_TRUE(dialog_.prompts.empty());
}

TEST_F(MacroEditorTest, WithoutASelectedMacroNothingIsTouched) {
    exchange_.macroNames = {L"only"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        d.Click(1018);
        EXPECT_TRUE(d.ComboItems().empty());
        EXPECT_FALSE(d.EventButtonsEnabled());
        // Typing a name into the empty combo enables the event buttons but
        // names no macro: Record stays disabled, and a Record command that
        // arrives anyway records nothing and takes no key of the system.
        d.Type(L"typed");
        for (int id : {1021, 1022, 1023, 1024, 1025, 1026})
            EXPECT_TRUE(IsWindowEnabled(d.Item(id))) << id;
        EXPECT_FALSE(IsWindowEnabled(d.Item(1020)));
        d.Click(1020);
        EXPECT_FALSE(d.editor.IsRecording());
        EXPECT_EQ(d.hookInstalls, 0);
        d.Key(kA, kAScan, 0, true);
        d.Key(kA, kAScan, 0, false);
        d.Click(1020);
        d.Click(1021);
        d.Click(1022);
        d.Click(1018);
        EXPECT_TRUE(d.Rows().empty());
    });
    EXPECT_TRUE(exchange_.macroNames.empty());
    EXPECT_TRUE(exchange_.macroEventLists.empty());

    // A stale macro index from the caller renames nothing and cannot be
    // recorded into; an empty library neither.
    exchange_.macroNames = {L"a"};
    exchange_.macroEventLists = {{}};
    exchange_.editMacro = 5;
    Run([](EditorDialog& d) {
        EXPECT_FALSE(IsWindowEnabled(d.Item(1020)));
        d.Type(L"b");
        EXPECT_FALSE(IsWindowEnabled(d.Item(1020)));
        d.Click(1020);
        EXPECT_FALSE(d.editor.IsRecording());
    });
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"a"}));
    EXPECT_EQ(dialog_.hookInstalls, 0);
    exchange_.macroNames.clear();
    exchange_.macroEventLists.clear();
    exchange_.editMacro = 0;
    Run([](EditorDialog& d) { EXPECT_FALSE(IsWindowEnabled(d.Item(1020))); });
}

TEST_F(MacroEditorTest, TheHooksMessageCarriesACopyPostedFromAnyThreadAndForgeriesAreHarmless) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        // Not recording: nothing is taken, whatever arrives.
        d.Key(kA, kAScan, 0, true);
        SendMessageW(d.Hwnd(), WM_USER + 102, WM_KEYDOWN, static_cast<LPARAM>(0xDEADBEEFDEADBEEF));
        EXPECT_TRUE(d.Rows().empty());
        d.Click(1020);
        // Posted from another thread, as a hook of its own thread would.
        HWND target = d.Hwnd();
        std::thread poster([target] {
            PostMessageW(target, WM_USER + 102, WM_KEYDOWN, Packed(kA, kAScan, 0, true));
            PostMessageW(target, WM_USER + 102, WM_KEYUP, Packed(kA, kAScan, 0, false));
        });
        poster.join();
        d.Pump();
        EXPECT_EQ(d.Rows(), (std::vector<std::wstring>{L"A down", L"A up"}));
        // A forged message with a garbage lParam is only numbers; one that
        // names no key message carries nothing.
        SendMessageW(d.Hwnd(), WM_USER + 102, WM_CHAR, Packed(kA, kAScan, 0, true));
        SendMessageW(d.Hwnd(), WM_USER + 102, WM_KEYUP, static_cast<LPARAM>(-1));
        EXPECT_EQ(d.Rows().size(), 3u);
        d.Click(1020);
    });
}

TEST_F(MacroEditorTest, StopRecordingEndsItWholeAndEventsAfterItAreDropped) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        d.Click(1020);
        d.Key(kA, kAScan, 0, true);
        d.editor.StopRecording(); // the dialog leaves macro mode
        EXPECT_FALSE(d.editor.IsRecording());
        EXPECT_FALSE(d.HookIn());
        EXPECT_EQ(d.recordShown, (std::vector<bool>{true, false}));
        for (int id : {1017, 1018, 1130})
            EXPECT_TRUE(IsWindowEnabled(d.Item(id))) << id;
        d.Key(kA, kAScan, 0, false); // queued before the stop, read after it
        EXPECT_EQ(d.Rows(), (std::vector<std::wstring>{L"A down"}));
        d.editor.StopRecording(); // nothing more to stop
        EXPECT_EQ(d.hookRemovals, 1);
        d.Click(1020); // a new recording starts cleanly
        EXPECT_TRUE(d.editor.IsRecording());
        d.Click(1020);
    });
}

TEST_F(MacroEditorTest, ALongMacroGoesInWithRedrawOffAndTheComboRefillsOnlyOnChange) {
    MacroEventList forty;
    for (int i = 0; i < 20; ++i)
        forty.insert(forty.end(), {kAScan << 16, kA, 1, (kAScan << 16) + (0x80 << 24), kA, 0});
    exchange_.macroNames = {L"short", L"long"};
    exchange_.macroEventLists = {{}, forty};
    Run([](EditorDialog& d) {
        MessageCounter list(d.Item(1131)), combo(d.Item(1130));
        d.SelectMacro(1);
        EXPECT_EQ(d.Rows().size(), 40u);
        EXPECT_EQ(list.counts[LVM_INSERTITEMW], 40);
        EXPECT_EQ(list.insertsWithRedraw, 0) << "each row drawn as it went in";
        EXPECT_NE(GetWindowLongPtrW(d.Item(1131), GWL_STYLE) & WS_VISIBLE, 0) << "redraw back on";
        // Focus leaving the combo with nothing renamed: no refill.
        for (int i = 0; i < 3; ++i)
            d.KillComboFocus();
        EXPECT_EQ(combo.counts[CB_RESETCONTENT], 0);
        EXPECT_EQ(combo.counts[CB_ADDSTRING], 0);
        d.Type(L"renamed");
        d.KillComboFocus();
        d.KillComboFocus();
        EXPECT_EQ(combo.counts[CB_RESETCONTENT], 1);
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"short", L"renamed"}));
        EXPECT_EQ(d.editor.SelectedMacro(), 1);
    });
}

TEST_F(MacroEditorTest, ANewlyRecordedRowIsScrolledIntoView) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{}};
    Run([](EditorDialog& d) {
        HWND list = d.Item(1131);
        const int perPage = static_cast<int>(SendMessageW(list, LVM_GETCOUNTPERPAGE, 0, 0));
        ASSERT_GT(perPage, 0);
        d.Click(1020);
        for (int i = 0; i < perPage + 5; ++i) {
            const int vk = 'A' + i % 26;
            d.Key(vk, static_cast<int>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), 0, true);
            d.Key(vk, static_cast<int>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), 0, false);
        }
        d.Click(1020);
        const int last = static_cast<int>(d.Rows().size()) - 1;
        ASSERT_GT(last, perPage);
        const int top = static_cast<int>(SendMessageW(list, LVM_GETTOPINDEX, 0, 0));
        EXPECT_GE(last, top);
        EXPECT_LT(last, top + perPage) << "the last row is below the list's window";
    });
}

TEST_F(MacroEditorTest, EnterWhileRenamingEndsTheRenameAndLeavesTheDialogOpen) {
    exchange_.macroNames = {L"first", L"second"};
    exchange_.macroEventLists = {{}, {}};
    exchange_.editMacro = 0;
    Run([](EditorDialog& d) {
        SetFocus(d.ComboEdit());
        d.Type(L"new name");
        PostMessageW(d.ComboEdit(), WM_KEYDOWN, VK_RETURN, 1);
        d.Pump();
        EXPECT_EQ(d.okCount, 0) << "Enter closed the dialog with OK";
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"new name", L"second"}));
        EXPECT_EQ(d.editor.SelectedMacro(), 0);
        // With no rename pending, Enter is the dialog's OK again.
        PostMessageW(d.ComboEdit(), WM_KEYDOWN, VK_RETURN, 1);
        d.Pump();
        EXPECT_EQ(d.okCount, 1);
    });
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"new name", L"second"}));
}

TEST_F(MacroEditorTest, TypingRenamesTheMacroInAnyLanguageAndLosingFocusRefills) {
    exchange_.macroNames = {L"first", L"second"};
    exchange_.macroEventLists = {{}, {}};
    exchange_.editMacro = 1;
    const std::wstring longName = std::wstring(300, L'x') + L"\u5B8F\u00E9\U0001F600";
    Run([&longName](EditorDialog& d) {
        d.Type(longName);
        EXPECT_EQ(d.ComboItems()[1], L"second"); // the items wait for the refill
        d.KillComboFocus();
        EXPECT_EQ(d.ComboItems(), (std::vector<std::wstring>{L"first", longName}));
        EXPECT_EQ(d.editor.SelectedMacro(), 1);
    });
    EXPECT_EQ(exchange_.macroNames, (MacroNames{L"first", longName}));
}

// The colour that covers most of a rectangle of the list as drawn.
COLORREF DominantColour(HWND list, const RECT& r) {
    std::map<COLORREF, int> counts;
    HDC dc = GetDC(list);
    for (int y = r.top + 1; y < r.bottom - 1; ++y)
        for (int x = r.left + 2; x < r.right - 2; ++x)
            ++counts[GetPixel(dc, x, y)];
    ReleaseDC(list, dc);
    COLORREF best = CLR_INVALID;
    int most = 0;
    for (auto [colour, n] : counts)
        if (n > most)
            most = n, best = colour;
    return best;
}

TEST_F(MacroEditorTest, TheSelectedRowIsDrawnBlueWithoutTheFocus) {
    exchange_.macroNames = {L"m"};
    exchange_.macroEventLists = {{30 << 16, 'A', 1, 30 << 16, 'A', 0}};
    Run([](EditorDialog& d) {
        ShowWindow(d.Hwnd(), SW_SHOWNORMAL); // hidden in the other tests: closing is faster
        d.SelectRow(1);
        SetFocus(d.Item(1017));
        HWND list = d.Item(1131);
        RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        RECT row0{LVIR_BOUNDS}, row1{LVIR_BOUNDS};
        SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row0));
        SendMessageW(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row1));
        EXPECT_EQ(DominantColour(list, row1), RGB(49, 106, 197));
        EXPECT_EQ(DominantColour(list, row0), RGB(255, 255, 255));
    });
}

} // namespace
} // namespace orvane
