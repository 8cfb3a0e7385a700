#pragma once

#include "common/controls.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace rx42 {

// The local date and time; the program uses the current local time, tests a fixed clock.
using LocalClock = std::function<QDateTime()>;

// The operation protocol: one line per event, the message, a blank and the local time stamp
// "hh:mm:ss YYYY.MM.DD". The latest line always stands in e_message; while "Вести протокол"
// (chbx_prot) is ticked every line is also appended to the protocol memo mmo_log. Nothing is
// kept here: each line costs the same whether it is the first or the hundred-thousandth.
class Protocol {
public:
    Protocol(TextControl& e_message, CheckControl& chbx_prot, LogControl& mmo_log, LocalClock local_clock = {});

    // Window thread only.
    void writelog(const QString& text);

    // Called with every protocol line as it is written (the headless practice run prints them).
    void set_line_listener(std::function<void(const QString& line)> listener) { line_listener_ = std::move(listener); }

    // The protocol line for `text` written at `when`.
    static QString protocol_line(const QString& text, const QDateTime& when);

private:
    TextControl& e_message_;
    CheckControl& chbx_prot_;
    LogControl& mmo_log_;
    LocalClock local_clock_;
    std::function<void(const QString& line)> line_listener_;
};

}  // namespace rx42
