#include "protocol.h"

namespace rx42 {

Protocol::Protocol(TextControl& e_message, CheckControl& chbx_prot, LogControl& mmo_log, LocalClock local_clock)
    : e_message_(e_message)
    , chbx_prot_(chbx_prot)
    , mmo_log_(mmo_log)
    , local_clock_(local_clock ? std::move(local_clock) : LocalClock([] { return QDateTime::currentDateTime(); }))
{
}

QString Protocol::protocol_line(const QString& text, const QDateTime& when)
{
    // Numeric fields only, so the format does not depend on the locale.
    return text + u' ' + when.toString(QStringLiteral("hh:mm:ss yyyy.MM.dd"));
}

void Protocol::writelog(const QString& text)
{
    const QString line = protocol_line(text, local_clock_());
    if (chbx_prot_.checked())
        mmo_log_.append_line(line);
    e_message_.set_text(line);
    if (line_listener_)
        line_listener_(line);
}

}  // namespace rx42
