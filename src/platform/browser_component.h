#pragma once

#include "automation/page.h"

#include <QHash>
#include <QImage>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <climits>
#include <deque>
#include <functional>
#include <map>
#include <memory>

class QIcon;
class QMenu;
class QUrlQuery;
class QWebEngineCertificateError;
class QWebEngineLoadingInfo;
class QWebEnginePage;
class QWebEngineView;
class QWidget;

namespace rx42 {

class BrowserPanel;
class BrowserRuntime;

// Identifier of one browser of a component (the component's own browser or a pop-up window the
// page opened); 0 is no browser. Identifiers are never reused within a process.
using BrowserId = int;

// A frame as an event reports it.
struct FrameInfo {
    bool valid = false;
    bool is_main = false;
    QString name;     // the frame's name; the main frame's is usually empty
    QString url;
    BrowserId browser = 0;
    // Position in the frame tree: "" the main frame, "0.2" the third child of the first child.
    QString path;

    bool IsValid() const { return valid; }
    bool IsMain() const { return is_main; }
};

// What the component does with a browser that is asked to close (answered by on_close).
enum TCefCloseBrowserAction {
    cbaClose = 0,   // the component destroys the browser's window itself
    cbaDelay = 1,   // the host destroys the browser's panel later; the browser goes with it
    cbaCancel = 2,  // the close is refused
};

// A point in the view's coordinates; NO_POINT inspects no element.
inline constexpr QPoint NO_POINT{INT_MIN, INT_MIN};

// Where a context menu was opened.
struct ContextMenuParams {
    int x = 0;  // in the view's coordinates
    int y = 0;
    QString link_url;
    QString selection_text;
};

// The items a host appends to a context menu, after the runtime's own items.
class ContextMenuModel {
public:
    struct Item {
        int command_id = 0;  // 0: separator
        QString label;
    };
    void add_separator() { items_.append(Item{}); }
    void add_item(int command_id, const QString& label) { items_.append(Item{command_id, label}); }
    const QVector<Item>& items() const { return items_; }

private:
    QVector<Item> items_;
};

// Console message severities, as the runtime numbers them (BrowserRuntime::LogSeverity).
enum ConsoleLevel { CONSOLE_INFO = 2, CONSOLE_WARNING = 3, CONSOLE_ERROR = 4 };

// The browser component of a window over Qt WebEngine: it creates its browser in a browser
// panel, navigates it, runs scripts in it, opens pop-up windows for it and reports what the
// browsers do through the event hooks below.
//
// Events. Each hook is called on the window thread, through the application error handler
// (run_handler), one event at a time and in the order in which the runtime raised them; an event
// raised while a handler is still running (a handler showing a modal box) waits for it. Events
// of pop-up browsers come through the same hooks with the pop-up's identifier. The hooks that
// answer the runtime (on_close, on_certificate_error, on_before_context_menu,
// on_context_menu_command) are called at once, while the runtime waits for the answer.
//
// Requests made without a browser (before on_after_created, or once closing has begun) do
// nothing and report nothing.
class BrowserComponent final : public QObject, public Page {
    Q_OBJECT
public:
    explicit BrowserComponent(BrowserRuntime& runtime, QObject* parent = nullptr);
    ~BrowserComponent() override;

    // --- Life cycle -----------------------------------------------------------------------

    // Creates the browser in `panel`, filling it, showing "about:blank". Refused (false, nothing
    // done) while the runtime is not initialised or the component already has a browser. True:
    // on_after_created follows.
    bool create_browser(BrowserPanel* panel);
    // The component has a browser that is not being closed.
    bool initialized() const;
    // The component's browser, 0 without one. A closed browser is dropped before
    // on_before_close is raised.
    BrowserId browser_id() const;
    bool is_same_browser(BrowserId browser) const;
    // Closes the component's browser; forced: the page gets no chance to keep itself open.
    // on_close decides what happens to the browser's window; on_before_close follows when the
    // browser is gone.
    void close_browser(bool force_close);
    // The host window is being moved or resized. Qt WebEngine follows its window by itself:
    // nothing to do.
    void notify_move_or_resize_started() {}

    // WebRTC settings applied to browsers created afterwards. Policies: 0 default, 1 default
    // public and private interfaces, 2 default public interface only, 3 disable non-proxied UDP.
    void set_webrtc_ip_handling_policy(int policy) { webrtc_ip_handling_policy_ = policy; }
    void set_webrtc_multiple_routes(bool enabled) { webrtc_multiple_routes_ = enabled; }
    void set_webrtc_nonproxied_udp(bool enabled) { webrtc_nonproxied_udp_ = enabled; }
    int webrtc_ip_handling_policy() const { return webrtc_ip_handling_policy_; }

