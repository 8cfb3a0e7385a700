#pragma once

#include "common/scheduler.h"

#include <QObject>

#include <atomic>
#include <functional>

namespace rx42 {

// Waits, when the browser has closed, for the browser runtime's sub-processes to end before it
// lets the window close: first for the larger of MinInitDelayMs and 200 ms per running
// sub-process, then in steps of FinalDelayMs until at most MinChildProcs sub-processes remain
// or MaxCheckCount further checks have been made. Then it raises on_close on the window thread.
class Sentinel final : public QObject {
    Q_OBJECT
public:
    // Counts the running sub-processes; by default the child processes that run this executable.
    using ProcessCounter = std::function<int()>;

    // Lives on the window thread, with the window's scheduler.
    explicit Sentinel(Scheduler& scheduler, ProcessCounter counter = {}, QObject* parent = nullptr);
    ~Sentinel() override;

    int MinInitDelayMs = 1500;
    int FinalDelayMs = 100;
    int MinChildProcs = 2;
    int MaxCheckCount = 10;

    // Raised once, on the window thread, through the application error handler.
    std::function<void()> on_close;

    // Starts waiting. May be called from any thread; a second start is ignored.
    void Start();

    bool started() const { return started_; }

private:
    void begin();
    void check();

    Scheduler& scheduler_;
    ProcessCounter counter_;
    std::atomic<bool> started_{false};
    int checks_ = 0;
    Scheduler::TaskId pending_ = 0;
};

}  // namespace rx42
