#include "os.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSocketNotifier>
#include <QVector>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <csignal>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace rx42::os {

QString executable_path()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

quint64 current_process_id()
{
    return quint64(::getpid());
}

bool running_as_root()
{
    return ::geteuid() == 0;
}

quint64 current_thread_id()
{
    return quint64(::syscall(SYS_gettid));
}

namespace {

// Parent pid from /proc/<pid>/stat: the field after the command name, which is in parentheses
// and may itself contain blanks and parentheses.
qint64 parent_of(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');
    if (close < 0)
        return -1;
    const QList<QByteArray> fields = text.mid(close + 2).split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() : -1;
}

}  // namespace

int child_process_count(const QString& executable)
{
    const qint64 self = qint64(::getpid());
    QHash<qint64, QVector<qint64>> children;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& pid : pids) {
        bool number = false;
        const qint64 id = pid.toLongLong(&number);
        if (!number)
            continue;
        const qint64 parent = parent_of(pid);
        if (parent > 0)
            children[parent].append(id);
    }
    int count = 0;
    QVector<qint64> pending = children.value(self);
    while (!pending.isEmpty()) {
        const qint64 id = pending.takeLast();
        pending += children.value(id);
        const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(id)).canonicalFilePath();
        if (exe == executable)
            ++count;
    }
    return count;
}

namespace {

int g_termination_pipe[2] = {-1, -1};

void termination_signal(int)
{
    const char byte = 1;
    // Only async-signal-safe calls here; the event loop does the rest.
    [[maybe_unused]] const ssize_t n = ::write(g_termination_pipe[1], &byte, 1);
}

}  // namespace

void on_termination_request(std::function<void()> handler)
{
    if (g_termination_pipe[0] < 0 && ::pipe2(g_termination_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_termination_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)]() {
        char bytes[16];
        while (::read(g_termination_pipe[0], bytes, sizeof bytes) > 0) {
        }
        handler();
    });
    struct sigaction action = {};
    action.sa_handler = termination_signal;
    ::sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

namespace {

void write_all(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n <= 0)
            return;
        data += n;
        size -= n;
    }
}

// State shared with the reader thread, which may outlive the capture (sub-processes keep their
// end of the pipe until they end).
struct ReaderState {
    std::mutex lock;
    std::condition_variable done_signal;
    bool done = false;
};

struct LogCapture {
    std::mutex lock;
    int saved_stderr = -1;
    std::shared_ptr<ReaderState> reader;
};

LogCapture& capture()
{
    static auto* instance = new LogCapture;  // never destroyed: the reader may still run at exit
    return *instance;
}

}  // namespace

bool capture_runtime_log(const QString& log_path, std::function<bool(const QByteArray& line)> is_runtime_line,
                         qint64 max_log_bytes)
{
    LogCapture& c = capture();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.saved_stderr >= 0)
        return true;
    const QByteArray path = QFile::encodeName(log_path);
    const int log_fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log_fd < 0)
        return false;
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        ::close(log_fd);
        return false;
    }
    const int saved = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int out_fd = saved >= 0 ? ::fcntl(saved, F_DUPFD_CLOEXEC, 0) : -1;
    // dup2 clears close-on-exec on the new descriptor: child processes inherit the pipe as
    // their standard error.
    if (out_fd < 0 || ::dup2(fds[1], STDERR_FILENO) < 0) {
        for (int fd : {saved, out_fd, fds[0], fds[1], log_fd}) {
            if (fd >= 0)
                ::close(fd);
        }
        return false;
    }
    ::close(fds[1]);
    c.saved_stderr = saved;
    c.reader = std::make_shared<ReaderState>();
    std::thread([state = c.reader, read_end = fds[0], out_fd, log_fd, path, max_log_bytes,
                 filter = std::move(is_runtime_line)]() mutable {
        int log_out = log_fd;
        qint64 log_size = ::lseek(log_out, 0, SEEK_END);
        // One line to its place; a full log file is set aside and a new one begun.
        const auto put = [&](const QByteArray& line) {
            if (!filter(line)) {
                write_all(out_fd, line.constData(), line.size());
                return;
            }
            if (log_size > 0 && log_size + line.size() > max_log_bytes) {
                const QByteArray older = path + ".1";
                const int fresh = ::rename(path.constData(), older.constData()) == 0
                    ? ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)
                    : -1;
                if (fresh >= 0) {
                    ::close(log_out);
                    log_out = fresh;
                    log_size = 0;
                }
            }
            write_all(log_out, line.constData(), line.size());
            log_size += line.size();
        };
        QByteArray pending;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(read_end, buffer, sizeof buffer);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            pending.append(buffer, n);
            qsizetype start = 0;
            for (qsizetype end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n', start)) {
                put(pending.mid(start, end - start + 1));
                start = end + 1;
            }
            pending.remove(0, start);
        }
        if (!pending.isEmpty())
            put(pending);
        ::close(read_end);
        ::close(log_out);
        ::close(out_fd);
        std::lock_guard<std::mutex> done_guard(state->lock);
        state->done = true;
        state->done_signal.notify_all();
    }).detach();
    return true;
}

void release_runtime_log()
{
    LogCapture& c = capture();
    std::lock_guard<std::mutex> guard(c.lock);
    if (c.saved_stderr < 0)
        return;
    ::dup2(c.saved_stderr, STDERR_FILENO);
    ::close(c.saved_stderr);
    c.saved_stderr = -1;
    // Our end of the pipe is gone now. Give the reader a moment to write out what is buffered;
    // sub-processes still running keep it alive, and it then finishes on its own.
    std::unique_lock<std::mutex> wait(c.reader->lock);
    c.reader->done_signal.wait_for(wait, std::chrono::milliseconds(200), [&] { return c.reader->done; });
    c.reader.reset();
}

}  // namespace rx42::os

// Time zone lookups of the runtime's sandboxed sub-processes. A sandboxed renderer cannot read the
// system's zone files; the runtime answers localtime() for it from outside the sandbox, provided
// the executable routes the C library's functions to it. Since every sub-process is this
// executable, it does so here; outside a sandboxed sub-process the runtime calls the C library.
struct tm;
namespace sandbox {
struct tm* localtime_override(const time_t* timep);
struct tm* localtime64_override(const time_t* timep);
struct tm* localtime_r_override(const time_t* timep, struct tm* result);
struct tm* localtime64_r_override(const time_t* timep, struct tm* result);
}  // namespace sandbox

__attribute__((__visibility__("default"))) struct tm* rx42_localtime(const time_t* timep) __asm__("localtime");
struct tm* rx42_localtime(const time_t* timep)
{
    return sandbox::localtime_override(timep);
}

__attribute__((__visibility__("default"))) struct tm* rx42_localtime64(const time_t* timep) __asm__("localtime64");
struct tm* rx42_localtime64(const time_t* timep)
{
    return sandbox::localtime64_override(timep);
}

__attribute__((__visibility__("default"))) struct tm* rx42_localtime_r(const time_t* timep, struct tm* result)
    __asm__("localtime_r");
struct tm* rx42_localtime_r(const time_t* timep, struct tm* result)
{
    return sandbox::localtime_r_override(timep, result);
}

__attribute__((__visibility__("default"))) struct tm* rx42_localtime64_r(const time_t* timep, struct tm* result)
    __asm__("localtime64_r");
struct tm* rx42_localtime64_r(const time_t* timep, struct tm* result)
{
    return sandbox::localtime64_r_override(timep, result);
}
