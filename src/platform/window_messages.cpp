#include "window_messages.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QWidget>

namespace rx42 {

namespace {

constexpr int kMessages[] = {
    MSG_SHOW_DEVTOOLS, MSG_HIDE_DEVTOOLS, MSG_COPY_HTML, MSG_SHOW_HEADERS, MSG_COPY_FRAME_IDS,
    MSG_COPY_FRAME_NAMES, MSG_SAVE_PREFERENCES, MSG_COPY_FRAME_TEXT, MSG_TAKE_SNAPSHOT,
    MSG_SHOW_NAVIGATION, MSG_COOKIES_FLUSHED, MSG_PDF_FINISHED, MSG_PREFERENCES_SAVED,
    MSG_BROWSER_CREATED, MSG_DESTROY_BROWSER_PANEL,
};

// Reserves the message numbers as event types, so that no other part of the program is handed
// one of them by QEvent::registerEventType.
bool reserve_message_types()
{
    for (int msg : kMessages)
        QEvent::registerEventType(msg);
    return true;
}

bool is_message(int type)
{
    static const bool reserved = reserve_message_types();
    Q_UNUSED(reserved);
    for (int msg : kMessages) {
        if (msg == type)
            return true;
    }
    return false;
}

}  // namespace

WindowMessage::WindowMessage(int msg, quintptr wParam, qintptr lParam)
    : QEvent(QEvent::Type(msg))
    , wParam_(wParam)
    , lParam_(lParam)
{
    Q_ASSERT(is_message(msg));
}

const WindowMessage* WindowMessage::from(const QEvent* event)
{
    if (!event || !is_message(int(event->type())))
        return nullptr;
    return dynamic_cast<const WindowMessage*>(event);
}

void post_window_message(QObject* window, int msg, quintptr wParam, qintptr lParam)
{
    if (window)
        QCoreApplication::postEvent(window, new WindowMessage(msg, wParam, lParam));
}

void post_close(QWidget* window)
{
    if (window)
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

}  // namespace rx42
