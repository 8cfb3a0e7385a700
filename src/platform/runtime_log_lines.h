#pragma once

#include <QByteArray>

namespace rx42 {

// Tells the runtime's log lines apart from everything else written to standard error, line by
// line and in order: "[pid:tid:MMDD/HHMMSS.uuuuuu:SEVERITY:source(line)] ..." starts an entry, and
// a console entry whose message spans several lines ("... CONSOLE(n)] "first line" up to
// "...", source: URL (n)") keeps its further lines. Runs on the log reader's thread, which owns
// standard error: it must not print anything itself.
class RuntimeLogLines {
public:
    bool operator()(const QByteArray& line);

    static bool starts_entry(const QByteArray& line);

private:
    bool in_console_entry_ = false;
};

}  // namespace rx42
