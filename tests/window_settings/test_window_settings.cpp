// The settings file of the real main window on the real browser runtime, headless: the file beside
// the executable is read when the window is made and written by "Записать" and btn4 only.
//
// The file is this test executable's own: <folder of the executable>/<its name>.ini. Every case
// starts and ends without it.

#include "browser_test_main.h"
#include "check_list_clicks.h"
#include "common/handler_guard.h"
#include "main_window/check_list_box.h"
#include "main_window/spin_edit.h"
#include "main_window/trading_bindings.h"
#include "main_window/velko_browser_frm.h"
#include "settings/settings_file.h"
#include "test_dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace rx42;
using rx42::testing::TestDialogs;

namespace {

constexpr int browser_timeout_ms = 30000;
constexpr int close_timeout_ms = 15000;

QByteArray read_bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write_bytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QList<SpinEdit*> spin_edits(const MainWindowUi& ui)
{
    return {ui.se_start, ui.se_switcher, ui.se_buy_price, ui.se_cell_price, ui.se_buy,
            ui.se_buy_all, ui.se_buy_eth, ui.se_curr_switcher, ui.se_fake1, ui.se_fake2};
}

// Everything the settings file feeds, by name: geometry, spin edit texts, timer intervals,
// the threshold, the switches, the ticked currencies and the rotation list.
QMap<QString, QString> snapshot(TVelkoBrowserFrm& form)
{
    const MainWindowUi& ui = form.ui;
    QMap<QString, QString> s;
    s[QStringLiteral("left")] = QString::number(form.left());
    s[QStringLiteral("top")] = QString::number(form.top());
    s[QStringLiteral("height")] = QString::number(form.height());
    s[QStringLiteral("width")] = QString::number(form.width());
    for (const SpinEdit* spin : spin_edits(ui))
        s[spin->objectName()] = spin->text();
    const TradingTimers& t = form.automation->timers;
    for (const WindowTimer* timer : {&t.Timer_start, &t.Timer_switcher, &t.Timer_buy_price, &t.timer_cell_price,
                                     &t.Timer_buy, &t.Timer_click_all, &t.Timer_buy_eth, &t.Timer_curr_switcher})
        s[timer->name()] = QString::number(timer->interval());
    s[QStringLiteral("e_porog")] = ui.e_porog->text();
    s[QStringLiteral("chbx_sound")] = ui.chbx_sound->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    s[QStringLiteral("chbx_prot")] = ui.chbx_prot->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    QStringList ticked;
    for (int i = 0; i < ui.chklst1->count(); ++i)
        if (ui.chklst1->checked(i))
            ticked << ui.chklst1->item(i)->text();
    s[QStringLiteral("chklst1")] = ticked.join(u',');
    QStringList rotation;
    for (int i = 0; i < ui.LstCurr->count(); ++i)
        rotation << ui.LstCurr->item(i)->text();
    s[QStringLiteral("LstCurr")] = rotation.join(u',');
    return s;
}

// `base` with the "name=value" changes applied.
QMap<QString, QString> changed(QMap<QString, QString> base, const QStringList& changes)
{
    for (const QString& change : changes) {
        const qsizetype eq = change.indexOf(u'=');
        if (eq < 0 || !base.contains(change.left(eq)))
            qFatal("not a snapshot entry: %s", qPrintable(change));
        base[change.left(eq)] = change.mid(eq + 1);
    }
    return base;
}

// `s` with every trading timer at its spin edit's value, as a load of every key or a save leaves it.
QMap<QString, QString> timers_at_spin_values(QMap<QString, QString> s)
{
    const std::pair<const char*, const char*> timer_spin[] = {
        {"Timer_start", "se_start"},       {"Timer_switcher", "se_switcher"}, {"Timer_buy_price", "se_buy_price"},
        {"timer_cell_price", "se_cell_price"}, {"Timer_buy", "se_buy"},   {"Timer_click_all", "se_buy_all"},
        {"Timer_buy_eth", "se_buy_eth"},   {"Timer_curr_switcher", "se_curr_switcher"}};
    for (const auto& [timer, spin] : timer_spin)
        s[timer] = s.value(spin);
    return s;
}

QString differences(const QMap<QString, QString>& actual, const QMap<QString, QString>& expected)
{
    QStringList out;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (actual.value(it.key()) != it.value())
            out << QStringLiteral("%1: '%2', expected '%3'").arg(it.key(), actual.value(it.key()), it.value());
    return out.join(QStringLiteral("; "));
}

#define COMPARE_SNAPSHOTS(actual, expected)                                                          \
    do {                                                                                             \
        const QString diff = differences(actual, expected);                                          \
        QVERIFY2(diff.isEmpty(), qPrintable(diff));                                                  \
    } while (false)


void click_check_box(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect mark = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, mark.center());
}