    // Gives a browser's top-level window (a pop-up's) an icon. The component's own browser lives
    // in the host's window, which this leaves alone.
    void set_browser_window_icon(BrowserId browser, const QIcon& icon);
    // The top-level window of a pop-up browser; nullptr for the component's own browser.
    QWidget* browser_window(BrowserId browser) const;

    // --- Navigation (the component's browser) ---------------------------------------------

    void go_back();     // only when the browser can go back
    void go_forward();  // only when it can go forward
    void reload();      // not bypassing the cache
    void stop_load();
    bool can_go_back() const;
    bool can_go_forward() const;
    // Loads an address into the main frame, exactly as given.
    void load_url(const QString& url);
    QString document_url() const;
    // Loads `html` as a page into `frame` (of any browser of the component): the main frame gets
    // a "data:" address of type text/html, UTF-8, base64. Nothing happens for an empty text or an
    // invalid frame.
    void load_string(const QString& html, const FrameInfo& frame);
    // The main frame of the component's browser.
    FrameInfo main_frame() const;

    // --- Scripts ----------------------------------------------------------------------------

    // Page: runs `code` in the main frame, where the page's own objects are, with the frame's
    // URL as script URL. Its console output comes back through on_console_message.
    void execute_in_main_frame(const QString& code) override;
    // Runs `code` in `frame`. The main frame runs it like execute_in_main_frame; a sub-frame of
    // the main frame's origin runs it in the component's own script world (the page's objects
    // are not visible there, its document is); other sub-frames run nothing.
    void execute_javascript(const FrameInfo& frame, const QString& code, const QString& script_url, int start_line);

    // --- Developer tools ----------------------------------------------------------------------

    // Shows the developer tools of the component's browser in `panel`, filling it. `inspect`:
    // the element at that point of the view is selected when the runtime can (Qt WebEngine 6.4
    // can do it only at the position of the last context menu); NO_POINT selects none.
    void show_dev_tools(const QPoint& inspect, BrowserPanel* panel);
    // Closes the developer tools shown in `panel`.
    void close_dev_tools(BrowserPanel* panel);
    bool dev_tools_shown() const;

    // --- Browser state -------------------------------------------------------------------------

    void set_focus(bool focus);
    bool audio_muted() const;
    void set_audio_muted(bool muted);
    // Zoom: level L means 1.2 to the power L; the percentage is 100 times that.
    double zoom_level() const;
    void set_zoom_level(double level);
    double zoom_pct() const;

    // Frames of the component's browser as last reported: count (0 without a browser), names and
    // identifiers in frame-tree order. Identifiers stay with a frame position for the browser's
    // life. False without a browser (identifiers also when `expected` is 0).
    int frame_count() const;
    bool frame_names(QStringList& names) const;
    bool frame_identifiers(int expected, QVector<qint64>& identifiers) const;
    // Asks for the HTML source or the text of the frame named `frame_name` (empty: the main
    // frame); it arrives through on_text_result_available. Sub-frames of another origin than
    // the main frame's deliver nothing.
    void retrieve_html(const QString& frame_name = {});
    void retrieve_text(const QString& frame_name = {});

    // Prints the page to a PDF file; on_pdf_print_finished follows.
    void print_to_pdf(const QString& file_path);
    // Copies the view into `bitmap`; false when the browser has no view or it is empty.
    bool take_snapshot(QImage& bitmap) const;
    // Visits the browser's navigation history: on_navigation_visitor_result_available for each
    // entry (or only the current one) until it answers false.
    void visit_navigation_entries(bool current_only);
    // Raises on_execute_task on the runtime's thread (here: the window thread) after `delay_ms`.
    void execute_task(int task_id, int delay_ms);

    // --- Events ------------------------------------------------------------------------------

