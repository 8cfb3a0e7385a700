#include "simulated_scheduler.h"

namespace rx42 {

Scheduler::TaskId SimulatedScheduler::call_after(qint64 delay_ms, std::function<void()> task)
{
    const TaskId id = next_id_++;
    const qint64 due = now_ + qMax<qint64>(0, delay_ms);
    queue_.emplace(Key{due, id}, std::move(task));
    due_of_.emplace(id, due);
    return id;
}

void SimulatedScheduler::cancel(TaskId id)
{
    const auto it = due_of_.find(id);
    if (it == due_of_.end())
        return;
    queue_.erase(Key{it->second, id});
    due_of_.erase(it);
}

bool SimulatedScheduler::run_next()
{
    if (queue_.empty())
        return false;
    auto first = queue_.begin();
    now_ = qMax(now_, first->first.first);
    auto task = std::move(first->second);
    due_of_.erase(first->first.second);
    queue_.erase(first);
    task();
    return true;
}

void SimulatedScheduler::advance(qint64 ms)
{
    const qint64 target = now_ + qMax<qint64>(0, ms);
    while (!queue_.empty() && queue_.begin()->first.first <= target)
        run_next();
    now_ = target;
}

}  // namespace rx42
