#include "controls.h"

namespace rx42 {

QString list_index_error_text(int index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

}  // namespace rx42
