#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMainWindow;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;

namespace rx42 {

class CheckListBox;
class DockSplitter;
class LogMemo;
class PanelStatusBar;
class SpinEdit;
class TextBufferMemo;

// The widgets of the main window, one member per component, each named as the component and
// carrying that name as its objectName. setup() builds them into the form with their designed
// captions, hints, fonts and values; they carry no behaviour: the window class connects them.
//
// Kinds: bit buttons are QPushButton (they take the keyboard focus when clicked, so an edited
// spin edit is brought into its range first); speed buttons are QToolButton and never take the
// focus. Step buttons without a caption show a standard icon.
//
// Geometry the window class drives itself:
// - CEFWindowParent1 sits directly on TabSheet1 and in no layout: FormResize places it with
//   setGeometry(); setup() gives it the designed place (left 10, just below pnl1, 40 px
//   narrower than PageControl1, window height less its top less 100).
// - DevTools and Splitter1 are docked at the right of TabSheet1 in a box layout, above
//   CEFWindowParent1 in z-order: show/hide them and give DevTools its width with setFixedWidth().
struct MainWindowUi {
    QTabWidget* PageControl1 = nullptr;

    // Work tab " Работа".
    QWidget* TabSheet1 = nullptr;
    QFrame* pnl1 = nullptr;                 // trading tool bar along the top
    QPushButton* btn_start = nullptr;       // "Входим на сайт"
    QFrame* pnl2 = nullptr;                 // small button group
    QToolButton* btn2 = nullptr;            // "Сохранить страницу в файл "
    QToolButton* SpeedButton1 = nullptr;    // "Остановить цикл"
    QToolButton* btn4 = nullptr;            // "Сохранить настройки"
    QToolButton* btn5 = nullptr;            // quit, no hint
    QToolButton* btn_size = nullptr;        // "Оптимизировать размеры", below pnl2's visible area, no action
    QGroupBox* GroupBox2 = nullptr;         // price, threshold and click controls
    QCheckBox* chbx_auto = nullptr;         // "автомат"
    QToolButton* btn_search = nullptr;
    QToolButton* btn_cell_price = nullptr;
    QToolButton* btn_cell_price2 = nullptr;
    QLineEdit* e_cell_price = nullptr;
    QToolButton* btn_buy_price = nullptr;
    QToolButton* btn_buy_price2 = nullptr;
    QLineEdit* e_buy_price = nullptr;
    QPushButton* btn_switcher = nullptr;
    QPushButton* Btn_sw_curr = nullptr;
    QLineEdit* e_porog = nullptr;
    QToolButton* btn_click_buy = nullptr;
    QPushButton* btn_click_all = nullptr;
    QPushButton* btn_buy_eth = nullptr;
    QCheckBox* chbx_autobuy = nullptr;      // "автопокупка"
    QLabel* Label4 = nullptr;               // current currency, "___"
    QLineEdit* e_message = nullptr;         // latest protocol line
    QWidget* CEFWindowParent1 = nullptr;    // browser panel container
    DockSplitter* Splitter1 = nullptr;      // hidden, 5 px
    QWidget* DevTools = nullptr;            // developer-tools container, hidden, width 0
    PanelStatusBar* StatusBar1 = nullptr;   // panels 100, 500, 100, 100
    PanelStatusBar* StatusBar2 = nullptr;

    // Options tab "Опции".
    QWidget* TabSheet2 = nullptr;
    QFrame* pnlNavButtonPnl = nullptr;
    QPushButton* BackBtn = nullptr;         // "3" (Webdings)
    QPushButton* ForwardBtn = nullptr;      // "4"
    QPushButton* ReloadBtn = nullptr;       // "q"
    QPushButton* StopBtn = nullptr;         // "="
    QFrame* pnlURLEditPnl = nullptr;
    QComboBox* cbbURLCbx = nullptr;         // the P2P buy-offers address
    QPushButton* GoBtn = nullptr;           // ">"
    QPushButton* ConfigBtn = nullptr;       // "?", opens PopupMenu1

    QGroupBox* grp2 = nullptr;              // "Настройки"
    QGroupBox* grp_timers = nullptr;        // "Таймеры (ms)"
    SpinEdit* se_start = nullptr;
    SpinEdit* se_cell_price = nullptr;
    SpinEdit* se_buy_price = nullptr;
    SpinEdit* se_switcher = nullptr;
    SpinEdit* se_buy = nullptr;
    SpinEdit* se_buy_all = nullptr;
    SpinEdit* se_buy_eth = nullptr;
    SpinEdit* se_curr_switcher = nullptr;
    CheckListBox* chklst1 = nullptr;        // ETH, BNB, BUSD, BTC, USDT
    QListWidget* LstCurr = nullptr;         // rotation list
    SpinEdit* se_fake1 = nullptr;           // "Фейк - контроль" lower bound
    SpinEdit* se_fake2 = nullptr;           // upper bound
    QCheckBox* chbx_sound = nullptr;        // "сигнал"
    QPushButton* btn1 = nullptr;            // "Записать"
    QToolButton* SpeedButton11 = nullptr;   // "Мануал", no action

    QGroupBox* grp3 = nullptr;              // "Протокол"
    QCheckBox* chbx_prot = nullptr;         // "Вести протокол"
    LogMemo* mmo_log = nullptr;
    QPushButton* btn_save_log = nullptr;    // "Сохранить протокол в файл"

    QGroupBox* GroupBox3 = nullptr;         // debugging script
    QLineEdit* e_script = nullptr;
    QPushButton* BitBtn1 = nullptr;         // "Для отладки"
    QToolButton* SpeedButton6 = nullptr;    // "Save options", no action
    TextBufferMemo* Memo_html = nullptr;    // hidden buffer of the captured page HTML, no wrapping

    // Tools menu, opened by ConfigBtn.
    QMenu* PopupMenu1 = nullptr;
    QAction* DevTools1 = nullptr;
    QAction* Openfile1 = nullptr;
    QAction* OpenfilewithaDAT1 = nullptr;
    QAction* Print1 = nullptr;
    QAction* PrintinPDF1 = nullptr;
    QMenu* Zoom1 = nullptr;
    QAction* Inczoom1 = nullptr;
    QAction* Deczoom1 = nullptr;
    QAction* Resetzoom1 = nullptr;
    QAction* Preferences1 = nullptr;
    QAction* Resolvehost1 = nullptr;
    QAction* Downloadimage1 = nullptr;
    QAction* Simulatekeyboardpresses1 = nullptr;
    QAction* Flushcookies1 = nullptr;
    QAction* Memoryinfo1 = nullptr;

    // Builds every widget into the form: caption "rx42", designed place 192, 123 and size
    // 1061 x 804, font Tahoma 8 pt, the work tab active.
    void setup(QMainWindow* form);

private:
    void setup_work_tab();
    void setup_options_tab();
    void setup_tools_menu(QWidget* form);
};

// The P2P buy-offers page: ETH for roubles, every payment method.
inline constexpr char default_p2p_address[] = "https://p2p.binance.com/ru/trade/buy/ETH?fiat=RUB&payment=ALL";

}  // namespace rx42
