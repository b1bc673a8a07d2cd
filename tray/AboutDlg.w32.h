// The About box (dialog resource 100): a plain dialog whose OK ends it.
#pragma once

#include "res/resource.h"
#include "win/Dialog.h"

namespace orvane {

class CAboutDlg : public win::Dialog {
  public:
    explicit CAboutDlg(HWND parent) : Dialog(IDD_ABOUTBOX, parent) {}
};

} // namespace orvane
