#include "main_window/trading_bindings.h"

#include "common/handler_guard.h"
#include "main_window/check_list_box.h"
#include "main_window/velko_browser_frm.h"
#include "main_window/widget_controls.h"
#include "os.h"
#include "settings/settings_file.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QToolButton>

namespace rx42 {

namespace {

// A click runs the handler through the application error handler, like every event.
template <typename Handler>
void on_click(QAbstractButton* button, QObject* context, Handler handler)
{
    QObject::connect(button, &QAbstractButton::clicked, context, [handler]() { run_handler(handler); });
}

}  // namespace

void bind_trading_and_read_settings(TVelkoBrowserFrm& form)
{
    MainWindowUi& ui = form.ui;
    TradingControls controls = bind_trading_controls(ui);
    form.automation = std::make_unique<TradingAutomation>(
        form.scheduler(), form.page(), controls, form.dialogs(),
        // btn_start presses the go button from code, exactly as a click would.
        [&form]() { form.GoBtnClick(); },
        // The system's exclamation sound; a machine without sound stays silent.
        []() { QApplication::beep(); });
    TradingAutomation* robot = form.automation.get();

    on_click(ui.btn_start, &form, [robot]() { robot->btn_startClick(); });
    on_click(ui.btn_search, &form, [robot]() { robot->btn_searchClick(); });
    on_click(ui.btn_cell_price, &form, [robot]() { robot->btn_cell_priceClick(); });
    on_click(ui.btn_cell_price2, &form, [robot]() { robot->btn_cell_price2Click(); });
    on_click(ui.btn_buy_price, &form, [robot]() { robot->btn_buy_priceClick(); });
    on_click(ui.btn_buy_price2, &form, [robot]() { robot->btn_buy_price2Click(); });
    on_click(ui.btn_switcher, &form, [robot]() { robot->btn_switcherClick(); });
    on_click(ui.Btn_sw_curr, &form, [robot]() { robot->Btn_sw_currClick(); });
    on_click(ui.btn_click_buy, &form, [robot]() { robot->btn_click_buyClick(); });
    on_click(ui.btn_click_all, &form, [robot]() { robot->btn_click_allClick(); });
    on_click(ui.btn_buy_eth, &form, [robot]() { robot->btn_buy_ethClick(); });
    on_click(ui.SpeedButton1, &form, [robot]() { robot->SpeedButton1Click(); });
    on_click(ui.btn2, &form, [robot]() { robot->btn2Click(); });
    on_click(ui.BitBtn1, &form, [robot]() { robot->BitBtn1Click(); });
    QObject::connect(ui.chklst1, &CheckListBox::clickCheck, &form,
                     [robot](int) { run_handler([robot]() { robot->chklst1ClickCheck(); }); });

    form.on_console_message = [robot](const QString& message) { robot->Chromium1ConsoleMessage(message); };
    form.on_text_result_available = [robot](const QString& aText) { robot->Chromium1TextResultAvailable(aText); };

    // Settings: one short-lived file object per read and write, the file beside the executable.
    const SettingsFile settings(settings_path_for_executable(os::executable_path()));
    auto to_curr_list = [robot]() { robot->ToCurrList(); };
    on_click(ui.btn1, &form, [settings, &form, controls, robot, to_curr_list]() mutable {
        save_settings(settings, form, controls, robot->timers, to_curr_list, form.dialogs());
    });
    // btn4 presses "Записать" from code; it takes no keyboard focus, so a spin edit being typed
    // in is saved as typed.
    QObject::connect(ui.btn4, &QAbstractButton::clicked, ui.btn1, &QAbstractButton::click);
    // Quit: through the closing protocol, so the browser and its sub-processes end properly;
    // nothing is saved.
    on_click(ui.btn5, &form, [&form]() { form.close(); });

    read_window_geometry(settings, form);
    my_initial(settings, controls, robot->timers, to_curr_list);
}

}  // namespace rx42
