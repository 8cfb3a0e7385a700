// The platform layer's parts that need no browser: sentinel, window messages, dialogs' filters,
// panel, runtime settings and roles, the runtime's log, the process count.

#include "browser_panel.h"
#include "browser_runtime.h"
#include "common/simulated_scheduler.h"
#include "os.h"
#include "qt_dialogs.h"
#include "runtime_log_lines.h"
#include "run_test_classes.h"
#include "sentinel.h"
#include "test_dialogs.h"
#include "window_messages.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <thread>

#include <unistd.h>

using namespace rx42;

Q_DECLARE_METATYPE(QVector<int>)

class SentinelTest : public QObject {
    Q_OBJECT
private slots:
    void closes_when_the_sub_processes_are_gone_data();
    void closes_when_the_sub_processes_are_gone();
    void a_second_start_is_ignored();
    void start_from_another_thread_runs_on_the_window_thread();
};

// Sub-process counts over time: `steps` holds pairs (from this moment in ms, this many run).
static int count_at(const QVector<int>& steps, qint64 now)
{
    int count = 0;
    for (int i = 0; i + 1 < steps.size(); i += 2) {
        if (now >= steps.at(i))
            count = steps.at(i + 1);
    }
    return count;
}

void SentinelTest::closes_when_the_sub_processes_are_gone_data()
{
    QTest::addColumn<QVector<int>>("steps");
    QTest::addColumn<qint64>("closed_at");
    QTest::newRow("none running: the initial delay") << QVector<int>{0, 0} << qint64(1500);
    QTest::newRow("two may remain") << QVector<int>{0, 2} << qint64(1500);
    QTest::newRow("many at start lengthen the first wait") << QVector<int>{0, 10, 100, 1} << qint64(2000);
    QTest::newRow("they end a little later") << QVector<int>{0, 4, 1750, 2} << qint64(1800);
    QTest::newRow("they never end: ten more checks") << QVector<int>{0, 5} << qint64(2500);
}

void SentinelTest::closes_when_the_sub_processes_are_gone()
{
    QFETCH(QVector<int>, steps);
    QFETCH(qint64, closed_at);
    SimulatedScheduler clock;
    Sentinel sentinel(clock, [&]() { return count_at(steps, clock.now_ms()); });
    QVector<qint64> closes;
    sentinel.on_close = [&]() { closes.append(clock.now_ms()); };
    sentinel.Start();
    clock.advance(10000);
    QCOMPARE(closes, QVector<qint64>{closed_at});
}

void SentinelTest::a_second_start_is_ignored()
{
    SimulatedScheduler clock;
    Sentinel sentinel(clock, []() { return 0; });
    int closes = 0;
    sentinel.on_close = [&]() { ++closes; };
    sentinel.Start();
    clock.advance(1000);
    sentinel.Start();
    clock.advance(5000);
    QCOMPARE(closes, 1);
    QCOMPARE(clock.pending(), std::size_t(0));
}

void SentinelTest::start_from_another_thread_runs_on_the_window_thread()
{
    SimulatedScheduler clock;
    Sentinel sentinel(clock, []() { return 0; });
    QThread* closed_on = nullptr;
    sentinel.on_close = [&]() { closed_on = QThread::currentThread(); };
    std::thread([&]() { sentinel.Start(); }).join();
    QCOMPARE(clock.pending(), std::size_t(0));  // the start is queued to the window thread
    QCoreApplication::sendPostedEvents(&sentinel);
    clock.advance(1500);
    QCOMPARE(closed_on, QThread::currentThread());
}

class WindowMessagesTest : public QObject {
    Q_OBJECT
private slots:
    void handled_in_posting_order_with_their_parameters();
};

namespace {

class Recorder : public QWidget {
public:
    QStringList seen;

protected:
    bool event(QEvent* event) override
    {
        if (const WindowMessage* m = WindowMessage::from(event)) {
            seen << QStringLiteral("%1:%2:%3").arg(m->msg(), 0, 16).arg(m->wParam()).arg(m->lParam());
            return true;
        }
        return QWidget::event(event);
    }
    void closeEvent(QCloseEvent* event) override
    {
        seen << QStringLiteral("close");
        QWidget::closeEvent(event);
    }
};

}  // namespace

