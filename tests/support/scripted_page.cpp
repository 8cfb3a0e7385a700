#include "scripted_page.h"

#include "automation/page_scripts.h"

namespace rx42::testing {

namespace ps = page_scripts;

ScriptedPage::ScriptedPage(Scheduler& scheduler, qint64 latency_ms)
    : scheduler_(scheduler)
    , latency_ms_(latency_ms)
{
}

QString ScriptedPage::key(const QString& currency, View view)
{
    return currency + (view == View::Sell ? QStringLiteral("/sell") : QStringLiteral("/buy"));
}

void ScriptedPage::set_price(const QString& currency, View view, const QString& text)
{
    prices_.insert(key(currency, view), text);
}

void ScriptedPage::set_order_count(const QString& currency, View view, const QString& text)
{
    order_counts_.insert(key(currency, view), text);
}

void ScriptedPage::emit_noise(const QString& message, qint64 delay_ms)
{
    scheduler_.call_after(delay_ms, [this, message] { answer(message); });
}

QStringList ScriptedPage::received_names() const
{
    QStringList names;
    for (const Received& r : received_)
        names.append(r.name);
    return names;
}

void ScriptedPage::clear_log()
{
    received_.clear();
    clicks_.clear();
}

QString ScriptedPage::name_of(const QString& code) const
{
    if (code == ps::order_count_script())
        return QStringLiteral("order count");
    if (code == ps::price_script())
        return QStringLiteral("price");
    if (code == ps::page_html_script())
        return QStringLiteral("html");
    if (code == ps::offer_buy_click_script())
        return QStringLiteral("offer buy");
    if (code == ps::all_amount_click_script())
        return QStringLiteral("all amount");
    if (code == ps::confirm_purchase_click_script())
        return QStringLiteral("confirm");
    if (code == ps::view_switch_script())
        return QStringLiteral("view switch");
    for (const QString& c : currencies_) {
        if (code == ps::currency_tab_script(c))
            return QStringLiteral("currency ") + c;
    }
    if (custom_answers_.contains(code))
        return QStringLiteral("custom");
    return QStringLiteral("unknown");
}

void ScriptedPage::execute_in_main_frame(const QString& code)
{
    const QString name = name_of(code);
    received_.append({scheduler_.now_ms(), name});
    // The script runs later, in the page.
    scheduler_.call_after(latency_ms_, [this, name, code] { run(name, code); });
}

void ScriptedPage::run(const QString& name, const QString& code)
{
    const QString here = key(currency_, view_);
    if (name == QLatin1String("order count")) {
        answer(order_counts_.contains(here) ? std::optional<QString>(order_counts_.value(here)) : std::nullopt);
    } else if (name == QLatin1String("price")) {
        answer(prices_.contains(here) ? std::optional<QString>(prices_.value(here)) : std::nullopt);
    } else if (name == QLatin1String("html")) {
        answer(html_);
    } else if (name == QLatin1String("view switch")) {
        view_ = view_ == View::Sell ? View::Buy : View::Sell;
        clicks_.append(name);
    } else if (name.startsWith(QLatin1String("currency "))) {
        currency_ = name.mid(9);
        clicks_.append(name);
    } else if (name == QLatin1String("offer buy") || name == QLatin1String("all amount")
               || name == QLatin1String("confirm")) {
        clicks_.append(name);
    } else if (name == QLatin1String("custom")) {
        answer(custom_answers_.value(code));
    }
}

void ScriptedPage::answer(const std::optional<QString>& text)
{
    if (text && on_console_message)
        on_console_message(*text);
}

}  // namespace rx42::testing
