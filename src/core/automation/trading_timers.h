#pragma once

#include "common/window_timer.h"

namespace rx42 {

// The trading timers with their intervals at creation, all disabled. The settings give them the
// spin edits' values on load and on save; Timer_ff1 and Timer_ff2 always run at 300 ms.
struct TradingTimers {
    explicit TradingTimers(Scheduler& scheduler)
        : Timer_start(scheduler, "Timer_start", 2000)
        , timer_cell_price(scheduler, "timer_cell_price", 7657)
        , Timer_ff1(scheduler, "Timer_ff1", 300)
        , Timer_buy_price(scheduler, "Timer_buy_price", 7537)
        , Timer_ff2(scheduler, "Timer_ff2", 300)
        , Timer_switcher(scheduler, "Timer_switcher", 1278)
        , Timer_buy(scheduler, "Timer_buy", 300)
        , Timer_click_all(scheduler, "Timer_click_all", 2200)
        , Timer_buy_eth(scheduler, "Timer_buy_eth", 1254)
        , Timer_curr_switcher(scheduler, "Timer_curr_switcher", 1278)
    {
    }

    WindowTimer Timer_start;
    WindowTimer timer_cell_price;
    WindowTimer Timer_ff1;
    WindowTimer Timer_buy_price;
    WindowTimer Timer_ff2;
    WindowTimer Timer_switcher;
    WindowTimer Timer_buy;
    WindowTimer Timer_click_all;
    WindowTimer Timer_buy_eth;
    WindowTimer Timer_curr_switcher;
};

}  // namespace rx42
