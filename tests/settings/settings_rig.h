#pragma once

#include "automation/trading_timers.h"
#include "common/handler_guard.h"
#include "common/simulated_scheduler.h"
#include "plain_trading_controls.h"
#include "settings/settings_file.h"
#include "test_dialogs.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

// Fails the test with the list of differing values.
#define COMPARE_SNAPSHOTS(actual, expected)                                                          \
    do {                                                                                             \
        const QString diff = ::rx42::testing::SettingsRig::differences(actual, expected);            \
        QVERIFY2(diff.isEmpty(), qPrintable(diff));                                                  \
    } while (false)

namespace rx42::testing {

// The window's geometry with the designed values.
struct PlainGeometry final : WindowGeometry {
    int left_ = 192;
    int top_ = 123;
    int height_ = 804;
    int width_ = 1061;
    int left() const override { return left_; }
    int top() const override { return top_; }
    int height() const override { return height_; }
    int width() const override { return width_; }
    void set_left(int v) override { left_ = v; }
    void set_top(int v) override { top_ = v; }
    void set_height(int v) override { height_ = v; }
    void set_width(int v) override { width_ = v; }
};

// A byte literal with NUL bytes inside, whole.
template <std::size_t N>
QByteArray with_nul(const char (&literal)[N])
{
    return QByteArray(literal, qsizetype(N - 1));
}

inline QByteArray read_bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void write_bytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A window at creation, its settings file in a folder of its own, and everything the load and
// the save touch, readable as one snapshot.
struct SettingsRig {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("trader.ini"));
    SettingsFile settings{path};
    SimulatedScheduler clock;
    PlainTradingControls ui;
    TradingControls controls = ui.controls();
    TradingTimers timers{clock};
    PlainGeometry geometry;
    TestDialogs dialogs;
    int to_curr_list_calls = 0;
    QString error;

    // Rebuilds the rotation list from the ticks, as the currency rotation does.
    std::function<void()> ToCurrList = [this] {
        ++to_curr_list_calls;
        QStringList names;
        for (int i = 0; i < ui.chklst1.count(); ++i)
            if (ui.chklst1.checked(i))
                names.append(ui.chklst1.item(i));
        ui.LstCurr.set_items(names);
    };

    // What the window's creation does with the file: the geometry, then my_initial.
    void load()
    {
        try {
            read_window_geometry(settings, geometry);
            my_initial(settings, controls, timers, ToCurrList);
        } catch (const HandlerError& e) {
            error = e.text();
        }
    }

    void save()
    {
        try {
            save_settings(settings, geometry, controls, timers, ToCurrList, dialogs);
        } catch (const HandlerError& e) {
            error = e.text();
        }
    }

    QVector<std::pair<QString, const WindowTimer*>> all_timers() const
    {
        const TradingTimers& t = timers;
        QVector<std::pair<QString, const WindowTimer*>> out;
        for (const WindowTimer* timer : {&t.Timer_start, &t.timer_cell_price, &t.Timer_ff1, &t.Timer_buy_price,
                                         &t.Timer_ff2, &t.Timer_switcher, &t.Timer_buy, &t.Timer_click_all,
                                         &t.Timer_buy_eth, &t.Timer_curr_switcher})
            out.append({timer->name(), timer});
        return out;
    }

    // Every value the load and the save read or set, by name.
    QMap<QString, QString> snapshot() const
    {
        QMap<QString, QString> s;
        s["left"] = QString::number(geometry.left_);
        s["top"] = QString::number(geometry.top_);
        s["height"] = QString::number(geometry.height_);
        s["width"] = QString::number(geometry.width_);
        const std::pair<const char*, const PlainSpin*> spins[] = {
            {"se_start", &ui.se_start},       {"se_switcher", &ui.se_switcher}, {"se_buy_price", &ui.se_buy_price},
            {"se_cell_price", &ui.se_cell_price}, {"se_buy", &ui.se_buy},      {"se_buy_all", &ui.se_buy_all},
            {"se_buy_eth", &ui.se_buy_eth},   {"se_curr_switcher", &ui.se_curr_switcher},
            {"se_fake1", &ui.se_fake1},       {"se_fake2", &ui.se_fake2}};
        for (const auto& [name, spin] : spins)
            s[name] = spin->text();
        for (const auto& [name, timer] : all_timers())
            s[name] = QString::number(timer->interval());
        s["e_porog"] = ui.e_porog.text();
        s["sound"] = ui.chbx_sound.checked() ? "1" : "0";
        s["prot"] = ui.chbx_prot.checked() ? "1" : "0";
        QStringList ticks;
        for (int i = 0; i < ui.chklst1.count(); ++i)
            if (ui.chklst1.checked(i))
                ticks.append(QString::number(i));
        s["ticks"] = ticks.join(',');
        s["LstCurr"] = ui.LstCurr.items().join(',');
        s["ToCurrList"] = QString::number(to_curr_list_calls);
        s["error"] = error;
        s["messages"] = dialogs.messages.join('|');
        return s;
    }

    // The snapshot with some values changed: "name=value" each.
    static QMap<QString, QString> changed(QMap<QString, QString> base, const QStringList& changes)
    {
        for (const QString& change : changes) {
            const qsizetype eq = change.indexOf('=');
            base[change.left(eq)] = change.mid(eq + 1);
        }
        return base;
    }

    // Every difference between two snapshots, one "name: actual, expected" a line.
    static QString differences(const QMap<QString, QString>& actual, const QMap<QString, QString>& expected)
    {
        QStringList out;
        QMap<QString, QString> all = expected;
        all.insert(actual);
        for (auto it = all.cbegin(); it != all.cend(); ++it) {
            if (actual.value(it.key()) != expected.value(it.key()))
                out.append(QStringLiteral("%1: '%2', expected '%3'").arg(it.key(), actual.value(it.key()), expected.value(it.key())));
        }
        return out.join('\n');
    }

    // The names of the files in the folder.
    QStringList files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
};

}  // namespace rx42::testing
