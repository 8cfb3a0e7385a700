#pragma once

#include <QByteArray>
#include <QString>

namespace rx42 {

// Replaces the file at `path` with `contents` as one step: a new file is written beside it,
// synced to disk and renamed over the old one, so that whatever fails (a full disk, a crash, a
// folder without write access) the old file is either kept whole or replaced whole. Returns false
// when the file could not be written; the old file is then untouched.
bool write_file_atomically(const QString& path, const QByteArray& contents);

}  // namespace rx42
