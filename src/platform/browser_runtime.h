#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

class QWebEngineProfile;

namespace rx42 {

class Dialogs;
class FrameReportHandler;

// The browser runtime of the process (the program keeps its one instance in GlobalCEFApp, see
// global_runtime.h). One executable plays every role: started by the runtime with a "--type="
// switch it does that sub-process's work (is_sub_process / run_sub_process, before any
// QApplication exists); otherwise it is the browser process, which sets the settings below,
// creates the QApplication and calls start_main_process.
//
// Nothing else owns runtime state. The browser components reach the runtime through this
// object; pages must be gone before it is destroyed, and it must be destroyed before the
// QApplication.
class BrowserRuntime {
public:
    // Log severities, numbered as the runtime's settings number them.
    enum LogSeverity : int {
        LOGSEVERITY_DEFAULT = 0,
        LOGSEVERITY_VERBOSE = 1,
        LOGSEVERITY_INFO = 2,
        LOGSEVERITY_WARNING = 3,
        LOGSEVERITY_ERROR = 4,
        LOGSEVERITY_FATAL = 5,
        LOGSEVERITY_DISABLE = 99,
    };

    // `dialogs` shows the runtime's own error box; without it a QtDialogs is used.
    explicit BrowserRuntime(Dialogs* dialogs = nullptr);
    ~BrowserRuntime();
    BrowserRuntime(const BrowserRuntime&) = delete;
    BrowserRuntime& operator=(const BrowserRuntime&) = delete;

    // --- Settings: set before start_main_process -------------------------------------------

    // Log file; a relative name lies in the executable's folder. Empty: no log file.
    void set_log_file(const QString& file) { log_file_ = file; }
    const QString& log_file() const { return log_file_; }
    // Default LOGSEVERITY_DISABLE: nothing is logged.
    void set_log_severity(LogSeverity severity) { log_severity_ = severity; }
    LogSeverity log_severity() const { return log_severity_; }
    // Cache folder (also holds cookies and other persistent data). A relative path is resolved
    // against the executable's folder and normalised; an absolute path is taken as is. Empty:
    // nothing is stored on disk.
    void set_cache(const QString& cache) { cache_ = cache; }
    const QString& cache() const { return cache_; }
    // Print preview: a page's print request opens a preview instead of printing at once.
    void set_enable_print_preview(bool on) { enable_print_preview_ = on; }
    bool enable_print_preview() const { return enable_print_preview_; }
    // WebRTC IP handling policy for every browser of the process, e.g. "disable_non_proxied_udp".
    // Qt WebEngine takes the policy only as a start-up switch. Empty: the runtime's default.
    void set_webrtc_ip_handling_policy(const QString& policy) { webrtc_policy_ = policy; }

    // The settings resolved: absolute paths, the runtime's switches.
    QString log_file_path() const;
    QString cache_path() const;
    QStringList runtime_switches() const;
    // Where the runtime's files are looked for (QTWEBENGINE_RESOURCES_PATH overrides).
    static QString resources_path();

    // --- Roles --------------------------------------------------------------------------------

    // True when the command line holds a "--type=" switch: the runtime started this process as
    // one of its sub-processes.
    static bool is_sub_process(int argc, char** argv);
    // Does the sub-process's whole work and returns its exit code. No window, no settings file.
    static int run_sub_process(int argc, char** argv);
    // Removes the switches that would open the runtime's remote debugging endpoint from a
    // command line, before the QApplication sees it: that endpoint lets any local process drive
    // a browser that may be logged in to a trading account.
    static void remove_remote_debugging_switches(int& argc, char** argv);

    // Browser process, once the QApplication exists: verifies the runtime's files and version,
    // configures and initialises the runtime. True: build the windows and run. False: the
    // runtime could not start; it has told the user in an error box of its own.
    bool start_main_process();
    // The runtime is initialised: browsers can be created.
    bool global_context_initialized() const { return profile_ != nullptr; }
    QWebEngineProfile* profile() const { return profile_; }

    // Writes one line to the runtime's log file if `severity` is at or above the log severity.
    void write_log(LogSeverity severity, const QString& text);

    // A modal system loop (a window menu) starts or ends. The runtime needs to know only on
    // Windows; elsewhere nothing happens.
    void set_os_modal_loop(bool) {}

    // The runtime's handler of the frame reports (browser_frames.cpp).
    FrameReportHandler* frame_reports() const { return frame_reports_.get(); }

private:
    bool verify_runtime_files(QString& problem) const;
    void configure_environment();
    void fail(const QString& problem);

    Dialogs* dialogs_;
    std::unique_ptr<Dialogs> own_dialogs_;
    QString log_file_;
    LogSeverity log_severity_ = LOGSEVERITY_DISABLE;
    QString cache_;
    bool enable_print_preview_ = false;
    QString webrtc_policy_;
    QWebEngineProfile* profile_ = nullptr;
    std::unique_ptr<FrameReportHandler> frame_reports_;
    std::mutex log_lock_;
};

}  // namespace rx42
