#include "browser_component_p.h"

#include "browser_panel.h"
#include "browser_runtime.h"
#include "common/handler_guard.h"
#include "frame_reports.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QVBoxLayout>

#include <memory>
#include <QWebEngineCertificateError>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

namespace rx42 {

namespace {

// Posted to the component for every event handed to the window thread.
const QEvent::Type kEventDue = QEvent::Type(QEvent::registerEventType());

BrowserId next_browser_id()
{
    static BrowserId last = 0;
    return ++last;
}

// The runtime names its network errors "ERR_..."; Qt WebEngine prefixes them with "net::".
QString error_name(const QString& text)
{
    return text.startsWith(QLatin1String("net::")) ? text.mid(5) : text;
}

constexpr int kErrAborted = -3;

// The top-level window of a pop-up browser. Closing it asks the component to close the
// browser; the component destroys the window when the browser goes.
class PopupWindow final : public QWidget {
public:
    explicit PopupWindow(std::function<bool()> close_requested)
        : close_requested_(std::move(close_requested))
    {
        setAttribute(Qt::WA_DeleteOnClose, false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }

    void host(QWidget* view) { layout()->addWidget(view); }

    // Set by the component when the browser may go: the window then closes for real.
    bool released = false;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        if (released || !close_requested_()) {
            event->accept();
            return;
        }
        event->ignore();
    }

private:
    std::function<bool()> close_requested_;
};

}  // namespace

// --- Pages and views --------------------------------------------------------------------------

void BrowserComponent::WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                                         int line, const QString& source)
{
    int severity = CONSOLE_INFO;
    if (level == WarningMessageLevel)
        severity = CONSOLE_WARNING;
    else if (level == ErrorMessageLevel)
        severity = CONSOLE_ERROR;
    owner_.console_message(id, severity, message, line, source);
}

QWebEnginePage* BrowserComponent::WebPage::createWindow(WebWindowType)
{
    return owner_.create_popup(id);
}

// --- Life cycle -------------------------------------------------------------------------------

BrowserComponent::BrowserComponent(BrowserRuntime& runtime, QObject* parent)
    : QObject(parent)
    , runtime_(runtime)
{
}

BrowserComponent::~BrowserComponent()
{
    // Pages go before the runtime's profile: destroy every view (its page is its child) now.
    if (devtools_view_) {
        if (Browser* b = current(); b && b->page)
            b->page->setDevToolsPage(nullptr);
        delete devtools_view_;
    }
    for (auto& [id, browser] : browsers_) {
        if (browser->view)
            browser->view->disconnect(this);
        if (browser->page)
            browser->page->disconnect(this);
        if (runtime_.frame_reports())
            runtime_.frame_reports()->remove_receiver(browser->token);
        if (browser->popup_window)
            delete browser->popup_window;
        else
            delete browser->view;
    }
    browsers_.clear();
}

BrowserComponent::Browser* BrowserComponent::find(BrowserId browser) const
{
    const auto it = browsers_.find(browser);
    return it == browsers_.end() ? nullptr : it->second.get();
}

BrowserComponent::Browser* BrowserComponent::current() const
{
    return current_ ? find(current_) : nullptr;
}

bool BrowserComponent::create_browser(BrowserPanel* panel)
{
    if (!panel || !runtime_.global_context_initialized() || current_ || pending_)
        return false;
    auto* view = new WebView(*this, nullptr);
    auto* page = new WebPage(*this, runtime_.profile(), view);
    Browser& browser = *add_browser(view, page, false);
    pending_ = browser.id;
    view->setPage(page);
    panel->set_child_window(view);

    const BrowserId id = browser.id;
    post([this, id]() {
        if (!find(id))
            return;
        pending_ = 0;
        current_ = id;
        if (on_after_created)
            on_after_created(id);
    });
    // A new browser shows an empty page.
    page->load(QUrl(QStringLiteral("about:blank")));
    return true;
}

