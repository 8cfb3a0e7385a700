// The main window on the real browser runtime, headless: creation, navigation and page status,
// the closing protocol, F12 and the developer tools, full screen, pop-ups.

#include "browser_panel.h"
#include "browser_runtime.h"
#include "browser_test_main.h"
#include "common/handler_guard.h"
#include "fixture_server.h"
#include "main_window/dock_splitter.h"
#include "main_window/panel_status_bar.h"
#include "main_window/velko_browser_frm.h"
#include "test_dialogs.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>

#include <memory>

using namespace rx42;
using rx42::testing::FixtureServer;
using rx42::testing::TestDialogs;

namespace {

bool wait_until(const std::function<bool()>& condition, int timeout_ms = 15000)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < timeout_ms)
        QTest::qWait(10);
    return condition();
}

QString panel(TVelkoBrowserFrm& form, int index)
{
    return form.ui.StatusBar1->panel_text(index);
}

QString run_script(TVelkoBrowserFrm& form, const QString& code)
{
    QWebEnginePage* page = form.Chromium1.page_of(form.Chromium1.browser_id());
    QString result;
    bool done = false;
    page->runJavaScript(code, 0, [&](const QVariant& value) {
        result = value.toString();
        done = true;
    });
    wait_until([&]() { return done; }, 10000);
    return result;
}

// Counts the F12 key events that reach a widget.
class KeySpy : public QObject {
public:
    int f12 = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F12)
            ++f12;
        return false;
    }
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opens_with_its_caption_and_creates_its_browser();
    void typed_address_loads_with_its_status();
    void failing_frames_show_the_error_page();
    void error_page_html_data();
    void error_page_html();
    void quoted_names_data();
    void quoted_names();
    void progress_percentages_data();
    void progress_percentages();
    void status_texts_of_the_current_browser_only();
    void certificate_errors_go_to_the_log();
    void closing_protocol_order_and_timing();
    void close_before_the_browser_exists_closes_at_once();
    void f12_toggles_the_developer_tools();
    void full_screen_requests_data();
    void full_screen_requests();
    void resize_places_the_browser_panel();
    void popups_carry_the_program_icon();

private:
    std::unique_ptr<TVelkoBrowserFrm> make_form(BrowserRuntime* runtime = nullptr);
    bool show_with_browser(TVelkoBrowserFrm& form);

    std::unique_ptr<FixtureServer> server_;
    TestDialogs dialogs_;
    QStringList errors_;
};

void MainWindowTest::init()
{
    server_ = std::make_unique<FixtureServer>();
    QVERIFY(server_->start());
    errors_.clear();
    set_error_presenter([this](const QString& text) { errors_ << text; });
}

void MainWindowTest::cleanup()
{
    set_error_presenter({});
    server_.reset();
    QCOMPARE(errors_, QStringList{});
}

std::unique_ptr<TVelkoBrowserFrm> MainWindowTest::make_form(BrowserRuntime* runtime)
{
    return std::make_unique<TVelkoBrowserFrm>(runtime ? *runtime : *rx42::testing::test_runtime(), dialogs_);
}

bool MainWindowTest::show_with_browser(TVelkoBrowserFrm& form)
{
    form.show();
    return wait_until([&]() { return form.Chromium1.initialized() && panel(form, 0) == QLatin1String("Finished"); });
}

void MainWindowTest::opens_with_its_caption_and_creates_its_browser()
{
    auto form = make_form();
    QCOMPARE(form->windowTitle(), QStringLiteral("rx42 -  1.2.92.29"));
    QCOMPARE(form->ui.PageControl1->currentWidget(), form->ui.TabSheet1);
    QVERIFY(!form->can_close);
    QVERIFY(!form->closing);
    form->show();
    QCOMPARE(panel(*form, 1), QStringLiteral("Initializing browser. Please wait..."));
    QVERIFY(wait_until([&]() { return panel(*form, 1) == QLatin1String("main frame loaded : ''"); }));
    QVERIFY(form->Chromium1.initialized());
    QVERIFY(!form->Timer1.enabled());
    QCOMPARE(form->Chromium1.document_url(), QStringLiteral("about:blank"));
    // The browser's view fills the panel.
    QWidget* view = form->CEFWindowParent1->child_window();
    QVERIFY(view);
    QCOMPARE(view->geometry(), form->CEFWindowParent1->rect());
    QCOMPARE(form->CEFWindowParent1->geometry().size(), form->ui.CEFWindowParent1->size());
}

