#pragma once

#include "common/dialogs.h"

#include <QStringList>
#include <QVector>

#include <functional>

namespace rx42::testing {

// Dialogs that a test answers: message boxes are recorded; a file dialog calls the test's
// function, which may let simulated time pass (the window's event loop keeps running while a
// modal dialog is open) before it returns the chosen path, or an empty text for cancel.
class TestDialogs final : public Dialogs {
public:
    QStringList messages;
    QVector<SaveRequest> save_requests;
    std::function<QString(const SaveRequest&)> answer_save;
    std::function<QString(const QString& filter)> answer_open;
    std::function<QString(const QString& caption, const QString& prompt, const QString& default_text)> answer_input;

    void message_box(const QString& text) override { messages.append(text); }
    QString save_file_name(const SaveRequest& request) override
    {
        save_requests.append(request);
        return answer_save ? answer_save(request) : QString();
    }
    QString open_file_name(const QString& filter) override { return answer_open ? answer_open(filter) : QString(); }
    QString input_box(const QString& caption, const QString& prompt, const QString& default_text) override
    {
        return answer_input ? answer_input(caption, prompt, default_text) : QString();
    }
};

}  // namespace rx42::testing
