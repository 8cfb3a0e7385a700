// Tools of the browser component: developer tools, focus, audio, zoom, printing, snapshots,
// navigation history, tasks and the context menu.

#include "browser_component_p.h"

#include "browser_panel.h"
#include "browser_runtime.h"
#include "common/handler_guard.h"

#include <QContextMenuEvent>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTimer>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>

#include <cmath>

namespace rx42 {

// --- Developer tools --------------------------------------------------------------------------

void BrowserComponent::show_dev_tools(const QPoint& inspect, BrowserPanel* panel)
{
    Browser* b = current();
    if (!initialized() || !panel || !b->page)
        return;
    if (!devtools_view_ || devtools_panel_ != panel) {
        if (devtools_view_) {
            b->page->setDevToolsPage(nullptr);
            delete devtools_view_;
        }
        auto* view = new QWebEngineView(panel);
        auto* page = new QWebEnginePage(runtime_.profile(), view);
        view->setPage(page);
        panel->set_child_window(view);
        b->page->setDevToolsPage(page);
        devtools_view_ = view;
        devtools_panel_ = panel;
    }
    if (inspect == NO_POINT || !b->view)
        return;
    // Qt WebEngine inspects an element only at the position of the view's last context menu.
    const QWebEngineContextMenuRequest* request = b->view->lastContextMenuRequest();
    if (request && request->position() == inspect)
        b->page->triggerAction(QWebEnginePage::InspectElement);
}

void BrowserComponent::close_dev_tools(BrowserPanel* panel)
{
    if (!devtools_view_ || (panel && devtools_panel_ != panel))
        return;
    if (Browser* b = current(); b && b->page)
        b->page->setDevToolsPage(nullptr);
    delete devtools_view_;
    devtools_panel_ = nullptr;
}

bool BrowserComponent::dev_tools_shown() const
{
    return devtools_view_ != nullptr;
}

// --- Browser state ----------------------------------------------------------------------------

void BrowserComponent::set_focus(bool focus)
{
    Browser* b = current();
    if (!initialized() || !b->view)
        return;
    if (focus)
        b->view->setFocus(Qt::OtherFocusReason);
    else
        b->view->clearFocus();
}

bool BrowserComponent::audio_muted() const
{
    const Browser* b = current();
    return b && b->page && b->page->isAudioMuted();
}

void BrowserComponent::set_audio_muted(bool muted)
{
    if (initialized())
        current()->page->setAudioMuted(muted);
}

double BrowserComponent::zoom_level() const
{
    const Browser* b = current();
    if (!b || !b->page)
        return 0.0;
    return std::log(b->page->zoomFactor()) / std::log(1.2);
}

void BrowserComponent::set_zoom_level(double level)
{
    if (initialized())
        current()->page->setZoomFactor(std::pow(1.2, level));
}

double BrowserComponent::zoom_pct() const
{
    const Browser* b = current();
    return b && b->page ? b->page->zoomFactor() * 100.0 : 0.0;
}

// --- Printing, snapshots ----------------------------------------------------------------------

void BrowserComponent::print_to_pdf(const QString& file_path)
{
    if (initialized() && !file_path.isEmpty())
        current()->page->printToPdf(file_path);
}

void BrowserComponent::print_requested(BrowserId id)
{
    if (on_print_requested) {
        post([this, id]() { on_print_requested(id); });
        return;
    }
    Browser* b = find(id);
    if (!b || !b->view)
        return;
    QPointer<QWebEngineView> view = b->view;
    const bool preview = runtime_.enable_print_preview();
    // Shown from the event loop, not from inside the runtime's request.
    QTimer::singleShot(0, this, [view, preview]() {
        if (!view)
            return;
        QPrinter printer(QPrinter::HighResolution);
        const auto print = [&view](QPrinter* target) {
            // The view prints asynchronously; the dialog needs the pages now.
            QEventLoop wait;
            QObject::connect(view, &QWebEngineView::printFinished, &wait, &QEventLoop::quit);
            QObject::connect(view, &QObject::destroyed, &wait, &QEventLoop::quit);
            view->print(target);
            wait.exec();
        };
        if (preview) {
            QPrintPreviewDialog dialog(&printer, view->window());
            QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, print);
            dialog.exec();
        } else {
            QPrintDialog dialog(&printer, view->window());
            if (dialog.exec() == QDialog::Accepted)
                print(&printer);
        }
    });
}

bool BrowserComponent::take_snapshot(QImage& bitmap) const
{
    const Browser* b = current();
    if (!b || !b->view || b->view->size().isEmpty())
        return false;
    bitmap = b->view->grab().toImage();
    return !bitmap.isNull();
}

// --- Navigation history, tasks ----------------------------------------------------------------

void BrowserComponent::visit_navigation_entries(bool current_only)
{
    Browser* b = current();
    if (!initialized() || !b->page || !on_navigation_visitor_result_available)
        return;
    QWebEngineHistory* history = b->page->history();
    const QList<QWebEngineHistoryItem> items = history->items();
    const int now = history->currentItemIndex();
    QVector<std::tuple<QString, bool, int>> entries;
    for (int i = 0; i < items.size(); ++i) {
        if (!current_only || i == now)
            entries.append({items.at(i).url().toString(), i == now, i});
    }
    const int total = int(entries.size());
    post([this, entries, total]() {
        for (const auto& [url, is_current, index] : entries) {
            if (!on_navigation_visitor_result_available || !on_navigation_visitor_result_available(url, is_current, index, total))
                break;
        }
    });
}

void BrowserComponent::execute_task(int task_id, int delay_ms)
{
    QTimer::singleShot(qMax(0, delay_ms), this, [this, task_id]() {
        post([this, task_id]() {
            if (on_execute_task)
                on_execute_task(task_id);
        });
    });
}

// --- Context menu -----------------------------------------------------------------------------

void BrowserComponent::WebView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = owner_.create_context_menu(id, event->pos(), this);
    if (!menu)
        return;
    menu->setAttribute(Qt::WA_DeleteOnClose, true);
    menu->popup(event->globalPos());
}

QMenu* BrowserComponent::create_context_menu(BrowserId id, const QPoint& position, QWidget* parent)
{
    Browser* b = find(id);
    if (!b || !b->view)
        return nullptr;
    // The runtime's own items need the request of a right click; without one the menu holds
    // only the host's items.
    QMenu* menu = b->view->lastContextMenuRequest() ? b->view->createStandardContextMenu() : new QMenu;
    menu->setParent(parent, menu->windowFlags());
    ContextMenuParams params;
    params.x = position.x();
    params.y = position.y();
    if (const QWebEngineContextMenuRequest* request = b->view->lastContextMenuRequest()) {
        params.link_url = request->linkUrl().toString();
        params.selection_text = request->selectedText();
    }
    const FrameInfo frame = frame_info(*b, QString());
    ContextMenuModel model;
    if (on_before_context_menu)
        run_handler([&]() { on_before_context_menu(id, frame, params, model); });
    for (const ContextMenuModel::Item& item : model.items()) {
        if (item.command_id == 0) {
            menu->addSeparator();
            continue;
        }
        const int command = item.command_id;
        QAction* action = menu->addAction(item.label);
        connect(action, &QAction::triggered, this, [this, id, frame, params, command]() {
            if (on_context_menu_command)
                run_handler([&]() { on_context_menu_command(id, frame, params, command, 0); });
        });
    }
    return menu;
}

}  // namespace rx42
