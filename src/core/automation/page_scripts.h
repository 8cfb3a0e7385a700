#pragma once

#include <QString>

namespace rx42::page_scripts {

// The scripts the robot runs in the P2P page, character for character. They hold the whole page
// contract (element ids, class names, element paths): when the exchange changes its page, these
// texts are what has to be adjusted. Scripts that answer end with console.log of the answer.

// 1. Order count of the first offer: the first space-separated word of its order-count element.
inline constexpr const char* kOrderCountFirst =
    R"js(var my_orders11=document.getElementsByClassName("main-content").item(0).children.item(4).children.item(0).children.item(1).children.item(0).children.item(0).children.item(0).children.item(0).children.item(1).children.item(0).innerText.split(" ")[0];)js";
inline constexpr const char* kOrderCountLog = R"js(console.log(my_orders11);)js";

// 2. Price of the first offer: the text of its price element (both views read the same element).
inline constexpr const char* kPriceFirst =
    R"js(var my_price = document.getElementsByClassName("main-content").item(0).children.item(4).children.item(0).children.item(1).children.item(0).children.item(0).children.item(1).children.item(0).children.item(0).children.item(0).innerText;)js";
inline constexpr const char* kPriceLog = R"js(console.log(my_price);)js";

// 3. The page's HTML: the inner HTML of the document element.
inline constexpr const char* kPageHtml = R"js(var my_html=document.documentElement.innerHTML;console.log(my_html);)js";

// 4. The first offer's buy button.
inline constexpr const char* kClickOfferBuy =
    R"js(var my_button = document.getElementsByClassName("main-content").item(0).children.item(4).children.item(0).children.item(1).children.item(0).children.item(0).children.item(4).children.item(0).children.item(0).click();)js";

// 5. The all-amount button.
inline constexpr const char* kClickAllAmount =
    R"js(document.getElementById("C2Cofferlistbuy_btn_allamount").click();document.getElementById("C2Cofferlistbuy_btn_allamount").click;)js";

// 6. The confirming purchase button: second child of the parent of the purchase form's cancel
//    button.
inline constexpr const char* kClickConfirmPurchase =
    R"js(var my_button = document.getElementById("C2CofferBuy__btn_cancel").parentElement;my_button.children.item(1).click();)js";

// 7. The buy/sell view switch.
inline constexpr const char* kClickViewSwitch =
    R"js(document.getElementsByClassName("css-yxrkwa").item(0).click;document.getElementsByClassName("css-yxrkwa").item(0).click();)js";

// 8. Currency tab: these three pieces with the currency code between the last two.
inline constexpr const char* kCurrencyTabHead =
    R"js(var my_collection=document.getElementsByClassName("css-1od8csl").item(0).getElementsByTagName("div");for(i=0;i<my_collection.length;i++){var i,my_element,my_html;my_element = my_collection[i];my_html = my_element.outerHTML;)js";
inline constexpr const char* kCurrencyTabBeforeCode = R"js(if (my_html.indexOf(")js";
inline constexpr const char* kCurrencyTabAfterCode = R"js(")>0){my_element.click();my_element.click;}})js";

// Scripts 1 to 8 as sent (9 is the debugging script, the text of e_script as typed).
QString order_count_script();
QString price_script();
QString page_html_script();
QString offer_buy_click_script();
QString all_amount_click_script();
QString confirm_purchase_click_script();
QString view_switch_script();
QString currency_tab_script(const QString& currency_code);

}  // namespace rx42::page_scripts
