#pragma once

#include "automation/page.h"
#include "automation/trading_controls.h"
#include "automation/trading_timers.h"
#include "common/dialogs.h"
#include "common/scheduler.h"
#include "settings/protocol.h"

#include <QString>

#include <functional>

namespace rx42 {

// The trading robot of the main window: the page script channel, the price check and purchase
// decision, the timer-driven trading cycle and the currency rotation. The window owns one,
// binds its buttons, check list and browser events to the handlers below and hands it the
// controls by component name. Everything here runs on the window thread; the trading state
// (expectation flags, fake_found, curr_index) is plain data that needs no lock.
//
// Handlers never let an error escape: an error raised inside one (the list index error of a
// currency change) goes to the application error handler (run_handler), which shows it; the rest
// of that handler is skipped. A step that presses another step's button calls the same public
// handler a click runs.
//
// The implementation is split by concern: script_channel.cpp, purchase_decision.cpp,
// trading_cycle.cpp, currency_rotation.cpp.
class TradingAutomation {
public:
    // controls: every field filled; the struct is copied, the controls it points to must outlive
    // this object. press_GoBtn: presses the go button of the address box (loads the page named
    // there).
    // beep: plays the system exclamation sound; may be empty (no sound); a failing sound is
    // ignored. local_clock: local date and time for the protocol; empty means the current time.
    TradingAutomation(Scheduler& scheduler, Page& page, const TradingControls& controls, Dialogs& dialogs,
                      std::function<void()> press_GoBtn, std::function<void()> beep,
                      LocalClock local_clock = {});
    ~TradingAutomation();
    TradingAutomation(const TradingAutomation&) = delete;
    TradingAutomation& operator=(const TradingAutomation&) = delete;

    // --- State owned by the window ---------------------------------------------------------

    // Expectation flags: set by a step right after its script is handed to the page, cleared by
    // the first console message that arrives while they are set.
    bool wait_orders = false;
    bool wait_buy_price = false;
    bool wait_cell_price = false;
    bool wait_html = false;
    // Result of the last fake control.
    bool fake_found = false;
    // Position in LstCurr of the currency the next change selects.
    int curr_index = 0;
    // The ten trading timers, their handlers wired to this object. The settings set their
    // intervals.
    TradingTimers timers;

    // --- Script channel ---------------------------------------------------------------------

    // Runs a script text in the main frame of the page; asynchronous, no result.
    void run_page_script(const QString& code);
    // Called with every script handed to the page, after it was handed over (the headless
    // practice run watches for the confirming purchase click).
    std::function<void(const QString& code)> on_script_sent;
    // One console message of the page, on the window thread, one at a time in arrival order.
    void Chromium1ConsoleMessage(const QString& message);
    // Page source or text delivered for the context menu's commands: discarded.
    void Chromium1TextResultAvailable(const QString& aText);
    // Page HTML capture into a file chosen by the user.
    void btn2Click();
    // Debugging script: the text of e_script, unchanged.
    void BitBtn1Click();

    // --- Price check and purchase decision ---------------------------------------------------

    void btn_buy_priceClick();   // order count, then Timer_ff2 reads the buy-side price
    void btn_cell_priceClick();  // order count, then Timer_ff1 reads the sell-side price

    // --- Trading cycle -----------------------------------------------------------------------

    void btn_startClick();
    void btn_searchClick();
    void btn_cell_price2Click();
    void btn_buy_price2Click();
    void btn_switcherClick();
    void btn_click_buyClick();
    void btn_click_allClick();
    void btn_buy_ethClick();
    void SpeedButton1Click();  // stop

    void Timer_startTimer();
    void timer_cell_priceTimer();
    void Timer_ff1Timer();
    void Timer_buy_priceTimer();
    void Timer_ff2Timer();
    void Timer_switcherTimer();
    void Timer_buyTimer();
    void Timer_click_allTimer();
    void Timer_buy_ethTimer();

    // --- Currency rotation -------------------------------------------------------------------

    // Rebuilds LstCurr from the ticked entries of chklst1; curr_index is left alone.
    void ToCurrList();
    void chklst1ClickCheck();
    void Btn_sw_currClick();
    void Timer_curr_switcherTimer();

    // --- Protocol ----------------------------------------------------------------------------

    void writelog(const QString& text) { protocol_.writelog(text); }
    Protocol& protocol() { return protocol_; }

private:
    // Consumers of the console routing.
    void fake_control(const QString& answer);
    void buy_price_check(const QString& answer);
    void start_purchase(const QString& sell_digits, const QString& buy_digits, const QString& threshold_digits);
    void play_sound();
    // One currency change; raises HandlerError when curr_index is outside LstCurr.
    void change_currency();
    void save_captured_html(const QString& path);
    void wire_timers();

    Page& page_;
    const TradingControls ui_;
    Dialogs& dialogs_;
    std::function<void()> press_GoBtn_;
    std::function<void()> beep_;
    Protocol protocol_;
};

}  // namespace rx42
