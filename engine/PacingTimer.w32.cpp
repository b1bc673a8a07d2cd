#include "engine/PacingTimer.w32.h"

#include <mmsystem.h>

namespace orvane {

namespace {

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

constexpr LONGLONG kPauseRelative100ns = -10000; // 1 ms from now

} // namespace

PacingTimer::PacingTimer(PacingKind kind, TimerPeriodCalls period) : period_(period) {
    if (kind == PacingKind::Best) {
        // Fails with ERROR_INVALID_PARAMETER before Windows 10 1803.
        timer_.Reset(CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                            TIMER_ALL_ACCESS));
    }
}

PacingTimer::~PacingTimer() {
    SetPending(false);
}

void PacingTimer::SetPending(bool pending) {
    if (timer_ || pending == periodRaised_) {
        return;
    }
    if (pending) {
        periodRaised_ = period_.begin(1) == TIMERR_NOERROR;
    } else {
        period_.end(1);
        periodRaised_ = false;
    }
}

void PacingTimer::Pause() {
    if (timer_) {
        LARGE_INTEGER due;
        due.QuadPart = kPauseRelative100ns;
        if (SetWaitableTimer(timer_.Get(), &due, 0, nullptr, nullptr, FALSE)) {
            WaitForSingleObject(timer_.Get(), INFINITE);
            return;
        }
    }
    Sleep(1);
}

} // namespace orvane
