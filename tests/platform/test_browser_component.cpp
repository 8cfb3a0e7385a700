// The browser component on the real browser runtime, headless, against pages of a loopback
// server the tests start.

#include "browser_component.h"
#include "browser_panel.h"
#include "browser_runtime.h"
#include "browser_test_main.h"
#include "common/handler_guard.h"
#include "fixture_server.h"
#include "os.h"

#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QTemporaryDir>
#include <QPixmap>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <memory>

using namespace rx42;
using rx42::testing::FixtureServer;

namespace {

// The remote debugging endpoint a careless environment would open; the runtime must not.
constexpr quint16 kDebuggingPort = 39222;

QString quoted(const QString& name)
{
    return QLatin1Char('\'') + name + QLatin1Char('\'');
}

// One browser in a window, with every event of the component written down as a line:
//   created:<id>  state:<loading><back><forward>  end:<path>:<'name'>  error:<path>:<'name'>:<code>:<text>
//   console:<message>  close:<id>  gone:<id>  title:<title>  fullscreen:<0|1>  status:<value>
struct Harness {
    QWidget window;
    BrowserPanel* panel = nullptr;
    BrowserComponent component{*rx42::testing::test_runtime()};
    QStringList events;
    QVector<FrameInfo> ends;
    QVector<FrameInfo> errors;
    QStringList error_urls;
    QStringList console_sources;
    QVector<double> progress;
    TCefCloseBrowserAction close_answer = cbaClose;
    QVector<BrowserId> created;

    Harness()
    {
        window.resize(800, 600);
        panel = new BrowserPanel(&window);
        panel->setGeometry(0, 0, 800, 600);
        window.show();
        BrowserComponent& c = component;
        c.on_after_created = [this](BrowserId id) {
            created << id;
            events << QStringLiteral("created:%1").arg(id);
        };
        c.on_loading_state_change = [this](BrowserId, bool loading, bool back, bool forward) {
            events << QStringLiteral("state:%1%2%3").arg(int(loading)).arg(int(back)).arg(int(forward));
        };
        c.on_loading_progress_change = [this](BrowserId, double p) { progress << p; };
        c.on_load_end = [this](BrowserId, const FrameInfo& frame, int) {
            ends << frame;
            events << QStringLiteral("end:%1:%2").arg(frame.path, quoted(frame.name));
        };
        c.on_load_error = [this](BrowserId, const FrameInfo& frame, int code, const QString& text, const QString& url) {
            errors << frame;
            error_urls << url;
            events << QStringLiteral("error:%1:%2:%3:%4").arg(frame.path, quoted(frame.name)).arg(code).arg(text);
        };
        c.on_console_message = [this](BrowserId, int, const QString& message, const QString& source, int) {
            console_sources << source;
            events << QStringLiteral("console:") + message;
        };
        c.on_close = [this](BrowserId id, TCefCloseBrowserAction& action) {
            events << QStringLiteral("close:%1").arg(id);
            action = close_answer;
        };
        c.on_before_close = [this](BrowserId id) {
            events << QStringLiteral("gone:%1:%2").arg(id).arg(component.browser_id());
        };
        c.on_title_change = [this](BrowserId, const QString& title) { events << QStringLiteral("title:") + title; };
        c.on_fullscreen_mode_change = [this](BrowserId, bool on) { events << QStringLiteral("fullscreen:%1").arg(int(on)); };
        c.on_status_message = [this](BrowserId, const QString& value) { events << QStringLiteral("status:") + value; };
    }

    // Creates the browser and waits until it shows about:blank.
    bool create()
    {
        if (!component.create_browser(panel))
            return false;
        return wait_for(QStringLiteral("end::''"));
    }

    void reset()
    {
        events.clear();
        ends.clear();
        errors.clear();
        error_urls.clear();
        console_sources.clear();
        progress.clear();
    }

    int count(const QString& event) const { return int(events.count(event)); }

    bool wait_for(const QString& event, int timeout_ms = 15000, int occurrences = 1)
    {
        QElapsedTimer clock;
        clock.start();
        while (count(event) < occurrences && clock.elapsed() < timeout_ms)
            QTest::qWait(10);
        return count(event) >= occurrences;
    }

