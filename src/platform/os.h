#pragma once

#include <QString>

#include <functional>

// The few calls that differ between operating systems. os_linux.cpp implements them here; a
// Windows build adds os_windows.cpp with the same functions.
namespace rx42::os {

// Full path of the running executable.
QString executable_path();

quint64 current_process_id();
// The process runs with the system's administrator rights (root).
bool running_as_root();
quint64 current_thread_id();

// Number of processes below this one (children, their children, ...) that run `executable`.
// These are the browser runtime's sub-processes.
int child_process_count(const QString& executable);

// Calls `handler` on the main thread, from its event loop, each time the process is asked to end
// (SIGTERM, SIGINT, SIGHUP), instead of ending at once. Needs the QCoreApplication.
void on_termination_request(std::function<void()> handler);

// Takes over the process's standard error output: every line for which `is_runtime_line` holds
// is appended to `log_path`, every other line goes on to the original standard error. Child
// processes started afterwards inherit the redirected output, so their runtime lines end up in
// the same file. A robot runs for days: once the file holds `max_log_bytes`, it becomes
// `log_path` + ".1" (replacing the older one) and a new file is begun. Returns false (and changes
// nothing) when the redirection cannot be set up.
inline constexpr qint64 kDefaultMaxLogBytes = 32 * 1024 * 1024;
bool capture_runtime_log(const QString& log_path, std::function<bool(const QByteArray& line)> is_runtime_line,
                         qint64 max_log_bytes = kDefaultMaxLogBytes);
// Gives standard error back and writes out what is still buffered. Safe to call when nothing
// was captured.
void release_runtime_log();

}  // namespace rx42::os