// Replaces what the edit holds by `text`, typed key by key; the focus stays in the edit.
void type_into(QWidget* edit, const QString& text)
{
    edit->setFocus();
    QVERIFY(QTest::qWaitFor([&] { return edit->hasFocus(); }));
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

}  // namespace

class WindowSettingsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saved_settings_come_back_after_a_restart();
    void saving_keeps_the_rest_of_the_file();
    void broken_value_data();
    void broken_value();
    void quit_button_closes_without_saving();
    void btn4_saves_like_btn1_without_taking_the_focus_data();
    void btn4_saves_like_btn1_without_taking_the_focus();

private:
    std::unique_ptr<TVelkoBrowserFrm> make_form();
    bool show_active_with_browser(TVelkoBrowserFrm& form);

    QString path_;
    TestDialogs dialogs_;
    QMap<QString, QString> creation_;  // a window made without a settings file
};

void WindowSettingsTest::initTestCase()
{
    // The window closes through its closing protocol; the test decides when the loop ends.
    QApplication::setQuitOnLastWindowClosed(false);
    const QFileInfo exe(QCoreApplication::applicationFilePath());
    path_ = exe.dir().filePath(exe.completeBaseName() + QStringLiteral(".ini"));
    QFile::remove(path_);
    auto form = make_form();
    creation_ = snapshot(*form);
}

void WindowSettingsTest::init()
{
    QFile::remove(path_);
    QVERIFY(!QFileInfo::exists(path_));
    dialogs_.messages.clear();
    // As the program does: the application error handler shows the error in a message box.
    set_error_presenter([this](const QString& text) { dialogs_.message_box(text); });
}

void WindowSettingsTest::cleanup()
{
    set_error_presenter({});
    QFile::remove(path_);
}

std::unique_ptr<TVelkoBrowserFrm> WindowSettingsTest::make_form()
{
    TVelkoBrowserFrm::Startup startup;
    startup.bind_and_read_settings = &bind_trading_and_read_settings;
    return std::make_unique<TVelkoBrowserFrm>(*rx42::testing::test_runtime(), dialogs_, startup);
}

bool WindowSettingsTest::show_active_with_browser(TVelkoBrowserFrm& form)
{
    form.show();
    form.activateWindow();
    return QTest::qWaitForWindowActive(&form)
           && QTest::qWaitFor([&] { return form.Chromium1.initialized(); }, browser_timeout_ms);
}

