// The page script channel: scripts go to the page, console output comes back and is routed by
// the expectation flags; page HTML capture and the debugging script.

#include "trading_automation.h"

#include "automation/page_scripts.h"
#include "common/atomic_file.h"
#include "common/cp1251.h"

namespace rx42 {

void TradingAutomation::run_page_script(const QString& code)
{
    page_.execute_in_main_frame(code);
    if (on_script_sent)
        on_script_sent(code);
}

void TradingAutomation::Chromium1ConsoleMessage(const QString& message)
{
    const QString text = through_cp1251(message);
    // One message serves every flag that waits for it; nothing tells whose answer it is.
    if (wait_orders) {
        wait_orders = false;
        fake_control(text);
    }
    if (wait_buy_price) {
        buy_price_check(text);
        wait_buy_price = false;
    }
    if (wait_cell_price) {
        ui_.e_cell_price->set_text(text);
        wait_cell_price = false;
    }
    if (wait_html) {
        wait_html = false;
        ui_.Memo_html->set_text(text);
    }
}

void TradingAutomation::Chromium1TextResultAvailable(const QString& aText)
{
    Q_UNUSED(aText);
}

void TradingAutomation::btn2Click()
{
    run_page_script(page_scripts::page_html_script());
    wait_html = true;
    // The shared save dialog is shown as the last use left it. The window keeps handling
    // console messages while it is open, so the answer may already be in Memo_html when the
    // user confirms.
    const QString path = dialogs_.save_file_name(Dialogs::SaveRequest{});
    if (!path.isEmpty())
        save_captured_html(path);
}

void TradingAutomation::save_captured_html(const QString& path)
{
    // A write that fails half-way leaves an existing file as it was.
    if (!write_file_atomically(path, to_cp1251(ui_.Memo_html->text())))
        dialogs_.message_box(QStringLiteral("Unable to write to %1").arg(path));
}

void TradingAutomation::BitBtn1Click()
{
    run_page_script(ui_.e_script->text());
}

}  // namespace rx42
