// Round trip of one price read on the practice page: from run_page_script with the price script to
// the answer routed into e_cell_price on the window thread, through the robot's own layers
// (TradingAutomation over the browser component, on the runtime set up as the program sets it up),
// beside the same round trip on a bare Qt WebEngine page in the same process and run. After a
// warm-up of each, the two paths take turns in blocks of 100 round trips.
//
//   bench_round_trip [--iterations N] [--warmup N]     (defaults 2000 and 200)
//
// Prints, per path, the samples, median, p90, p99 and max (ms), the medians of the first and of the
// last tenth of the samples, and how much this process's resident memory grew over them: the
// robot's path must neither slow down nor grow as answers pile up. Exit status 0 when every
// answer came back and was the page's price, 1 when one did not, 2 for a bad command line. Headless it needs QT_QPA_PLATFORM=offscreen and, as root, QTWEBENGINE_DISABLE_SANDBOX=1;
// both are set here when they are unset. The runtime's log and cache lie beside the executable,
// as the program's do.

#include "automation/page_scripts.h"
#include "automation/trading_automation.h"
#include "browser_component.h"
#include "browser_panel.h"
#include "common/qt_scheduler.h"
#include "global_runtime.h"
#include "plain_trading_controls.h"
#include "test_dialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include <unistd.h>

using namespace rx42;
using namespace rx42::testing;

namespace {

const QString kPrice = QStringLiteral("95.50");
const QString kPageUrl = QStringLiteral("qrc:/practice/p2p.html?sell=") + kPrice + QStringLiteral("&buy=95.00");
constexpr int kAnswerTimeoutMs = 5000;
constexpr int kLoadTimeoutMs = 30000;
// Wakes the waiting loop now and then, so that a lost answer ends in a time-out, not a hang.
constexpr int kHeartbeatMs = 250;
// Round trips per turn of a path.
constexpr int kBlock = 100;

struct Options {
    int iterations = 2000;
    int warmup = 200;
};

bool parse_options(const QStringList& args, Options& options)
{
    for (int i = 1; i < args.size(); ++i) {
        int* target = nullptr;
        if (args[i] == QLatin1String("--iterations"))
            target = &options.iterations;
        else if (args[i] == QLatin1String("--warmup"))
            target = &options.warmup;
        if (!target || i + 1 >= args.size())
            return false;
        bool ok = false;
        *target = args[++i].toInt(&ok);
        if (!ok || *target < 0 || (target == &options.iterations && *target == 0))
            return false;
    }
    return true;
}

// One way of reading the price: send() hands the price script to the page; answered() says
// whether the answer has come back, answer() is it; reset() forgets the last one.
struct Path {
    const char* name;
    std::function<void()> reset;
    std::function<void()> send;
    std::function<bool()> answered;
    std::function<QString()> answer;
};

// Resident memory of this process (the window's side of the browser), in kB; 0 if unknown.
long resident_kb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Nearest-rank percentile of sorted samples, in milliseconds.
double percentile_ms(const std::vector<qint64>& sorted, double p)
{
    const auto n = sorted.size();
    const auto rank = std::clamp<std::size_t>(std::size_t(std::ceil(p * double(n))), 1, n);
    return double(sorted[rank - 1]) / 1e6;
}

double median_ms(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    return percentile_ms(samples, 0.5);
}

void print_header()
{
    std::printf("%-10s %8s %9s %9s %9s %9s %14s %14s %14s\n", "path", "samples", "median", "p90", "p99", "max",
                "first10%_med", "last10%_med", "rss_growth_kB");
}

// rss_growth_kb: how much this process grew over the path's round trips.
void print_summary(const char* name, const std::vector<qint64>& samples, long rss_growth_kb)
{
    std::vector<qint64> sorted = samples;
    std::sort(sorted.begin(), sorted.end());
    const auto tenth = std::max<std::ptrdiff_t>(1, std::ptrdiff_t(samples.size()) / 10);
    const double first = median_ms(std::vector<qint64>(samples.begin(), samples.begin() + tenth));
    const double last = median_ms(std::vector<qint64>(samples.end() - tenth, samples.end()));
    std::printf("%-10s %8zu %9.3f %9.3f %9.3f %9.3f %14.3f %14.3f %+14ld\n", name, samples.size(),
                percentile_ms(sorted, 0.5), percentile_ms(sorted, 0.9), percentile_ms(sorted, 0.99),
                percentile_ms(sorted, 1.0), first, last, rss_growth_kb);
}

// A Qt WebEngine page and nothing else: the answer is kept by the console override itself.
class BarePage final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    bool answered = false;
    QString answer;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int, const QString&) override
    {
        answer = message;
        answered = true;
    }
};

