#include "settings_file.h"

#include "common/int_text.h"
#include "settings/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace rx42 {

namespace {

const QString section_window = QStringLiteral("VelkoBrowserFrm");
const QString section_control = QStringLiteral("control");
const QString section_protocol = QStringLiteral("protokol");
const QString no_default = QStringLiteral(" ");

// Spaces and control characters at both ends removed.
QString trimmed(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

// A spin edit, the settings key of the same name and the timer that takes its value.
struct TimerSpin {
    const char* key;
    SpinControl* TradingControls::*spin;
    WindowTimer TradingTimers::*timer;
};

const TimerSpin spin_se_start{"se_start", &TradingControls::se_start, &TradingTimers::Timer_start};
const TimerSpin spin_se_switcher{"se_switcher", &TradingControls::se_switcher, &TradingTimers::Timer_switcher};
const TimerSpin spin_se_buy_price{"se_buy_price", &TradingControls::se_buy_price, &TradingTimers::Timer_buy_price};
const TimerSpin spin_se_cell_price{"se_cell_price", &TradingControls::se_cell_price,
                                   &TradingTimers::timer_cell_price};
const TimerSpin spin_se_buy{"se_buy", &TradingControls::se_buy, &TradingTimers::Timer_buy};
const TimerSpin spin_se_buy_all{"se_buy_all", &TradingControls::se_buy_all, &TradingTimers::Timer_click_all};
const TimerSpin spin_se_buy_eth{"se_buy_eth", &TradingControls::se_buy_eth, &TradingTimers::Timer_buy_eth};
const TimerSpin spin_se_curr_switcher{"se_curr_switcher", &TradingControls::se_curr_switcher,
                                      &TradingTimers::Timer_curr_switcher};

// Loading and saving go through the timer spin edits in different orders.
const TimerSpin* const load_order[] = {&spin_se_curr_switcher, &spin_se_switcher, &spin_se_buy_price,
                                       &spin_se_cell_price,    &spin_se_buy,      &spin_se_buy_all,
                                       &spin_se_buy_eth,       &spin_se_start};
const TimerSpin* const save_order[] = {&spin_se_start, &spin_se_switcher, &spin_se_buy_price,
                                       &spin_se_cell_price, &spin_se_buy, &spin_se_buy_all,
                                       &spin_se_buy_eth, &spin_se_curr_switcher};

// Splits the text before the first "|" off `rest`; without a "|" the token is empty and `rest`
// stays whole.
QString split_token(QString& rest)
{
    const qsizetype bar = rest.indexOf(u'|');
    if (bar < 0)
        return {};
    const QString token = rest.left(bar);
    rest = rest.mid(bar + 1);
    return token;
}

QString flag_text(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Reads a control key; a non-empty value is converted (raising the conversion error) and set as
// the spin edit's value, which the spin edit brings into its range. Returns whether it was set.
bool load_spin(const SettingsFile& settings, const QString& key, SpinControl& spin)
{
    const QString text = settings.readstrini(section_control, key, no_default);
    if (text.isEmpty())
        return false;
    spin.set_value(str_to_int(text));
    return true;
}

}  // namespace

QString settings_path_for_executable(const QString& executable_path)
{
    const QFileInfo info(executable_path);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

SettingsFile::SettingsFile(QString path)
    : path_(std::move(path))
{
}

QString SettingsFile::readstrini(const QString& section, const QString& key, const QString& default_value) const
{
    if (!QFileInfo(path_).isFile())
        return {};
    return IniFile(path_).read_string(section, key, default_value);
}

void SettingsFile::writestrini(const QString& section, const QString& value, const QString& key) const
{
    IniFile(path_).write_string(section, key, value);
}

void read_window_geometry(const SettingsFile& settings, WindowGeometry& window)
{
    QString text = settings.readstrini(section_window, QStringLiteral("left"), no_default);
    if (!text.isEmpty())
        window.set_left(str_to_int(text));
    text = settings.readstrini(section_window, QStringLiteral("top"), no_default);
    if (!text.isEmpty())
        window.set_top(str_to_int(text));
    text = settings.readstrini(section_window, QStringLiteral("height"), no_default);
    if (!text.isEmpty())
        window.set_height(str_to_int(text));
    text = settings.readstrini(section_window, QStringLiteral("width"), no_default);
    if (!text.isEmpty())
        window.set_width(str_to_int(text));
}

QString curr_list_text(const CheckListControl& currencies)
{
    QString text;
    for (int i = 0; i < currencies.count(); ++i) {
        if (currencies.checked(i))
            text += QString::number(i) + u'|';
    }
    return text;
}

void tick_curr_list(const QString& value, CheckListControl& currencies)
{
    QString rest = value;
    QString token = split_token(rest);
    if (!token.isEmpty())
        currencies.set_checked(str_to_int(token), true);
    while (!token.isEmpty()) {
        token = split_token(rest);
        if (!token.isEmpty())
            currencies.set_checked(str_to_int(token), true);
    }
}

void my_initial(const SettingsFile& settings, TradingControls& controls, TradingTimers& timers,
                const std::function<void()>& ToCurrList)
{
    controls.chbx_prot->set_checked(settings.readstrini(section_protocol, QStringLiteral("prot"),
                                                        QStringLiteral("0"))
                                    == QLatin1String("1"));

    for (const TimerSpin* entry : load_order) {
        SpinControl& spin = *(controls.*(entry->spin));
        if (load_spin(settings, QLatin1String(entry->key), spin))
            (timers.*(entry->timer)).set_interval(spin.value());
    }

    const QString porog = settings.readstrini(section_control, QStringLiteral("e_porog"), no_default);
    if (!porog.isEmpty())
        controls.e_porog->set_text(trimmed(porog));

    if (trimmed(settings.readstrini(section_control, QStringLiteral("sound"), QStringLiteral(" 0")))
        == QLatin1String("1"))
        controls.chbx_sound->set_checked(true);

    const QString currencies = settings.readstrini(section_control, QStringLiteral("curr_list"), no_default);
    if (!currencies.isEmpty())
        tick_curr_list(trimmed(currencies), *controls.chklst1);

    load_spin(settings, QStringLiteral("se_fake1"), *controls.se_fake1);
    load_spin(settings, QStringLiteral("se_fake2"), *controls.se_fake2);

    ToCurrList();
}

void save_settings(const SettingsFile& settings, const WindowGeometry& window, TradingControls& controls,
                   TradingTimers& timers, const std::function<void()>& ToCurrList, Dialogs& dialogs)
{
    settings.writestrini(section_window, QString::number(window.top()), QStringLiteral("top"));
    settings.writestrini(section_window, QString::number(window.left()), QStringLiteral("left"));
    settings.writestrini(section_window, QString::number(window.height()), QStringLiteral("Height"));
    settings.writestrini(section_window, QString::number(window.width()), QStringLiteral("Width"));

    // The text as shown, even when it is not a number; the timer takes the spin edit's value,
    // unchecked against the range.
    for (const TimerSpin* entry : save_order) {
        const SpinControl& spin = *(controls.*(entry->spin));
        settings.writestrini(section_control, spin.text(), QLatin1String(entry->key));
        (timers.*(entry->timer)).set_interval(spin.value());
    }

    settings.writestrini(section_control, controls.e_porog->text(), QStringLiteral("e_porog"));
    settings.writestrini(section_control, flag_text(controls.chbx_sound->checked()), QStringLiteral("sound"));
    settings.writestrini(section_protocol, flag_text(controls.chbx_prot->checked()), QStringLiteral("prot"));
    settings.writestrini(section_control, curr_list_text(*controls.chklst1), QStringLiteral("curr_list"));
    settings.writestrini(section_control, controls.se_fake1->text(), QStringLiteral("se_fake1"));
    settings.writestrini(section_control, controls.se_fake2->text(), QStringLiteral("se_fake2"));

    ToCurrList();
    dialogs.message_box(QStringLiteral("Записано!"));
}

}  // namespace rx42
