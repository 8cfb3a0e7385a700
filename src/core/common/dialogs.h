#pragma once

#include <QString>

namespace rx42 {

// Every message box and file dialog of the program goes through this seam, so that tests can
// answer them and the headless practice run can print them.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Plain message box with one OK button and the application title as caption.
    virtual void message_box(const QString& text) = 0;

    // Save-file dialog: `filter` in the "Text files (*.txt)|*.TXT" form, `default_suffix`
    // without the dot, `file_name` the name proposed. Returns the chosen path, or an empty text
    // when cancelled. Modal: the window keeps handling its events while it is open.
    struct SaveRequest {
        QString filter;
        QString default_suffix;
        QString file_name;
    };
    virtual QString save_file_name(const SaveRequest& request) = 0;

    // Open-file dialog; same conventions.
    virtual QString open_file_name(const QString& filter) = 0;

    // Input box: returns the answer, or an empty text when cancelled.
    virtual QString input_box(const QString& caption, const QString& prompt, const QString& default_text) = 0;
};

}  // namespace rx42