// Settings changed the way the user changes them and saved with "Записать" are what a new window
// starts with; changes made after the save are lost when the window closes.
void WindowSettingsTest::saved_settings_come_back_after_a_restart()
{
    auto form = make_form();
    QVERIFY(show_active_with_browser(*form));
    MainWindowUi& ui = form->ui;
    form->set_left(211);
    form->set_top(97);
    form->set_height(700);
    form->set_width(1000);
    QCOMPARE(QRect(form->left(), form->top(), form->width(), form->height()), QRect(211, 97, 1000, 700));

    ui.PageControl1->setCurrentWidget(ui.TabSheet1);
    type_into(ui.e_porog, QStringLiteral("  150 "));
    ui.PageControl1->setCurrentWidget(ui.TabSheet2);
    // Each edit leaves the previous one, which brings its number into range: se_buy 10 becomes 40.
    const QList<std::pair<SpinEdit*, QString>> typed{
        {ui.se_start, "1500"},    {ui.se_switcher, "900"}, {ui.se_buy_price, "6100"}, {ui.se_cell_price, "6200"},
        {ui.se_buy, "10"},        {ui.se_buy_all, "450"},  {ui.se_buy_eth, "2500"},   {ui.se_curr_switcher, "9000"},
        {ui.se_fake1, "7"},       {ui.se_fake2, "70"}};
    for (const auto& [spin, text] : typed)
        type_into(spin, text);
    click_check_box(ui.chbx_sound);
    click_check_box(ui.chbx_prot);
    // BTC first: the rotation list follows the list's order, not the order of the clicks.
    QTest::mouseClick(ui.chklst1->viewport(), Qt::LeftButton, {}, check_mark_of(*ui.chklst1, 3));
    QTest::mouseClick(ui.chklst1->viewport(), Qt::LeftButton, {}, check_mark_of(*ui.chklst1, 0));

    const QMap<QString, QString> saved = changed(
        creation_, {"left=211", "top=97", "height=700", "width=1000", "se_start=1500", "se_switcher=900",
                    "se_buy_price=6100", "se_cell_price=6200", "se_buy=40", "se_buy_all=450", "se_buy_eth=2500",
                    "se_curr_switcher=9000", "se_fake1=7", "se_fake2=70", "Timer_start=1500",
                    "Timer_switcher=900", "Timer_buy_price=6100", "timer_cell_price=6200", "Timer_buy=40",
                    "Timer_click_all=450", "Timer_buy_eth=2500", "Timer_curr_switcher=9000",
                    "e_porog=150", "chbx_sound=1", "chbx_prot=1", "chklst1=ETH,BTC", "LstCurr=ETH,BTC"});
    // Before the save the timers still have their creation intervals.
    QCOMPARE(form->automation->timers.Timer_buy_eth.interval(), creation_.value("Timer_buy_eth").toInt());

    QTest::mouseClick(ui.btn1, Qt::LeftButton);
    QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("Записано!")});
    COMPARE_SNAPSHOTS(snapshot(*form), changed(saved, {"e_porog=  150 "}));
    const QByteArray file = read_bytes(path_);
    QVERIFY2(file.contains("\r\ne_porog=  150 \r\n"), file.constData());  // as typed
    QVERIFY2(file.contains("\r\ncurr_list=0|3|\r\n"), file.constData());

    // Not saved: lost when the window closes, and closing writes nothing.
    type_into(ui.se_start, QStringLiteral("3333"));
    click_check_box(ui.chbx_sound);
    QSignalSpy closed(form.get(), &TVelkoBrowserFrm::closed);
    form->close();
    QTRY_VERIFY_WITH_TIMEOUT(closed.count() == 1, close_timeout_ms);
    form.reset();
    QCOMPARE(read_bytes(path_), file);

    form = make_form();
    QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("Записано!")});
    COMPARE_SNAPSHOTS(snapshot(*form), saved);
    QVERIFY(!form->automation->timers.Timer_start.enabled());
    // The window opens where it was saved.
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(QRect(form->left(), form->top(), form->width(), form->height()), QRect(211, 97, 1000, 700));
    QCOMPARE(form->ui.PageControl1->currentWidget(), form->ui.TabSheet1);
}