BrowserComponent::Browser* BrowserComponent::add_browser(QWebEngineView* view, QWebEnginePage* page, bool popup)
{
    auto owned = std::make_unique<Browser>();
    Browser& browser = *owned;
    browser.id = next_browser_id();
    browser.view = view;
    browser.page = page;
    browser.popup = popup;
    static_cast<WebView*>(view)->id = browser.id;
    static_cast<WebPage*>(page)->id = browser.id;
    browsers_.emplace(browser.id, std::move(owned));

    QWebEngineSettings* settings = page->settings();
    // Failed loads show the runtime's error page until the host loads its own; sub-frame
    // failures are recognised by it (browser_frames.cpp).
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // PDF documents always open in the built-in viewer.
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, true);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, true);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    // Per browser Qt WebEngine can only keep WebRTC to the public interface; the stronger
    // policies come from the runtime's start-up switch (BrowserRuntime).
    settings->setAttribute(QWebEngineSettings::WebRTCPublicInterfacesOnly, webrtc_ip_handling_policy_ != 0);

    const BrowserId id = browser.id;
    if (FrameReportHandler* reports = runtime_.frame_reports()) {
        browser.token = reports->add_receiver([this, id](const QString& kind, const QUrlQuery& report) {
            frame_report(id, kind, report);
        });
        QWebEngineScript reporter;
        reporter.setName(QStringLiteral("rx42-frame-reporter"));
        reporter.setWorldId(FrameReportHandler::kWorld);
        reporter.setInjectionPoint(QWebEngineScript::DocumentCreation);
        reporter.setRunsOnSubFrames(true);
        reporter.setSourceCode(frame_reporter_script(browser.token));
        page->scripts().insert(reporter);
    }
    wire(browser);
    return &browser;
}

void BrowserComponent::wire(Browser& browser)
{
    const BrowserId id = browser.id;
    QWebEnginePage* page = browser.page;
    connect(browser.view, &QObject::destroyed, this, [this, id]() { browser_gone(id); });
    connect(page, &QWebEnginePage::loadingChanged, this,
            [this, id](const QWebEngineLoadingInfo& info) { loading_changed(id, info); });
    connect(page, &QWebEnginePage::loadProgress, this, [this, id](int percent) {
        const double progress = percent / 100.0;
        post([this, id, progress]() {
            if (on_loading_progress_change)
                on_loading_progress_change(id, progress);
        });
    });
    connect(page, &QWebEnginePage::titleChanged, this, [this, id](const QString& title) {
        post([this, id, title]() {
            if (on_title_change)
                on_title_change(id, title);
        });
    });
    connect(page, &QWebEnginePage::linkHovered, this, [this, id](const QString& url) {
        post([this, id, url]() {
            if (on_status_message)
                on_status_message(id, url);
        });
    });
    connect(page, &QWebEnginePage::certificateError, this,
            [this, id](const QWebEngineCertificateError& error) { certificate_error(id, error); });
    connect(page, &QWebEnginePage::fullScreenRequested, this, [this, id](QWebEngineFullScreenRequest request) {
        const bool fullscreen = request.toggleOn();
        request.accept();
        post([this, id, fullscreen]() {
            if (on_fullscreen_mode_change)
                on_fullscreen_mode_change(id, fullscreen);
        });
    });
    connect(page, &QWebEnginePage::windowCloseRequested, this, [this, id]() { request_close(id); });
    connect(page, &QWebEnginePage::printRequested, this, [this, id]() { print_requested(id); });
    connect(page, &QWebEnginePage::pdfPrintingFinished, this, [this](const QString&, bool ok) {
        post([this, ok]() {
            if (on_pdf_print_finished)
                on_pdf_print_finished(ok);
        });
    });
}

QWebEnginePage* BrowserComponent::create_popup(BrowserId opener)
{
    if (!find(opener) || !runtime_.profile())
        return nullptr;
    auto popup_id = std::make_shared<BrowserId>(0);
    auto* popup = new PopupWindow([this, popup_id]() {
        if (!find(*popup_id))
            return false;
        request_close(*popup_id);
        return true;
    });
    auto* view = new WebView(*this, popup);
    auto* page = new WebPage(*this, runtime_.profile(), view);
    Browser& browser = *add_browser(view, page, true);
    const BrowserId id = browser.id;
    *popup_id = id;
    browser.popup_window = popup;
    popup->host(view);
    view->setPage(page);
    popup->resize(800, 600);
    connect(page, &QWebEnginePage::geometryChangeRequested, popup, [popup](const QRect& geometry) {
        if (geometry.width() > 0 && geometry.height() > 0)
            popup->resize(geometry.size());
    });
    popup->show();
    post([this, id]() {
        if (find(id) && on_after_created)
            on_after_created(id);
    });
    return page;
}

bool BrowserComponent::initialized() const
{
    const Browser* b = current();
    return b && !b->closing;
}

BrowserId BrowserComponent::browser_id() const
{
    return current_;
}

bool BrowserComponent::is_same_browser(BrowserId browser) const
{
    return initialized() && browser != 0 && browser == current_;
}

void BrowserComponent::close_browser(bool force_close)
{
    Browser* b = current();
    if (!b || b->closing)
        return;
    if (!force_close && b->page) {
        // The page may keep itself open (beforeunload); when it agrees the runtime raises
        // windowCloseRequested, which continues below.
        b->page->triggerAction(QWebEnginePage::RequestClose);
        return;
    }
    request_close(b->id);
}

