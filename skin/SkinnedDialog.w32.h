// The base of the program's two skinned dialogs, the main window and the
// assignment dialog: caption-less windows drawn entirely from skin images.
// What both do lives here once:
//   WM_NCHITTEST   the client area answers HTCAPTION: the window drags by
//                  any point, and mouse messages arrive as non-client ones
//   WM_ERASEBKGND  PaintFace, the derived dialog's whole face; TRUE
//   WM_PAINT       the icon when iconic (SetIconicIcon), else the default
//                  painting; then, once per opening, the benchmark's paint
//                  signal (an event named by an environment variable)
// plus the shaping of the window from its mask (Shape). A derived dialog
// names its images and layout entries and draws its face; it handles its
// own messages first and passes the rest here.
// GUI thread only.
#pragma once

#include <windows.h>

#include "win/Dialog.h"
#include "win/EventSignal.h"

namespace orvane {

class SkinnedDialog : public win::Dialog {
  protected:
    // paintSignalVariable: the environment variable that may name the
    // event set after the first WM_PAINT of each opening.
    SkinnedDialog(UINT templateId, HWND parent, const wchar_t* paintSignalVariable)
        : Dialog(templateId, parent), paintSignal_(paintSignalVariable) {}

    // The dialog's whole face onto `dc` (WM_ERASEBKGND, or a repaint).
    virtual void PaintFace(HDC dc) = 0;

    // Moves the window to the screen's top-left corner at the size of
    // `mask` (else of `face`) and cuts its outline from the mask.
    void Shape(HBITMAP mask, HBITMAP face);

    // The icon drawn while the window is iconic; none: default painting.
    void SetIconicIcon(HICON icon) { iconicIcon_ = icon; }

    // A new opening: its first WM_PAINT signals again.
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    win::NamedEventSignal paintSignal_;
    HICON iconicIcon_ = nullptr;
    bool painted_ = false; // this opening's first WM_PAINT is done
};

} // namespace orvane
