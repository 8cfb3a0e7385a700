// The work tab " Работа": the trading tool bar, the browser panel, the developer-tools panel and
// the two status bars.

#include "main_window_ui.h"

#include "main_window/dock_splitter.h"
#include "main_window/main_window_ui_builders.h"
#include "main_window/panel_status_bar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace rx42 {

namespace {

constexpr int tool_bar_height = 84;
constexpr int button_group_height = 31;
const QList<int> status_panel_widths = {100, 500, 100, 100};

// A raised panel of the tool bar.
QFrame* raised_panel(QWidget* parent, const char* name)
{
    QFrame* frame = ui::panel(parent, name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}

}  // namespace

void MainWindowUi::setup_work_tab()
{
    using namespace ui;

    pnl1 = raised_panel(TabSheet1, "pnl1");
    pnl1->setFixedHeight(tool_bar_height);

    btn_start = bit_button(pnl1, "btn_start", {}, QStringLiteral("Входим на сайт"), QStyle::SP_MediaPlay);

    GroupBox2 = group_box(pnl1, "GroupBox2", {});
    chbx_auto = check_box(GroupBox2, "chbx_auto", QStringLiteral("автомат"));
    btn_search = speed_button(GroupBox2, "btn_search", QStringLiteral("Старт поиска цены"), QStyle::SP_FileDialogContentsView);
    btn_cell_price = speed_button(GroupBox2, "btn_cell_price", QStringLiteral("Фейк - контроль"), QStyle::SP_MessageBoxQuestion);
    btn_cell_price2 = speed_button(GroupBox2, "btn_cell_price2", QStringLiteral("Поиск цены продажи"), QStyle::SP_ArrowUp);
    e_cell_price = edit_box(GroupBox2, "e_cell_price");
    btn_buy_price = speed_button(GroupBox2, "btn_buy_price", QStringLiteral("Фейк - контроль"), QStyle::SP_MessageBoxQuestion);
    btn_buy_price2 = speed_button(GroupBox2, "btn_buy_price2", QStringLiteral("Поиск цены покупки "), QStyle::SP_ArrowDown);
    e_buy_price = edit_box(GroupBox2, "e_buy_price");
    btn_switcher = bit_button(GroupBox2, "btn_switcher", {}, QStringLiteral("Переключатель Купить/Продать"), QStyle::SP_BrowserReload);
    Btn_sw_curr = bit_button(GroupBox2, "Btn_sw_curr", {}, QStringLiteral("Переключатель Валют"), QStyle::SP_ArrowRight);
    e_porog = edit_box(GroupBox2, "e_porog", QStringLiteral("Порог покупки "));
    btn_click_buy = speed_button(GroupBox2, "btn_click_buy", QStringLiteral("Нажали Купить"), QStyle::SP_DialogYesButton);
    btn_click_all = bit_button(GroupBox2, "btn_click_all", {}, QStringLiteral("Кнопка \"Все\""), QStyle::SP_DialogApplyButton);
    btn_buy_eth = bit_button(GroupBox2, "btn_buy_eth", {}, QStringLiteral("Купить валюту"), QStyle::SP_DialogOkButton);
    for (QLineEdit* price : {e_cell_price, e_buy_price, e_porog})
        price->setFixedWidth(80);

    auto* group = new QHBoxLayout(GroupBox2);
    group->setContentsMargins(4, 2, 4, 2);
    group->setSpacing(3);
    for (QWidget* w : std::initializer_list<QWidget*>{
             chbx_auto, btn_search, btn_cell_price, btn_cell_price2, e_cell_price, btn_buy_price, btn_buy_price2,
             e_buy_price, btn_switcher, Btn_sw_curr, e_porog, btn_click_buy, btn_click_all, btn_buy_eth})
        group->addWidget(w);

    pnl2 = raised_panel(pnl1, "pnl2");
    pnl2->setFixedHeight(button_group_height);
    btn2 = speed_button(pnl2, "btn2", QStringLiteral("Сохранить страницу в файл "), QStyle::SP_FileIcon);
    SpeedButton1 = speed_button(pnl2, "SpeedButton1", QStringLiteral("Остановить цикл"), QStyle::SP_MediaStop);
    btn4 = speed_button(pnl2, "btn4", QStringLiteral("Сохранить настройки"), QStyle::SP_DialogSaveButton);
    btn5 = speed_button(pnl2, "btn5", {}, QStyle::SP_DialogCloseButton);
    auto* buttons = new QHBoxLayout(pnl2);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(1);
    for (QWidget* w : {btn2, SpeedButton1, btn4, btn5})
        buttons->addWidget(w);
    // Outside the group's layout and below its visible area.
    btn_size = speed_button(pnl2, "btn_size", QStringLiteral("Оптимизировать размеры"), QStyle::SP_TitleBarNormalButton);
    btn_size->move(2, button_group_height + 2);

    chbx_autobuy = check_box(pnl1, "chbx_autobuy", QStringLiteral("автопокупка"));

    Label4 = caption_label(pnl1, "Label4", QStringLiteral("___"));
    QFont large(QStringLiteral("Tahoma"));
    large.setPointSize(16);
    large.setBold(true);
    Label4->setFont(large);
    Label4->setMinimumWidth(80);

    e_message = edit_box(pnl1, "e_message");

    auto* row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(btn_start);
    row->addWidget(GroupBox2);
    row->addWidget(pnl2);
    row->addWidget(chbx_autobuy);
    row->addSpacing(12);
    row->addWidget(Label4);
    row->addStretch(1);
    auto* bar = new QVBoxLayout(pnl1);
    bar->setContentsMargins(4, 4, 4, 4);
    bar->addLayout(row);
    bar->addWidget(e_message);

    // Not in a layout: FormResize places the browser panel.
    CEFWindowParent1 = new QWidget(TabSheet1);
    CEFWindowParent1->setObjectName(QStringLiteral("CEFWindowParent1"));

    DevTools = new QWidget(TabSheet1);
    DevTools->setObjectName(QStringLiteral("DevTools"));
    DevTools->setFixedWidth(0);
    DevTools->hide();
    Splitter1 = new DockSplitter(DevTools, TabSheet1);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setFixedWidth(5);
    Splitter1->hide();

    StatusBar1 = new PanelStatusBar(status_panel_widths, TabSheet1);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar2 = new PanelStatusBar(status_panel_widths, TabSheet1);
    StatusBar2->setObjectName(QStringLiteral("StatusBar2"));

    auto* dock_right = new QHBoxLayout;
    dock_right->setSpacing(0);
    dock_right->addStretch(1);
    dock_right->addWidget(Splitter1);
    dock_right->addWidget(DevTools);

    auto* tab = new QVBoxLayout(TabSheet1);
    tab->setContentsMargins(0, 0, 0, 0);
    tab->setSpacing(0);
    tab->addWidget(pnl1);
    tab->addLayout(dock_right, 1);
    tab->addWidget(StatusBar1);
    tab->addWidget(StatusBar2);

    // The developer tools are drawn over the browser panel where the two meet.
    Splitter1->raise();
    DevTools->raise();
}

}  // namespace rx42