    // Loads and waits for the main frame's end (or error); returns false on a timeout.
    bool load(const QUrl& url)
    {
        const qsizetype finished = events.filter(QRegularExpression("^state:0")).size();
        component.load_url(url.toString());
        QElapsedTimer clock;
        clock.start();
        while (events.filter(QRegularExpression("^state:0")).size() <= finished && clock.elapsed() < 15000)
            QTest::qWait(10);
        return events.filter(QRegularExpression("^state:0")).size() > finished;
    }

    QString run_script(const QString& code, BrowserId browser = 0)
    {
        QWebEnginePage* page = component.page_of(browser ? browser : component.browser_id());
        QString result;
        bool done = false;
        page->runJavaScript(code, 0, [&](const QVariant& value) {
            result = value.toString();
            done = true;
        });
        QElapsedTimer clock;
        clock.start();
        while (!done && clock.elapsed() < 10000)
            QTest::qWait(10);
        return result;
    }
};

}  // namespace

class BrowserComponentTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void creation_waits_for_the_runtime_and_one_browser_at_a_time();
    void the_runtime_runs_this_executable_and_no_debugging_endpoint();
    void frames_report_their_names_and_load_ends();
    void reports_pass_a_content_security_policy_and_stay_out_of_the_page();
    void failing_sub_frame_reports_once_and_takes_a_page();
    void main_frame_errors_data();
    void main_frame_errors();
    void error_page_text_replaces_the_main_frame();
    void a_stopped_load_is_aborted();
    void console_messages_come_once_in_order_from_the_main_world();
    void a_failing_script_stays_silent_and_its_declarations_stay_global();
    void events_wait_for_a_running_handler();
    void certificate_errors_are_answered();
    void history_back_and_forward();
    void closing_data();
    void closing();
    void close_without_a_browser_does_nothing();
    void popup_is_a_browser_of_its_own();
    void full_screen_requests();
    void developer_tools_in_a_panel();
    void scripts_and_texts_of_frames();
    void tools_of_the_browser();
    void hovering_a_link_gives_a_status_message();

private:
    std::unique_ptr<FixtureServer> server_;
};

void BrowserComponentTest::init()
{
    server_ = std::make_unique<FixtureServer>();
    QVERIFY(server_->start());
    set_error_presenter([](const QString& text) { QFAIL(qPrintable("handler error: " + text)); });
}

void BrowserComponentTest::cleanup()
{
    set_error_presenter({});
    server_.reset();
}

void BrowserComponentTest::creation_waits_for_the_runtime_and_one_browser_at_a_time()
{
    BrowserRuntime not_started;
    BrowserComponent early(not_started);
    BrowserPanel panel;
    QVERIFY(!early.create_browser(&panel));
    QVERIFY(!early.initialized());

    Harness h;
    QVERIFY(h.component.create_browser(h.panel));
    // Requested, not yet created: not initialised, and no second browser.
    QVERIFY(!h.component.initialized());
    QCOMPARE(h.component.browser_id(), 0);
    QVERIFY(!h.component.create_browser(h.panel));
    h.component.load_url(server_->url("/never").toString());  // does nothing before creation
    QVERIFY(h.wait_for(QStringLiteral("end::''")));
    QCOMPARE(h.created.size(), 1);
    QVERIFY(h.component.initialized());
    QCOMPARE(h.component.browser_id(), h.created.first());
    QVERIFY(h.component.is_same_browser(h.created.first()));
    QVERIFY(!h.component.is_same_browser(h.created.first() + 1000));
    QCOMPARE(h.component.document_url(), QStringLiteral("about:blank"));
    QCOMPARE(server_->requests("/never"), 0);
    QVERIFY(!h.component.create_browser(h.panel));
    // The view fills the panel.
    QCOMPARE(h.panel->child_window()->geometry(), h.panel->rect());
}

