// The currency rotation: the ticked currencies form the rotation list LstCurr; each change
// clicks the page's tab of the next currency and restarts the cycle on its sell side.

#include "trading_automation.h"

#include "automation/page_scripts.h"
#include "common/handler_guard.h"

namespace rx42 {

void TradingAutomation::ToCurrList()
{
    QStringList ticked;
    for (int i = 0; i < ui_.chklst1->count(); ++i) {
        if (ui_.chklst1->checked(i))
            ticked.append(ui_.chklst1->item(i));
    }
    ui_.LstCurr->set_items(ticked);
}

void TradingAutomation::chklst1ClickCheck()
{
    ToCurrList();
}

void TradingAutomation::Btn_sw_currClick()
{
    run_handler([this] { change_currency(); });
}

void TradingAutomation::change_currency()
{
    ui_.e_cell_price->set_text(QString());
    ui_.e_buy_price->set_text(QString());
    timers.Timer_buy_price.disable();
    timers.timer_cell_price.disable();
    timers.timer_cell_price.enable();  // its delay starts afresh
    writelog(QStringLiteral("Меняем тип валюты"));

    const QStringList currencies = ui_.LstCurr->items();
    if (curr_index < 0 || curr_index >= currencies.size())
        throw HandlerError(list_index_error_text(curr_index));  // the rotation ends here
    const QString& currency = currencies.at(curr_index);
    ui_.Label4->set_text(currency);
    run_page_script(page_scripts::currency_tab_script(currency));

    if (currencies.size() > 1) {
        timers.Timer_curr_switcher.enable();
        curr_index = curr_index == currencies.size() - 1 ? 0 : curr_index + 1;
    }
}

void TradingAutomation::Timer_curr_switcherTimer()
{
    ui_.e_cell_price->set_text(QString());
    ui_.e_buy_price->set_text(QString());
    timers.Timer_curr_switcher.disable();
    Btn_sw_currClick();
}

}  // namespace rx42
