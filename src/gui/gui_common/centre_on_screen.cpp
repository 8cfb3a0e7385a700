#include "gui_common/centre_on_screen.h"

#include <QScreen>
#include <QWidget>

namespace rx42 {

void centre_on_screen(QWidget* window)
{
    if (const QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

}  // namespace rx42
