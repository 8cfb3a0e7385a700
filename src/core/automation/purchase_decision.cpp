// The price check and purchase decision: the order-count requests, the fake control and the
// buy-side check that may start the purchase chain.

#include "trading_automation.h"

#include "automation/page_scripts.h"
#include "automation/price_check.h"
#include "common/int_text.h"

#include <optional>

namespace rx42 {

void TradingAutomation::btn_buy_priceClick()
{
    run_page_script(page_scripts::order_count_script());
    wait_orders = true;
    timers.Timer_ff2.enable();
}

void TradingAutomation::btn_cell_priceClick()
{
    run_page_script(page_scripts::order_count_script());
    wait_orders = true;
    timers.Timer_ff1.enable();
}

void TradingAutomation::fake_control(const QString& answer)
{
    const QString count_text = trim_blanks(answer);
    const int count = order_count_of(count_text);
    fake_found = in_fake_band(count, ui_.se_fake1->value(), ui_.se_fake2->value());
    writelog(QStringLiteral("Фейк-контроль - ") + count_text);
}

void TradingAutomation::buy_price_check(const QString& answer)
{
    ui_.e_buy_price->set_text(answer);

    const QString porog = trim_blanks(ui_.e_porog->text());
    if (porog.isEmpty())
        return;
    const QString buy_text = trim_blanks(ui_.e_buy_price->text());
    if (buy_text.isEmpty())
        return;
    const QString sell_text = trim_blanks(ui_.e_cell_price->text());
    if (sell_text.isEmpty())
        return;

    const QString buy_digits = tomycurr(buy_text);
    const QString sell_digits = tomycurr(sell_text);
    const QString threshold_digits = tomycurr(porog);

    // A text that is no whole number: no comparison, no purchase. The cycle runs unattended,
    // so the reason goes to the protocol rather than into a message box that would stall it.
    const auto unreadable = [this](const QString& name, const QString& shown) {
        writelog(QStringLiteral("Проверка цен невозможна - не число: ") + name + u'=' + shown);
    };
    const std::optional<int> buy = parse_int(buy_digits);
    if (!buy)
        return unreadable(QStringLiteral("покупка"), buy_text);
    const std::optional<int> sell = parse_int(sell_digits);
    if (!sell)
        return unreadable(QStringLiteral("продажа"), sell_text);
    const std::optional<int> threshold = parse_int(threshold_digits);
    if (!threshold)
        return unreadable(QStringLiteral("порог"), porog);

    writelog(QStringLiteral("Проверяем цены - продажа=") + sell_text + QStringLiteral(" покупка=") + buy_text);

    if (spread_exceeds(*sell, *buy, *threshold) && !fake_found)
        start_purchase(sell_digits, buy_digits, threshold_digits);
}

void TradingAutomation::start_purchase(const QString& sell_digits, const QString& buy_digits,
                                       const QString& threshold_digits)
{
    timers.Timer_switcher.disable();
    timers.timer_cell_price.disable();
    timers.Timer_buy.enable();
    writelog(sell_digits + u'-' + buy_digits + u'>' + threshold_digits + QStringLiteral(",запускаем покупку! "));
    if (ui_.chbx_sound->checked())
        play_sound();
}

void TradingAutomation::play_sound()
{
    if (!beep_)
        return;
    try {
        beep_();
    } catch (...) {
        // A machine without working sound trades on silently.
    }
}

}  // namespace rx42