void MainWindowTest::typed_address_loads_with_its_status()
{
    server_->set_page("/page", "<html><head><title>The page's own title</title></head><body>"
                               "<iframe name=\"O'Neil\" src=\"/frame\"></iframe></body></html>");
    server_->set_page("/frame", "<html><body>frame</body></html>");
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    form->ui.cbbURLCbx->setEditText(server_->url("/page").toString());
    QTest::mouseClick(form->ui.GoBtn, Qt::LeftButton);
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url() == server_->url("/page").toString()
                                   && panel(*form, 0) == QLatin1String("Finished"); }));
    QVERIFY(wait_until([&]() { return panel(*form, 1) == QLatin1String("main frame loaded : ''"); }));
    QCOMPARE(server_->requests("/frame"), 1);
    QCOMPARE(form->windowTitle(), QStringLiteral("rx42 -  1.2.92.29"));
    QVERIFY(form->ui.BackBtn->isEnabled());
    QVERIFY(!form->ui.ForwardBtn->isEnabled());
    QVERIFY(form->ui.ReloadBtn->isEnabled());
    QVERIFY(!form->ui.StopBtn->isEnabled());

    // Back to about:blank and forward again with the buttons.
    QTest::mouseClick(form->ui.BackBtn, Qt::LeftButton);
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url() == QLatin1String("about:blank") && form->ui.ForwardBtn->isEnabled(); }));
    QTest::mouseClick(form->ui.ForwardBtn, Qt::LeftButton);
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url() == server_->url("/page").toString(); }));
}

void MainWindowTest::failing_frames_show_the_error_page()
{
    const quint16 refused = FixtureServer::refused_port();
    server_->set_page("/host", "<html><body><p id=\"kept\">kept</p><iframe name=\"bad\" src=\"http://127.0.0.1:"
                                   + QByteArray::number(refused) + "/gone\"></iframe></body></html>");
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    form->ui.cbbURLCbx->setEditText(server_->url("/host").toString());
    form->GoBtnClick();
    // The page loads, then its failing frame shows the error page, the rest stays.
    QVERIFY(wait_until([&]() { return panel(*form, 1) == QLatin1String("frame loaded : 'bad'"); }));
    QCOMPARE(form->Chromium1.document_url(), server_->url("/host").toString());
    QCOMPARE(run_script(*form, QStringLiteral("document.getElementById('kept').textContent")), QStringLiteral("kept"));

    // A failing main frame shows it in place of the page.
    const QString gone = QStringLiteral("http://127.0.0.1:%1/").arg(refused);
    form->ui.cbbURLCbx->setEditText(gone);
    form->GoBtnClick();
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url().startsWith(QLatin1String("data:text/html;charset=utf-8;base64,")); }));
    QVERIFY(wait_until([&]() { return panel(*form, 0) == QLatin1String("Finished"); }));
    QCOMPARE(run_script(*form, QStringLiteral("document.body.textContent")),
             QStringLiteral("Failed to load URL %1 with error ERR_CONNECTION_REFUSED (-102).").arg(gone));

    // An aborted load (-3) leaves the page as it is.
    const QString shown = form->Chromium1.document_url();
    form->Chromium1LoadError(form->Chromium1.browser_id(), form->Chromium1.main_frame(), -3, QStringLiteral("ERR_ABORTED"), gone);
    QTest::qWait(300);
    QCOMPARE(form->Chromium1.document_url(), shown);
}

