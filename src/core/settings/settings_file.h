#pragma once

#include "automation/trading_controls.h"
#include "automation/trading_timers.h"
#include "common/dialogs.h"
#include "settings/window_geometry.h"

#include <QString>

#include <functional>

namespace rx42 {

// The settings file of an executable: in the executable's folder, named after it with its
// extension replaced by ".ini" (trader.exe keeps its settings in trader.ini).
QString settings_path_for_executable(const QString& executable_path);

// The settings file, read and written one key at a time; nothing is cached between calls.
class SettingsFile {
public:
    explicit SettingsFile(QString path);

    const QString& path() const { return path_; }

    // The key's value without its surrounding blanks, or, when the key is absent, `default_value`
    // without its trailing blanks. An empty text when the file does not exist.
    QString readstrini(const QString& section, const QString& key, const QString& default_value) const;

    // Writes one value (note: value before key). Throws HandlerError("Unable to write to <path>")
    // when the write fails; the file is then left as it was.
    void writestrini(const QString& section, const QString& value, const QString& key) const;

private:
    QString path_;
};

// The geometry step of the window's creation: left, top, height and width of section
// VelkoBrowserFrm, in this order; each non-empty value is converted and applied. Throws
// HandlerError at the first value that is not a whole number (the values before it are applied).
void read_window_geometry(const SettingsFile& settings, WindowGeometry& window);

// Loads every other setting into the controls and the spin edits' values into their timers, then
// calls ToCurrList. Throws HandlerError at the first value that does not convert or names no
// currency; the keys after it are not read and ToCurrList is not called.
void my_initial(const SettingsFile& settings, TradingControls& controls, TradingTimers& timers,
                const std::function<void()>& ToCurrList);

// The save button: writes every setting, copies the spin edits' values into their timers, calls
// ToCurrList and shows "Записано!". A failed write throws HandlerError and ends the save there.
void save_settings(const SettingsFile& settings, const WindowGeometry& window, TradingControls& controls,
                   TradingTimers& timers, const std::function<void()>& ToCurrList, Dialogs& dialogs);

// The text saved as curr_list: the positions of the ticked currencies, each followed by "|".
QString curr_list_text(const CheckListControl& currencies);

// Ticks the currencies a curr_list value names. Parsing stops at the first empty token, so only
// positions followed by "|" count and "0||3|" ticks position 0 alone. Throws HandlerError for a
// position that is not a whole number or lies outside the list (positions before it stay ticked).
void tick_curr_list(const QString& value, CheckListControl& currencies);

}  // namespace rx42
