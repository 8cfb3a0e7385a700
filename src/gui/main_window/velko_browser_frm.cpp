// The main window's life: creation, the browser's creation when the window is shown, the closing
// protocol and the window messages.

#include "main_window/velko_browser_frm.h"

#include "browser_panel.h"
#include "browser_runtime.h"
#include "common/handler_guard.h"
#include "window_messages.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace rx42 {

namespace {

// A panel that fills a container of the form's layout.
BrowserPanel* fill_with_panel(QWidget* container)
{
    auto* panel = new BrowserPanel(container);
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel);
    return panel;
}

}  // namespace

TVelkoBrowserFrm::TVelkoBrowserFrm(BrowserRuntime& runtime, Dialogs& dialogs, Startup startup, QWidget* parent)
    : QMainWindow(parent)
    , runtime_(runtime)
    , dialogs_(dialogs)
    , Chromium1(runtime)
    , CEFSentinel1(scheduler_)
    , Timer1(scheduler_, QStringLiteral("Timer1"), 1000, false)
    , startup_(std::move(startup))
{
    ui.setup(this);
    CEFWindowParent1 = fill_with_panel(ui.CEFWindowParent1);
    devtools_panel_ = fill_with_panel(ui.DevTools);
    bind_handlers();
    // F12 is taken from the application's events before any control sees it.
    qApp->installEventFilter(this);
    run_handler([this]() { FormCreate(); });
}

TVelkoBrowserFrm::~TVelkoBrowserFrm()
{
    qApp->removeEventFilter(this);
    run_handler([this]() { FormDestroy(); });
}

void TVelkoBrowserFrm::bind_handlers()
{
    const auto click = [this](QPushButton* button, void (TVelkoBrowserFrm::*handler)()) {
        connect(button, &QPushButton::clicked, this, [this, handler]() { run_handler([this, handler]() { (this->*handler)(); }); });
    };
    click(ui.BackBtn, &TVelkoBrowserFrm::BackBtnClick);
    click(ui.ForwardBtn, &TVelkoBrowserFrm::ForwardBtnClick);
    click(ui.ReloadBtn, &TVelkoBrowserFrm::ReloadBtnClick);
    click(ui.StopBtn, &TVelkoBrowserFrm::StopBtnClick);
    click(ui.GoBtn, &TVelkoBrowserFrm::GoBtnClick);

    Timer1.set_on_timer([this]() { Timer1Timer(); });
    CEFSentinel1.on_close = [this]() { CEFSentinel1Close(); };

    BrowserComponent& c = Chromium1;
    c.on_after_created = [this](BrowserId browser) { Chromium1AfterCreated(browser); };
    c.on_close = [this](BrowserId browser, TCefCloseBrowserAction& aAction) { Chromium1Close(browser, aAction); };
    c.on_before_close = [this](BrowserId browser) { Chromium1BeforeClose(browser); };
    c.on_fullscreen_mode_change = [this](BrowserId browser, bool fullscreen) {
        Chromium1FullScreenModeChange(browser, fullscreen);
    };
    c.on_loading_state_change = [this](BrowserId browser, bool isLoading, bool canGoBack, bool canGoForward) {
        Chromium1LoadingStateChange(browser, isLoading, canGoBack, canGoForward);
    };
    c.on_loading_progress_change = [this](BrowserId browser, double progress) {
        Chromium1LoadingProgressChange(browser, progress);
    };
    c.on_load_end = [this](BrowserId browser, const FrameInfo& frame, int httpStatusCode) {
        Chromium1LoadEnd(browser, frame, httpStatusCode);
    };
    c.on_load_error = [this](BrowserId browser, const FrameInfo& frame, int errorCode, const QString& errorText,
                             const QString& failedUrl) { Chromium1LoadError(browser, frame, errorCode, errorText, failedUrl); };
    c.on_title_change = [this](BrowserId browser, const QString& title) { Chromium1TitleChange(browser, title); };
    c.on_status_message = [this](BrowserId browser, const QString& value) { Chromium1StatusMessage(browser, value); };
    c.on_certificate_error = [this](BrowserId browser, int certError, const QString& requestUrl) {
        return Chromium1CertificateError(browser, certError, requestUrl);
    };
    c.on_console_message = [this](BrowserId browser, int level, const QString& message, const QString& source, int line) {
        Chromium1ConsoleMessage(browser, level, message, source, line);
    };
    c.on_text_result_available = [this](const QString& aText) { Chromium1TextResultAvailable(aText); };
}

// --- Creation ---------------------------------------------------------------------------------

void TVelkoBrowserFrm::FormCreate()
{
    setWindowTitle(caption());
    can_close = false;
    closing = false;
    {
        QMutexLocker guard(&shared_lists_lock);
        response_headers.clear();
        request_headers.clear();
        navigation_entries.clear();
    }
    ui.PageControl1->setCurrentWidget(ui.TabSheet1);
    // The trading automation and the settings file (window geometry first, then every other
    // setting), bound by the program's start-up.
    if (startup_.bind_and_read_settings)
        startup_.bind_and_read_settings(*this);
}