void WindowMessagesTest::handled_in_posting_order_with_their_parameters()
{
    Recorder window;
    std::thread([&]() {
        post_window_message(&window, MSG_BROWSER_CREATED);
        post_window_message(&window, MSG_SHOW_DEVTOOLS, (quintptr(12) << 16) | 34);
    }).join();
    post_window_message(&window, MSG_PDF_FINISHED, 0, 1);
    post_close(&window);
    post_window_message(&window, MSG_DESTROY_BROWSER_PANEL);
    QVERIFY(window.seen.isEmpty());  // nothing happens before the loop runs
    QCoreApplication::sendPostedEvents();
    QCOMPARE(window.seen, (QStringList{"8a03:0:0", "8101:786466:0", "810c:0:1", "close", "8a06:0:0"}));
    QEvent plain(QEvent::User);
    QVERIFY(!WindowMessage::from(&plain));
}

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void the_save_dialog_keeps_what_a_use_left();
};

void DialogsTest::the_save_dialog_keeps_what_a_use_left()
{
    // Answers the next file dialog: records what it shows, then chooses `file` or cancels.
    struct Shown {
        QStringList filters;
        QString suffix;
        QStringList selected;
    };
    const auto answer = [](Shown& shown, const QString& file) {
        QTimer::singleShot(0, [&shown, file]() {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            shown = {dialog->nameFilters(), dialog->defaultSuffix(), dialog->selectedFiles()};
            if (file.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(file);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
    };
    QTemporaryDir folder;
    const QString chosen = folder.filePath(QStringLiteral("prefs.txt"));
    QtDialogs dialogs;
    Shown first;
    answer(first, chosen);
    QCOMPARE(dialogs.save_file_name({QStringLiteral("Text files (*.txt)|*.TXT"), QStringLiteral("txt"), {}}), chosen);
    QCOMPARE(first.suffix, QStringLiteral("txt"));

    // A use that sets nothing (the page capture) shows what the last use left, file name included.
    Shown second;
    answer(second, {});
    QCOMPARE(dialogs.save_file_name({}), QString());
    QCOMPARE(second.filters, first.filters);
    QCOMPARE(second.suffix, QStringLiteral("txt"));
    QCOMPARE(second.selected, QStringList{chosen});
}

void DialogsTest::filters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("text") << "Text files (*.txt)|*.TXT" << QStringList{"Text files (*.TXT *.txt)"};
    QTest::newRow("bitmap") << "Bitmap files (*.bmp)|*.BMP" << QStringList{"Bitmap files (*.BMP *.bmp)"};
    QTest::newRow("two pairs, several patterns")
        << "PDF files|*.pdf;*.PDF|All files|*.*" << QStringList{"PDF files (*.pdf *.PDF)", "All files (*.*)"};
    QTest::newRow("none") << "" << QStringList{};
    QTest::newRow("description only") << "Text files" << QStringList{};
}

void DialogsTest::filters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtDialogs::name_filters(filter), expected);
}

class PanelTest : public QObject {
    Q_OBJECT
private slots:
    void child_fills_the_panel_and_dies_with_it();
};

void PanelTest::child_fills_the_panel_and_dies_with_it()
{
    auto* panel = new BrowserPanel;
    panel->resize(300, 200);
    panel->show();
    QPointer<QWidget> child = new QWidget;
    panel->set_child_window(child);
    QCOMPARE(child->parentWidget(), panel);
    QCOMPARE(child->geometry(), QRect(0, 0, 300, 200));
    panel->resize(640, 480);
    QCOMPARE(child->geometry(), QRect(0, 0, 640, 480));
    delete panel;
    QVERIFY(child.isNull());
}

class RuntimeSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void runtime_log_lines_data();
    void runtime_log_lines();
    void paths_lie_beside_the_executable_data();
    void paths_lie_beside_the_executable();
    void switches_data();
    void switches();
    void sub_process_role_data();
    void sub_process_role();
    void remote_debugging_switches_are_removed();
    void log_lines_data();
    void log_lines();
    void missing_runtime_files_give_one_error_box();
};

