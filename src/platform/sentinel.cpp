#include "sentinel.h"

#include "common/handler_guard.h"
#include "os.h"

#include <QMetaObject>
#include <QThread>

namespace rx42 {

Sentinel::Sentinel(Scheduler& scheduler, ProcessCounter counter, QObject* parent)
    : QObject(parent)
    , scheduler_(scheduler)
    , counter_(std::move(counter))
{
    if (!counter_) {
        const QString executable = os::executable_path();
        counter_ = [executable]() { return os::child_process_count(executable); };
    }
}

Sentinel::~Sentinel()
{
    if (pending_)
        scheduler_.cancel(pending_);
}

void Sentinel::Start()
{
    if (started_.exchange(true))
        return;
    if (QThread::currentThread() == thread())
        begin();
    else
        QMetaObject::invokeMethod(this, [this]() { begin(); }, Qt::QueuedConnection);
}

void Sentinel::begin()
{
    const int running = counter_();
    const qint64 delay = qMax<qint64>(MinInitDelayMs, 200 * qint64(running));
    checks_ = 0;
    pending_ = scheduler_.call_after(delay, [this]() { check(); });
}

void Sentinel::check()
{
    pending_ = 0;
    if (counter_() > MinChildProcs && checks_ < MaxCheckCount) {
        ++checks_;
        pending_ = scheduler_.call_after(FinalDelayMs, [this]() { check(); });
        return;
    }
    if (on_close)
        run_handler(on_close);
}

}  // namespace rx42
