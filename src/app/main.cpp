// The program's entry. One executable plays every role: started by the browser runtime with a
// "--type=" switch it is one of the runtime's sub-processes; started by the user it is the browser
// process with the main window.

#include "browser_runtime.h"
#include "common/handler_guard.h"
#include "global_runtime.h"
#include "main_window/velko_browser_frm.h"
#include "os.h"
#include "preferences_dialog/preferences_frm.h"
#include "qt_dialogs.h"
#include "text_viewer/simple_text_viewer_frm.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // A sub-process does the runtime's work and ends: no window, no settings file.
    if (rx42::BrowserRuntime::is_sub_process(argc, argv))
        return rx42::BrowserRuntime::run_sub_process(argc, argv);

    // Nothing on the command line may open the runtime's remote debugging endpoint.
    rx42::BrowserRuntime::remove_remote_debugging_switches(argc, argv);
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("rx42"));

    // Every message box and file dialog goes through one seam; the application error handler
    // shows the text of an error raised in any handler.
    rx42::QtDialogs dialogs;
    rx42::set_error_presenter([&dialogs](const QString& text) { dialogs.message_box(text); });

    rx42::create_runtime(&dialogs);
    // The window asks every browser for WebRTC without non-proxied UDP; the runtime can take
    // that policy only at its start.
    rx42::GlobalCEFApp->set_webrtc_ip_handling_policy(QStringLiteral("disable_non_proxied_udp"));
    int status = 1;
    if (rx42::GlobalCEFApp->start_main_process()) {
        app.setWindowIcon(rx42::TVelkoBrowserFrm::program_icon());
        // The message loop ends when the main window has closed through its closing protocol
        // (which may keep it hidden a while), not when the last visible window goes.
        app.setQuitOnLastWindowClosed(false);

        auto* form = new rx42::TVelkoBrowserFrm(*rx42::GlobalCEFApp, dialogs);
        dialogs.set_owner(form);
        QObject::connect(form, &rx42::TVelkoBrowserFrm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        form->SimpleTextViewerFrm = new rx42::TSimpleTextViewerFrm(form);
        form->PreferencesFrm = new rx42::TPreferencesFrm(form);
        form->show();
        // Asked to end (a shutdown, kill): the window closes through its closing protocol. Set
        // once the runtime runs: starting, it resets the process's signal handling.
        rx42::os::on_termination_request([form]() { form->close(); });
        status = app.exec();

        // Pages go before the runtime's profile, everything before the application object.
        delete form;
        rx42::set_error_presenter({});
    }
    rx42::destroy_runtime();
    return status;
}