void BrowserComponentTest::the_runtime_runs_this_executable_and_no_debugging_endpoint()
{
    Harness h;
    QVERIFY(h.create());
    // Every sub-process of the runtime is this very executable, in its sub-process role.
    QTRY_VERIFY(os::child_process_count(os::executable_path()) >= 1);
    QVERIFY(!qEnvironmentVariableIsSet("QTWEBENGINE_REMOTE_DEBUGGING"));
    QVERIFY(!qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").contains("remote-debugging"));
    QTcpSocket probe;
    probe.connectToHost(QHostAddress::LocalHost, kDebuggingPort);
    QVERIFY(!probe.waitForConnected(1000));
}

void BrowserComponentTest::frames_report_their_names_and_load_ends()
{
    server_->set_page("/top", "<html><body>top"
                              "<iframe name=\"O'Neil\" src=\"/child\"></iframe>"
                              "<iframe src=\"/plain\"></iframe></body></html>");
    server_->set_page("/child", "<html><body>child<iframe name=\"inner\" src=\"/plain\"></iframe></body></html>");
    server_->set_page("/plain", "<html><body>plain</body></html>");
    Harness h;
    QVERIFY(h.create());
    h.reset();
    QVERIFY(h.load(server_->url("/top")));
    QVERIFY(h.wait_for(QStringLiteral("end:1:''")));
    // Sub-frames end before the frame that holds them; the main frame ends before its loading
    // state goes idle.
    const QStringList ends = h.events.filter(QRegularExpression("^(end|state:0)"));
    QCOMPARE(ends.size(), 5);
    QVERIFY(ends.indexOf("end:0.0:'inner'") < ends.indexOf("end:0:'O'Neil'"));
    QVERIFY(ends.indexOf("end:0:'O'Neil'") < ends.indexOf("end::''"));
    QVERIFY(ends.indexOf("end:1:''") < ends.indexOf("end::''"));
    QCOMPARE(ends.last().left(7), QStringLiteral("state:0"));
    QCOMPARE(h.events.filter("error").size(), 0);
    const FrameInfo main = h.ends.at(h.events.filter(QRegularExpression("^end")).indexOf("end::''"));
    QVERIFY(main.valid && main.is_main);
    QCOMPARE(main.url, server_->url("/top").toString());
    for (const FrameInfo& f : h.ends) {
        if (!f.is_main)
            QVERIFY(f.valid);
    }
    QStringList names;
    QVERIFY(h.component.frame_names(names));
    QCOMPARE(names, (QStringList{"", "O'Neil", "inner", ""}));
    QCOMPARE(h.component.frame_count(), 4);
    QVector<qint64> ids;
    QVERIFY(h.component.frame_identifiers(4, ids));
    QCOMPARE(ids.size(), 4);
    QVERIFY(!h.component.frame_identifiers(0, ids));
    // Progress runs from 0 to 1.
    QVERIFY(!h.progress.isEmpty());
    QCOMPARE(h.progress.last(), 1.0);
    for (double p : h.progress)
        QVERIFY(p >= 0.0 && p <= 1.0);
}

void BrowserComponentTest::reports_pass_a_content_security_policy_and_stay_out_of_the_page()
{
    // A strict policy: no images, no frames from elsewhere, no connections.
    server_->set_page("/strict", "<html><head><meta http-equiv=\"Content-Security-Policy\" content=\""
                                 "default-src 'self' 'unsafe-inline'; img-src 'none'; connect-src 'none'\">"
                                 "</head><body><iframe name=\"f\" src=\"/plain\"></iframe>"
                                 "<script>var before = Object.keys(window).length;</script></body></html>");
    server_->set_page("/plain", "<html><body>plain</body></html>");
    Harness h;
    QVERIFY(h.create());
    h.reset();
    QVERIFY(h.load(server_->url("/strict")));
    QVERIFY(h.wait_for(QStringLiteral("end:0:'f'")));
    // The page's own world sees nothing of the reporter, and its console stays silent.
    QCOMPARE(h.run_script(QStringLiteral("String(Object.keys(window).length === before)")), QStringLiteral("true"));
    QCOMPARE(h.run_script(QStringLiteral("String(document.images.length)")), QStringLiteral("0"));
    QCOMPARE(h.events.filter("console").size(), 0);
}

void BrowserComponentTest::failing_sub_frame_reports_once_and_takes_a_page()
{
    const QUrl refused(QStringLiteral("http://127.0.0.1:%1/gone").arg(FixtureServer::refused_port()));
    server_->set_page("/host", "<html><body><p id=\"kept\">kept</p>"
                               "<iframe name=\"good\" src=\"/plain\"></iframe>"
                               "<iframe name=\"bad\" src=\"" + refused.toEncoded() + "\"></iframe></body></html>");
    server_->set_page("/plain", "<html><body>plain</body></html>");
    Harness h;
    QVERIFY(h.create());
    h.reset();
    QVERIFY(h.load(server_->url("/host")));
    QVERIFY(h.wait_for(QStringLiteral("error:1:'bad':-2:ERR_FAILED")));
    QCOMPARE(h.error_urls.last(), refused.toString());
    const FrameInfo bad = h.errors.last();
    QVERIFY(bad.valid && !bad.is_main);
    QCOMPARE(h.events.filter("end:0:'good'").size(), 1);
    // The runtime's error page logs to the console; none of it comes through.
    QCOMPARE(h.events.filter("console").size(), 0);

    h.component.load_string(QStringLiteral("<html><body>Failed to load URL</body></html>"), bad);
    QVERIFY(h.wait_for(QStringLiteral("end:1:'bad'")));
    QVERIFY(h.ends.last().url.startsWith(QStringLiteral("rx42frame:page?")));
    // Reported once, the page around it untouched.
    QTest::qWait(500);
    QCOMPARE(h.events.filter("error").size(), 1);
    QCOMPARE(h.component.document_url(), server_->url("/host").toString());
    QCOMPARE(h.run_script(QStringLiteral("document.getElementById('kept').textContent")), QStringLiteral("kept"));
}

void BrowserComponentTest::main_frame_errors_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    QTest::newRow("refused") << QStringLiteral("http://127.0.0.1:%1/").arg(FixtureServer::refused_port()) << -102
                             << "ERR_CONNECTION_REFUSED";
    QTest::newRow("unsafe port") << "http://127.0.0.1:1/" << -312 << "ERR_UNSAFE_PORT";
}

