#pragma once

#include <QEvent>

class QObject;
class QWidget;

namespace rx42 {

// The main window's own messages. Each is a posted event whose type is the message number;
// posted events to one window are handled on the window thread one at a time, in the order in
// which they were posted.
constexpr int MSG_SHOW_DEVTOOLS = 0x8101;       // wParam: x in the high 16 bits, y in the low 16
constexpr int MSG_HIDE_DEVTOOLS = 0x8102;
constexpr int MSG_COPY_HTML = 0x8103;
constexpr int MSG_SHOW_HEADERS = 0x8104;
constexpr int MSG_COPY_FRAME_IDS = 0x8105;
constexpr int MSG_COPY_FRAME_NAMES = 0x8106;
constexpr int MSG_SAVE_PREFERENCES = 0x8107;
constexpr int MSG_COPY_FRAME_TEXT = 0x8108;
constexpr int MSG_TAKE_SNAPSHOT = 0x8109;
constexpr int MSG_SHOW_NAVIGATION = 0x810A;
constexpr int MSG_COOKIES_FLUSHED = 0x810B;
constexpr int MSG_PDF_FINISHED = 0x810C;         // lParam: 1 success, 0 failure
constexpr int MSG_PREFERENCES_SAVED = 0x810D;    // lParam: 1 success, 0 failure
constexpr int MSG_BROWSER_CREATED = 0x8A03;
constexpr int MSG_DESTROY_BROWSER_PANEL = 0x8A06;

// One posted window message with its two parameters.
class WindowMessage final : public QEvent {
public:
    WindowMessage(int msg, quintptr wParam, qintptr lParam);

    int msg() const { return int(type()); }
    quintptr wParam() const { return wParam_; }
    qintptr lParam() const { return lParam_; }

    // The message an event carries, or nullptr when it is not a window message.
    static const WindowMessage* from(const QEvent* event);

private:
    quintptr wParam_;
    qintptr lParam_;
};

// Posts `msg` to `window`; returns at once. Safe from any thread.
void post_window_message(QObject* window, int msg, quintptr wParam = 0, qintptr lParam = 0);

// Posts a close request to `window`, queued behind the messages posted before it.
void post_close(QWidget* window);

}  // namespace rx42
