#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace rx42 {

// An error raised inside a handler (a value that is not a whole number, a list index outside the
// list, a settings write that fails). It is not caught by the handler: the application error
// handler shows its text in a message box, the rest of that handler is skipped and the program
// goes on.
class HandlerError : public std::runtime_error {
public:
    explicit HandlerError(const QString& text)
        : std::runtime_error(text.toStdString())
        , text_(text)
    {
    }
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Where the application error handler sends error texts (a message box in the program, a list in
// tests, standard error in a practice run). Installed once at start-up; the default writes to
// standard error.
using ErrorPresenter = std::function<void(const QString& text)>;
void set_error_presenter(ErrorPresenter presenter);
void present_error(const QString& text);

// Runs one handler: any exception leaving it is shown through the presenter and swallowed.
// Every entry point from the event loop (button, timer, menu, posted message, browser event)
// goes through this.
void run_handler(const std::function<void()>& body);

}  // namespace rx42
