#pragma once

#include <QString>

namespace rx42 {

// The executable's file version as four decimal numbers joined by "." (1.2.92.29).
QString file_version_text();

}  // namespace rx42