void RuntimeSettingsTest::runtime_log_lines_data()
{
    // Lines written to standard error, in order, and which of them belong in the runtime's log.
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<QList<bool>>("to_log");
    const QByteArray entry = "[1234:1234:1211/032145.123456:INFO:CONSOLE(1)] \"95.50\", source: https://p2p.test/ (1)\n";
    const QByteArray multi = "[1234:1234:1211/032145.123456:INFO:CONSOLE(1)] \"<head>\n";
    QTest::newRow("one-line entry, then a warning")
        << QList<QByteArray>{entry, "Qt: a warning\n"} << QList<bool>{true, false};
    QTest::newRow("console entry over several lines")
        << QList<QByteArray>{multi, "<body>\n", "</body>\", source: https://p2p.test/ (1)\n", "practice run: text\n"}
        << QList<bool>{true, true, true, false};
    QTest::newRow("a new entry ends an unfinished one")
        << QList<QByteArray>{multi, entry, "after\n"} << QList<bool>{true, true, false};
    QTest::newRow("other entries do not take the next line")
        << QList<QByteArray>{"[1:2:1211/032145.1:ERROR:gpu_init.cc(5)] no gpu\n", "plain\n"} << QList<bool>{true, false};
    QTest::newRow("almost an entry") << QList<QByteArray>{"[1:2:12/0321.1:INFO:x(1)] no\n", "[INFO] no\n"}
                                     << QList<bool>{false, false};
}

void RuntimeSettingsTest::runtime_log_lines()
{
    QFETCH(QList<QByteArray>, lines);
    QFETCH(QList<bool>, to_log);
    RuntimeLogLines sort;
    QList<bool> got;
    for (const QByteArray& line : lines)
        got.append(sort(line));
    QCOMPARE(got, to_log);
}

void RuntimeSettingsTest::paths_lie_beside_the_executable_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("expected");
    const QString exe_dir = QFileInfo(os::executable_path()).absolutePath();
    QTest::newRow("relative") << "cache" << exe_dir + "/cache";
    QTest::newRow("dot segments folded") << "./a/../cache" << exe_dir + "/cache";
    QTest::newRow("absolute as is") << "/var/tmp/rx42-cache" << "/var/tmp/rx42-cache";
    QTest::newRow("empty") << "" << "";
}

void RuntimeSettingsTest::paths_lie_beside_the_executable()
{
    QFETCH(QString, setting);
    QFETCH(QString, expected);
    const QString before = QDir::currentPath();
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());  // whatever the current directory is
    BrowserRuntime runtime;
    runtime.set_cache(setting);
    runtime.set_log_file(setting);
    QCOMPARE(runtime.cache_path(), expected);
    QCOMPARE(runtime.log_file_path(), expected);
    QDir::setCurrent(before);
}

void RuntimeSettingsTest::switches_data()
{
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("webrtc");
    QTest::addColumn<QStringList>("expected");
    const QStringList gpu{"--disable-gpu", "--disable-gpu-compositing"};
    QTest::newRow("logging off") << int(BrowserRuntime::LOGSEVERITY_DISABLE) << "" << gpu;
    QTest::newRow("information") << int(BrowserRuntime::LOGSEVERITY_INFO) << ""
                                 << gpu + QStringList{"--enable-logging", "--log-level=0"};
    QTest::newRow("errors only") << int(BrowserRuntime::LOGSEVERITY_ERROR) << ""
                                 << gpu + QStringList{"--enable-logging", "--log-level=2"};
    QTest::newRow("webrtc policy") << int(BrowserRuntime::LOGSEVERITY_DISABLE) << "disable_non_proxied_udp"
                                   << gpu + QStringList{"--force-webrtc-ip-handling-policy=disable_non_proxied_udp"};
}

void RuntimeSettingsTest::switches()
{
    QFETCH(int, severity);
    QFETCH(QString, webrtc);
    QFETCH(QStringList, expected);
    BrowserRuntime runtime;
    runtime.set_log_file(QStringLiteral("debug.log"));
    runtime.set_log_severity(BrowserRuntime::LogSeverity(severity));
    runtime.set_webrtc_ip_handling_policy(webrtc);
    QCOMPARE(runtime.runtime_switches(), expected);
}

