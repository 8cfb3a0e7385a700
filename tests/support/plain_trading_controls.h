#pragma once

#include "automation/trading_controls.h"
#include "common/plain_controls.h"

namespace rx42::testing {

// The main window's trading controls as plain controls, with the values the window shows at
// creation, filled into a TradingControls.
struct PlainTradingControls {
    PlainText e_cell_price;
    PlainText e_buy_price;
    PlainText e_porog;
    PlainText e_message;
    PlainCheck chbx_auto;
    PlainCheck chbx_autobuy;
    PlainEnabled GroupBox2;
    PlainText Label4{QStringLiteral("___")};

    PlainSpin se_start{4000, 50, 10000000};
    PlainSpin se_switcher{2000, 50, 10000000};
    PlainSpin se_buy_price{5467, 50, 10000000};
    PlainSpin se_cell_price{5369, 50, 10000000};
    PlainSpin se_buy{2000, 40, 100000};
    PlainSpin se_buy_all{2000, 40, 100000};
    PlainSpin se_buy_eth{3000, 40, 100000};
    PlainSpin se_curr_switcher{8000, 40, 100000};
    PlainSpin se_fake1{20, 1, 100000};
    PlainSpin se_fake2{30, 1, 100000};
    PlainCheck chbx_sound;
    PlainCheckList chklst1{{"ETH", "BNB", "BUSD", "BTC", "USDT"}};
    PlainList LstCurr;
    PlainCheck chbx_prot;
    PlainLog mmo_log;
    PlainText Memo_html;
    PlainText e_script;

    TradingControls controls()
    {
        TradingControls c;
        c.e_cell_price = &e_cell_price;
        c.e_buy_price = &e_buy_price;
        c.e_porog = &e_porog;
        c.e_message = &e_message;
        c.chbx_auto = &chbx_auto;
        c.chbx_autobuy = &chbx_autobuy;
        c.GroupBox2 = &GroupBox2;
        c.Label4 = &Label4;
        c.se_start = &se_start;
        c.se_switcher = &se_switcher;
        c.se_buy_price = &se_buy_price;
        c.se_cell_price = &se_cell_price;
        c.se_buy = &se_buy;
        c.se_buy_all = &se_buy_all;
        c.se_buy_eth = &se_buy_eth;
        c.se_curr_switcher = &se_curr_switcher;
        c.se_fake1 = &se_fake1;
        c.se_fake2 = &se_fake2;
        c.chbx_sound = &chbx_sound;
        c.chklst1 = &chklst1;
        c.LstCurr = &LstCurr;
        c.chbx_prot = &chbx_prot;
        c.mmo_log = &mmo_log;
        c.Memo_html = &Memo_html;
        c.e_script = &e_script;
        return c;
    }
};

}  // namespace rx42::testing
