// The program's entry. One executable plays every role: started by the browser runtime with a
// "--type=" switch it is one of the runtime's sub-processes; started by the user it is the browser
// process with the main window.

#include "browser_runtime.h"
#include "common/handler_guard.h"
#include "global_runtime.h"
#include "main_window/trading_bindings.h"
#include "main_window/velko_browser_frm.h"
#include "os.h"
#include "practice/practice_run.h"
#include "preferences_dialog/preferences_frm.h"
#include "qt_dialogs.h"
#include "text_viewer/simple_text_viewer_frm.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

// The practice options of the command line, taken out before Qt and the runtime see it.
std::optional<rx42::PracticeOptions> take_practice_options(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    auto options = rx42::take_practice_options(arguments, error);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        std::exit(2);
    }
    // Keep the arguments that are not ours, in order.
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (!arguments.isEmpty() && arguments.constFirst() == argument) {
            arguments.removeFirst();
            argv[kept++] = argv[i];
        }
    }
    argv[kept] = nullptr;
    argc = kept;
    return options;
}

}  // namespace

int main(int argc, char** argv)
{
    // A sub-process does the runtime's work and ends: no window, no settings file.
    if (rx42::BrowserRuntime::is_sub_process(argc, argv))
        return rx42::BrowserRuntime::run_sub_process(argc, argv);

    // Nothing on the command line may open the runtime's remote debugging endpoint.
    rx42::BrowserRuntime::remove_remote_debugging_switches(argc, argv);
    const std::optional<rx42::PracticeOptions> practice = take_practice_options(argc, argv);
    // A practice run works without a display.
    if (practice && qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(practice);
    app.setApplicationName(QStringLiteral("rx42"));

    // Every message box and file dialog goes through one seam; the application error handler
    // shows the text of an error raised in any handler.
    // In a practice run no one is there to answer: message boxes go to standard error.
    rx42::QtDialogs window_dialogs;
    rx42::ConsoleDialogs console_dialogs;
    rx42::Dialogs& dialogs = practice ? static_cast<rx42::Dialogs&>(console_dialogs) : window_dialogs;
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

        rx42::TVelkoBrowserFrm::Startup startup;
        startup.bind_and_read_settings = &rx42::bind_trading_and_read_settings;
        auto* form = new rx42::TVelkoBrowserFrm(*rx42::GlobalCEFApp, dialogs, startup);
        window_dialogs.set_owner(form);
        QObject::connect(form, &rx42::TVelkoBrowserFrm::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
        form->SimpleTextViewerFrm = new rx42::TSimpleTextViewerFrm(form);
        form->PreferencesFrm = new rx42::TPreferencesFrm(form);
        form->show();
        // Asked to end (a shutdown, kill): the window closes through its closing protocol. Set
        // once the runtime runs: starting, it resets the process's signal handling.
        rx42::os::on_termination_request([form]() { form->close(); });
        rx42::PracticeRun* practice_run = nullptr;
        if (practice) {
            practice_run = new rx42::PracticeRun(*form, *practice);
            practice_run->start();
        }
        status = app.exec();
        if (practice_run)
            status = practice_run->exit_status();

        // Pages go before the runtime's profile, everything before the application object.
        delete form;
        rx42::set_error_presenter({});
    }
    rx42::destroy_runtime();
    return status;
}