void TVelkoBrowserFrm::FormDestroy()
{
    QMutexLocker guard(&shared_lists_lock);
    response_headers.clear();
    request_headers.clear();
    navigation_entries.clear();
}

// --- The browser ------------------------------------------------------------------------------

void TVelkoBrowserFrm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        // Before the first show the frame is not known, so the size the window was given (the
        // designed one or the settings' height and width) is its outer size: take the frame off.
        shown_ = true;
        const QSize frame = frameGeometry().size() - size();
        if (!frame.isNull())
            resize(size() - frame);
    }
    if (!event->spontaneous() && !changing_border_)
        run_handler([this]() { FormShow(); });
}

void TVelkoBrowserFrm::FormShow()
{
    show_status_text(QStringLiteral("Initializing browser. Please wait..."));
    // WebRTC without non-proxied UDP: the page cannot learn the machine's addresses past a proxy.
    Chromium1.set_webrtc_ip_handling_policy(3);
    Chromium1.set_webrtc_multiple_routes(false);
    Chromium1.set_webrtc_nonproxied_udp(false);
    if (!Chromium1.create_browser(CEFWindowParent1))
        Timer1.enable();
}

void TVelkoBrowserFrm::Timer1Timer()
{
    Timer1.disable();
    if (!Chromium1.create_browser(CEFWindowParent1) && !Chromium1.initialized())
        Timer1.enable();
}

void TVelkoBrowserFrm::Chromium1AfterCreated(BrowserId browser)
{
    if (Chromium1.is_same_browser(browser)) {
        post_window_message(this, MSG_BROWSER_CREATED);
        return;
    }
    // A pop-up window the page opened carries the program's icon.
    Chromium1.set_browser_window_icon(browser, QGuiApplication::windowIcon());
}

void TVelkoBrowserFrm::BrowserCreatedMsg()
{
    if (CEFWindowParent1)
        CEFWindowParent1->update_size();
}

// --- Closing protocol ---------------------------------------------------------------------------

void TVelkoBrowserFrm::closeEvent(QCloseEvent* event)
{
    bool CanClose = false;
    run_handler([&]() { FormCloseQuery(CanClose); });
    if (!CanClose) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

void TVelkoBrowserFrm::FormCloseQuery(bool& CanClose)
{
    CanClose = can_close;
    if (closing)
        return;
    closing = true;
    if (Chromium1.browser_id() == 0) {
        // No browser yet (still waiting for the runtime): nothing to wait for, close at once.
        Timer1.disable();
        can_close = true;
        CanClose = true;
        return;
    }
    hide();
    Chromium1.close_browser(true);
}

void TVelkoBrowserFrm::Chromium1Close(BrowserId browser, TCefCloseBrowserAction& aAction)
{
    if (browser != 0 && browser == Chromium1.browser_id()) {
        post_window_message(this, MSG_DESTROY_BROWSER_PANEL);
        aAction = cbaDelay;
    }
}

void TVelkoBrowserFrm::BrowserDestroyMsg()
{
    // The browser's window goes with its panel; every later use of the panel is skipped.
    delete CEFWindowParent1;
}

void TVelkoBrowserFrm::Chromium1BeforeClose(BrowserId)
{
    if (Chromium1.browser_id() == 0)
        CEFSentinel1.Start();
}

void TVelkoBrowserFrm::CEFSentinel1Close()
{
    can_close = true;
    post_close(this);
}

// --- Window messages ------------------------------------------------------------------------------

bool TVelkoBrowserFrm::event(QEvent* event)
{
    if (const WindowMessage* message = WindowMessage::from(event)) {
        run_handler([this, message]() { window_message(*message); });
        return true;
    }
    return QMainWindow::event(event);
}

void TVelkoBrowserFrm::window_message(const WindowMessage& message)
{
    switch (message.msg()) {
    case MSG_BROWSER_CREATED:
        BrowserCreatedMsg();
        break;
    case MSG_DESTROY_BROWSER_PANEL:
        BrowserDestroyMsg();
        break;
    case MSG_SHOW_DEVTOOLS: {
        const quintptr wParam = message.wParam();
        show_devtools(QPoint(int((wParam >> 16) & 0xFFFF), int(wParam & 0xFFFF)));
        break;
    }
    case MSG_HIDE_DEVTOOLS:
        hide_devtools();
        Chromium1.set_focus(true);
        break;
    default:
        if (on_window_message)
            on_window_message(message);
        break;
    }
}

void TVelkoBrowserFrm::Chromium1ConsoleMessage(BrowserId, int, const QString& message, const QString&, int)
{
    if (on_console_message)
        on_console_message(message);
}

void TVelkoBrowserFrm::Chromium1TextResultAvailable(const QString& aText)
{
    if (on_text_result_available)
        on_text_result_available(aText);
}

}  // namespace rx42
