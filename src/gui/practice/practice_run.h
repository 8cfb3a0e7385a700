#pragma once

#include "common/dialogs.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <optional>

namespace rx42 {

class TVelkoBrowserFrm;

// The unattended practice run, `rx42 --practice [URL] [--practice-timeout SECONDS]`: the robot
// runs as a user would run it, on the built-in practice page (or on URL, a page with the same
// page contract), with the delays, threshold, bounds and currencies of the settings file; every
// protocol line goes to standard output; it ends with status 0 after the confirming purchase
// click, or with status 1 when the time is up without one.
struct PracticeOptions {
    QString url;
    int timeout_seconds = 300;
};

// The practice page with a spread that widens by itself: the first checks find it too narrow,
// then the robot buys within a minute with the practice settings (threshold 50,00).
extern const char* const kPracticeDefaultUrl;

// Takes the practice options out of the arguments. No "--practice": nullopt. A bad value:
// `error` is set.
std::optional<PracticeOptions> take_practice_options(QStringList& arguments, QString& error);

// Message boxes as lines on standard error (no one is there to press OK); file and input dialogs
// answer as if cancelled.
class ConsoleDialogs final : public Dialogs {
public:
    void message_box(const QString& text) override;
    QString save_file_name(const SaveRequest&) override { return {}; }
    QString open_file_name(const QString&) override { return {}; }
    QString input_box(const QString&, const QString&, const QString&) override { return {}; }
};

class PracticeRun final : public QObject {
    Q_OBJECT
public:
    PracticeRun(TVelkoBrowserFrm& form, PracticeOptions options);

    // Starts the run: waits for the browser, then presses start and, after the start delay,
    // search. The window is closed (through its closing protocol) when the run ends.
    void start();
    int exit_status() const { return exit_status_; }

private:
    void wait_for_browser();
    void press_start();
    void finish(int status, const QString& why);

    QPointer<TVelkoBrowserFrm> form_;
    PracticeOptions options_;
    int exit_status_ = 1;
    bool finished_ = false;
};

}  // namespace rx42
