#include "tests/support/SimulatedClock.h"

SimulatedClock::SimulatedClock(DWORD startTick) : tick_(startTick) {}

DWORD SimulatedClock::TickCount()
{
    std::lock_guard lock(mutex_);
    return tick_;
}

void SimulatedClock::Sleep(DWORD milliseconds)
{
    std::function<void(DWORD)> hook;
    {
        std::lock_guard lock(mutex_);
        tick_ += milliseconds;
        sleeps_.push_back(milliseconds);
        hook = onSleep_;
    }
    if (hook)
        hook(milliseconds);
}

void SimulatedClock::Advance(DWORD milliseconds)
{
    std::lock_guard lock(mutex_);
    tick_ += milliseconds;
}

std::vector<DWORD> SimulatedClock::Sleeps() const
{
    std::lock_guard lock(mutex_);
    return sleeps_;
}

void SimulatedClock::OnSleep(std::function<void(DWORD)> hook)
{
    std::lock_guard lock(mutex_);
    onSleep_ = std::move(hook);
}
