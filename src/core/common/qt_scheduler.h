#pragma once

#include "scheduler.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>

class QTimer;

namespace rx42 {

// Scheduler on the Qt event loop of the thread that owns it (the window thread).
class QtScheduler final : public QObject, public Scheduler {
public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    qint64 now_ms() const override { return clock_.elapsed(); }
    TaskId call_after(qint64 delay_ms, std::function<void()> task) override;
    void cancel(TaskId id) override;

private:
    QElapsedTimer clock_;
    QHash<TaskId, QTimer*> timers_;
    TaskId next_id_ = 1;
};

}  // namespace rx42