class RoundTripBench {
public:
    explicit RoundTripBench(BrowserRuntime& runtime)
        : component_(runtime)
        , robot_(scheduler_, component_, ui_.controls(), dialogs_, {}, {})
    {
        // Both pages are shown at the same size, so that they differ only by what lies between
        // the page and the answer.
        robot_window_.resize(1024, 768);
        panel_ = new BrowserPanel(&robot_window_);
        panel_->setGeometry(0, 0, 1024, 768);
        robot_window_.show();
        bare_window_.resize(1024, 768);
        auto* view = new QWebEngineView(&bare_window_);
        view->setGeometry(0, 0, 1024, 768);
        bare_page_ = new BarePage(runtime.profile(), view);
        view->setPage(bare_page_);
        bare_window_.show();

        // The window hands every console message of its browser to the robot.
        component_.on_console_message = [this](BrowserId, int, const QString& message, const QString&, int) {
            robot_.Chromium1ConsoleMessage(message);
        };
        heartbeat_.start(kHeartbeatMs);
    }

    int run(const Options& options)
    {
        if (!load_robot_page() || !load_bare_page())
            return 1;
        const QString script = page_scripts::price_script();
        const Path robot{"robot", [this] { ui_.e_cell_price.set_text(QString()); },
                         [this] { robot_.btn_cell_price2Click(); }, [this] { return !robot_.wait_cell_price; },
                         [this] { return ui_.e_cell_price.text(); }};
        const Path bare{"bare page", [this] { bare_page_->answered = false; },
                        [this, script] { bare_page_->runJavaScript(script); }, [this] { return bare_page_->answered; },
                        [this] { return bare_page_->answer; }};

        if (!round_trips(robot, options.warmup, nullptr) || !round_trips(bare, options.warmup, nullptr))
            return 1;
        // The two paths take turns in blocks (the one that starts a block alternates), so that the
        // load of a shared machine falls on both alike; each path's samples stay in their order.
        Tally robot_tally;
        Tally bare_tally;
        for (int done = 0, block = 0; done < options.iterations; done += kBlock, ++block) {
            const int count = std::min(kBlock, options.iterations - done);
            for (int turn = 0; turn < 2; ++turn) {
                const bool robot_turn = (turn == 0) == (block % 2 == 0);
                if (!round_trips(robot_turn ? robot : bare, count, robot_turn ? robot_tally : bare_tally))
                    return 1;
            }
        }
        const std::vector<qint64>& robot_samples = robot_tally.samples;
        const std::vector<qint64>& bare_samples = bare_tally.samples;

        print_header();
        print_summary(bare.name, bare_samples, bare_tally.rss_growth_kb);
        print_summary(robot.name, robot_samples, robot_tally.rss_growth_kb);
        const double bare_median = median_ms(bare_samples);
        const double robot_median = median_ms(robot_samples);
        std::printf("robot - bare page, median: %+.3f ms (robot/bare %.2f)\n", robot_median - bare_median,
                    robot_median / bare_median);
        return 0;
    }

private:
    // Runs the event loop until `done` or until `timeout_ms` have passed.
    static bool wait_for(const std::function<bool()>& done, int timeout_ms)
    {
        const QDeadlineTimer deadline(timeout_ms);
        while (!done()) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        return true;
    }

    bool load_robot_page()
    {
        bool created = false;
        bool loaded = false;
        component_.on_after_created = [&created](BrowserId) { created = true; };
        component_.on_load_end = [&loaded](BrowserId, const FrameInfo& frame, int) {
            if (frame.is_main && frame.url.startsWith(QLatin1String("qrc:")))
                loaded = true;
        };
        bool ok = component_.create_browser(panel_) && wait_for([&created] { return created; }, kLoadTimeoutMs);
        if (ok) {
            component_.load_url(kPageUrl);
            ok = wait_for([&loaded] { return loaded; }, kLoadTimeoutMs);
        }
        component_.on_after_created = nullptr;
        component_.on_load_end = nullptr;
        if (!ok)
            std::fprintf(stderr, "bench_round_trip: the robot's browser did not load %s\n", qPrintable(kPageUrl));
        return ok;
    }

