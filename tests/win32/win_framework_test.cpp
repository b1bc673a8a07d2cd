// The framework layer under Wine: message routing of modal dialogs (from
// creation on, nested, run again), reflection to owner-drawn buttons, the
// handle owners and the string helpers.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/DialogTemplate.w32.h"
#include "win/Dialog.h"
#include "win/Handles.h"
#include "win/OwnerDrawButton.h"
#include "win/Strings.h"

namespace {

// A popup dialog, optionally with one push button (id 1001); visible with
// the button, so that the button paints.
orvane::testing::DialogTemplate MemoryTemplate(bool withButton) {
    orvane::testing::DialogTemplate t(
        WS_POPUP | DS_SETFONT | DS_MODALFRAME | (withButton ? WS_VISIBLE : 0), 120, 60);
    if (withButton)
        t.Control(L"Button", 1001, BS_PUSHBUTTON, 10, 10, 50, 14, L"Push");
    return t;
}

// Records the messages it sees; ends itself from a posted WM_APP.
class RecordingDialog : public win::Dialog {
  public:
    RecordingDialog(const DLGTEMPLATE* t, HWND parent) : Dialog(t, parent) {}
    std::vector<UINT> seen;
    std::vector<UINT> seenBeforeInit;
    bool initialised = false;
    INT_PTR endWith = 42;
    std::function<void(RecordingDialog&)> onApp;

  protected:
    BOOL OnInitDialog() override {
        initialised = true;
        PostMessageW(Hwnd(), WM_APP, 0, 0);
        return Dialog::OnInitDialog();
    }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        seen.push_back(msg);
        if (!initialised)
            seenBeforeInit.push_back(msg);
        if (msg == WM_APP) {
            if (onApp)
                onApp(*this);
            if (endWith)
                EndDialog(endWith);
            result = 0;
            return true;
        }
        return Dialog::OnMessage(msg, wp, lp, result);
    }
};

bool Contains(const std::vector<UINT>& v, UINT msg) {
    return std::find(v.begin(), v.end(), msg) != v.end();
}

TEST(WinDialog, RoutesFromCreationAndRunsAgain) {
    const auto t = MemoryTemplate(false);
    RecordingDialog dialog(t.Get(), nullptr);
    for (int round = 0; round < 2; ++round) {
        dialog.seen.clear();
        dialog.seenBeforeInit.clear();
        dialog.initialised = false;
        dialog.endWith = 40 + round;
        EXPECT_EQ(dialog.DoModal(), 40 + round);
        // WM_NCCREATE and WM_CREATE reach the object before WM_INITDIALOG.
        EXPECT_TRUE(Contains(dialog.seenBeforeInit, WM_NCCREATE));
        EXPECT_TRUE(Contains(dialog.seenBeforeInit, WM_CREATE));
        EXPECT_TRUE(Contains(dialog.seen, WM_INITDIALOG));
        EXPECT_TRUE(Contains(dialog.seen, WM_DESTROY));
        EXPECT_EQ(dialog.Hwnd(), nullptr) << "unbound once the window is gone";
        EXPECT_FALSE(dialog.IsOpen());
    }
}

TEST(WinDialog, NestedDialogIsBoundToItsOwnObject) {
    const auto t = MemoryTemplate(false);
    RecordingDialog outer(t.Get(), nullptr);
    RecordingDialog inner(t.Get(), nullptr);
    HWND outerDuringInner = nullptr;
    INT_PTR innerResult = 0;
    outer.onApp = [&](RecordingDialog& self) {
        inner.SetParent(self.Hwnd());
        inner.endWith = 7;
        innerResult = inner.DoModal();
        outerDuringInner = self.Hwnd();
    };
    EXPECT_EQ(outer.DoModal(), 42);
    EXPECT_EQ(innerResult, 7);
    EXPECT_TRUE(Contains(inner.seenBeforeInit, WM_CREATE));
    EXPECT_NE(outerDuringInner, nullptr);
    // The inner dialog's creation went to the inner object only.
    EXPECT_EQ(std::count(outer.seen.begin(), outer.seen.end(), WM_CREATE), 1);
}

