// The options tab "Опции": address bar, settings, protocol and the debugging script.

#include "main_window_ui.h"

#include "main_window/check_list_box.h"
#include "main_window/log_memo.h"
#include "main_window/main_window_ui_builders.h"
#include "main_window/spin_edit.h"
#include "main_window/text_buffer_memo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace rx42 {

namespace {

QPushButton* symbol_button(QWidget* parent, const char* name, const QString& caption, const QFont& font)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setFont(font);
    button->setAutoDefault(false);
    button->setFixedSize(32, 28);
    return button;
}

}  // namespace

void MainWindowUi::setup_options_tab()
{
    using namespace ui;

    // Address bar.
    QFont webdings(QStringLiteral("Webdings"));
    webdings.setPixelSize(19);
    QFont arial_bold(QStringLiteral("Arial"));
    arial_bold.setPixelSize(17);
    arial_bold.setBold(true);
    QFont address_font(QStringLiteral("Tahoma"));
    address_font.setPixelSize(13);
    address_font.setBold(true);

    pnlNavButtonPnl = panel(TabSheet2, "pnlNavButtonPnl");
    BackBtn = symbol_button(pnlNavButtonPnl, "BackBtn", QStringLiteral("3"), webdings);
    ForwardBtn = symbol_button(pnlNavButtonPnl, "ForwardBtn", QStringLiteral("4"), webdings);
    ReloadBtn = symbol_button(pnlNavButtonPnl, "ReloadBtn", QStringLiteral("q"), webdings);
    StopBtn = symbol_button(pnlNavButtonPnl, "StopBtn", QStringLiteral("="), webdings);
    auto* nav = new QHBoxLayout(pnlNavButtonPnl);
    nav->setContentsMargins(0, 0, 0, 0);
    nav->setSpacing(2);
    for (QWidget* w : {BackBtn, ForwardBtn, ReloadBtn, StopBtn})
        nav->addWidget(w);

    pnlURLEditPnl = panel(TabSheet2, "pnlURLEditPnl");
    cbbURLCbx = new QComboBox(pnlURLEditPnl);
    cbbURLCbx->setObjectName(QStringLiteral("cbbURLCbx"));
    cbbURLCbx->setEditable(true);
    cbbURLCbx->setInsertPolicy(QComboBox::NoInsert);  // the list is never added to
    cbbURLCbx->setFont(address_font);
    cbbURLCbx->addItem(QString::fromUtf8(default_p2p_address));
    cbbURLCbx->setEditText(QString::fromUtf8(default_p2p_address));
    cbbURLCbx->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    GoBtn = symbol_button(pnlURLEditPnl, "GoBtn", QStringLiteral(">"), arial_bold);
    ConfigBtn = symbol_button(pnlURLEditPnl, "ConfigBtn", QStringLiteral("?"), arial_bold);
    auto* address = new QHBoxLayout(pnlURLEditPnl);
    address->setContentsMargins(0, 0, 0, 0);
    address->setSpacing(2);
    address->addWidget(cbbURLCbx, 1);
    address->addWidget(GoBtn);
    address->addWidget(ConfigBtn);

    auto* address_bar = new QHBoxLayout;
    address_bar->addWidget(pnlNavButtonPnl);
    address_bar->addWidget(pnlURLEditPnl, 1);

    // Settings.
    grp2 = group_box(TabSheet2, "grp2", QStringLiteral("Настройки"));
    grp_timers = group_box(grp2, "grp_timers", QStringLiteral("Таймеры (ms)"));
    struct Delay {
        SpinEdit** spin;
        const char* name;
        int value, minimum, maximum;
        QString label, hint;
    };
    const Delay delays[] = {
        {&se_start, "se_start", 4000, 50, 10000000, QStringLiteral("Старт"),
         QStringLiteral("Задержка разблокировки кнопок управления ")},
        {&se_cell_price, "se_cell_price", 5369, 50, 10000000, QStringLiteral("Задержка перед чтением цены продажи"),
         QStringLiteral("Задержка перед чтением цены продажи")},
        {&se_buy_price, "se_buy_price", 5467, 50, 10000000, QStringLiteral("Задержка перед чтением цены покупки"),
         QStringLiteral("Задержка перед чтением  цены закупки")},
        {&se_switcher, "se_switcher", 2000, 50, 10000000, QStringLiteral("Переключатель операций"),
         QStringLiteral("Задержка перед сменой покупка/продажа")},
        {&se_buy, "se_buy", 2000, 40, 100000, QStringLiteral("Задержка  кнопки \"Купить\""),
         QStringLiteral("Задержка перед нажатием кнопки \"Купить\"")},
        {&se_buy_all, "se_buy_all", 2000, 40, 100000, QStringLiteral("Задержка перед нажатием кнопки \"Все\""),
         QStringLiteral("Задержка перед нажатием кнопки \"Все\"")},
        {&se_buy_eth, "se_buy_eth", 3000, 40, 100000, QStringLiteral("Задержка  кнопки \"Купить валюту\""),
         QStringLiteral("Задержка перед нажатием кнопки \"Купить валюту\"")},
        {&se_curr_switcher, "se_curr_switcher", 8000, 40, 100000, QStringLiteral("Переключатель валют"),
         QStringLiteral("Интервал переключателя валют, задается в пропорции к переключателю операции")},
    };
    auto* timers = new QGridLayout(grp_timers);
    timers->setVerticalSpacing(3);
    int line = 0;
    for (const Delay& d : delays) {
        *d.spin = spin_edit(grp_timers, d.name, d.value, d.minimum, d.maximum, d.hint);
        const QByteArray label_name = QByteArray("lbl_") + d.name;
        timers->addWidget(caption_label(grp_timers, label_name.constData(), d.label, *d.spin), line, 0);
        timers->addWidget(*d.spin, line, 1);
        ++line;
    }
    timers->setRowStretch(line, 1);

    chklst1 = new CheckListBox(grp2);
    chklst1->setObjectName(QStringLiteral("chklst1"));
    chklst1->setToolTip(QStringLiteral("Контроируемые роботом валюты"));
    chklst1->add_items({QStringLiteral("ETH"), QStringLiteral("BNB"), QStringLiteral("BUSD"), QStringLiteral("BTC"),
                        QStringLiteral("USDT")});
    LstCurr = new QListWidget(grp2);
    LstCurr->setObjectName(QStringLiteral("LstCurr"));
    for (QListWidget* list : {static_cast<QListWidget*>(chklst1), LstCurr})
        list->setFixedSize(80, 96);
    QLabel* currencies = caption_label(grp2, "lbl_chklst1", QStringLiteral("Валюты"), chklst1);

    se_fake1 = spin_edit(grp2, "se_fake1", 20, 1, 100000);
    se_fake2 = spin_edit(grp2, "se_fake2", 30, 1, 100000);
    se_fake1->setFixedWidth(80);
    se_fake2->setFixedWidth(80);
    QLabel* fake = caption_label(grp2, "lbl_se_fake", QStringLiteral("Фейк - контроль"), se_fake1);

    chbx_sound = check_box(grp2, "chbx_sound", QStringLiteral("сигнал"));
    btn1 = bit_button(grp2, "btn1", QStringLiteral("Записать"), {}, QStyle::SP_DialogSaveButton);
    SpeedButton11 = speed_button(grp2, "SpeedButton11", QStringLiteral("Мануал"), QStyle::SP_DialogHelpButton);

    auto* lists = new QHBoxLayout;
    lists->addWidget(chklst1);
    lists->addWidget(LstCurr);
    lists->addStretch(1);
    auto* bounds = new QHBoxLayout;
    bounds->addWidget(se_fake1);
    bounds->addWidget(se_fake2);
    bounds->addStretch(1);
    auto* save = new QHBoxLayout;
    save->addWidget(btn1);
    save->addWidget(SpeedButton11);
    save->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(currencies);
    right->addLayout(lists);
    right->addWidget(fake);
    right->addLayout(bounds);
    right->addWidget(chbx_sound);
    right->addStretch(1);
    right->addLayout(save);
    auto* settings = new QHBoxLayout(grp2);
    settings->addWidget(grp_timers);
    settings->addLayout(right);

    // Debugging script.
    GroupBox3 = group_box(TabSheet2, "GroupBox3", {});
    e_script = edit_box(GroupBox3, "e_script");
    BitBtn1 = bit_button(GroupBox3, "BitBtn1", QStringLiteral("Для отладки"), QStringLiteral("Отладка"));
    auto* debug = new QHBoxLayout(GroupBox3);
    debug->addWidget(e_script, 1);
    debug->addWidget(BitBtn1);

    SpeedButton6 = speed_button(TabSheet2, "SpeedButton6", {}, QStyle::SP_CustomBase, QStringLiteral("Save options"));

    // Protocol.
    grp3 = group_box(TabSheet2, "grp3", QStringLiteral("Протокол"));
    chbx_prot = check_box(grp3, "chbx_prot", QStringLiteral("Вести протокол"));
    mmo_log = new LogMemo(grp3);
    mmo_log->setObjectName(QStringLiteral("mmo_log"));
    btn_save_log = bit_button(grp3, "btn_save_log", QStringLiteral("Сохранить протокол в файл"), {});
    auto* protocol = new QVBoxLayout(grp3);
    protocol->addWidget(chbx_prot);
    protocol->addWidget(mmo_log, 1);
    protocol->addWidget(btn_save_log, 0, Qt::AlignLeft);

    // Hidden buffer of the captured page HTML.
    Memo_html = new TextBufferMemo(TabSheet2);
    Memo_html->setObjectName(QStringLiteral("Memo_html"));
    Memo_html->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_html->hide();

    auto* left = new QVBoxLayout;
    left->addWidget(grp2);
    left->addWidget(GroupBox3);
    left->addWidget(SpeedButton6, 0, Qt::AlignLeft);
    left->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addWidget(grp3, 1);
    auto* tab = new QVBoxLayout(TabSheet2);
    tab->addLayout(address_bar);
    tab->addLayout(body, 1);
}

}  // namespace rx42
