#pragma once

#include "browser_component.h"
#include "automation/trading_automation.h"
#include "common/qt_scheduler.h"
#include "common/window_timer.h"
#include "main_window/main_window_ui.h"
#include "sentinel.h"
#include "settings/window_geometry.h"

#include <QMainWindow>
#include <QMutex>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

namespace rx42 {

class BrowserPanel;
class BrowserRuntime;
class Dialogs;
class TPreferencesFrm;
class TSimpleTextViewerFrm;
class WindowMessage;

// The main window: the program's only working window. It owns the browser component Chromium1,
// the browser panel CEFWindowParent1, every control, timer and handler. Its creation (FormCreate)
// runs in the constructor; its browser is created when it is first shown; closing goes through
// the closing protocol, which keeps the window until the runtime has let go of the browser and
// of its sub-processes, then emits `closed`.
//
// Every handler runs on the window thread through the application error handler: an error
// raised in one shows its text in a message box and skips the rest of that handler.
//
// The implementation is split by concern: velko_browser_frm.cpp (creation, browser creation,
// closing protocol, window messages), velko_browser_frm_navigation.cpp (address box,
// navigation buttons, page status), velko_browser_frm_window.cpp (geometry, F12, full screen,
// developer tools, pop-ups).
class TVelkoBrowserFrm final : public QMainWindow, public WindowGeometry {
    Q_OBJECT
    // First: the components below are built on them.
    BrowserRuntime& runtime_;
    Dialogs& dialogs_;
    QtScheduler scheduler_;

public:
    // What the program's start-up binds into the window's creation.
    struct Startup {
        // Runs at the end of FormCreate: binds the trading automation to the window (its
        // controls, page(), on_console_message, on_text_result_available) and reads the settings
        // file (window geometry, then every other setting). An error it raises is shown by the
        // application error handler; the window is still created and shown.
        std::function<void(TVelkoBrowserFrm& form)> bind_and_read_settings;
    };

    TVelkoBrowserFrm(BrowserRuntime& runtime, Dialogs& dialogs, Startup startup = {}, QWidget* parent = nullptr);
    ~TVelkoBrowserFrm() override;

    // --- Components and state -------------------------------------------------------------

    MainWindowUi ui;
    BrowserComponent Chromium1;
    // The browser panel inside ui.CEFWindowParent1; null once destroyed by the closing protocol.
    QPointer<BrowserPanel> CEFWindowParent1;
    Sentinel CEFSentinel1;
    WindowTimer Timer1;  // retries the browser's creation, 1000 ms

    bool can_close = false;  // the runtime has finished; the next close request is granted
    bool closing = false;    // the first close request has been taken

    // Text lists of the header report and the navigation history, written on other threads by
    // the browser tools: every access holds shared_lists_lock.
    QStringList response_headers;
    QStringList request_headers;
    QStringList navigation_entries;
    QMutex shared_lists_lock;

    // The trading robot: script channel, price check, trading cycle, currency rotation. Made and
    // bound by the start-up hook (bind_trading_and_read_settings); empty in a bare window.
    std::unique_ptr<TradingAutomation> automation;

    // The hidden windows made at start-up.
    QPointer<TSimpleTextViewerFrm> SimpleTextViewerFrm;
    QPointer<TPreferencesFrm> PreferencesFrm;

    // --- What the other parts of the program use ---------------------------------------------

    // The page the trading automation drives (the browser component).
    Page& page() { return Chromium1; }
    Scheduler& scheduler() { return scheduler_; }
    Dialogs& dialogs() { return dialogs_; }
    BrowserRuntime& runtime() { return runtime_; }

    // Console messages of the pages, one at a time in arrival order, the text as the page gave
    // it (the receiver converts it to the single-byte form).
    std::function<void(const QString& message)> on_console_message;
    // Page source or text delivered by the browser (context-menu commands).
    std::function<void(const QString& aText)> on_text_result_available;
    // Window messages 0x8103 to 0x810D (the browser tools' commands), on the window thread.
    std::function<void(const WindowMessage& message)> on_window_message;

    // Panel 1 of StatusBar1, unless the window is closing.
    void show_status_text(const QString& text);

    // The developer tools docked at the right of the work tab, a quarter of the window wide,
    // inspecting the element at `point` (NO_POINT: none).
    void show_devtools(const QPoint& point);
    void hide_devtools();

    // The window caption: "rx42 -  " and the file version.
    static QString caption();
    // The text of the error page shown in a frame whose load failed, passed once through code
    // page 1251.
    static QString error_page_html(const QString& failedUrl, const QString& errorText, int errorCode);
    // A frame name between single quotes, every single quote inside doubled.
    static QString quoted_name(const QString& name);
    // The program's icon.
    static QIcon program_icon();

    // WindowGeometry: the window's outer position and size.
    int left() const override;
    int top() const override;
    int height() const override;
    int width() const override;
    void set_left(int left) override;
    void set_top(int top) override;
    void set_height(int height) override;
    void set_width(int width) override;

    // --- Handlers -----------------------------------------------------------------------------

    void FormCreate();
    void FormShow();
    void Timer1Timer();
    void FormCloseQuery(bool& CanClose);
    void FormDestroy();
    void FormResize();
    void CEFSentinel1Close();

    void Chromium1AfterCreated(BrowserId browser);
    void Chromium1Close(BrowserId browser, TCefCloseBrowserAction& aAction);
    void Chromium1BeforeClose(BrowserId browser);
    void Chromium1FullScreenModeChange(BrowserId browser, bool fullscreen);
    void BrowserCreatedMsg();
    void BrowserDestroyMsg();
    // The application's key filter: F12 toggles the developer tools. Returns true when the
    // event is handled (goes no further).
    bool ApplicationEvents1Message(QObject* receiver, QEvent* event);

    void BackBtnClick();
    void ForwardBtnClick();
    void ReloadBtnClick();
    void StopBtnClick();
    void GoBtnClick();
    void Chromium1LoadingStateChange(BrowserId browser, bool isLoading, bool canGoBack, bool canGoForward);
    void Chromium1LoadingProgressChange(BrowserId browser, double progress);
    void Chromium1LoadEnd(BrowserId browser, const FrameInfo& frame, int httpStatusCode);
    void Chromium1LoadError(BrowserId browser, const FrameInfo& frame, int errorCode, const QString& errorText,
                            const QString& failedUrl);
    void Chromium1TitleChange(BrowserId browser, const QString& title);
    void Chromium1StatusMessage(BrowserId browser, const QString& value);
    bool Chromium1CertificateError(BrowserId browser, int certError, const QString& requestUrl);
    void Chromium1ConsoleMessage(BrowserId browser, int level, const QString& message, const QString& source, int line);
    void Chromium1TextResultAvailable(const QString& aText);

signals:
    // The window has closed for good: the message loop may end.
    void closed();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void bind_handlers();
    void window_message(const WindowMessage& message);

    Startup startup_;
    QPointer<BrowserPanel> devtools_panel_;
    bool changing_border_ = false;  // a full-screen change re-shows the window: not a new show
    bool shown_ = false;  // shown at least once: its frame is known
};

}  // namespace rx42
