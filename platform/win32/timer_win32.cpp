// Timers bound to no window: SetTimer with a null window and a procedure. The
// procedure runs from the dispatch of the thread's messages, in the event loop
// and in every modal loop (message boxes, the folder chooser).
#include "platform/win32/toolkit_win32.h"

#include <functional>
#include <map>

namespace lumidor::win32 {
namespace {

std::map<UINT_PTR, std::function<void()>> timers;

void CALLBACK TimerProcedure(HWND, UINT, UINT_PTR timer, DWORD) {
    const auto found = timers.find(timer);
    if (found == timers.end())
        return;
    // A copy: the procedure may stop its own timer.
    const std::function<void()> procedure = found->second;
    procedure();
}

} // namespace

void StopAllTimers() {
    for (const auto& [timer, procedure] : timers)
        KillTimer(nullptr, timer);
    timers.clear();
}

} // namespace lumidor::win32

namespace lumidor::platform {

TimerId StartTimer(unsigned periodMilliseconds, std::function<void()> onTick) {
    if (!onTick)
        return 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, periodMilliseconds, win32::TimerProcedure);
    if (timer == 0)
        return 0;
    win32::timers[timer] = std::move(onTick);
    return timer;
}

void StopTimer(TimerId timer) {
    if (timer == 0 || win32::timers.erase(timer) == 0)
        return;
    KillTimer(nullptr, timer);
}

} // namespace lumidor::platform
