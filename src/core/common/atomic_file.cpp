#include "atomic_file.h"

#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace rx42 {

namespace {

bool sync_to_disk(QFileDevice& file)
{
#ifdef Q_OS_UNIX
    int result;
    do
        result = ::fsync(file.handle());
    while (result != 0 && errno == EINTR);
    return result == 0;
#else
    Q_UNUSED(file);
    return true;  // commit() flushes the file on this platform
#endif
}

}  // namespace

bool write_file_atomically(const QString& path, const QByteArray& contents)
{
    // The writes are unbuffered so that every failure is seen here: QSaveFile (Qt 6.4) does not
    // notice a failure in flushing its buffer and renames the truncated file over the old one.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(contents) != contents.size()
        || file.error() != QFileDevice::NoError || !sync_to_disk(file) || !file.commit()) {
        file.cancelWriting();
        return false;
    }
    return true;
}

}  // namespace rx42
