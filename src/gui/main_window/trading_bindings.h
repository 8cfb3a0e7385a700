#pragma once

namespace rx42 {

class TVelkoBrowserFrm;

// The start-up hook of the program's main window (TVelkoBrowserFrm::Startup): makes the trading
// robot, binds the step buttons, the currency check list, the settings buttons and the page's
// console output to its handlers, then reads the settings file beside the executable (window
// geometry first; a bad geometry value stops there, as it stops the window's creation steps).
void bind_trading_and_read_settings(TVelkoBrowserFrm& form);

}  // namespace rx42
