#pragma once

#include <QString>

namespace rx42 {

// The page the robot drives. The real browser (platform BrowserComponent) and the scripted test
// page implement it.
//
// execute_in_main_frame: run a script text in the main frame of the current browser, with the
// frame's URL as script URL and line 0. Asynchronous, no result: the only thing that comes back is
// console output, which the owner of the page hands to ScriptChannel::Chromium1ConsoleMessage on
// the window thread, one message at a time, in arrival order. Does nothing without a browser.
class Page {
public:
    virtual ~Page() = default;
    virtual void execute_in_main_frame(const QString& code) = 0;
};

}  // namespace rx42
