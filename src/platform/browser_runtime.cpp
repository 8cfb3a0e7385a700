#include "browser_runtime.h"

#include "frame_reports.h"
#include "os.h"
#include "qt_dialogs.h"
#include "runtime_log_lines.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QWebEngineProfile>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <QtWebEngineCore/qtwebenginecoreversion.h>

#include <cstring>
#include <vector>

// The entry of Qt WebEngine's own helper process, exported by the library. Declared here so
// that our executable can be its own helper.
namespace QtWebEngineCore {
int processMain(int argc, const char** argv);
}

namespace rx42 {

namespace {

QString executable_folder()
{
    return QFileInfo(os::executable_path()).absolutePath();
}

QString beside_executable(const QString& path)
{
    if (path.isEmpty() || QDir::isAbsolutePath(path))
        return path;
    return QDir::cleanPath(executable_folder() + QLatin1Char('/') + path);
}

// The runtime's switches that open its remote debugging endpoint.
bool is_remote_debugging_switch(const QString& arg)
{
    return arg.startsWith(QLatin1String("--remote-debugging"));
}

const char* severity_name(BrowserRuntime::LogSeverity severity)
{
    switch (severity) {
    case BrowserRuntime::LOGSEVERITY_VERBOSE: return "VERBOSE1";
    case BrowserRuntime::LOGSEVERITY_WARNING: return "WARNING";
    case BrowserRuntime::LOGSEVERITY_ERROR: return "ERROR";
    case BrowserRuntime::LOGSEVERITY_FATAL: return "FATAL";
    default: return "INFO";
    }
}

// LOGSEVERITY_DEFAULT means information and above, like the runtime's own default.
int effective_level(BrowserRuntime::LogSeverity severity)
{
    return severity == BrowserRuntime::LOGSEVERITY_DEFAULT ? BrowserRuntime::LOGSEVERITY_INFO : int(severity);
}

void release_log_at_exit()
{
    os::release_runtime_log();
}

}  // namespace

BrowserRuntime::BrowserRuntime(Dialogs* dialogs)
    : dialogs_(dialogs)
{
    if (!dialogs_) {
        own_dialogs_ = std::make_unique<QtDialogs>();
        dialogs_ = own_dialogs_.get();
    }
}

BrowserRuntime::~BrowserRuntime()
{
    // Pages are gone by now (the windows were destroyed first); the profile goes before the
    // QApplication.
    delete profile_;
    profile_ = nullptr;
}

QString BrowserRuntime::log_file_path() const
{
    return beside_executable(log_file_);
}

QString BrowserRuntime::cache_path() const
{
    return beside_executable(cache_);
}

QStringList BrowserRuntime::runtime_switches() const
{
    QStringList switches{QStringLiteral("--disable-gpu"), QStringLiteral("--disable-gpu-compositing")};
    if (log_severity_ != LOGSEVERITY_DISABLE && !log_file_.isEmpty()) {
        // The runtime's levels: 0 information, 1 warning, 2 error, 3 fatal.
        const int level = effective_level(log_severity_);
        switches << QStringLiteral("--enable-logging")
                 << QStringLiteral("--log-level=%1").arg(qBound(0, level - LOGSEVERITY_INFO, 3));
        if (level == LOGSEVERITY_VERBOSE)
            switches << QStringLiteral("--v=1");
    }
    if (!webrtc_policy_.isEmpty())
        switches << QStringLiteral("--force-webrtc-ip-handling-policy=%1").arg(webrtc_policy_);
    return switches;
}

QString BrowserRuntime::resources_path()
{
    const QString forced = qEnvironmentVariable("QTWEBENGINE_RESOURCES_PATH");
    if (!forced.isEmpty())
        return forced;
    return QLibraryInfo::path(QLibraryInfo::DataPath) + QStringLiteral("/resources");
}

bool BrowserRuntime::is_sub_process(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--type=", 7) == 0)
            return true;
    }
    return false;
}

int BrowserRuntime::run_sub_process(int argc, char** argv)
{
    // The runtime rewrites the command line to set the process title; the application object
    // (which finds the runtime's files for it) gets a copy of its own.
    std::vector<QByteArray> copies(argv, argv + argc);
    std::vector<char*> copy;
    for (QByteArray& arg : copies)
        copy.push_back(arg.data());
    copy.push_back(nullptr);
    int copy_count = argc;
    QCoreApplication application(copy_count, copy.data());
    return QtWebEngineCore::processMain(argc, const_cast<const char**>(argv));
}