void BrowserComponentTest::main_frame_errors()
{
    QFETCH(QString, url);
    QFETCH(int, code);
    QFETCH(QString, text);
    Harness h;
    QVERIFY(h.create());
    h.reset();
    QVERIFY(h.load(QUrl(url)));
    QCOMPARE(h.events.filter("error"), QStringList{QStringLiteral("error::'':%1:%2").arg(code).arg(text)});
    QCOMPARE(h.error_urls, QStringList{url});
    QVERIFY(h.errors.first().is_main);
    QCOMPARE(h.events.filter("console").size(), 0);
}

void BrowserComponentTest::error_page_text_replaces_the_main_frame()
{
    Harness h;
    QVERIFY(h.create());
    const QString html = QStringLiteral("<html><body>Ошибка: a page in UTF-8</body></html>");
    h.reset();
    h.component.load_string(html, h.component.main_frame());
    QVERIFY(h.wait_for(QStringLiteral("end::''")));
    QCOMPARE(h.component.document_url(),
             QStringLiteral("data:text/html;charset=utf-8;base64,") + QString::fromLatin1(html.toUtf8().toBase64()));
    QCOMPARE(h.run_script(QStringLiteral("document.body.textContent")), QStringLiteral("Ошибка: a page in UTF-8"));
    // Nothing happens for an empty text or a frame that is not valid.
    h.reset();
    h.component.load_string(QString(), h.component.main_frame());
    h.component.load_string(html, FrameInfo{});
    QTest::qWait(300);
    QVERIFY(h.events.isEmpty());
}