void MainWindowTest::error_page_html_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("expected");
    QTest::newRow("refused") << "http://127.0.0.1:9/" << "ERR_CONNECTION_REFUSED" << -102
                             << "<html><body bgcolor=\"white\"><h2>Failed to load URL http://127.0.0.1:9/ with error "
                                "ERR_CONNECTION_REFUSED (-102).</h2></body></html>";
    QTest::newRow("outside code page 1251") << "http://пример.рф/" << "ERR_名前" << 7
                                            << "<html><body bgcolor=\"white\"><h2>Failed to load URL http://пример.рф/ with error "
                                               "ERR_?? (7).</h2></body></html>";
    QTest::newRow("markup stays text") << "http://x/?a=1&b=<script>" << "ERR_FAILED" << -2
                                       << "<html><body bgcolor=\"white\"><h2>Failed to load URL http://x/?a=1&amp;b=&lt;script&gt; "
                                          "with error ERR_FAILED (-2).</h2></body></html>";
}

void MainWindowTest::error_page_html()
{
    QFETCH(QString, url);
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, expected);
    QCOMPARE(TVelkoBrowserFrm::error_page_html(url, text, code), expected);
}

void MainWindowTest::quoted_names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("unnamed") << "" << "''";
    QTest::newRow("plain") << "main" << "'main'";
    QTest::newRow("quote inside") << "O'Neil" << "'O''Neil'";
    QTest::newRow("quotes only") << "''" << "''''''";
}

void MainWindowTest::quoted_names()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(TVelkoBrowserFrm::quoted_name(name), expected);
}

void MainWindowTest::progress_percentages_data()
{
    QTest::addColumn<double>("progress");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << 0.0 << "Loading... 0%";
    QTest::newRow("half") << 0.5 << "Loading... 50%";
    QTest::newRow("two thirds") << 2.0 / 3.0 << "Loading... 67%";
    QTest::newRow("done") << 1.0 << "Loading... 100%";
}

void MainWindowTest::progress_percentages()
{
    QFETCH(double, progress);
    QFETCH(QString, expected);
    auto form = make_form();
    // Any browser, also while closing.
    form->closing = true;
    form->Chromium1LoadingProgressChange(12345, progress);
    QCOMPARE(panel(*form, 0), expected);
}

void MainWindowTest::status_texts_of_the_current_browser_only()
{
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    const BrowserId current = form->Chromium1.browser_id();
    form->Chromium1StatusMessage(current, QStringLiteral("http://link/ ✓"));
    QCOMPARE(panel(*form, 1), QStringLiteral("http://link/ ?"));
    form->Chromium1StatusMessage(current + 1000, QStringLiteral("http://popup/"));
    QCOMPARE(panel(*form, 1), QStringLiteral("http://link/ ?"));
    // While closing, status texts and loading states change nothing; load ends still show.
    form->closing = true;
    form->show_status_text(QStringLiteral("late"));
    form->Chromium1LoadingStateChange(current, true, false, false);
    QCOMPARE(panel(*form, 1), QStringLiteral("http://link/ ?"));
    QCOMPARE(panel(*form, 0), QStringLiteral("Finished"));
    QVERIFY(form->ui.ReloadBtn->isEnabled());
    FrameInfo frame;
    frame.valid = true;
    frame.name = QStringLiteral("f");
    form->Chromium1LoadEnd(current, frame, 200);
    QCOMPARE(panel(*form, 1), QStringLiteral("frame loaded : 'f'"));
    form->closing = false;
}

void MainWindowTest::certificate_errors_go_to_the_log()
{
    FixtureServer secure;
    const FixtureServer::SecureStart started = secure.start_self_signed();
    if (started == FixtureServer::SecureStart::no_certificate)
        QSKIP("the openssl command cannot make a certificate here");
    QVERIFY(started == FixtureServer::SecureStart::started);
    secure.set_page("/secret", "<html><body>secret</body></html>");
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    const QUrl url = secure.url("/secret");
    form->ui.cbbURLCbx->setEditText(url.toString());
    form->GoBtnClick();
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url().startsWith(QLatin1String("data:")); }));
    QCOMPARE(secure.requests("/secret"), 0);
    QVERIFY(wait_until([&]() { return panel(*form, 0) == QLatin1String("Finished"); }));
    QVERIFY(run_script(*form, QStringLiteral("document.body.textContent")).contains(QLatin1String("(-202).")));
    QFile log(rx42::testing::test_runtime()->log_file_path());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral(":INFO:rx42] Certificate error code:-202 - URL:%1\n").arg(url.toString());
    QVERIFY2(QString::fromUtf8(log.readAll()).contains(expected), qPrintable(expected));
}