TEST(WinDialog, OkAndCancelEndWithTheirIds) {
    const auto t = MemoryTemplate(false);
    for (UINT id : {IDOK, IDCANCEL}) {
        RecordingDialog dialog(t.Get(), nullptr);
        dialog.endWith = 0;
        dialog.onApp = [id](RecordingDialog& self) {
            SendMessageW(self.Hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        };
        EXPECT_EQ(dialog.DoModal(), static_cast<INT_PTR>(id));
    }
}

class FaceButton : public win::OwnerDrawButton {
  public:
    int draws = 0;
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        ++draws;
        drawnId = item.CtlID;
    }
    UINT drawnId = 0;
};

class ButtonDialog : public RecordingDialog {
  public:
    using RecordingDialog::RecordingDialog;
    FaceButton button;
    LONG_PTR styleAfterBinding = 0;

  protected:
    void DoDataExchange(bool save) override {
        if (!save && !button.Hwnd()) {
            EXPECT_TRUE(button.SubclassDlgItem(1001, Hwnd()));
            styleAfterBinding = GetWindowLongPtrW(button.Hwnd(), GWL_STYLE);
        }
    }
};

TEST(WinOwnerDrawButton, BecomesOwnerDrawnAndDrawsThroughReflection) {
    const auto t = MemoryTemplate(true);
    ButtonDialog dialog(t.Get(), nullptr);
    dialog.onApp = [](RecordingDialog& self) {
        auto& d = static_cast<ButtonDialog&>(self);
        RedrawWindow(d.button.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    };
    dialog.DoModal();
    EXPECT_EQ(dialog.styleAfterBinding & BS_TYPEMASK, BS_OWNERDRAW);
    EXPECT_GE(dialog.button.draws, 1);
    EXPECT_EQ(dialog.button.drawnId, 1001u);
    EXPECT_EQ(dialog.button.Hwnd(), nullptr) << "unbound when the control is destroyed";
}

TEST(WinHandles, OwnersFreeOnceAndGuardRestores) {
    HBITMAP raw = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_NE(GetObjectType(raw), 0u);
    {
        win::UniqueBitmap owner(raw);
        win::UniqueBitmap moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.Get(), raw);
    }
    EXPECT_EQ(GetObjectType(raw), 0u) << "freed when the last owner ended";

    win::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    win::UniqueBitmap a(CreateBitmap(2, 2, 1, 32, nullptr));
    HGDIOBJ original = GetCurrentObject(dc.Get(), OBJ_BITMAP);
    {
        win::SelectGuard guard(dc.Get(), a.Get());
        EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), a.Get());
    }
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_BITMAP), original);

    win::UniqueHandleObject none(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(none) << "INVALID_HANDLE_VALUE owns nothing";
}

TEST(WinHandles, MemoryDcAndTemporaryFileEnd) {
    HBITMAP bitmap = CreateBitmap(3, 3, 1, 32, nullptr);
    HDC seen = nullptr;
    {
        win::SelectedMemoryDC mem(nullptr, bitmap);
        ASSERT_TRUE(mem.Selected());
        seen = mem.Get();
        EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BITMAP), bitmap);
    }
    EXPECT_EQ(GetObjectType(seen), 0u) << "the DC is deleted";
    DeleteObject(bitmap);
    EXPECT_FALSE(win::SelectedMemoryDC(nullptr, nullptr).Selected());

    wchar_t dir[MAX_PATH], kept[MAX_PATH], dropped[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, dir), 0u);
    ASSERT_NE(GetTempFileNameW(dir, L"ufp", 0, kept), 0u);
    ASSERT_NE(GetTempFileNameW(dir, L"ufp", 0, dropped), 0u);
    {
        win::UniqueFilePath keep(kept), drop(dropped);
        keep.Release();
    }
    EXPECT_NE(GetFileAttributesW(kept), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(dropped), INVALID_FILE_ATTRIBUTES);
    DeleteFileW(kept);
}

TEST(WinStrings, Helpers) {
    EXPECT_EQ(win::FormatInt(0), L"0");
    EXPECT_EQ(win::FormatInt(-2147483647 - 1), L"-2147483648");
    EXPECT_EQ(win::ToUpper(L"esc Key é"), L"ESC KEY É");
    EXPECT_EQ(win::ToUpper(L""), L"");
    std::wstring dir = win::ExeDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), L'\\');
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    EXPECT_EQ(std::wstring(module).rfind(dir, 0), 0u);
    EXPECT_EQ(std::wstring(module).find(L'\\', dir.size()), std::wstring::npos);
}

} // namespace
