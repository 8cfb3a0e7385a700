#pragma once

#include "scheduler.h"

#include <map>
#include <utility>

namespace rx42 {

// A scheduler whose time moves only when a test says so. Tasks due at the same moment run in the
// order they were scheduled.
class SimulatedScheduler final : public Scheduler {
public:
    qint64 now_ms() const override { return now_; }
    TaskId call_after(qint64 delay_ms, std::function<void()> task) override;
    void cancel(TaskId id) override;

    // Moves time forward by `ms`, running every task that falls due on the way (tasks scheduled
    // by those tasks included) at its own moment.
    void advance(qint64 ms);
    // Runs the tasks due now without moving time.
    void run_due() { advance(0); }
    // Moves time to the next pending task and runs it; returns false when nothing is pending.
    bool run_next();

    std::size_t pending() const { return queue_.size(); }

private:
    using Key = std::pair<qint64, TaskId>;  // due time, then scheduling order
    std::map<Key, std::function<void()>> queue_;
    std::map<TaskId, qint64> due_of_;
    qint64 now_ = 0;
    TaskId next_id_ = 1;
};

}  // namespace rx42
