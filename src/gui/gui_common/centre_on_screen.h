#pragma once

class QWidget;

namespace rx42 {

// Moves a window so that its frame is centred on the available area of its screen.
void centre_on_screen(QWidget* window);

}  // namespace rx42