void BrowserComponentTest::a_stopped_load_is_aborted()
{
    server_->set_page("/slow", "<html><body>slow</body></html>", "text/html", 5000);
    Harness h;
    QVERIFY(h.create());
    h.reset();
    h.component.load_url(server_->url("/slow").toString());
    QVERIFY(h.wait_for(QStringLiteral("state:100")));
    QTRY_COMPARE(server_->requests("/slow"), 1);
    h.component.stop_load();
    QVERIFY(h.wait_for(QStringLiteral("error::'':-3:ERR_ABORTED")));
}

void BrowserComponentTest::console_messages_come_once_in_order_from_the_main_world()
{
    server_->set_page("/page", "<html><body><script>var answer = 42;</script></body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/page")));
    h.reset();
    h.component.execute_in_main_frame(QStringLiteral("console.log(answer); for (var i = 0; i < 300; i++) console.log('m' + i);"));
    QVERIFY(h.wait_for(QStringLiteral("console:m299")));
    QTest::qWait(100);
    QStringList expected{QStringLiteral("console:42")};
    for (int i = 0; i < 300; ++i)
        expected << QStringLiteral("console:m%1").arg(i);
    QCOMPARE(h.events, expected);
    // The script runs with the frame's URL as its own.
    QCOMPARE(h.console_sources.first(), server_->url("/page").toString());
}

void BrowserComponentTest::a_failing_script_stays_silent_and_its_declarations_stay_global()
{
    server_->set_page("/empty", "<html><body></body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/empty")));
    h.reset();
    // A missing element makes the script throw; its error must not come back as an answer.
    h.component.execute_in_main_frame(
        QStringLiteral("var my_price = document.getElementsByClassName(\"main-content\").item(0).innerText;console.log(my_price);"));
    h.component.execute_in_main_frame(QStringLiteral("var later = 7;"));
    h.component.execute_in_main_frame(QStringLiteral("console.log(typeof my_price + ' ' + later);"));
    QVERIFY(h.wait_for(QStringLiteral("console:undefined 7")));
    QTest::qWait(100);
    QCOMPARE(h.events, QStringList{QStringLiteral("console:undefined 7")});
}

void BrowserComponentTest::events_wait_for_a_running_handler()
{
    Harness h;
    QVERIFY(h.create());
    // A handler that shows a modal box keeps the loop running; the next message must wait for it.
    int depth = 0;
    int deepest = 0;
    QStringList seen;
    h.component.on_console_message = [&](BrowserId, int, const QString& message, const QString&, int) {
        ++depth;
        deepest = qMax(deepest, depth);
        seen << message;
        if (message == QLatin1String("first")) {
            QEventLoop modal;
            QTimer::singleShot(300, &modal, &QEventLoop::quit);
            modal.exec();
        }
        --depth;
    };
    h.component.execute_in_main_frame(QStringLiteral("console.log('first'); console.log('second'); console.log('third');"));
    QTRY_COMPARE(seen.size(), 3);
    QCOMPARE(seen, (QStringList{"first", "second", "third"}));
    QCOMPARE(deepest, 1);
}

void BrowserComponentTest::certificate_errors_are_answered()
{
    FixtureServer secure;
    const FixtureServer::SecureStart started = secure.start_self_signed();
    if (started == FixtureServer::SecureStart::no_certificate)
        QSKIP("the openssl command cannot make a certificate here");
    QVERIFY(started == FixtureServer::SecureStart::started);
    secure.set_page("/secret", "<html><body>secret</body></html>");
    Harness h;
    QVERIFY(h.create());
    QStringList asked;
    h.component.on_certificate_error = [&](BrowserId browser, int code, const QString& url) {
        asked << QStringLiteral("%1 %2 %3").arg(browser == h.component.browser_id()).arg(code).arg(url);
        return false;
    };
    h.reset();
    QVERIFY(h.load(secure.url("/secret")));
    QCOMPARE(asked, QStringList{QStringLiteral("1 -202 %1").arg(secure.url("/secret").toString())});
    QCOMPARE(h.events.filter("error").size(), 1);
    QVERIFY2(h.events.filter("error").first().startsWith("error::'':-202:"), qPrintable(h.events.join('\n')));
    QCOMPARE(secure.requests("/secret"), 0);
}

