// The window itself: geometry, moves, the F12 key, full-screen pages, the developer tools and the
// program's icon.

#include "main_window/velko_browser_frm.h"

#include "browser_panel.h"
#include "common/handler_guard.h"
#include "main_window/dock_splitter.h"
#include "main_window/panel_status_bar.h"
#include "window_messages.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QWebEngineView>

namespace rx42 {

// --- Geometry -----------------------------------------------------------------------------------

int TVelkoBrowserFrm::left() const
{
    return frameGeometry().x();
}

int TVelkoBrowserFrm::top() const
{
    return frameGeometry().y();
}

int TVelkoBrowserFrm::height() const
{
    return frameGeometry().height();
}

int TVelkoBrowserFrm::width() const
{
    return frameGeometry().width();
}

void TVelkoBrowserFrm::set_left(int left)
{
    move(left, frameGeometry().y());
}

void TVelkoBrowserFrm::set_top(int top)
{
    move(frameGeometry().x(), top);
}

void TVelkoBrowserFrm::set_height(int height)
{
    const int frame = frameGeometry().height() - QWidget::height();
    resize(QWidget::width(), qMax(0, height - frame));
}

void TVelkoBrowserFrm::set_width(int width)
{
    const int frame = frameGeometry().width() - QWidget::width();
    resize(qMax(0, width - frame), QWidget::height());
}

void TVelkoBrowserFrm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    run_handler([this]() { FormResize(); });
}

void TVelkoBrowserFrm::FormResize()
{
    if (!CEFWindowParent1)
        return;
    QWidget* panel = ui.CEFWindowParent1;
    const int top = panel->y();
    panel->setGeometry(10, top, ui.PageControl1->width() - 40, QWidget::height() - top - 100);
}

void TVelkoBrowserFrm::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    Chromium1.notify_move_or_resize_started();
}

// --- F12 ----------------------------------------------------------------------------------------

bool TVelkoBrowserFrm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return QMainWindow::eventFilter(watched, event);
    bool handled = false;
    run_handler([&]() { handled = ApplicationEvents1Message(watched, event); });
    return handled || QMainWindow::eventFilter(watched, event);
}

bool TVelkoBrowserFrm::ApplicationEvents1Message(QObject* receiver, QEvent* event)
{
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F12)
        return false;
    // Keys typed into a page belong to the browser: F12 works while a control of a window has
    // the keyboard focus.
    for (auto* widget = qobject_cast<QWidget*>(receiver); widget; widget = widget->parentWidget()) {
        if (qobject_cast<QWebEngineView*>(widget))
            return false;
    }
    if (!receiver->isWidgetType())
        return false;
    if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat()) {
        // The panel's own state, whichever tab is in front.
        if (!ui.DevTools->isHidden())
            post_window_message(this, MSG_HIDE_DEVTOOLS);
        else
            post_window_message(this, MSG_SHOW_DEVTOOLS, 0);
    }
    return true;
}

// --- Developer tools ------------------------------------------------------------------------------

void TVelkoBrowserFrm::show_devtools(const QPoint& point)
{
    ui.Splitter1->show();
    ui.DevTools->show();
    ui.DevTools->setFixedWidth(frameGeometry().width() / 4);
    Chromium1.show_dev_tools(point, devtools_panel_);
}

void TVelkoBrowserFrm::hide_devtools()
{
    Chromium1.close_dev_tools(devtools_panel_);
    ui.Splitter1->hide();
    ui.DevTools->hide();
    ui.DevTools->setFixedWidth(0);
}

// --- Full screen ----------------------------------------------------------------------------------

void TVelkoBrowserFrm::Chromium1FullScreenModeChange(BrowserId browser, bool fullscreen)
{
    if (!Chromium1.is_same_browser(browser))
        return;
    // Changing the border shows the window anew; that is not a new FormShow.
    changing_border_ = true;
    if (fullscreen) {
        ui.StatusBar1->hide();
        if (isMaximized())
            showNormal();
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        showMaximized();
    } else {
        setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint
                       | Qt::WindowCloseButtonHint);
        showNormal();
        ui.StatusBar1->show();
    }
    changing_border_ = false;
}

// --- Icon ---------------------------------------------------------------------------------------

QIcon TVelkoBrowserFrm::program_icon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0x1f, 0x3a, 0x5f));
        painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
        painter.setPen(QColor(0xf0, 0xb9, 0x0b));
        QFont font(QStringLiteral("Arial"));
        font.setBold(true);
        font.setPixelSize(size / 2);
        painter.setFont(font);
        painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, QStringLiteral("rx"));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace rx42
