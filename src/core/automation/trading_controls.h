#pragma once

#include "common/controls.h"

namespace rx42 {

// The controls of the main window that the trading logic and the settings use, by their
// component names. The window fills it with adapters over its widgets; tests fill it with plain
// controls (see PlainTradingControls in tests/support).
struct TradingControls {
    // Work tab tool bar.
    TextControl* e_cell_price = nullptr;   // last sell-side price, as the page gave it
    TextControl* e_buy_price = nullptr;    // last buy-side price
    TextControl* e_porog = nullptr;        // purchase threshold
    TextControl* e_message = nullptr;      // latest protocol line
    CheckControl* chbx_auto = nullptr;     // "автомат"
    CheckControl* chbx_autobuy = nullptr;  // "автопокупка"
    EnabledControl* GroupBox2 = nullptr;   // the group of step buttons
    TextControl* Label4 = nullptr;         // current currency, "___" at start

    // Options tab.
    SpinControl* se_start = nullptr;
    SpinControl* se_switcher = nullptr;
    SpinControl* se_buy_price = nullptr;
    SpinControl* se_cell_price = nullptr;
    SpinControl* se_buy = nullptr;
    SpinControl* se_buy_all = nullptr;
    SpinControl* se_buy_eth = nullptr;
    SpinControl* se_curr_switcher = nullptr;
    SpinControl* se_fake1 = nullptr;       // fake band, lower bound
    SpinControl* se_fake2 = nullptr;       // fake band, upper bound
    CheckControl* chbx_sound = nullptr;    // "сигнал"
    CheckListControl* chklst1 = nullptr;   // currencies ETH, BNB, BUSD, BTC, USDT
    ListControl* LstCurr = nullptr;        // rotation list
    CheckControl* chbx_prot = nullptr;     // "Вести протокол"
    LogControl* mmo_log = nullptr;         // protocol memo
    TextControl* Memo_html = nullptr;      // captured page HTML
    TextControl* e_script = nullptr;       // debugging script
};

}  // namespace rx42
