#pragma once

#include "automation/page.h"
#include "common/scheduler.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>

namespace rx42::testing {

// A stand-in for the P2P page. It knows the robot's scripts by their exact text (page_scripts.h),
// keeps the state they read and change, and answers like the page does: some time after a script
// was handed over, through console messages delivered on the scheduler (the test wires
// on_console_message to TradingAutomation::Chromium1ConsoleMessage). Unknown scripts do nothing,
// like a script that fails in the page.
class ScriptedPage final : public Page {
public:
    enum class View { Sell, Buy };  // the page's two offer views, toggled by the view switch

    explicit ScriptedPage(Scheduler& scheduler, qint64 latency_ms = 20);

    std::function<void(const QString& message)> on_console_message;

    // --- The page's state ---------------------------------------------------------------
    void set_latency(qint64 ms) { latency_ms_ = ms; }
    void set_view(View view) { view_ = view; }
    View view() const { return view_; }
    // Currencies that have a tab in the page; a tab click selects one of these.
    void set_currencies(const QStringList& codes) { currencies_ = codes; }
    void set_currency(const QString& code) { currency_ = code; }
    const QString& currency() const { return currency_; }
    // Texts the first offer shows for a currency and view. Without a text the element is
    // missing: the script fails and nothing answers.
    void set_price(const QString& currency, View view, const QString& text);
    void set_order_count(const QString& currency, View view, const QString& text);
    void set_html(const QString& html) { html_ = html; }
    // An answer for a script the page does not otherwise know (the debugging script).
    void set_script_answer(const QString& code, const QString& answer) { custom_answers_.insert(code, answer); }

    // Unsolicited console output of the page's own scripts, after `delay_ms`.
    void emit_noise(const QString& message, qint64 delay_ms = 0);

    // --- What the page received ---------------------------------------------------------
    struct Received {
        qint64 at_ms;  // when the script was handed over
        QString name;  // "order count", "price", "html", "offer buy", "all amount", "confirm",
                       // "view switch", "currency <code>", "unknown"
    };
    const QVector<Received>& received() const { return received_; }
    QStringList received_names() const;
    // Clicks that took effect in the page, in order (same names as above).
    const QStringList& clicks() const { return clicks_; }
    void clear_log();

    void execute_in_main_frame(const QString& code) override;

private:
    QString name_of(const QString& code) const;
    void run(const QString& name, const QString& code);
    void answer(const std::optional<QString>& text);
    static QString key(const QString& currency, View view);

    Scheduler& scheduler_;
    qint64 latency_ms_;
    View view_ = View::Sell;
    QString currency_;
    QStringList currencies_;
    QHash<QString, QString> prices_;
    QHash<QString, QString> order_counts_;
    QString html_;
    QHash<QString, QString> custom_answers_;
    QVector<Received> received_;
    QStringList clicks_;
};

}  // namespace rx42::testing