void RuntimeSettingsTest::sub_process_role_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<bool>("sub_process");
    QTest::newRow("started by the user") << QStringList{"rx42"} << false;
    QTest::newRow("renderer") << QStringList{"rx42", "--type=renderer", "--lang=en"} << true;
    QTest::newRow("any type, anywhere") << QStringList{"rx42", "--no-sandbox", "--type=zygote"} << true;
    QTest::newRow("similar switch") << QStringList{"rx42", "--typed=renderer", "type=renderer"} << false;
}

void RuntimeSettingsTest::sub_process_role()
{
    QFETCH(QStringList, args);
    QFETCH(bool, sub_process);
    QVector<QByteArray> bytes;
    for (const QString& a : args)
        bytes << a.toLocal8Bit();
    QVector<char*> argv;
    for (QByteArray& b : bytes)
        argv << b.data();
    QCOMPARE(BrowserRuntime::is_sub_process(int(argv.size()), argv.data()), sub_process);
}

void RuntimeSettingsTest::remote_debugging_switches_are_removed()
{
    QByteArray a0("rx42"), a1("--remote-debugging-port=9222"), a2("--lang=ru"), a3("--remote-debugging-pipe");
    char* argv[] = {a0.data(), a1.data(), a2.data(), a3.data(), nullptr};
    int argc = 4;
    BrowserRuntime::remove_remote_debugging_switches(argc, argv);
    QCOMPARE(argc, 2);
    QCOMPARE(QByteArray(argv[0]), QByteArray("rx42"));
    QCOMPARE(QByteArray(argv[1]), QByteArray("--lang=ru"));
    QVERIFY(argv[2] == nullptr);
}

void RuntimeSettingsTest::log_lines_data()
{
    QTest::addColumn<int>("setting");
    QTest::addColumn<int>("line_severity");
    QTest::addColumn<QString>("expected_tag");  // empty: nothing written
    QTest::newRow("information at information") << int(BrowserRuntime::LOGSEVERITY_INFO) << int(BrowserRuntime::LOGSEVERITY_INFO) << "INFO";
    QTest::newRow("error at information") << int(BrowserRuntime::LOGSEVERITY_INFO) << int(BrowserRuntime::LOGSEVERITY_ERROR) << "ERROR";
    QTest::newRow("verbose below information") << int(BrowserRuntime::LOGSEVERITY_INFO) << int(BrowserRuntime::LOGSEVERITY_VERBOSE) << "";
    QTest::newRow("logging off") << int(BrowserRuntime::LOGSEVERITY_DISABLE) << int(BrowserRuntime::LOGSEVERITY_ERROR) << "";
    QTest::newRow("default is information") << int(BrowserRuntime::LOGSEVERITY_DEFAULT) << int(BrowserRuntime::LOGSEVERITY_INFO) << "INFO";
}

void RuntimeSettingsTest::log_lines()
{
    QFETCH(int, setting);
    QFETCH(int, line_severity);
    QFETCH(QString, expected_tag);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("debug.log"));
    BrowserRuntime runtime;
    runtime.set_log_file(path);
    runtime.set_log_severity(BrowserRuntime::LogSeverity(setting));
    runtime.write_log(BrowserRuntime::LogSeverity(line_severity), QStringLiteral("Certificate error code:-202 - URL:https://x/"));
    QFile file(path);
    if (expected_tag.isEmpty()) {
        QVERIFY(!file.exists() || file.size() == 0);
        return;
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    const QRegularExpression line(QStringLiteral("^\\[%1:\\d+:\\d{4}/\\d{6}\\.\\d{6}:%2:rx42\\] Certificate error code:-202 - URL:https://x/\\n$")
                                      .arg(::getpid())
                                      .arg(expected_tag));
    QVERIFY2(line.match(text).hasMatch(), qPrintable(text));
}