void BrowserComponentTest::history_back_and_forward()
{
    server_->set_page("/a", "<html><body>a</body></html>");
    server_->set_page("/b", "<html><body>b</body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/a")));
    QVERIFY(h.load(server_->url("/b")));
    QCOMPARE(h.events.filter("state:0").last(), QStringLiteral("state:010"));
    QVERIFY(h.component.can_go_back());
    QVERIFY(!h.component.can_go_forward());
    h.component.go_forward();  // nothing to go forward to
    h.reset();
    h.component.go_back();
    QTRY_COMPARE(h.component.document_url(), server_->url("/a").toString());
    QVERIFY(h.wait_for(QStringLiteral("state:011")));
    h.component.go_forward();
    QTRY_COMPARE(h.component.document_url(), server_->url("/b").toString());
    QVERIFY(h.wait_for(QStringLiteral("state:010")));
    h.reset();
    h.component.reload();
    QVERIFY(h.wait_for(QStringLiteral("state:110")));
    QVERIFY(h.wait_for(QStringLiteral("state:010")));
    QCOMPARE(server_->requests("/b"), 3);
}

void BrowserComponentTest::closing_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("the host destroys the panel") << int(cbaDelay);
    QTest::newRow("the component closes the window") << int(cbaClose);
    QTest::newRow("refused") << int(cbaCancel);
}

void BrowserComponentTest::closing()
{
    QFETCH(int, answer);
    Harness h;
    QVERIFY(h.create());
    const BrowserId id = h.component.browser_id();
    QPointer<QWidget> view = h.panel->child_window();
    h.close_answer = TCefCloseBrowserAction(answer);
    h.reset();
    h.component.close_browser(true);
    // Closing has begun: no longer initialised, no new requests; the browser is still there.
    QVERIFY(!h.component.initialized());
    QCOMPARE(h.component.browser_id(), id);
    QVERIFY(h.wait_for(QStringLiteral("close:%1").arg(id)));
    switch (answer) {
    case cbaDelay:
        QTest::qWait(300);
        QCOMPARE(h.events, QStringList{QStringLiteral("close:%1").arg(id)});
        QCOMPARE(h.component.browser_id(), id);
        delete h.panel;
        h.panel = nullptr;
        // Dropped before the event: the component has no browser any more when it is raised.
        QVERIFY(h.wait_for(QStringLiteral("gone:%1:0").arg(id)));
        break;
    case cbaClose:
        QVERIFY(h.wait_for(QStringLiteral("gone:%1:0").arg(id)));
        QVERIFY(view.isNull());
        QVERIFY(h.panel);
        break;
    case cbaCancel:
        QTest::qWait(500);
        QCOMPARE(h.events, QStringList{QStringLiteral("close:%1").arg(id)});
        QVERIFY(h.component.initialized());
        QVERIFY(!view.isNull());
        break;
    }
}

void BrowserComponentTest::close_without_a_browser_does_nothing()
{
    Harness h;
    h.component.close_browser(true);
    QTest::qWait(200);
    QVERIFY(h.events.isEmpty());
}

void BrowserComponentTest::popup_is_a_browser_of_its_own()
{
    server_->set_page("/opener", "<html><body>opener</body></html>");
    server_->set_page("/popup", "<html><head><title>popup</title></head><body>popup</body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/opener")));
    const BrowserId main = h.component.browser_id();
    h.component.execute_in_main_frame(QStringLiteral("window.open('/popup', 'pop', 'width=400,height=300');"));
    QTRY_COMPARE(h.created.size(), 2);
    const BrowserId popup = h.created.last();
    QVERIFY(popup != main);
    QVERIFY(!h.component.is_same_browser(popup));
    QCOMPARE(h.component.browser_id(), main);
    QWidget* window = h.component.browser_window(popup);
    QVERIFY(window && window->isWindow() && window != h.window.window());
    QVERIFY(!h.component.browser_window(main));
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::red);
    const QIcon icon(pixmap);
    h.component.set_browser_window_icon(popup, icon);
    QCOMPARE(window->windowIcon().cacheKey(), icon.cacheKey());

    // The page closes its pop-up: the pop-up goes, the component's browser stays.
    QPointer<QWidget> guarded(window);
    QVERIFY(h.wait_for(QStringLiteral("title:popup")));
    h.run_script(QStringLiteral("window.close(); 'ok'"), popup);
    QVERIFY(h.wait_for(QStringLiteral("gone:%1:%2").arg(popup).arg(main)));
    QTRY_VERIFY(guarded.isNull());
    QVERIFY(h.component.initialized());
    QCOMPARE(h.count(QStringLiteral("close:%1").arg(popup)), 1);
}

