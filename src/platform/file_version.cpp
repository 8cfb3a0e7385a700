#include "file_version.h"

#include "rx42_version.h"

namespace rx42 {

QString file_version_text()
{
    return QStringLiteral("%1.%2.%3.%4")
        .arg(RX42_VERSION_MAJOR)
        .arg(RX42_VERSION_MINOR)
        .arg(RX42_VERSION_PATCH)
        .arg(RX42_VERSION_BUILD);
}

}  // namespace rx42