    std::function<void(BrowserId browser)> on_after_created;
    // aAction starts as cbaClose.
    std::function<void(BrowserId browser, TCefCloseBrowserAction& aAction)> on_close;
    std::function<void(BrowserId browser)> on_before_close;
    std::function<void(BrowserId browser, bool isLoading, bool canGoBack, bool canGoForward)> on_loading_state_change;
    // progress: 0.0 to 1.0.
    std::function<void(BrowserId browser, double progress)> on_loading_progress_change;
    std::function<void(BrowserId browser, const FrameInfo& frame, int httpStatusCode)> on_load_end;
    // errorCode: the runtime's network error, e.g. -3 aborted, -102 connection refused, -105
    // name not resolved, -202 certificate authority invalid; errorText its name
    // ("ERR_CONNECTION_REFUSED"). A sub-frame's failure is reported as -2, "ERR_FAILED": Qt
    // WebEngine 6.4 does not say why a sub-frame failed.
    std::function<void(BrowserId browser, const FrameInfo& frame, int errorCode, const QString& errorText, const QString& failedUrl)> on_load_error;
    std::function<void(BrowserId browser, const QString& title)> on_title_change;
    // The address under the mouse pointer, or an empty text when it leaves a link.
    std::function<void(BrowserId browser, const QString& value)> on_status_message;
    // Answered at once: true lets the request go on with the certificate, false cancels it.
    // Without a handler the request is cancelled.
    std::function<bool(BrowserId browser, int certError, const QString& requestUrl)> on_certificate_error;
    // Console output of the pages (not of the runtime's own error pages).
    std::function<void(BrowserId browser, int level, const QString& message, const QString& source, int line)> on_console_message;
    std::function<void(BrowserId browser, bool fullscreen)> on_fullscreen_mode_change;
    std::function<void(const QString& aText)> on_text_result_available;
    std::function<void(bool aResultOK)> on_pdf_print_finished;
    // A page asks to print (window.print()). Without a handler the component shows a print
    // preview (when the runtime's print preview is on) or the print dialog.
    std::function<void(BrowserId browser)> on_print_requested;
    std::function<void(BrowserId browser, const FrameInfo& frame, const ContextMenuParams& params, ContextMenuModel& model)> on_before_context_menu;
    // Returns true when the command was handled.
    std::function<bool(BrowserId browser, const FrameInfo& frame, const ContextMenuParams& params, int commandId, int eventFlags)> on_context_menu_command;
    // Returns true to go on visiting.
    std::function<bool(const QString& url, bool current, int index, int total)> on_navigation_visitor_result_available;
    std::function<void(int aTaskID)> on_execute_task;

    // The Qt page of a browser, for tests and for the platform layer's own tools.
    QWebEnginePage* page_of(BrowserId browser) const;

    // Builds the context menu of a browser's view for `position` (view coordinates) as a right
    // click does, without showing it: the runtime's items of the last right click, then the
    // host's (on_before_context_menu). Returned to the caller, who owns it; nullptr without a
    // browser.
    QMenu* create_context_menu(BrowserId browser, const QPoint& position, QWidget* parent);

    class WebPage;
    class WebView;

protected:
    bool event(QEvent* event) override;

private:
    struct Frame;
    struct Browser;

    Browser* find(BrowserId browser) const;
    Browser* current() const;
    Browser* add_browser(QWebEngineView* view, QWebEnginePage* page, bool popup);
    void wire(Browser& browser);
    QWebEnginePage* create_popup(BrowserId opener);
    void request_close(BrowserId browser);
    void apply_close_action(BrowserId browser, TCefCloseBrowserAction action);
    void browser_gone(BrowserId browser);

    void loading_changed(BrowserId browser, const QWebEngineLoadingInfo& info);
    void certificate_error(BrowserId browser, const QWebEngineCertificateError& error);
    void console_message(BrowserId browser, int level, const QString& message, int line, const QString& source);
    void frame_report(BrowserId browser, const QString& kind, const QUrlQuery& report);
    void check_sub_frame(BrowserId browser, const QString& path, const QString& name, const QString& src, bool late);
    void print_requested(BrowserId browser);
    void retrieve(const QString& frame_name, bool html);
    FrameInfo frame_info(const Browser& browser, const QString& path) const;

    // Hands an event to the window thread's queue (see the class comment).
    void post(std::function<void()> event);

    BrowserRuntime& runtime_;
    std::map<BrowserId, std::unique_ptr<Browser>> browsers_;
    BrowserId current_ = 0;    // the component's own browser once created
    BrowserId pending_ = 0;    // created, on_after_created not yet raised
    int webrtc_ip_handling_policy_ = 0;
    bool webrtc_multiple_routes_ = true;
    bool webrtc_nonproxied_udp_ = true;
    QPointer<QWebEngineView> devtools_view_;
    QPointer<BrowserPanel> devtools_panel_;

    std::deque<std::function<void()>> events_;
    int events_due_ = 0;
    bool delivering_ = false;
};

}  // namespace rx42
