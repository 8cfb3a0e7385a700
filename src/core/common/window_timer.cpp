#include "window_timer.h"

#include "handler_guard.h"

namespace rx42 {

WindowTimer::WindowTimer(Scheduler& scheduler, QString name, int interval_ms, bool enabled)
    : scheduler_(scheduler)
    , name_(std::move(name))
    , interval_ms_(interval_ms)
{
    set_enabled(enabled);
}

WindowTimer::~WindowTimer()
{
    stop_countdown();
}

void WindowTimer::set_enabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (enabled_)
        start_countdown();
    else
        stop_countdown();
}

void WindowTimer::set_interval(int interval_ms)
{
    if (interval_ms == interval_ms_)
        return;
    interval_ms_ = interval_ms;
    stop_countdown();
    if (enabled_)
        start_countdown();
}

qint64 WindowTimer::remaining_ms() const
{
    return pending_ ? qMax<qint64>(0, due_ms_ - scheduler_.now_ms()) : -1;
}

void WindowTimer::start_countdown()
{
    if (interval_ms_ <= 0)
        return;
    due_ms_ = scheduler_.now_ms() + interval_ms_;
    pending_ = scheduler_.call_after(interval_ms_, [this]() { fire(); });
}

void WindowTimer::stop_countdown()
{
    if (pending_) {
        scheduler_.cancel(pending_);
        pending_ = 0;
    }
}

void WindowTimer::fire()
{
    pending_ = 0;
    // The next period starts now; a handler that disables the timer (or changes its interval)
    // cancels or replaces it.
    if (enabled_)
        start_countdown();
    if (on_timer_)
        run_handler(on_timer_);
}

}  // namespace rx42
