#pragma once

#include "automation/trading_automation.h"
#include "common/handler_guard.h"
#include "common/simulated_scheduler.h"
#include "plain_trading_controls.h"
#include "scripted_page.h"
#include "test_dialogs.h"

#include <QDateTime>
#include <QStringList>

#include <initializer_list>

namespace rx42::testing {

// The robot on simulated time, plain controls, the scripted page and test dialogs. The protocol
// is switched on and the local clock stands still, so every protocol line ends in the same stamp.
struct AutomationRig {
    SimulatedScheduler clock;
    ScriptedPage page{clock};
    PlainTradingControls ui;
    TradingControls controls = ui.controls();
    TestDialogs dialogs;
    QStringList errors;
    int go_presses = 0;
    int beeps = 0;
    QDateTime now{QDate(2021, 3, 17), QTime(9, 5, 7)};
    TradingAutomation robot{clock, page, controls, dialogs, [this] { ++go_presses; }, [this] { ++beeps; },
                            [this] { return now; }};

    static constexpr qsizetype kStampLength = 20;  // " hh:mm:ss YYYY.MM.DD"

    AutomationRig()
    {
        page.on_console_message = [this](const QString& message) { robot.Chromium1ConsoleMessage(message); };
        page.set_currencies({"ETH", "BNB", "BUSD", "BTC", "USDT"});
        page.set_currency("ETH");
        ui.chbx_prot.set_checked(true);
        set_error_presenter([this](const QString& text) { errors.append(text); });
    }
    ~AutomationRig() { set_error_presenter({}); }

    // The messages of the protocol lines written so far, without their time stamps.
    QStringList messages() const
    {
        QStringList out;
        for (const QString& line : ui.mmo_log.lines())
            out.append(line.chopped(kStampLength));
        return out;
    }

    QVector<WindowTimer*> all_timers()
    {
        TradingTimers& t = robot.timers;
        return {&t.Timer_start, &t.timer_cell_price, &t.Timer_ff1, &t.Timer_buy_price, &t.Timer_ff2,
                &t.Timer_switcher, &t.Timer_buy, &t.Timer_click_all, &t.Timer_buy_eth, &t.Timer_curr_switcher};
    }
    WindowTimer* timer(const QString& name)
    {
        for (WindowTimer* t : all_timers()) {
            if (t->name() == name)
                return t;
        }
        return nullptr;
    }
    // Names of the enabled timers, in the order of TradingTimers.
    QStringList running()
    {
        QStringList out;
        for (WindowTimer* t : all_timers()) {
            if (t->enabled())
                out.append(t->name());
        }
        return out;
    }

    // Ticks currencies as the user does and rebuilds the rotation list.
    void tick(const QStringList& codes, bool checked = true)
    {
        for (int i = 0; i < ui.chklst1.count(); ++i) {
            if (codes.contains(ui.chklst1.item(i)))
                ui.chklst1.set_checked(i, checked);
        }
        robot.chklst1ClickCheck();
    }

    // The first offer of a currency: prices and order counts of both views.
    void offer(const QString& currency, const QString& sell_price, const QString& buy_price,
               const QString& sell_count = "12", const QString& buy_count = "15")
    {
        page.set_price(currency, ScriptedPage::View::Sell, sell_price);
        page.set_price(currency, ScriptedPage::View::Buy, buy_price);
        page.set_order_count(currency, ScriptedPage::View::Sell, sell_count);
        page.set_order_count(currency, ScriptedPage::View::Buy, buy_count);
    }
};

}  // namespace rx42::testing
