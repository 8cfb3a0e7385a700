#pragma once

#include "scheduler.h"

#include <QString>

#include <functional>

namespace rx42 {

// A window timer with the semantics every timer of the program relies on:
// - enabling a running timer leaves it running (its countdown is not restarted);
// - changing the interval of a running timer restarts its countdown from the new interval;
// - setting the interval it already has changes nothing;
// - an interval of 0 keeps the timer from running;
// - while enabled it fires every interval; the program's handlers disable their timer first,
//   which makes them one-shot in use.
// The handler runs through the application error handler (see handler_guard.h).
class WindowTimer {
public:
    WindowTimer(Scheduler& scheduler, QString name, int interval_ms, bool enabled = false);
    ~WindowTimer();
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    const QString& name() const { return name_; }

    void set_on_timer(std::function<void()> handler) { on_timer_ = std::move(handler); }

    bool enabled() const { return enabled_; }
    void set_enabled(bool enabled);
    void enable() { set_enabled(true); }
    void disable() { set_enabled(false); }

    int interval() const { return interval_ms_; }
    void set_interval(int interval_ms);

    // True while a countdown is pending (enabled with a non-zero interval).
    bool running() const { return pending_ != 0; }
    // Milliseconds until the next firing, or -1 when not running.
    qint64 remaining_ms() const;

private:
    void start_countdown();
    void stop_countdown();
    void fire();

    Scheduler& scheduler_;
    QString name_;
    int interval_ms_;
    bool enabled_ = false;
    Scheduler::TaskId pending_ = 0;
    qint64 due_ms_ = 0;
    std::function<void()> on_timer_;
};

}  // namespace rx42
