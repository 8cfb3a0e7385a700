// The trading cycle: step buttons and the one-shot timers that chain them. Every timer disables
// itself and presses the next step's button; "автомат" (chbx_auto) and "автопокупка"
// (chbx_autobuy) decide whether a step starts the timers of the steps after it.

#include "trading_automation.h"

#include "automation/page_scripts.h"

namespace rx42 {

void TradingAutomation::btn_startClick()
{
    if (press_GoBtn_)
        press_GoBtn_();
    timers.Timer_start.enable();
    curr_index = 0;
    writelog(QStringLiteral("Загружаем сайт"));
}

void TradingAutomation::Timer_startTimer()
{
    timers.Timer_start.disable();
    ui_.GroupBox2->set_enabled(true);
}

void TradingAutomation::btn_searchClick()
{
    wait_orders = false;
    curr_index = 0;
    writelog(QStringLiteral("Запускаем цикл проверки цен"));
    timers.Timer_buy_price.enable();
    // With currencies the change stops the buy-side timer again and starts on the sell side.
    if (ui_.chbx_auto->checked() && !ui_.LstCurr->items().isEmpty())
        Btn_sw_currClick();
}

void TradingAutomation::btn_cell_price2Click()
{
    run_page_script(page_scripts::price_script());
    wait_cell_price = true;
    if (ui_.chbx_auto->checked()) {
        timers.Timer_switcher.enable();
        timers.Timer_buy_price.enable();
    }
}

void TradingAutomation::btn_buy_price2Click()
{
    run_page_script(page_scripts::price_script());
    wait_buy_price = true;
    if (ui_.chbx_auto->checked()) {
        timers.Timer_switcher.enable();
        timers.timer_cell_price.enable();
    }
}

void TradingAutomation::btn_switcherClick()
{
    run_page_script(page_scripts::view_switch_script());
}

void TradingAutomation::btn_click_buyClick()
{
    run_page_script(page_scripts::offer_buy_click_script());
    if (ui_.chbx_auto->checked())
        timers.Timer_click_all.enable();
}

void TradingAutomation::btn_click_allClick()
{
    run_page_script(page_scripts::all_amount_click_script());
    if (ui_.chbx_auto->checked() && ui_.chbx_autobuy->checked())
        timers.Timer_buy_eth.enable();
}

void TradingAutomation::btn_buy_ethClick()
{
    run_page_script(page_scripts::confirm_purchase_click_script());
}

void TradingAutomation::SpeedButton1Click()
{
    // The view switch, the two 300 ms reads and the currency rotation are left running.
    ui_.chbx_auto->set_checked(false);
    timers.Timer_buy_price.disable();
    timers.timer_cell_price.disable();
    timers.Timer_buy.disable();
    timers.Timer_click_all.disable();
    timers.Timer_buy_eth.disable();
    timers.Timer_start.disable();
}

void TradingAutomation::timer_cell_priceTimer()
{
    timers.timer_cell_price.disable();
    btn_cell_priceClick();
}

void TradingAutomation::Timer_ff1Timer()
{
    timers.Timer_ff1.disable();
    btn_cell_price2Click();
}

void TradingAutomation::Timer_buy_priceTimer()
{
    timers.Timer_buy_price.disable();
    btn_buy_priceClick();
}

void TradingAutomation::Timer_ff2Timer()
{
    timers.Timer_ff2.disable();
    btn_buy_price2Click();
}

void TradingAutomation::Timer_switcherTimer()
{
    timers.Timer_switcher.disable();
    btn_switcherClick();
}

void TradingAutomation::Timer_buyTimer()
{
    // A purchase ends the currency rotation.
    timers.Timer_curr_switcher.disable();
    timers.Timer_buy.disable();
    btn_click_buyClick();
}

void TradingAutomation::Timer_click_allTimer()
{
    timers.Timer_click_all.disable();
    btn_click_allClick();
}

void TradingAutomation::Timer_buy_ethTimer()
{
    timers.Timer_buy_eth.disable();
    btn_buy_ethClick();
}

}  // namespace rx42