void BrowserComponentTest::full_screen_requests()
{
    server_->set_page("/video", "<html><body style=\"margin:0\"><button id=\"b\" style=\"width:400px;height:300px\" "
                                "onclick=\"document.documentElement.requestFullscreen()\">full</button></body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/video")));
    // Full screen needs a user's gesture: a click into the page.
    QWidget* input = h.component.page_of(h.component.browser_id()) ? h.panel->child_window()->focusProxy() : nullptr;
    QVERIFY(input);
    QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(100, 100));
    QVERIFY(h.wait_for(QStringLiteral("fullscreen:1")));
    h.component.execute_in_main_frame(QStringLiteral("document.exitFullscreen();"));
    QVERIFY(h.wait_for(QStringLiteral("fullscreen:0")));
}

void BrowserComponentTest::developer_tools_in_a_panel()
{
    Harness h;
    QVERIFY(h.create());
    BrowserPanel tools(&h.window);
    tools.setGeometry(500, 0, 300, 600);
    tools.show();
    h.component.show_dev_tools(NO_POINT, &tools);
    QVERIFY(h.component.dev_tools_shown());
    auto* view = qobject_cast<QWebEngineView*>(tools.child_window());
    QVERIFY(view);
    QCOMPARE(view->geometry(), tools.rect());
    QTRY_VERIFY_WITH_TIMEOUT(view->url().scheme() == QLatin1String("devtools"), 15000);
    h.component.close_dev_tools(&tools);
    QVERIFY(!h.component.dev_tools_shown());
    QVERIFY(!tools.child_window());
}

void BrowserComponentTest::scripts_and_texts_of_frames()
{
    server_->set_page("/top", "<html><body>top text<iframe name=\"child\" src=\"/child\"></iframe></body></html>");
    server_->set_page("/child", "<html><body>child text</body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/top")));
    QVERIFY(h.wait_for(QStringLiteral("end:0:'child'")));
    const FrameInfo child = h.ends.at(h.events.filter(QRegularExpression("^end")).indexOf("end:0:'child'"));

    // A script for a sub-frame of the page's origin reaches that frame's document.
    h.component.execute_javascript(child, QStringLiteral("document.body.setAttribute('data-mark', 'set')"),
                                   QStringLiteral("about:blank"), 0);
    QTRY_COMPARE(h.run_script(QStringLiteral("frames[0].document.body.getAttribute('data-mark')")), QStringLiteral("set"));

    QStringList texts;
    h.component.on_text_result_available = [&](const QString& text) { texts << text; };
    h.component.retrieve_text();
    h.component.retrieve_html(QStringLiteral("child"));
    h.component.retrieve_text(QStringLiteral("no such frame"));
    QTRY_COMPARE(texts.size(), 2);
    QVERIFY2(texts.at(0).contains(QLatin1String("top text")), qPrintable(texts.at(0)));
    QVERIFY2(texts.at(1).contains(QLatin1String("<body data-mark=\"set\">child text")), qPrintable(texts.at(1)));
    QTest::qWait(300);
    QCOMPARE(texts.size(), 2);
}

