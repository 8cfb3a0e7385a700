#include "runtime_log_lines.h"

namespace rx42 {

namespace {

QByteArray without_line_end(const QByteArray& line)
{
    qsizetype size = line.size();
    while (size > 0 && (line.at(size - 1) == '\n' || line.at(size - 1) == '\r'))
        --size;
    return line.left(size);
}

// The end of a console entry: `", source: <url> (<line>)`.
bool ends_console_entry(const QByteArray& line)
{
    const QByteArray text = without_line_end(line);
    if (!text.endsWith(')'))
        return false;
    const qsizetype open = text.lastIndexOf(" (");
    if (open < 0)
        return false;
    for (qsizetype i = open + 2; i < text.size() - 1; ++i) {
        if (text.at(i) < '0' || text.at(i) > '9')
            return false;
    }
    return text.lastIndexOf("\", source: ", open) >= 0;
}

}  // namespace

bool RuntimeLogLines::starts_entry(const QByteArray& line)
{
    const auto digits = [&line](qsizetype& at, qsizetype min_count, qsizetype max_count) {
        qsizetype count = 0;
        while (at < line.size() && line.at(at) >= '0' && line.at(at) <= '9' && count < max_count) {
            ++at;
            ++count;
        }
        return count >= min_count;
    };
    const auto is = [&line](qsizetype& at, char c) {
        if (at >= line.size() || line.at(at) != c)
            return false;
        ++at;
        return true;
    };
    qsizetype at = 0;
    if (!is(at, '[') || !digits(at, 1, 10) || !is(at, ':') || !digits(at, 1, 10) || !is(at, ':') || !digits(at, 4, 4)
        || !is(at, '/') || !digits(at, 6, 6) || !is(at, '.') || !digits(at, 1, 9) || !is(at, ':'))
        return false;
    qsizetype severity = 0;
    while (at < line.size()
           && ((line.at(at) >= 'A' && line.at(at) <= 'Z') || (line.at(at) >= '0' && line.at(at) <= '9') || line.at(at) == '_')) {
        ++at;
        ++severity;
    }
    return severity > 0 && is(at, ':');
}

bool RuntimeLogLines::operator()(const QByteArray& line)
{
    if (starts_entry(line)) {
        const qsizetype close = line.indexOf("] ");
        const bool console = close > 0 && line.lastIndexOf(":CONSOLE(", close) > 0;
        in_console_entry_ = console && !ends_console_entry(line);
        return true;
    }
    if (!in_console_entry_)
        return false;
    in_console_entry_ = !ends_console_entry(line);
    return true;
}

}  // namespace rx42
