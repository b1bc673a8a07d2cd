// The injector's 1 ms pause between two synthetic events. Windows' Sleep(1)
// lasts a whole timer tick (15.6 ms by default), so the pause waits on a
// high-resolution waitable timer where the system has one (Windows 10 1803
// and later); elsewhere it raises the timer resolution to 1 ms with
// timeBeginPeriod, held only while output is pending (SetPending), never
// while the injector is idle, so a resting program does not keep the machine
// out of its deep sleep states.
//
// Used by the injector thread only (SetPending and Pause), after construction
// on the GUI thread.
#pragma once

#include <windows.h>

#include <mmsystem.h>

#include "win/Handles.h"

namespace orvane {

enum class PacingKind {
    Best,         // the high-resolution timer when the system has one
    RaisedPeriod, // Sleep(1) with timeBeginPeriod(1) while output is pending
};

// The two calls that raise the timer resolution and give it back; the
// system's unless a test hands in calls that count.
struct TimerPeriodCalls {
    MMRESULT(WINAPI* begin)(UINT) = timeBeginPeriod;
    MMRESULT(WINAPI* end)(UINT) = timeEndPeriod;
};

class PacingTimer {
  public:
    explicit PacingTimer(PacingKind kind = PacingKind::Best, TimerPeriodCalls period = {});
    ~PacingTimer();
    PacingTimer(const PacingTimer&) = delete;
    PacingTimer& operator=(const PacingTimer&) = delete;

    // Whether the high-resolution timer is in use (else the raised period).
    bool HighResolution() const { return static_cast<bool>(timer_); }
    // Whether this object holds a raised timer resolution right now.
    bool PeriodRaised() const { return periodRaised_; }

    // Output is pending (true) or the injector is about to block (false).
    void SetPending(bool pending);
    // Waits about 1 ms.
    void Pause();

  private:
    win::UniqueHandleObject timer_; // null: the raised-period fallback
    TimerPeriodCalls period_;
    bool periodRaised_ = false;
};

} // namespace orvane
