#include "page_scripts.h"

namespace rx42::page_scripts {

namespace {
QString joined(const char* first, const char* second = "")
{
    return QString::fromUtf8(first) + QString::fromUtf8(second);
}
}  // namespace

// The constant scripts are built once (QString copies share their data): the robot sends them
// many times a minute for days.
QString order_count_script()
{
    static const QString text = joined(kOrderCountFirst, kOrderCountLog);
    return text;
}

QString price_script()
{
    static const QString text = joined(kPriceFirst, kPriceLog);
    return text;
}

QString page_html_script()
{
    static const QString text = joined(kPageHtml);
    return text;
}

QString offer_buy_click_script()
{
    static const QString text = joined(kClickOfferBuy);
    return text;
}

QString all_amount_click_script()
{
    static const QString text = joined(kClickAllAmount);
    return text;
}

QString confirm_purchase_click_script()
{
    static const QString text = joined(kClickConfirmPurchase);
    return text;
}

QString view_switch_script()
{
    static const QString text = joined(kClickViewSwitch);
    return text;
}

QString currency_tab_script(const QString& currency_code)
{
    static const QString head = joined(kCurrencyTabHead, kCurrencyTabBeforeCode);
    static const QString tail = joined(kCurrencyTabAfterCode);
    return head + currency_code + tail;
}

}  // namespace rx42::page_scripts