    bool load_bare_page()
    {
        bool loaded = false;
        bool ok = false;
        const auto connection = QObject::connect(bare_page_, &QWebEnginePage::loadFinished, [&](bool success) {
            loaded = true;
            ok = success;
        });
        bare_page_->load(QUrl(kPageUrl));
        wait_for([&loaded] { return loaded; }, kLoadTimeoutMs);
        QObject::disconnect(connection);
        if (!ok)
            std::fprintf(stderr, "bench_round_trip: the bare page did not load %s\n", qPrintable(kPageUrl));
        return ok;
    }

    // What one path's measured round trips came to: their durations in ns, in order, and how much
    // this process grew while they ran.
    struct Tally {
        std::vector<qint64> samples;
        long rss_growth_kb = 0;
    };

    static bool round_trips(const Path& path, int count, Tally& tally)
    {
        const long rss_before = resident_kb();
        const bool ok = round_trips(path, count, &tally.samples);
        tally.rss_growth_kb += resident_kb() - rss_before;
        return ok;
    }

    // `count` round trips one after the other; their durations in ns go to `samples` (if given).
    // False, with the reason on standard error, when an answer is late or not the page's price.
    static bool round_trips(const Path& path, int count, std::vector<qint64>* samples)
    {
        QElapsedTimer clock;
        for (int i = 0; i < count; ++i) {
            path.reset();
            const QDeadlineTimer deadline(kAnswerTimeoutMs);
            clock.start();
            path.send();
            while (!path.answered()) {
                if (deadline.hasExpired()) {
                    std::fprintf(stderr, "bench_round_trip: %s: no answer to round trip %d within %d ms\n", path.name, i,
                                 kAnswerTimeoutMs);
                    return false;
                }
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            }
            const qint64 ns = clock.nsecsElapsed();
            if (path.answer() != kPrice) {
                std::fprintf(stderr, "bench_round_trip: %s: round trip %d answered \"%s\", not \"%s\"\n", path.name, i,
                             qPrintable(path.answer()), qPrintable(kPrice));
                return false;
            }
            if (samples)
                samples->push_back(ns);
        }
        return true;
    }

    // Destroyed in reverse: the bare page (a child of its view), the robot, then the robot's
    // browser (the component destroys its view and page) and its panel.
    QWidget robot_window_;
    BrowserPanel* panel_ = nullptr;
    BrowserComponent component_;
    QtScheduler scheduler_;
    PlainTradingControls ui_;
    TestDialogs dialogs_;
    TradingAutomation robot_;
    QWidget bare_window_;
    BarePage* bare_page_ = nullptr;
    QTimer heartbeat_;
};

}  // namespace

int main(int argc, char** argv)
{
    // Like the program, the benchmark is every sub-process of the runtime too.
    if (BrowserRuntime::is_sub_process(argc, argv))
        return BrowserRuntime::run_sub_process(argc, argv);
    BrowserRuntime::remove_remote_debugging_switches(argc, argv);
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");

    QApplication app(argc, argv);
    Options options;
    if (!parse_options(app.arguments(), options)) {
        std::fprintf(stderr, "usage: bench_round_trip [--iterations N] [--warmup N]\n");
        return 2;
    }

    // The program's runtime settings; the runtime's error box becomes a line on standard error.
    TestDialogs runtime_dialogs;
    create_runtime(&runtime_dialogs);
    GlobalCEFApp->set_webrtc_ip_handling_policy(QStringLiteral("disable_non_proxied_udp"));
    if (!GlobalCEFApp->start_main_process()) {
        std::fprintf(stderr, "bench_round_trip: %s\n", qPrintable(runtime_dialogs.messages.join(QLatin1Char(' '))));
        destroy_runtime();
        return 1;
    }

    std::printf("bench_round_trip: price script round trip on %s, Qt %s, Chromium %s, %d round trips after %d "
                "warm-up ones per path\n",
                qPrintable(kPageUrl), qVersion(), qWebEngineChromiumVersion(), options.iterations, options.warmup);
    std::fflush(stdout);
    int status = 1;
    {
        RoundTripBench bench(*GlobalCEFApp);
        // The measurement runs inside the event loop, like the window's handlers; the loop is left
        // through a queued call once it is done.
        QTimer::singleShot(0, &app, [&]() {
            status = bench.run(options);
            QMetaObject::invokeMethod(&app, &QCoreApplication::quit, Qt::QueuedConnection);
        });
        app.exec();
    }
    std::fflush(stdout);
    // Pages are gone; the runtime's profile goes before the application object.
    destroy_runtime();
    return status;
}