// A file that other tools share: foreign sections, unknown keys, comments, blank lines, other
// spellings of our names and bytes of code page 1251 all stay as they were; only our values change.
void WindowSettingsTest::saving_keeps_the_rest_of_the_file()
{
    const QByteArray before =
        "; \xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8 rx42\r\n"  // "Настройки" in code page 1251
        "[desk]\r\n"
        "owner=\xC8\xE2\xE0\xED\r\n"
        "colour = blue \r\n"
        "\r\n"
        "[VelkoBrowserFrm]\r\n"
        "top=40\r\n"
        "left=50\r\n"
        "Height=700\r\n"
        "Width=900\r\n"
        "Maximized=0\r\n"
        "[control]\r\n"
        "; delays in ms\r\n"
        "SE_START=1200\r\n"
        "se_switcher=2000\r\n"
        "se_buy_price=5467\r\n"
        "se_cell_price=5369\r\n"
        "unknown_key=keep me ; not a comment\r\n"
        "se_buy=700\r\n"
        "se_buy_all=2000\r\n"
        "se_buy_eth=3000\r\n"
        "se_curr_switcher=8000\r\n"
        "e_porog=30\r\n"
        "sound=0\r\n"
        "curr_list=1|\r\n"
        "\r\n"
        "se_fake1=20\r\n"
        "se_fake2=30\r\n"
        "[protokol]\r\n"
        "prot=1\r\n"
        "kept=yes\r\n"
        "; last line\r\n";
    write_bytes(path_, before);
    auto form = make_form();
    QCOMPARE(dialogs_.messages, QStringList());
    COMPARE_SNAPSHOTS(snapshot(*form),
                      changed(creation_, {"left=50", "top=40", "height=700", "width=900", "se_start=1200",
                                          "Timer_start=1200", "Timer_switcher=2000", "Timer_buy_price=5467",
                                          "timer_cell_price=5369", "se_buy=700", "Timer_buy=700",
                                          "Timer_click_all=2000", "Timer_buy_eth=3000", "Timer_curr_switcher=8000",
                                          "e_porog=30", "chbx_prot=1", "chklst1=BNB", "LstCurr=BNB"}));

    form->ui.se_buy->set_value(800);
    form->ui.se_start->set_value(1300);
    form->ui.e_porog->setText(QStringLiteral(" 45"));
    form->ui.chbx_sound->setChecked(true);
    form->ui.chklst1->set_checked(4, true);
    QTest::mouseClick(form->ui.btn1, Qt::LeftButton);
    QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("Записано!")});

    QByteArray expected = before;
    expected.replace("SE_START=1200", "SE_START=1300")
        .replace("se_buy=700", "se_buy=800")
        .replace("e_porog=30", "e_porog= 45")
        .replace("sound=0", "sound=1")
        .replace("curr_list=1|", "curr_list=1|4|");
    QCOMPARE(read_bytes(path_), expected);
}

void WindowSettingsTest::broken_value_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("loaded");   // the changes to the creation values
    QTest::addColumn<QString>("broken_key");   // section/key
    QTest::addColumn<QString>("saved_value");  // what the next save writes in its place
    QTest::addColumn<QStringList>("after_save");

    // Keys read after the broken one keep their creation values; ToCurrList does not run.
    const QByteArray rest = "se_start=1111\r\ne_porog=77\r\nsound=1\r\ncurr_list=0|\r\nse_fake1=5\r\nse_fake2=9\r\n";
    QTest::newRow("spin edit") << "[protokol]\r\nprot=1\r\n[control]\r\nse_curr_switcher=1000\r\nse_buy_eth=2500x\r\n" + rest
                               << "'2500x' is not a valid integer value"
                               << QStringList{"chbx_prot=1", "se_curr_switcher=1000", "Timer_curr_switcher=1000"}
                               << "control/se_buy_eth" << "3000" << QStringList{};
    // ETH is ticked before the error; the save's ToCurrList puts it in the rotation list.
    QTest::newRow("currency outside the list") << QByteArray("[control]\r\ncurr_list=0|7|\r\nse_fake1=5\r\n")
                                               << "List index out of bounds (7)" << QStringList{"chklst1=ETH"}
                                               << "control/curr_list" << "0|" << QStringList{"LstCurr=ETH"};
    // A geometry value stops the window's creation steps: the other settings are not read at all.
    QTest::newRow("geometry") << "[VelkoBrowserFrm]\r\nleft=300\r\ntop=200\r\nheight=600\r\nwidth=80x\r\n"
                                 "[protokol]\r\nprot=1\r\n[control]\r\nse_buy=100\r\n" + rest
                              << "'80x' is not a valid integer value"
                              << QStringList{"left=300", "top=200", "height=600"} << "VelkoBrowserFrm/Width"
                              << "1061" << QStringList{};
}