void RuntimeSettingsTest::missing_runtime_files_give_one_error_box()
{
    const QByteArray before = qgetenv("QTWEBENGINE_RESOURCES_PATH");
    qputenv("QTWEBENGINE_RESOURCES_PATH", "/nonexistent/rx42-resources");
    testing::TestDialogs dialogs;
    BrowserRuntime runtime(&dialogs);
    const bool started = runtime.start_main_process();
    if (before.isEmpty())
        qunsetenv("QTWEBENGINE_RESOURCES_PATH");
    else
        qputenv("QTWEBENGINE_RESOURCES_PATH", before);
    QVERIFY(!started);
    QVERIFY(!runtime.global_context_initialized());
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY2(dialogs.messages.first().contains("/nonexistent/rx42-resources"), qPrintable(dialogs.messages.first()));
}

class ProcessesTest : public QObject {
    Q_OBJECT
private slots:
    void counts_descendants_running_an_executable();
    void runtime_lines_of_standard_error_go_to_the_log();
    void a_full_log_is_set_aside_and_a_new_one_begun();
    void local_time_still_follows_the_time_zone();
};

void ProcessesTest::counts_descendants_running_an_executable()
{
    const QString sleep = QFileInfo(QStringLiteral("/bin/sleep")).canonicalFilePath();
    const QString shell = QFileInfo(QStringLiteral("/bin/sh")).canonicalFilePath();
    QCOMPARE(os::child_process_count(sleep), 0);
    QProcess child;  // a shell that runs sleep as its own child: a grandchild of ours
    child.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 30; true")});
    QVERIFY(child.waitForStarted());
    QTRY_COMPARE(os::child_process_count(sleep), 1);
    QCOMPARE(os::child_process_count(shell), 1);
    QCOMPARE(os::child_process_count(os::executable_path()), 0);
    child.kill();
    child.waitForFinished();
    QTRY_COMPARE(os::child_process_count(shell), 0);
}

void ProcessesTest::a_full_log_is_set_aside_and_a_new_one_begun()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("debug.log"));
    QVERIFY(os::capture_runtime_log(path, [](const QByteArray& line) { return line.startsWith("[runtime]"); }, 100));
    QByteArray written;
    for (int i = 0; i < 12; ++i)
        written += QByteArray("[runtime] line ") + QByteArray::number(10 + i) + '\n';  // 18 bytes each
    QCOMPARE(::write(STDERR_FILENO, written.constData(), size_t(written.size())), ssize_t(written.size()));
    os::release_runtime_log();
    const auto contents = [](const QString& file_path) {
        QFile file(file_path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray current = contents(path);
    const QByteArray older = contents(path + QStringLiteral(".1"));
    // Five lines fit in 100 bytes; the two files hold the newest lines, in order, whole.
    QCOMPARE(current.size(), 2 * 18);
    QCOMPARE(older.size(), 5 * 18);
    QVERIFY(written.endsWith(older + current));
}

void ProcessesTest::runtime_lines_of_standard_error_go_to_the_log()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("debug.log"));
    QVERIFY(os::capture_runtime_log(path, [](const QByteArray& line) { return line.startsWith("[runtime]"); }));
    const char lines[] = "[runtime] one\nother\n[runtime] two";
    QCOMPARE(::write(STDERR_FILENO, lines, sizeof lines - 1), ssize_t(sizeof lines - 1));
    os::release_runtime_log();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("[runtime] one\n[runtime] two"));
}

// The executable routes localtime() through the runtime (for its sandboxed sub-processes); the
// program's own local times must not change by that.
void ProcessesTest::local_time_still_follows_the_time_zone()
{
    const QByteArray before = qgetenv("TZ");
    qputenv("TZ", "Asia/Tokyo");
    ::tzset();
    const time_t epoch = 0;
    struct tm result = {};
    QVERIFY(::localtime_r(&epoch, &result));
    const int hour_r = result.tm_hour;
    const int hour = ::localtime(&epoch)->tm_hour;
    if (before.isNull())
        qunsetenv("TZ");
    else
        qputenv("TZ", before);
    ::tzset();
    QCOMPARE(hour_r, 9);
    QCOMPARE(hour, 9);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    return run_test_classes<SentinelTest, WindowMessagesTest, DialogsTest, PanelTest, RuntimeSettingsTest, ProcessesTest>(argc, argv);
}

#include "test_platform_units.moc"
