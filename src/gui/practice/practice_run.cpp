#include "practice/practice_run.h"

#include "automation/page_scripts.h"
#include "main_window/velko_browser_frm.h"

#include <QPushButton>
#include <QToolButton>
#include <QCheckBox>
#include <QComboBox>
#include <QTimer>

#include <cstdio>

namespace rx42 {

const char* const kPracticeDefaultUrl =
    "qrc:/practice/p2p.html?sell_ETH=250,900.00&buy_ETH=250,880.00&orders_sell_ETH=140&orders_buy_ETH=212"
    "&drift_sell=300&drift_ms=1000";

namespace {

void print_line(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

}  // namespace

std::optional<PracticeOptions> take_practice_options(QStringList& arguments, QString& error)
{
    std::optional<PracticeOptions> options;
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("--practice")) {
            if (!options)
                options.emplace();
            // An address may follow; the next option may not be taken for one.
            if (i + 1 < arguments.size() && !arguments.at(i + 1).startsWith(QLatin1String("--")))
                options->url = arguments.at(++i);
        } else if (argument == QLatin1String("--practice-timeout")) {
            bool ok = false;
            const int seconds = i + 1 < arguments.size() ? arguments.at(i + 1).toInt(&ok) : 0;
            if (!ok || seconds <= 0) {
                error = QStringLiteral("--practice-timeout needs a number of seconds above 0");
                return std::nullopt;
            }
            ++i;
            if (!options)
                options.emplace();
            options->timeout_seconds = seconds;
        } else {
            rest.append(argument);
        }
    }
    if (options && options->url.isEmpty())
        options->url = QString::fromUtf8(kPracticeDefaultUrl);
    arguments = rest;
    return options;
}

void ConsoleDialogs::message_box(const QString& text)
{
    print_line(stderr, text);
}

PracticeRun::PracticeRun(TVelkoBrowserFrm& form, PracticeOptions options)
    : QObject(&form)
    , form_(&form)
    , options_(std::move(options))
{
}

void PracticeRun::start()
{
    TradingAutomation* robot = form_->automation.get();
    if (!robot) {
        finish(1, QStringLiteral("the trading robot is not there"));
        return;
    }
    robot->protocol().set_line_listener([](const QString& line) { print_line(stdout, line); });
    const QString confirm = page_scripts::confirm_purchase_click_script();
    robot->on_script_sent = [this, confirm](const QString& code) {
        if (code == confirm)
            // Give the click a moment to reach the page before the browser closes.
            QTimer::singleShot(1000, this, [this]() { finish(0, QStringLiteral("the confirming purchase click was sent")); });
    };
    QTimer::singleShot(options_.timeout_seconds * 1000, this, [this]() {
        finish(1, QStringLiteral("no purchase within %1 s").arg(options_.timeout_seconds));
    });
    wait_for_browser();
}

void PracticeRun::wait_for_browser()
{
    if (finished_ || !form_)
        return;
    if (form_->Chromium1.initialized())
        press_start();
    else
        QTimer::singleShot(100, this, [this]() { wait_for_browser(); });
}

void PracticeRun::press_start()
{
    MainWindowUi& ui = form_->ui;
    ui.cbbURLCbx->setEditText(options_.url);
    ui.chbx_auto->setChecked(true);
    ui.chbx_autobuy->setChecked(true);
    ui.btn_start->click();
    // Search once the start delay is over, as a user waits for the buttons to unlock.
    const int start_delay = form_->automation->timers.Timer_start.interval();
    QTimer::singleShot(start_delay, this, [this]() {
        if (!finished_ && form_)
            form_->ui.btn_search->click();
    });
}

void PracticeRun::finish(int status, const QString& why)
{
    if (finished_)
        return;
    finished_ = true;
    exit_status_ = status;
    if (!why.isEmpty())
        print_line(stderr, QStringLiteral("practice run: ") + why);
    if (form_)
        form_->close();
}

}  // namespace rx42
