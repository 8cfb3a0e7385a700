#include "trading_automation.h"

namespace rx42 {

TradingAutomation::TradingAutomation(Scheduler& scheduler, Page& page, const TradingControls& controls, Dialogs& dialogs,
                                     std::function<void()> press_GoBtn, std::function<void()> beep,
                                     LocalClock local_clock)
    : timers(scheduler)
    , page_(page)
    , ui_(controls)
    , dialogs_(dialogs)
    , press_GoBtn_(std::move(press_GoBtn))
    , beep_(std::move(beep))
    , protocol_(*controls.e_message, *controls.chbx_prot, *controls.mmo_log, std::move(local_clock))
{
    wire_timers();
}

TradingAutomation::~TradingAutomation() = default;

void TradingAutomation::wire_timers()
{
    timers.Timer_start.set_on_timer([this] { Timer_startTimer(); });
    timers.timer_cell_price.set_on_timer([this] { timer_cell_priceTimer(); });
    timers.Timer_ff1.set_on_timer([this] { Timer_ff1Timer(); });
    timers.Timer_buy_price.set_on_timer([this] { Timer_buy_priceTimer(); });
    timers.Timer_ff2.set_on_timer([this] { Timer_ff2Timer(); });
    timers.Timer_switcher.set_on_timer([this] { Timer_switcherTimer(); });
    timers.Timer_buy.set_on_timer([this] { Timer_buyTimer(); });
    timers.Timer_click_all.set_on_timer([this] { Timer_click_allTimer(); });
    timers.Timer_buy_eth.set_on_timer([this] { Timer_buy_ethTimer(); });
    timers.Timer_curr_switcher.set_on_timer([this] { Timer_curr_switcherTimer(); });
}

}  // namespace rx42
