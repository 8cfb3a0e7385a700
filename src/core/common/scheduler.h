#pragma once

#include <QtGlobal>

#include <functional>

namespace rx42 {

// The clock every piece of automation runs on. The program uses the Qt event loop (QtScheduler);
// tests and benchmarks use SimulatedScheduler and play minutes of the trading cycle in
// milliseconds.
class Scheduler {
public:
    using TaskId = quint64;

    virtual ~Scheduler() = default;

    // Milliseconds since an arbitrary, fixed origin; never goes backwards.
    virtual qint64 now_ms() const = 0;

    // Runs `task` once, on the window thread, `delay_ms` from now (0: as soon as possible, after
    // everything already due). Returns an id for cancel(); ids are never reused.
    virtual TaskId call_after(qint64 delay_ms, std::function<void()> task) = 0;

    // Drops a task that has not run yet; unknown or finished ids are ignored.
    virtual void cancel(TaskId id) = 0;
};

}  // namespace rx42