void BrowserComponent::request_close(BrowserId id)
{
    Browser* b = find(id);
    if (!b || b->closing)
        return;
    b->closing = true;
    post([this, id]() {
        if (!find(id))
            return;
        TCefCloseBrowserAction action = cbaClose;
        if (on_close)
            run_handler([&]() { on_close(id, action); });
        apply_close_action(id, action);
    });
}

void BrowserComponent::apply_close_action(BrowserId id, TCefCloseBrowserAction action)
{
    Browser* b = find(id);
    if (!b)
        return;
    switch (action) {
    case cbaCancel:
        b->closing = false;
        break;
    case cbaDelay:
        // The host destroys the panel, and the view with it (browser_gone).
        break;
    case cbaClose:
        if (auto* popup = static_cast<PopupWindow*>(b->popup_window.data())) {
            popup->released = true;
            popup->close();
            popup->deleteLater();
        } else if (b->view) {
            b->view->deleteLater();
        }
        break;
    }
}

void BrowserComponent::browser_gone(BrowserId id)
{
    const auto it = browsers_.find(id);
    if (it == browsers_.end())
        return;
    Browser& browser = *it->second;
    if (runtime_.frame_reports())
        runtime_.frame_reports()->remove_receiver(browser.token);
    // A pop-up's window goes with its browser (unless it is already on its way).
    if (auto* popup = static_cast<PopupWindow*>(browser.popup_window.data()); popup && !popup->released) {
        popup->released = true;
        popup->deleteLater();
    }
    if (devtools_view_ && id == current_)
        delete devtools_view_;
    browsers_.erase(it);
    if (current_ == id)
        current_ = 0;
    if (pending_ == id)
        pending_ = 0;
    // The browser is dropped before the event is raised.
    post([this, id]() {
        if (on_before_close)
            on_before_close(id);
    });
}

void BrowserComponent::set_browser_window_icon(BrowserId browser, const QIcon& icon)
{
    if (QWidget* window = browser_window(browser))
        window->setWindowIcon(icon);
}

QWidget* BrowserComponent::browser_window(BrowserId browser) const
{
    const Browser* b = find(browser);
    return b ? b->popup_window.data() : nullptr;
}

QWebEnginePage* BrowserComponent::page_of(BrowserId browser) const
{
    const Browser* b = find(browser);
    return b ? b->page.data() : nullptr;
}

// --- Events -----------------------------------------------------------------------------------

void BrowserComponent::post(std::function<void()> event)
{
    events_.push_back(std::move(event));
    QCoreApplication::postEvent(this, new QEvent(kEventDue));
}

bool BrowserComponent::event(QEvent* event)
{
    if (event->type() != kEventDue)
        return QObject::event(event);
    ++events_due_;
    if (delivering_)
        return true;  // a handler is running (a modal box); its caller delivers this one next
    delivering_ = true;
    const QPointer<BrowserComponent> alive(this);
    while (events_due_ > 0 && !events_.empty()) {
        --events_due_;
        std::function<void()> next = std::move(events_.front());
        events_.pop_front();
        run_handler(next);
        if (!alive)
            return true;  // a handler destroyed the component (and its window)
    }
    delivering_ = false;
    return true;
}

void BrowserComponent::loading_changed(BrowserId id, const QWebEngineLoadingInfo& info)
{
    Browser* b = find(id);
    if (!b || !b->page)
        return;
    const bool loading = info.status() == QWebEngineLoadingInfo::LoadStartedStatus;
    const bool back = b->page->history()->canGoBack();
    const bool forward = b->page->history()->canGoForward();
    FrameInfo frame = frame_info(*b, QString());
    frame.url = info.url().toString();

    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus
            || info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
            // An HTTP error status still shows the server's page: a finished load.
            const int status = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain ? info.errorCode() : 0;
            post([this, id, frame, status]() {
                if (on_load_end)
                    on_load_end(id, frame, status);
            });
        } else {
            const int code = info.errorCode();
            const QString text = error_name(info.errorString());
            const QString url = info.url().toString();
            post([this, id, frame, code, text, url]() {
                if (on_load_error)
                    on_load_error(id, frame, code, text, url);
            });
        }
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus: {
        const QString url = info.url().toString();
        post([this, id, frame, url]() {
            if (on_load_error)
                on_load_error(id, frame, kErrAborted, QStringLiteral("ERR_ABORTED"), url);
        });
        break;
    }
    }
    post([this, id, loading, back, forward]() {
        if (on_loading_state_change)
            on_loading_state_change(id, loading, back, forward);
    });
}

