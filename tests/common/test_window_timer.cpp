#include "test_common.h"

#include "common/handler_guard.h"
#include "common/qt_scheduler.h"
#include "common/simulated_scheduler.h"
#include "common/window_timer.h"

#include <QSignalSpy>
#include <QTest>

using namespace rx42;

void WindowTimerTest::enabling_a_running_timer_does_not_restart_it()
{
    SimulatedScheduler clock;
    WindowTimer timer(clock, "t", 1000);
    QVector<qint64> fired;
    timer.set_on_timer([&] { fired.append(clock.now_ms()); timer.disable(); });
    timer.enable();
    clock.advance(600);
    timer.enable();
    clock.advance(400);
    QCOMPARE(fired, QVector<qint64>{1000});
}

void WindowTimerTest::changing_the_interval_restarts_a_running_timer()
{
    SimulatedScheduler clock;
    WindowTimer timer(clock, "t", 1000);
    QVector<qint64> fired;
    timer.set_on_timer([&] { fired.append(clock.now_ms()); timer.disable(); });
    timer.enable();
    clock.advance(600);
    timer.set_interval(500);
    QCOMPARE(timer.remaining_ms(), 500);
    clock.advance(2000);
    QCOMPARE(fired, QVector<qint64>{1100});

    // A stopped timer only takes the new interval.
    timer.set_interval(300);
    QVERIFY(!timer.running());
}

void WindowTimerTest::same_interval_changes_nothing()
{
    SimulatedScheduler clock;
    WindowTimer timer(clock, "t", 1000, true);
    clock.advance(700);
    timer.set_interval(1000);
    QCOMPARE(timer.remaining_ms(), 300);
}

void WindowTimerTest::fires_every_interval_until_its_handler_disables_it()
{
    SimulatedScheduler clock;
    WindowTimer timer(clock, "t", 250, true);
    int count = 0;
    timer.set_on_timer([&] {
        if (++count == 3)
            timer.disable();
    });
    clock.advance(10000);
    QCOMPARE(count, 3);
    QVERIFY(!timer.enabled());
    QCOMPARE(clock.pending(), std::size_t(0));
}

void WindowTimerTest::zero_interval_never_fires()
{
    SimulatedScheduler clock;
    WindowTimer timer(clock, "t", 0, true);
    bool fired = false;
    timer.set_on_timer([&] { fired = true; });
    clock.advance(10000);
    QVERIFY(!fired);
    QVERIFY(timer.enabled());
    timer.set_interval(10);
    clock.advance(10);
    QVERIFY(fired);
}

void WindowTimerTest::handler_error_goes_to_the_error_handler_and_timer_goes_on()
{
    SimulatedScheduler clock;
    QStringList shown;
    set_error_presenter([&](const QString& text) { shown.append(text); });
    WindowTimer timer(clock, "t", 100, true);
    int calls = 0;
    timer.set_on_timer([&] {
        ++calls;
        throw HandlerError("'x' is not a valid integer value");
    });
    clock.advance(250);
    set_error_presenter({});
    QCOMPARE(calls, 2);
    QCOMPARE(shown, QStringList({"'x' is not a valid integer value", "'x' is not a valid integer value"}));
}

void WindowTimerTest::real_event_loop_timer_fires()
{
    QtScheduler scheduler;
    WindowTimer timer(scheduler, "t", 30);
    QElapsedTimer elapsed;
    qint64 at = -1;
    timer.set_on_timer([&] { at = elapsed.elapsed(); timer.disable(); });
    elapsed.start();
    timer.enable();
    QTRY_VERIFY_WITH_TIMEOUT(at >= 0, 2000);
    QVERIFY2(at >= 29, qPrintable(QString::number(at)));
    QVERIFY(!timer.running());
}
