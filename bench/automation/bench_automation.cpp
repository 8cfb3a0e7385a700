// Hot paths of an unattended robot: protocol lines (it runs for days, so a line must cost the same
// however many came before) and the handling of one console answer.

#include "automation/trading_automation.h"
#include "common/simulated_scheduler.h"
#include "plain_trading_controls.h"
#include "settings/protocol.h"
#include "test_dialogs.h"

#include <benchmark/benchmark.h>

using namespace rx42;
using namespace rx42::testing;

namespace {

class NullPage final : public Page {
public:
    void execute_in_main_frame(const QString&) override {}
};

const QDateTime kNow(QDate(2021, 3, 17), QTime(9, 5, 7));

// Cost of one protocol line after state.range(0) lines, with the protocol memo on.
void BM_writelog_after_lines(benchmark::State& state)
{
    PlainText e_message;
    PlainCheck chbx_prot(true);
    PlainLog mmo_log;
    Protocol protocol(e_message, chbx_prot, mmo_log, [] { return kNow; });
    for (int i = 0; i < state.range(0); ++i)
        protocol.writelog(QStringLiteral("Фейк-контроль - 12"));
    for (auto _ : state)
        protocol.writelog(QStringLiteral("Проверяем цены - продажа=96,00 покупка=95,00"));
}
BENCHMARK(BM_writelog_after_lines)->Arg(1)->Arg(100000);

// One buy-side answer through the routing and the check, ending in a purchase decision.
void BM_buy_side_answer(benchmark::State& state)
{
    SimulatedScheduler clock;
    NullPage page;
    PlainTradingControls ui;
    TestDialogs dialogs;
    TradingAutomation robot(clock, page, ui.controls(), dialogs, {}, {}, [] { return kNow; });
    ui.e_porog.set_text("0,50");
    for (auto _ : state) {
        ui.e_cell_price.set_text("96,00");
        robot.wait_buy_price = true;
        robot.Chromium1ConsoleMessage(QStringLiteral("95,00"));
    }
}
BENCHMARK(BM_buy_side_answer);

}  // namespace

BENCHMARK_MAIN();
