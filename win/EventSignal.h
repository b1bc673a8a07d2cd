// Benchmark signals: when an environment variable names an event, Set()
// sets that event, so a timer in another process (bench/wine/) can end a
// figure at the moment a window's face is on the screen. Without the
// variable (every normal run) the object reads the environment once, at its
// construction, and does nothing else.
#pragma once

#include <string>

namespace win {

class NamedEventSignal {
  public:
    explicit NamedEventSignal(const wchar_t* variable);

    // Sets the named event; nothing when there is none.
    void Set() const;

  private:
    std::wstring event_; // empty: no signal wanted
};

} // namespace win