void MainWindowTest::closing_protocol_order_and_timing()
{
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    QSignalSpy closed(form.get(), &TVelkoBrowserFrm::closed);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!form->close());
    // Hidden at once, the browser asked to close.
    QVERIFY(!form->isVisible());
    QVERIFY(form->closing);
    QVERIFY(!form->can_close);
    QVERIFY(!form->Chromium1.initialized());
    // A second request changes nothing.
    QVERIFY(!form->close());
    QVERIFY(wait_until([&]() { return form->CEFWindowParent1.isNull(); }, 5000));
    const qint64 panel_gone = clock.elapsed();
    QVERIFY(wait_until([&]() { return form->CEFSentinel1.started(); }, 5000));
    QCOMPARE(form->Chromium1.browser_id(), 0);
    QVERIFY(!form->can_close);
    QVERIFY(wait_until([&]() { return closed.count() > 0; }, 10000));
    const qint64 closed_at = clock.elapsed();
    QVERIFY(form->can_close);
    QCOMPARE(closed.count(), 1);
    QVERIFY2(panel_gone < 1500, qPrintable(QString::number(panel_gone)));
    QVERIFY2(closed_at >= 1500, qPrintable(QString::number(closed_at)));
    QVERIFY2(closed_at < 4000, qPrintable(QString::number(closed_at)));
    // FormResize skips the destroyed panel.
    form->resize(900, 700);
}

void MainWindowTest::close_before_the_browser_exists_closes_at_once()
{
    BrowserRuntime not_ready;  // the runtime is not initialised: creation is refused
    auto form = make_form(&not_ready);
    form->show();
    QCOMPARE(panel(*form, 1), QStringLiteral("Initializing browser. Please wait..."));
    QVERIFY(form->Timer1.enabled());
    QTest::qWait(1200);  // one retry, refused again
    QVERIFY(form->Timer1.enabled());
    QVERIFY(!form->Chromium1.initialized());
    QSignalSpy closed(form.get(), &TVelkoBrowserFrm::closed);
    QVERIFY(form->close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form->Timer1.enabled());
}

void MainWindowTest::f12_toggles_the_developer_tools()
{
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    form->set_width(1061);  // the outer width
    QCOMPARE(form->frameGeometry().width(), 1061);
    QWidget* control = form->ui.cbbURLCbx->lineEdit();
    form->ui.PageControl1->setCurrentWidget(form->ui.TabSheet2);
    control->setFocus();
    KeySpy spy;
    control->installEventFilter(&spy);

    QTest::keyClick(control, Qt::Key_F12);
    QVERIFY(wait_until([&]() { return !form->ui.DevTools->isHidden(); }, 2000));
    QVERIFY(!form->ui.Splitter1->isHidden());
    QCOMPARE(form->ui.DevTools->width(), 265);
    QVERIFY(form->Chromium1.dev_tools_shown());
    // The key itself reaches no control.
    QCOMPARE(spy.f12, 0);

    // Still on the options tab: the panel counts as shown although its tab is not in front.
    QTest::keyClick(control, Qt::Key_F12);
    QVERIFY(wait_until([&]() { return !form->Chromium1.dev_tools_shown(); }, 2000));
    QVERIFY(form->ui.DevTools->isHidden());
    QVERIFY(form->ui.Splitter1->isHidden());
    QCOMPARE(form->ui.DevTools->maximumWidth(), 0);
    QCOMPARE(spy.f12, 0);
    // Other keys pass.
    QTest::keyClick(control, Qt::Key_A);
    QCOMPARE(form->ui.cbbURLCbx->currentText().right(1), QStringLiteral("a"));
}