// A value that does not convert shows its error once, stops the reading there, and leaves a
// window that creates its browser and saves.
void WindowSettingsTest::broken_value()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, error);
    QFETCH(QStringList, loaded);
    QFETCH(QString, broken_key);
    QFETCH(QString, saved_value);
    QFETCH(QStringList, after_save);
    write_bytes(path_, contents);

    auto form = make_form();
    QCOMPARE(dialogs_.messages, QStringList{error});
    const QMap<QString, QString> at_load = changed(creation_, loaded);
    COMPARE_SNAPSHOTS(snapshot(*form), at_load);

    QVERIFY(show_active_with_browser(*form));
    QCOMPARE(dialogs_.messages, QStringList{error});
    form->ui.PageControl1->setCurrentWidget(form->ui.TabSheet1);
    QTest::mouseClick(form->ui.btn4, Qt::LeftButton);
    QCOMPARE(dialogs_.messages, (QStringList{error, QStringLiteral("Записано!")}));
    COMPARE_SNAPSHOTS(snapshot(*form), timers_at_spin_values(changed(at_load, after_save)));
    // The broken value is replaced by what the window shows.
    const QStringList section_key = broken_key.split(u'/');
    QCOMPARE(SettingsFile(path_).readstrini(section_key[0], section_key[1], QStringLiteral(" ")), saved_value);
}

// btn5 ends the program through the closing protocol; nothing is saved, the file stays as it was.
void WindowSettingsTest::quit_button_closes_without_saving()
{
    const QByteArray contents = "[control]\r\nse_buy=700\r\n";
    write_bytes(path_, contents);
    auto form = make_form();
    QVERIFY(show_active_with_browser(*form));
    QSignalSpy closed(form.get(), &TVelkoBrowserFrm::closed);
    form->ui.se_buy->set_value(900);
    form->ui.chbx_prot->setChecked(true);

    form->ui.PageControl1->setCurrentWidget(form->ui.TabSheet1);
    QTest::mouseClick(form->ui.btn5, Qt::LeftButton);
    QVERIFY(form->closing);
    QVERIFY(!form->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(closed.count() == 1, close_timeout_ms);
    QVERIFY(form->can_close);
    QCOMPARE(form->Chromium1.browser_id(), 0);
    QCOMPARE(dialogs_.messages, QStringList());
    QCOMPARE(read_bytes(path_), contents);
}

void WindowSettingsTest::btn4_saves_like_btn1_without_taking_the_focus_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("interval");
    // btn4 leaves the focus in the spin edit: the digit typed is saved as it stands, unclamped.
    QTest::newRow("btn4") << "btn4" << "5" << 5;
    // "Записать" takes the focus first, so the spin edit brings 5 into its range.
    QTest::newRow("btn1") << "btn1" << "40" << 40;
}

// se_buy still being edited (the digit 5 typed) when a save button is clicked. btn4 sits on the
// work tab, the spin edits on the options tab, and changing tabs takes the focus out of the spin
// edit (which brings 5 to 40): so the click goes to btn4 while the options tab stays in front.
void WindowSettingsTest::btn4_saves_like_btn1_without_taking_the_focus()
{
    QFETCH(QString, button);
    QFETCH(QString, saved);
    QFETCH(int, interval);
    auto form = make_form();
    QVERIFY(show_active_with_browser(*form));
    MainWindowUi& ui = form->ui;
    ui.PageControl1->setCurrentWidget(ui.TabSheet2);
    type_into(ui.se_buy, QStringLiteral("5"));

    QAbstractButton* pressed = button == QLatin1String("btn4") ? static_cast<QAbstractButton*>(ui.btn4) : ui.btn1;
    QTest::mouseClick(pressed, Qt::LeftButton);
    QCOMPARE(dialogs_.messages, QStringList{QStringLiteral("Записано!")});
    QCOMPARE(ui.se_buy->hasFocus(), button == QLatin1String("btn4"));
    QCOMPARE(SettingsFile(path_).readstrini(QStringLiteral("control"), QStringLiteral("se_buy"), QStringLiteral(" ")),
             saved);
    QCOMPARE(form->automation->timers.Timer_buy.interval(), interval);
    // The rest of the save is the same: every other key written with the window's values.
    form.reset();
    form = make_form();
    COMPARE_SNAPSHOTS(snapshot(*form), timers_at_spin_values(changed(creation_, {QStringLiteral("se_buy=40")})));
}

int main(int argc, char** argv)
{
    return rx42::testing::run_browser_test_main(argc, argv, rx42::testing::run_tests<WindowSettingsTest>);
}

#include "test_window_settings.moc"