void BrowserRuntime::remove_remote_debugging_switches(int& argc, char** argv)
{
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (i > 0 && is_remote_debugging_switch(QString::fromLocal8Bit(argv[i])))
            continue;
        argv[kept++] = argv[i];
    }
    if (kept < argc)
        argv[kept] = nullptr;
    argc = kept;
}

bool BrowserRuntime::verify_runtime_files(QString& problem) const
{
    const QString resources = resources_path();
    for (const char* file : {"qtwebengine_resources.pak", "qtwebengine_devtools_resources.pak"}) {
        const QString path = resources + QLatin1Char('/') + QLatin1String(file);
        if (!QFileInfo::exists(path)) {
            problem = QStringLiteral("The browser runtime file %1 is missing.").arg(QDir::toNativeSeparators(path));
            return false;
        }
    }
    // The library loaded must be the one the program was built with.
    const QString expected = QStringLiteral(QTWEBENGINECORE_VERSION_STR).section(QLatin1Char('.'), 0, 1);
    const QString loaded = QString::fromLatin1(qWebEngineVersion()).section(QLatin1Char('.'), 0, 1);
    if (loaded != expected) {
        problem = QStringLiteral("The browser runtime library has version %1; this program needs %2.")
                      .arg(QString::fromLatin1(qWebEngineVersion()), QStringLiteral(QTWEBENGINECORE_VERSION_STR));
        return false;
    }
    return true;
}

void BrowserRuntime::configure_environment()
{
    // Every sub-process of the runtime is this executable (see is_sub_process).
    qputenv("QTWEBENGINEPROCESS_PATH", QFile::encodeName(os::executable_path()));
    // Never the remote debugging endpoint.
    qunsetenv("QTWEBENGINE_REMOTE_DEBUGGING");
    // The runtime refuses to sandbox its sub-processes under root; there it runs without.
    if (os::running_as_root())
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QStringList flags;
    const QStringList given = qEnvironmentVariable("QTWEBENGINE_CHROMIUM_FLAGS").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& flag : given) {
        if (!is_remote_debugging_switch(flag))
            flags << flag;
    }
    flags << runtime_switches();
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.join(QLatin1Char(' ')).toLocal8Bit());
}

bool BrowserRuntime::start_main_process()
{
    if (profile_)
        return true;
    Q_ASSERT_X(QCoreApplication::instance(), "BrowserRuntime::start_main_process", "needs the QApplication");
    QString problem;
    if (!verify_runtime_files(problem)) {
        fail(problem);
        return false;
    }
    configure_environment();
    if (log_severity_ != LOGSEVERITY_DISABLE && !log_file_.isEmpty()) {
        // Qt WebEngine writes the runtime's log to standard error; its lines go to the log file.
        if (os::capture_runtime_log(log_file_path(), RuntimeLogLines()))
            qAddPostRoutine(release_log_at_exit);
    }
    FrameReportHandler::register_scheme();

    profile_ = new QWebEngineProfile(QStringLiteral("rx42"));
    const QString cache = cache_path();
    if (!cache.isEmpty()) {
        if (!QDir().mkpath(cache)) {
            delete profile_;
            profile_ = nullptr;
            fail(QStringLiteral("The cache folder %1 cannot be created.").arg(QDir::toNativeSeparators(cache)));
            return false;
        }
        profile_->setPersistentStoragePath(cache);
        profile_->setCachePath(cache);
    }
    frame_reports_ = std::make_unique<FrameReportHandler>();
    profile_->installUrlSchemeHandler(FrameReportHandler::kScheme, frame_reports_.get());
    return true;
}

void BrowserRuntime::fail(const QString& problem)
{
    dialogs_->message_box(problem);
}

void BrowserRuntime::write_log(LogSeverity severity, const QString& text)
{
    if (log_severity_ == LOGSEVERITY_DISABLE || log_file_.isEmpty())
        return;
    if (effective_level(severity) < effective_level(log_severity_))
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QByteArray line = QStringLiteral("[%1:%2:%3:%4:rx42] %5\n")
                                .arg(os::current_process_id())
                                .arg(os::current_thread_id())
                                .arg(now.toString(QStringLiteral("MMdd/HHmmss.zzz000")),
                                     QLatin1String(severity_name(severity)), text)
                                .toUtf8();
    std::lock_guard<std::mutex> guard(log_lock_);
    QFile file(log_file_path());
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write(line);
}

}  // namespace rx42