void MainWindowTest::full_screen_requests_data()
{
    QTest::addColumn<bool>("maximized_before");
    QTest::newRow("from a normal window") << false;
    QTest::newRow("from a maximised window") << true;
}

void MainWindowTest::full_screen_requests()
{
    QFETCH(bool, maximized_before);
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    if (maximized_before)
        form->showMaximized();
    const BrowserId current = form->Chromium1.browser_id();
    // A pop-up's request leaves the window alone.
    form->Chromium1FullScreenModeChange(current + 1000, true);
    QVERIFY(form->ui.StatusBar1->isVisibleTo(form.get()));
    QVERIFY(!(form->windowFlags() & Qt::FramelessWindowHint));

    form->Chromium1FullScreenModeChange(current, true);
    QVERIFY(!form->ui.StatusBar1->isVisibleTo(form.get()));
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!(form->windowFlags() & Qt::WindowSystemMenuHint));
    QVERIFY(form->isVisible());
    QVERIFY(wait_until([&]() { return form->isMaximized(); }, 2000));

    form->Chromium1FullScreenModeChange(current, false);
    QVERIFY(form->ui.StatusBar1->isVisibleTo(form.get()));
    QVERIFY(!(form->windowFlags() & Qt::FramelessWindowHint));
    QVERIFY(form->windowFlags() & Qt::WindowSystemMenuHint);
    QVERIFY(form->windowFlags() & Qt::WindowMinMaxButtonsHint);
    QVERIFY(wait_until([&]() { return !form->isMaximized() && form->isVisible(); }, 2000));
    // Showing the window again was not a new FormShow.
    QCOMPARE(panel(*form, 1), QStringLiteral("main frame loaded : ''"));
}

void MainWindowTest::resize_places_the_browser_panel()
{
    auto form = make_form();
    form->show();
    const int top = form->ui.CEFWindowParent1->y();
    form->resize(900, 700);
    QCOMPARE(form->ui.CEFWindowParent1->geometry(), QRect(10, top, form->ui.PageControl1->width() - 40, 700 - top - 100));
    form->resize(1200, 650);
    QCOMPARE(form->ui.CEFWindowParent1->geometry(), QRect(10, top, form->ui.PageControl1->width() - 40, 650 - top - 100));
}

void MainWindowTest::popups_carry_the_program_icon()
{
    server_->set_page("/opener", "<html><body>opener</body></html>");
    server_->set_page("/popup", "<html><body>popup</body></html>");
    QApplication::setWindowIcon(TVelkoBrowserFrm::program_icon());
    auto form = make_form();
    QVERIFY(show_with_browser(*form));
    form->ui.cbbURLCbx->setEditText(server_->url("/opener").toString());
    form->GoBtnClick();
    QVERIFY(wait_until([&]() { return form->Chromium1.document_url() == server_->url("/opener").toString(); }));
    BrowserId popup = 0;
    const auto after_created = form->Chromium1.on_after_created;
    form->Chromium1.on_after_created = [&](BrowserId browser) {
        after_created(browser);
        if (!form->Chromium1.is_same_browser(browser))
            popup = browser;
    };
    form->Chromium1.execute_in_main_frame(QStringLiteral("window.open('/popup', 'pop', 'width=300,height=200');"));
    QVERIFY(wait_until([&]() { return popup != 0; }));
    QPointer<QWidget> window = form->Chromium1.browser_window(popup);
    QVERIFY(window);
    QCOMPARE(window->windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    // Closing the pop-up leaves the main window and its browser alone.
    window->close();
    QVERIFY(wait_until([&]() { return window.isNull(); }));
    QVERIFY(form->Chromium1.initialized());
    QVERIFY(form->isVisible());
    QVERIFY(!form->closing);
    QApplication::setWindowIcon(QIcon());
}

int main(int argc, char** argv)
{
    return rx42::testing::run_browser_test_main(argc, argv, rx42::testing::run_tests<MainWindowTest>);
}

#include "test_main_window.moc"
