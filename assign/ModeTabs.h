// The assignment dialog's four mode tabs (Single key, Macro, Multimedia,
// Function key) and the mode they stand for: one fact. Whichever way a tab's
// command runs (a click, Space or Enter on the focused tab, Clear, the
// opening), the dialog calls Select with the tab of its new mode, which
// latches that tab and releases the other three. A press on a tab latches it
// only for the length of the press (its pressed look): released elsewhere,
// it runs no command and the latches are as before (BitButtonState).
//
// Portable: no Windows headers. The dialog owns the buttons; this only
// holds pointers to their states.
#pragma once

#include <array>

#include "assign/AssignDecisions.h"
#include "skin/BitButtonState.h"

namespace orvane {

// The tab that stands for an editMode: the library-only mode shows the macro
// tab; a mode outside 0..4 has none.
LatchedTab TabOfMode(int editMode);

class ModeTabs {
  public:
    // The tabs in LatchedTab order: single key, macro, multimedia, function.
    explicit ModeTabs(const std::array<BitButtonState*, 4>& tabs) : tabs_(tabs) {}

    // Latches `tab` alone (None releases all four); answers the tabs whose
    // latch changed, for the caller to repaint.
    std::array<bool, 4> Select(LatchedTab tab);

    // The one latched tab, or None when none or more than one is latched.
    LatchedTab Latched() const;

  private:
    std::array<BitButtonState*, 4> tabs_;
};

} // namespace orvane