void BrowserComponentTest::tools_of_the_browser()
{
    server_->set_page("/a", "<html><body>a</body></html>");
    server_->set_page("/b", "<html><body><a href=\"/a\">link</a></body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/a")));
    QVERIFY(h.load(server_->url("/b")));
    const BrowserId id = h.component.browser_id();

    // The host's items follow the runtime's own; a click raises the command.
    QList<int> commands;
    h.component.on_before_context_menu = [&](BrowserId browser, const FrameInfo& frame, const ContextMenuParams& params,
                                             ContextMenuModel& model) {
        QCOMPARE(browser, id);
        QVERIFY(frame.is_main);
        QCOMPARE(QPoint(params.x, params.y), QPoint(5, 7));
        model.add_separator();
        model.add_item(26511, QStringLiteral("Take snapshot..."));
    };
    h.component.on_context_menu_command = [&](BrowserId, const FrameInfo&, const ContextMenuParams&, int command, int) {
        commands << command;
        return false;
    };
    std::unique_ptr<QMenu> menu(h.component.create_context_menu(id, QPoint(5, 7), &h.window));
    QVERIFY(menu);
    const QList<QAction*> actions = menu->actions();
    QVERIFY(actions.size() >= 2);
    QVERIFY(actions.at(actions.size() - 2)->isSeparator());
    QCOMPARE(actions.last()->text(), QStringLiteral("Take snapshot..."));
    actions.last()->trigger();
    QCOMPARE(commands, QList<int>{26511});

    // Zoom level L is 1.2 to the power L.
    QCOMPARE(h.component.zoom_pct(), 100.0);
    h.component.set_zoom_level(1.0);
    QTRY_VERIFY(qAbs(h.component.zoom_pct() - 120.0) < 0.01);
    QVERIFY(qAbs(h.component.zoom_level() - 1.0) < 0.001);

    h.component.set_audio_muted(true);
    QVERIFY(h.component.audio_muted());
    h.component.set_audio_muted(false);
    QVERIFY(!h.component.audio_muted());

    // History entries, each once, the current one marked.
    QStringList entries;
    h.component.on_navigation_visitor_result_available = [&](const QString& url, bool current, int index, int total) {
        entries << QStringLiteral("%1 %2 %3/%4").arg(url).arg(int(current)).arg(index).arg(total);
        return true;
    };
    h.component.visit_navigation_entries(false);
    QTRY_COMPARE(entries.size(), 3);
    QCOMPARE(entries, (QStringList{"about:blank 0 0/3", server_->url("/a").toString() + " 0 1/3",
                                   server_->url("/b").toString() + " 1 2/3"}));

    QImage snapshot;
    QVERIFY(h.component.take_snapshot(snapshot));
    QCOMPARE(snapshot.size(), h.panel->child_window()->size());

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
    QList<bool> printed;
    h.component.on_pdf_print_finished = [&](bool ok) { printed << ok; };
    h.component.print_to_pdf(pdf);
    QTRY_VERIFY_WITH_TIMEOUT(!printed.isEmpty(), 15000);
    QCOMPARE(printed, QList<bool>{true});
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.read(5), QByteArray("%PDF-"));

    QList<int> tasks;
    h.component.on_execute_task = [&](int task) { tasks << task; };
    h.component.execute_task(1, 0);
    QTRY_COMPARE(tasks, QList<int>{1});
}

void BrowserComponentTest::hovering_a_link_gives_a_status_message()
{
    server_->set_page("/links", "<html><body style=\"margin:0\"><a href=\"/target\" style=\"display:block;"
                                "width:400px;height:300px\">link</a></body></html>");
    Harness h;
    QVERIFY(h.create());
    QVERIFY(h.load(server_->url("/links")));
    QWidget* input = h.panel->child_window()->focusProxy();
    QVERIFY(input);
    h.reset();
    QTest::mouseMove(input, QPoint(100, 100));
    QVERIFY(h.wait_for(QStringLiteral("status:") + server_->url("/target").toString()));
    QTest::mouseMove(input, QPoint(600, 500));
    QVERIFY(h.wait_for(QStringLiteral("status:")));
}

int main(int argc, char** argv)
{
    return rx42::testing::run_browser_test_main(argc, argv, rx42::testing::run_tests<BrowserComponentTest>, []() {
        // A careless environment asks for the remote debugging endpoint; it stays closed.
        qputenv("QTWEBENGINE_REMOTE_DEBUGGING", QByteArray("127.0.0.1:") + QByteArray::number(kDebuggingPort));
    });
}

#include "test_browser_component.moc"
