#include "qt_scheduler.h"

#include <QTimer>

#include <limits>

namespace rx42 {

QtScheduler::QtScheduler(QObject* parent)
    : QObject(parent)
{
    clock_.start();
}

QtScheduler::~QtScheduler()
{
    qDeleteAll(timers_);
}

Scheduler::TaskId QtScheduler::call_after(qint64 delay_ms, std::function<void()> task)
{
    const TaskId id = next_id_++;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this, id, task = std::move(task)]() {
        QTimer* fired = timers_.take(id);
        if (!fired)
            return;
        fired->deleteLater();
        task();
    });
    timers_.insert(id, timer);
    timer->start(int(qBound<qint64>(0, delay_ms, qint64(std::numeric_limits<int>::max()))));
    return id;
}

void QtScheduler::cancel(TaskId id)
{
    if (QTimer* timer = timers_.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

}  // namespace rx42