void BrowserComponent::certificate_error(BrowserId id, const QWebEngineCertificateError& error)
{
    QWebEngineCertificateError answer = error;
    bool go_on = false;
    if (on_certificate_error) {
        const int code = int(error.type());
        const QString url = error.url().toString();
        run_handler([&]() { go_on = on_certificate_error(id, code, url); });
    }
    if (go_on)
        answer.acceptCertificate();
    else
        answer.rejectCertificate();
}

void BrowserComponent::console_message(BrowserId id, int level, const QString& message, int line, const QString& source)
{
    // The runtime's own error pages log to the console too; that is not the page talking.
    if (source.startsWith(QLatin1String("chrome-error:")))
        return;
    post([this, id, level, message, source, line]() {
        if (on_console_message)
            on_console_message(id, level, message, source, line);
    });
}

// --- Navigation -------------------------------------------------------------------------------

void BrowserComponent::go_back()
{
    if (initialized() && can_go_back())
        current()->page->triggerAction(QWebEnginePage::Back);
}

void BrowserComponent::go_forward()
{
    if (initialized() && can_go_forward())
        current()->page->triggerAction(QWebEnginePage::Forward);
}

void BrowserComponent::reload()
{
    if (initialized())
        current()->page->triggerAction(QWebEnginePage::Reload);
}

void BrowserComponent::stop_load()
{
    if (initialized())
        current()->page->triggerAction(QWebEnginePage::Stop);
}

bool BrowserComponent::can_go_back() const
{
    const Browser* b = current();
    return b && b->page && b->page->history()->canGoBack();
}

bool BrowserComponent::can_go_forward() const
{
    const Browser* b = current();
    return b && b->page && b->page->history()->canGoForward();
}

void BrowserComponent::load_url(const QString& url)
{
    if (initialized())
        current()->page->load(QUrl(url));
}

QString BrowserComponent::document_url() const
{
    const Browser* b = current();
    return b && b->page ? b->page->url().toString() : QString();
}

void BrowserComponent::load_string(const QString& html, const FrameInfo& frame)
{
    Browser* b = find(frame.browser);
    if (!initialized() || html.isEmpty() || !frame.valid || !b || b->closing || !b->page)
        return;
    if (frame.is_main) {
        const QByteArray data = html.toUtf8().toBase64();
        b->page->load(QUrl(QStringLiteral("data:text/html;charset=utf-8;base64,") + QString::fromLatin1(data)));
        return;
    }
    // A sub-frame is reached through the main frame; its page comes from the frame scheme,
    // which the page's content security policy does not block.
    if (FrameReportHandler* reports = runtime_.frame_reports())
        b->page->runJavaScript(navigate_frame_script(frame.path, reports->add_page(html)), FrameReportHandler::kWorld);
}

FrameInfo BrowserComponent::main_frame() const
{
    const Browser* b = current();
    return b ? frame_info(*b, QString()) : FrameInfo{};
}

// --- Scripts ----------------------------------------------------------------------------------

namespace {

// The script URL goes with the script as its source URL: console messages name it.
QString with_script_url(const QString& code, const QString& script_url)
{
    if (script_url.isEmpty())
        return code;
    return code + QStringLiteral("\n//# sourceURL=") + QUrl(script_url).toString(QUrl::FullyEncoded);
}

// A script handed to the page fails silently: the runtime would otherwise report its uncaught
// error on the console, the very channel the robot takes its answers from, and a missing element
// would come back as a price or an order count. Declarations stay global (var is not
// block-scoped), and the text runs as given.
QString failing_silently(const QString& code)
{
    return QStringLiteral("try {\n") + code + QStringLiteral("\n} catch (rx42_script_error) {}");
}

}  // namespace

void BrowserComponent::execute_in_main_frame(const QString& code)
{
    if (!initialized())
        return;
    QWebEnginePage* page = current()->page;
    page->runJavaScript(with_script_url(failing_silently(code), page->url().toString()), QWebEngineScript::MainWorld);
}

void BrowserComponent::execute_javascript(const FrameInfo& frame, const QString& code, const QString& script_url, int)
{
    Browser* b = find(frame.browser);
    if (!initialized() || !frame.valid || !b || b->closing || !b->page)
        return;
    if (frame.is_main) {
        b->page->runJavaScript(with_script_url(failing_silently(code), script_url), QWebEngineScript::MainWorld);
        return;
    }
    static const QString walk = QStringLiteral(
        "(function (path, code) {"
        "  var w = window; var steps = path.split('.');"
        "  for (var i = 0; i < steps.length; i++) { w = w.frames[Number(steps[i])]; if (!w) return; }"
        "  try { w.eval(code); } catch (e) {}"
        "})(%1, %2);");
    b->page->runJavaScript(walk.arg(js_literal(frame.path), js_literal(with_script_url(code, script_url))),
                           FrameReportHandler::kWorld);
}

}  // namespace rx42
